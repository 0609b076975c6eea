#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace flurb::platform {

// A decoded picture: opaque 24-bit colour, one pixel to a logical pixel. Each pixel is 0xFFRRGGBB
// and the rows run top-down without padding: the layout drawing toolkits take as it is (Qt's
// 32-bit RGB wants the top byte set, a 32-bit DIB ignores it). A plain value: it keeps its pixels,
// which never change and which its copies share, and, for a picture loaded from the program's
// resources, the name under which the painter finds its sharper renderings.
class Picture {
 public:
  Picture(int width, int height, std::vector<std::uint32_t> pixels);
  // Takes `width` × `height` pixels that no one changes any more: a decoder's own buffer, which
  // it need not clear before it writes every pixel.
  Picture(int width, int height, std::shared_ptr<const std::uint32_t[]> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  // A buffer for `width` × `height` pixels left uncleared, for a writer that sets every pixel:
  // clearing half a megabyte is no small part of a key's work.
  static std::shared_ptr<std::uint32_t[]> unclearedPixels(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  std::span<const std::uint32_t> pixels() const {
    return {pixels_.get(), static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
  }
  std::uint32_t pixel(int x, int y) const;

  void setResourceName(std::u16string name) { resourceName_ = std::move(name); }
  // Empty for a picture that came from no resource.
  const std::u16string& resourceName() const { return resourceName_; }

 private:
  int width_;
  int height_;
  std::shared_ptr<const std::uint32_t[]> pixels_;
  std::u16string resourceName_;
};

}  // namespace flurb::platform
