#include "picture.h"

#include <cstddef>

namespace flurb::platform {

std::uint32_t Picture::pixel(int x, int y) const {
  return pixels_->at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x));
}

}  // namespace flurb::platform
