#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace flurb::platform {

// A decoded picture: opaque 24-bit colour, shown pixel for pixel. Each pixel is 0x00RRGGBB and
// the rows run top-down without padding: the layout drawing toolkits take as it is.
class Picture {
 public:
  Picture(int width, int height, std::vector<std::uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}

  int width() const { return width_; }
  int height() const { return height_; }
  std::span<const std::uint32_t> pixels() const { return pixels_; }
  std::uint32_t pixel(int x, int y) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

// Where the program's own bitmap resources live. A look-up ignores case and answers only for the
// names the store really has.
class ResourceStore {
 public:
  ResourceStore() = default;
  ResourceStore(const ResourceStore&) = delete;
  ResourceStore& operator=(const ResourceStore&) = delete;
  ResourceStore(ResourceStore&&) = delete;
  ResourceStore& operator=(ResourceStore&&) = delete;
  virtual ~ResourceStore() = default;

  // The stored bytes of the bitmap with that name, or nothing.
  virtual std::optional<std::vector<std::uint8_t>> findBitmap(std::u16string_view name) const = 0;
};

inline constexpr std::int16_t kBitmapResource = 0;

// Finds a resource picture and decodes it anew; a missing name, another kind or bytes that do not
// decode are run-time errors.
Picture loadResPicture(const ResourceStore& store, std::u16string_view name, std::int16_t kind);

}  // namespace flurb::platform
