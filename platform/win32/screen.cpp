#include "screen.h"

#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

ScreenArea primaryScreen(double twipsPerPixel) {
  // The primary monitor's top left corner is the desktop's origin.
  RECT workArea{};
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0) == 0) {
    workArea = {};
  }
  return {.left = 0,
          .top = 0,
          .width = GetSystemMetrics(SM_CXSCREEN) * twipsPerPixel,
          .height = GetSystemMetrics(SM_CYSCREEN) * twipsPerPixel,
          .workAreaLeft = workArea.left * twipsPerPixel,
          .workAreaTop = workArea.top * twipsPerPixel};
}

}  // namespace flurb::platform::win32
