#pragma once

#include <array>

namespace flurb::testing {

// Which rendering of the kite (K, 450 x 293) a device pixel ratio finds, and its size in pixels:
// the picture drawn afresh at each scale, its edges rounded up. A ratio between two renderings
// finds the larger, one beyond them the largest.
struct RenderingCase {
  double ratio;
  double scale;
  int width;
  int height;
};

inline constexpr std::array<RenderingCase, 8> kKiteRenderings = {{{1.1, 1.25, 563, 367},
                                                                  {1.25, 1.25, 563, 367},
                                                                  {1.5, 1.5, 675, 440},
                                                                  {1.75, 1.75, 788, 513},
                                                                  {2.0, 2.0, 900, 586},
                                                                  {2.25, 2.5, 1125, 733},
                                                                  {3.0, 3.0, 1350, 879},
                                                                  {4.0, 3.0, 1350, 879}}};

}  // namespace flurb::testing
