#include "desktop_colours.h"

#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

Rgb DesktopColours::systemColour(std::uint32_t index) const {
  // A COLORREF is 0x00BBGGRR, the layout of the window description's fixed colours.
  return toRgb(GetSysColor(static_cast<int>(index)));
}

}  // namespace flurb::platform::win32
