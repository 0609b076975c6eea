#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace flurb::platform {

class ResourceStore;

// A decoded picture: opaque 24-bit colour, one pixel to a logical pixel. Each pixel is 0x00RRGGBB
// and the rows run top-down without padding: the layout drawing toolkits take as it is.
class Picture {
 public:
  Picture(int width, int height, std::vector<std::uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}

  int width() const { return width_; }
  int height() const { return height_; }
  std::span<const std::uint32_t> pixels() const { return pixels_; }
  std::uint32_t pixel(int x, int y) const;

  // Where sharper renderings of the same drawing are found, for screens that scale.
  void setSource(const ResourceStore& store, std::u16string name) {
    store_ = &store;
    name_ = std::move(name);
  }
  const ResourceStore* store() const { return store_; }
  const std::u16string& name() const { return name_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
  const ResourceStore* store_ = nullptr;
  std::u16string name_;
};

// A picture drawn at a device pixel ratio above 1: `scale` device pixels to each of its logical
// pixels.
struct Rendering {
  double scale;
  std::vector<std::uint8_t> bytes;
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
  // The bitmap with that name rendered at the smallest of the store's scales that reaches the
  // ratio (the largest where none does), or nothing where the store keeps one scale only.
  virtual std::optional<Rendering> findRendering(std::u16string_view /*name*/,
                                                 double /*ratio*/) const {
    return std::nullopt;
  }
};

inline constexpr std::int16_t kBitmapResource = 0;

// Finds a resource picture and decodes it anew; a missing name, another kind or bytes that do not
// decode are run-time errors.
Picture loadResPicture(const ResourceStore& store, std::u16string_view name, std::int16_t kind);

}  // namespace flurb::platform
