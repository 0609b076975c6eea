#include "dib.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace flurb::platform {
namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 16384;  // far beyond any picture the program carries
constexpr std::int64_t kBytesPerPixel = 3;
// Set over the byte after a pixel's three, which a word read takes with it.
constexpr std::uint32_t kOpaque = 0xFF000000U;

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

template <typename Word>
Word wordAt(const std::uint8_t* bytes) {
  Word word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// A pixel's three bytes read as a little-endian word are 0x..RRGGBB, made 0xFFRRGGBB by one or.
// Four pixels come from two 64-bit words, the rest from a 32-bit word each, and the row's last
// pixel byte by byte, as the fourth byte of its word may lie beyond the bitmap; on a big-endian
// machine every pixel is read byte by byte.
void decodeRow(const std::uint8_t* source, std::span<std::uint32_t> row) {
  constexpr auto kStep = static_cast<std::size_t>(kBytesPerPixel);
  constexpr unsigned kSecondPixel = 24;
  const std::size_t width = row.size();
  std::size_t x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // The second word of four pixels ends at byte 3x + 13: inside the row while x + 5 <= width.
    for (; x + 5 <= width; x += 4) {
      const auto first = wordAt<std::uint64_t>(source + x * kStep);
      const auto second = wordAt<std::uint64_t>(source + (x + 2) * kStep);
      row[x] = static_cast<std::uint32_t>(first) | kOpaque;
      row[x + 1] = static_cast<std::uint32_t>(first >> kSecondPixel) | kOpaque;
      row[x + 2] = static_cast<std::uint32_t>(second) | kOpaque;
      row[x + 3] = static_cast<std::uint32_t>(second >> kSecondPixel) | kOpaque;
    }
    for (; x + 1 < width; ++x) {
      row[x] = wordAt<std::uint32_t>(source + x * kStep) | kOpaque;
    }
  }
  for (; x < width; ++x) {
    const std::uint8_t* bgr = source + x * kStep;
    row[x] = kOpaque | (std::uint32_t{bgr[2]} << 16U) | (std::uint32_t{bgr[1]} << 8U) | bgr[0];
  }
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

  // Each row is decoded into a small buffer and appended: the picture's own buffer is written
  // once, not zeroed first.
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(width * height));
  std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
  const bool bottomUp = signedHeight > 0;
  const std::span<const std::uint8_t> rows = bytes.subspan(kInfoHeaderSize);
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t storedRow = bottomUp ? height - 1 - y : y;
    decodeRow(rows.data() + storedRow * stride, row);
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  return Picture(static_cast<int>(width), static_cast<int>(height), std::move(pixels));
}

}  // namespace flurb::platform
