// Feeds arbitrary bytes to the bitmap decoder. Besides the sanitizers' checks, a decoded picture
// must agree with the header that described it and with the number of bytes given, and each of
// its rows with the portable row decoder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "platform/dib.h"
#include "platform/dib_rows.h"

namespace {

std::int64_t readS32(const std::uint8_t* data) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8U) | data[i];
  }
  return static_cast<std::int32_t>(value);
}

void require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

// libFuzzer calls it by this name.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<flurb::platform::Picture> image =
      flurb::platform::decodeDib(std::span<const std::uint8_t>(data, size));
  if (!image) {
    return 0;
  }
  require(size >= 40);
  const std::int64_t width = readS32(data + 4);
  const std::int64_t height = std::llabs(readS32(data + 8));
  require(image->width() == width && image->height() == height);
  require(image->pixels().size() == static_cast<std::size_t>(width * height));
  const std::int64_t rowBytes = (width * 3 + 3) / 4 * 4;
  require(static_cast<std::int64_t>(size) - 40 >= rowBytes * height);
  const bool bottomUp = readS32(data + 8) > 0;
  std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
  for (std::int64_t y = 0; y < height; ++y) {
    flurb::platform::decodeRowPortably(data + 40 + (bottomUp ? height - 1 - y : y) * rowBytes, row);
    require(std::equal(row.begin(), row.end(), image->pixels().begin() + y * width));
  }
  return 0;
}
