#pragma once

#include <array>

namespace flurb::platform {

// The scales, in hundredths, at which the letter pictures are rendered afresh from their drawings
// for screens that scale: those desktops offer.
inline constexpr std::array<int, 6> kRenderingPercents = {125, 150, 175, 200, 250, 300};

// The rendering, in hundredths, that draws a picture at that device pixel ratio without enlarging
// it: the smallest scale that reaches the ratio, the largest where none does.
int renderingPercentFor(double ratio);

// The scale of a rendering named by its hundredths.
constexpr double renderingScale(int percent) {
  constexpr double kPercent = 100.0;
  return percent / kPercent;
}

}  // namespace flurb::platform
