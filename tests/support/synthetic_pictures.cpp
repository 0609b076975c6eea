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

std::vector<std::uint8_t> storedBitmap(const QImage& image) {
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
      const QRgb pixel = image.pixel(x, y);
      const auto offset = static_cast<std::size_t>(x) * 3;
      row[offset] = static_cast<std::uint8_t>(qBlue(pixel));
      row[offset + 1] = static_cast<std::uint8_t>(qGreen(pixel));
      row[offset + 2] = static_cast<std::uint8_t>(qRed(pixel));
    }
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

QColor SyntheticPictureStore::colourOf(char16_t letter) {
  const int index = asciiUpper(letter) - u'A';
  return QColor::fromHsv(index * 13, 200, 150);
}

std::uint32_t SyntheticPictureStore::pixelOf(char16_t letter) {
  return colourOf(letter).rgb() & 0x00FFFFFFU;
}

SyntheticPictureStore::SyntheticPictureStore() {
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    const bool narrow = letter == u'I' || letter == u'J';
    QImage image(narrow ? 405 : 450, kHeight, QImage::Format_RGB32);
    image.fill(colourOf(letter));
    entries_.emplace(letter, storedBitmap(image));
  }
}

std::optional<std::vector<std::uint8_t>> SyntheticPictureStore::findBitmap(
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
