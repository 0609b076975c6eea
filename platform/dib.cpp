#include "dib.h"

#include <cstdint>
#include <cstdlib>

namespace flurb::platform {
namespace {

constexpr qsizetype kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 16384;  // far beyond any picture the program carries
constexpr std::int64_t kBytesPerPixel = 3;

std::uint32_t readU32(QByteArrayView bytes, qsizetype offset) {
  std::uint32_t value = 0;
  for (qsizetype i = 3; i >= 0; --i) {
    value = (value << 8U) | static_cast<std::uint8_t>(bytes[offset + i]);
  }
  return value;
}

std::uint16_t readU16(QByteArrayView bytes, qsizetype offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                    (static_cast<std::uint8_t>(bytes[offset + 1]) << 8U));
}

std::int32_t readS32(QByteArrayView bytes, qsizetype offset) {
  return static_cast<std::int32_t>(readU32(bytes, offset));
}

}  // namespace

std::optional<QImage> decodeDib(QByteArrayView bytes) {
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
  if (bytes.size() - kInfoHeaderSize < stride * height) {
    return std::nullopt;
  }

  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) {
    return std::nullopt;
  }
  const bool bottomUp = signedHeight > 0;
  const auto* pixels = reinterpret_cast<const std::uint8_t*>(bytes.data()) + kInfoHeaderSize;
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t storedRow = bottomUp ? height - 1 - y : y;
    const std::uint8_t* source = pixels + storedRow * stride;
    auto* target = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    for (std::int64_t x = 0; x < width; ++x) {
      const std::uint8_t* bgr = source + x * kBytesPerPixel;
      target[x] = qRgb(bgr[2], bgr[1], bgr[0]);
    }
  }
  return image;
}

}  // namespace flurb::platform
