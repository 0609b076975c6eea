#include "twips.h"

#include <cmath>

namespace flurb::platform {

int twipsToPixels(double twips, double twipsPerPixel) {
  return static_cast<int>(std::floor(twips / twipsPerPixel + 0.5));
}

}  // namespace flurb::platform
