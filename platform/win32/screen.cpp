#include "screen.h"

#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

ScreenArea primaryScreen(double twipsPerPixel) {
  // The primary monitor's top left corner is the desktop's origin.
  return {.left = 0,
          .top = 0,
          .width = GetSystemMetrics(SM_CXSCREEN) * twipsPerPixel,
          .height = GetSystemMetrics(SM_CYSCREEN) * twipsPerPixel};
}

}  // namespace flurb::platform::win32
