#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include <QByteArray>
#include <QImage>
#include <QStringView>

namespace flurb::platform {

// A decoded picture: opaque 24-bit colour, shown pixel for pixel.
class Picture {
 public:
  explicit Picture(QImage image) : image_(std::move(image)) {}

  const QImage& image() const { return image_; }
  int widthPixels() const { return image_.width(); }
  int heightPixels() const { return image_.height(); }

 private:
  QImage image_;
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
  virtual std::optional<QByteArray> findBitmap(QStringView name) const = 0;
};

inline constexpr std::int16_t kBitmapResource = 0;

// Finds a resource picture and decodes it anew; a missing name, another kind or bytes that do not
// decode are run-time errors.
Picture LoadResPicture(const ResourceStore& store, QStringView name, std::int16_t kind);

}  // namespace flurb::platform
