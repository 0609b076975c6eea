#include "support/synthetic_pictures.h"

#include <QtEndian>

namespace flurb::testing {
namespace {

void appendLittleEndian32(QByteArray& bytes, qint32 value) {
  const auto le = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void appendLittleEndian16(QByteArray& bytes, qint16 value) {
  const auto le = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
}

}  // namespace

QByteArray storedBitmap(const QImage& image) {
  constexpr int kHeaderSize = 40;
  constexpr int kBitsPerPixel = 24;
  QByteArray bytes;
  appendLittleEndian32(bytes, kHeaderSize);
  appendLittleEndian32(bytes, image.width());
  appendLittleEndian32(bytes, image.height());
  appendLittleEndian16(bytes, 1);
  appendLittleEndian16(bytes, kBitsPerPixel);
  for (int field = 0; field < 6; ++field) {
    appendLittleEndian32(bytes, 0);
  }
  const int stride = (image.width() * 3 + 3) / 4 * 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      const qsizetype offset = qsizetype{x} * 3;
      row[offset] = static_cast<char>(qBlue(pixel));
      row[offset + 1] = static_cast<char>(qGreen(pixel));
      row[offset + 2] = static_cast<char>(qRed(pixel));
    }
    bytes.append(row);
  }
  return bytes;
}

QColor SyntheticPictureStore::colourOf(QChar letter) {
  const int index = letter.toUpper().unicode() - 'A';
  return QColor::fromHsv(index * 13, 200, 150);
}

SyntheticPictureStore::SyntheticPictureStore() {
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    const bool narrow = letter == u'I' || letter == u'J';
    QImage image(narrow ? 405 : 450, kHeight, QImage::Format_RGB32);
    image.fill(colourOf(QChar(letter)));
    entries_.emplace(QChar(letter), storedBitmap(image));
  }
}

std::optional<QByteArray> SyntheticPictureStore::findBitmap(QStringView name) const {
  if (name.size() != 1) {
    return std::nullopt;
  }
  const auto entry = entries_.find(name.front().toUpper());
  if (entry == entries_.end()) {
    return std::nullopt;
  }
  return entry->second;
}

}  // namespace flurb::testing
