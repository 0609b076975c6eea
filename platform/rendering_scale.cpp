#include "rendering_scale.h"

#include <algorithm>

namespace flurb::platform {

int renderingPercentFor(double ratio) {
  const auto* const reaching =
      std::find_if(kRenderingPercents.begin(), kRenderingPercents.end(),
                   [ratio](int percent) { return renderingScale(percent) >= ratio; });
  return reaching != kRenderingPercents.end() ? *reaching : kRenderingPercents.back();
}

}  // namespace flurb::platform
