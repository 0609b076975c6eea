#pragma once

namespace flurb::platform {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kTwipsPerPoint = 20.0;

// Twips per device pixel at the screen's real resolution: 15 at 96 dots per inch, 7.5 at 192.
constexpr double twipsPerPixel(double dotsPerInch) {
  return kTwipsPerInch / dotsPerInch;
}

// Positions stay in twips until drawing; this is the one place they become pixels. Halves go up
// (towards +infinity) everywhere, so a control's edges move together, whatever their sign.
int twipsToPixels(double twips, double twipsPerPixel);

}  // namespace flurb::platform
