#include "support/synthetic_pictures.h"

namespace flurb::testing {
namespace {

void appendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int byte = 0; byte < size; ++byte) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8U * static_cast<unsigned>(byte))));
  }
}

char16_t asciiUpper(char16_t letter) {
  return letter >= u'a' && letter <= u'z' ? static_cast<char16_t>(letter - u'a' + u'A') : letter;
}

}  // namespace

std::vector<std::uint8_t> storedBitmap(const platform::Picture& image) {
  constexpr std::uint32_t kHeaderSize = 40;
  constexpr std::uint32_t kBitsPerPixel = 24;
  std::vector<std::uint8_t> bytes;
  appendLittleEndian(bytes, kHeaderSize, 4);
  appendLittleEndian(bytes, static_cast<std::uint32_t>(image.width()), 4);
  appendLittleEndian(bytes, static_cast<std::uint32_t>(image.height()), 4);
  appendLittleEndian(bytes, 1, 2);
  appendLittleEndian(bytes, kBitsPerPixel, 2);
  for (int field = 0; field < 6; ++field) {
    appendLittleEndian(bytes, 0, 4);
  }
  const int stride = (image.width() * 3 + 3) / 4 * 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t pixel = image.pixel(x, y);
      const auto offset = static_cast<std::size_t>(x) * 3;
      row[offset] = static_cast<std::uint8_t>(pixel);
      row[offset + 1] = static_cast<std::uint8_t>(pixel >> 8U);
      row[offset + 2] = static_cast<std::uint8_t>(pixel >> 16U);
    }
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

std::uint32_t SyntheticPictureStore::pixelOf(char16_t letter) {
  // 26 mid-tone colours, each unlike the others and unlike the window's white, black and blue.
  const auto index = static_cast<std::uint32_t>(asciiUpper(letter) - u'A');
  const std::uint32_t red = 60 + index * 6;
  const std::uint32_t green = 170 - index * 4;
  const std::uint32_t blue = 90 + (index * 37) % 80;
  return 0xFF000000U | (red << 16U) | (green << 8U) | blue;
}

SyntheticPictureStore::SyntheticPictureStore() {
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    const bool narrow = letter == u'I' || letter == u'J';
    const int width = narrow ? 405 : 450;
    const platform::Picture picture(
        width, kHeight,
        std::vector<std::uint32_t>(static_cast<std::size_t>(width) * kHeight, pixelOf(letter)));
    entries_.emplace(letter, storedBitmap(picture));
  }
}

std::optional<platform::StoredBytes> SyntheticPictureStore::findBitmap(
    std::u16string_view name) const {
  if (name.size() != 1) {
    return std::nullopt;
  }
  const auto entry = entries_.find(asciiUpper(name.front()));
  if (entry == entries_.end()) {
    return std::nullopt;
  }
  return entry->second;
}

}  // namespace flurb::testing
