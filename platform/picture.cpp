#include "picture.h"

#include <cstddef>
#include <stdexcept>

namespace flurb::platform {

Picture::Picture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height) {
  if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("a picture's pixels do not fill its width and height");
  }
  // The pixels stay in their vector, which the picture and its copies keep alive.
  const auto held = std::make_shared<const std::vector<std::uint32_t>>(std::move(pixels));
  pixels_ = std::shared_ptr<const std::uint32_t[]>(held, held->data());
}

std::shared_ptr<std::uint32_t[]> Picture::unclearedPixels(int width, int height) {
  // NOLINTNEXTLINE(modernize-make-shared, modernize-make-unique): make_* would clear it
  return std::shared_ptr<std::uint32_t[]>(
      new std::uint32_t[static_cast<std::size_t>(width) * static_cast<std::size_t>(height)]);
}

std::uint32_t Picture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("a pixel outside the picture");
  }
  return pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                  static_cast<std::size_t>(x)];
}

}  // namespace flurb::platform
