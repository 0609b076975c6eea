#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "picture.h"
#include "run_length_picture.h"

namespace flurb::platform {

// Bytes a store found, left in whatever buffer holds them (a vector, a toolkit's unpacked array,
// a module's mapped resource), so that they reach the decoder without a copy.
class StoredBytes {
 public:
  // NOLINTNEXTLINE(google-explicit-constructor, hicpp-explicit-conversions): a store's own vector
  StoredBytes(std::vector<std::uint8_t> bytes)
      : StoredBytes(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))) {}
  // Bytes that `owner` keeps alive; a null owner for bytes that live as long as the program.
  StoredBytes(std::shared_ptr<const void> owner, std::span<const std::uint8_t> bytes)
      : owner_(std::move(owner)), bytes_(bytes) {}

  std::span<const std::uint8_t> view() const { return bytes_; }
  bool operator==(const StoredBytes& other) const {
    return std::equal(bytes_.begin(), bytes_.end(), other.bytes_.begin(), other.bytes_.end());
  }

 private:
  explicit StoredBytes(const std::shared_ptr<const std::vector<std::uint8_t>>& held)
      : StoredBytes(held, *held) {}

  std::shared_ptr<const void> owner_;
  std::span<const std::uint8_t> bytes_;
};

// A picture drawn at a device pixel ratio above 1: `scale` device pixels to each of its logical
// pixels.
struct Rendering {
  double scale;
  StoredBytes bytes;
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
  virtual std::optional<StoredBytes> findBitmap(std::u16string_view name) const = 0;
  // The bitmap with that name rendered at the smallest of the store's scales that reaches the
  // ratio (the largest where none does), or nothing where the store keeps one scale only.
  virtual std::optional<Rendering> findRendering(std::u16string_view /*name*/,
                                                 double /*ratio*/) const {
    return std::nullopt;
  }

 private:
  friend Picture loadResPicture(const ResourceStore& store, std::u16string_view name,
                                std::int16_t kind);
  static Picture keptOrDecoded(const ResourceStore& store, std::u16string_view name);

  // The pictures loaded last, the latest first: a child goes back and forth between two keys.
  mutable std::deque<Picture> recentPictures_;
  // Every picture loaded, as runs, up to a number of bytes: unpacking and decoding a picture
  // costs about 0.7 million instructions and a megabyte of memory traffic, and a child presses
  // every key sooner or later.
  mutable std::vector<std::pair<std::u16string, RunLengthPicture>> keptRuns_;
  mutable std::size_t keptRunBytes_ = 0;
};

inline constexpr std::int16_t kBitmapResource = 0;

// Finds a resource picture and decodes it, or shares the pixels of one of the last two loaded
// under that name, or expands the runs kept of one loaded before; a missing name, another kind or
// bytes that do not decode are run-time errors.
Picture loadResPicture(const ResourceStore& store, std::u16string_view name, std::int16_t kind);

}  // namespace flurb::platform
