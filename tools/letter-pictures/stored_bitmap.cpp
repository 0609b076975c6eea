#include "stored_bitmap.h"

#include "little_endian.h"

namespace flurb::art {

QByteArray encodeStoredBitmap(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const auto width = static_cast<std::uint32_t>(rgb.width());
  const auto height = static_cast<std::uint32_t>(rgb.height());
  const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;

  QByteArray bytes;
  appendInfoHeader(bytes, width, height, 24);
  for (int y = rgb.height() - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      bytes.append(static_cast<char>(qBlue(row[x])));
      bytes.append(static_cast<char>(qGreen(row[x])));
      bytes.append(static_cast<char>(qRed(row[x])));
    }
    bytes.append(static_cast<qsizetype>(rowBytes - width * 3), '\0');
  }
  bytes.append(4, '\0');
  return bytes;
}

}  // namespace flurb::art
