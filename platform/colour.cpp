#include "colour.h"

#include <array>

namespace flurb::platform {
namespace {

constexpr std::uint32_t kSystemColourCount = 25;
constexpr std::uint32_t kWindowTextIndex = 8;

// The classic scheme, indexed by system colour number.
constexpr std::array<Colour, kSystemColourCount> kClassicScheme = {
    fixedColour(200, 200, 200),  // 0 scroll bar
    fixedColour(0, 128, 128),    // 1 desktop
    fixedColour(0, 0, 128),      // 2 active caption
    fixedColour(128, 128, 128),  // 3 inactive caption
    fixedColour(192, 192, 192),  // 4 menu
    fixedColour(255, 255, 255),  // 5 window
    fixedColour(0, 0, 0),        // 6 window frame
    fixedColour(0, 0, 0),        // 7 menu text
    fixedColour(0, 0, 0),        // 8 window text
    fixedColour(255, 255, 255),  // 9 caption text
    fixedColour(192, 192, 192),  // 10 active border
    fixedColour(192, 192, 192),  // 11 inactive border
    fixedColour(128, 128, 128),  // 12 application workspace
    fixedColour(0, 0, 128),      // 13 highlight
    fixedColour(255, 255, 255),  // 14 highlight text
    fixedColour(192, 192, 192),  // 15 button face
    fixedColour(128, 128, 128),  // 16 button shadow
    fixedColour(128, 128, 128),  // 17 grey text
    fixedColour(0, 0, 0),        // 18 button text
    fixedColour(192, 192, 192),  // 19 inactive caption text
    fixedColour(255, 255, 255),  // 20 button highlight
    fixedColour(0, 0, 0),        // 21 3D dark shadow
    fixedColour(223, 223, 223),  // 22 3D light
    fixedColour(0, 0, 0),        // 23 tooltip text
    fixedColour(255, 255, 225),  // 24 tooltip background
};

}  // namespace

Rgb ClassicColours::systemColour(std::uint32_t index) const {
  // An unknown system colour number draws as the window text colour, like the desktop does.
  return toRgb(kClassicScheme.at(index < kSystemColourCount ? index : kWindowTextIndex));
}

Rgb resolveColour(Colour colour, const SystemColours& system) {
  if ((colour & kSystemColourFlag) == 0U) {
    return toRgb(colour);
  }
  return system.systemColour(colour & ~kSystemColourFlag);
}

}  // namespace flurb::platform
