#include "dib.h"

#include <cstdlib>
#include <memory>

#include "dib_rows.h"

namespace flurb::platform {
namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 16384;  // far beyond any picture the program carries
constexpr std::int64_t kBytesPerPixel = 3;

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) {
    value = (value << 8U) | bytes[offset + i];
  }
  return value;
}

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8U));
}

std::int32_t readS32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::int32_t>(readU32(bytes, offset));
}

}  // namespace

std::optional<Picture> decodeDib(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kInfoHeaderSize || readU32(bytes, 0) != kInfoHeaderSize) {
    return std::nullopt;
  }
  const std::int64_t width = readS32(bytes, 4);
  const std::int64_t signedHeight = readS32(bytes, 8);
  const std::int64_t height = std::llabs(signedHeight);
  const bool planesOk = readU16(bytes, 12) == 1;
  const bool is24Bit = readU16(bytes, 14) == 24;
  const bool uncompressed = readU32(bytes, 16) == 0;
  const bool noPalette = readU32(bytes, 32) == 0;
  if (!planesOk || !is24Bit || !uncompressed || !noPalette || width <= 0 || width > kMaxSide ||
      height == 0 || height > kMaxSide) {
    return std::nullopt;
  }
  const std::int64_t stride = (width * kBytesPerPixel + 3) / 4 * 4;
  if (static_cast<std::int64_t>(bytes.size() - kInfoHeaderSize) < stride * height) {
    return std::nullopt;
  }

  const auto rowLength = static_cast<std::size_t>(width);
  const auto pixels = Picture::unclearedPixels(static_cast<int>(width), static_cast<int>(height));
  const bool bottomUp = signedHeight > 0;
  const std::span<const std::uint8_t> rows = bytes.subspan(kInfoHeaderSize);
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t storedRow = bottomUp ? height - 1 - y : y;
    decodeRow(rows.data() + storedRow * stride,
              std::span(pixels.get() + static_cast<std::size_t>(y) * rowLength, rowLength));
  }
  return Picture(static_cast<int>(width), static_cast<int>(height), pixels);
}

}  // namespace flurb::platform
