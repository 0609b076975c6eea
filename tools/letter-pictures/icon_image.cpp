#include "icon_image.h"

#include <algorithm>
#include <limits>

#include "little_endian.h"

namespace flurb::art {
namespace {

int squaredDistance(QRgb a, QRgb b) {
  const int red = qRed(a) - qRed(b);
  const int green = qGreen(a) - qGreen(b);
  const int blue = qBlue(a) - qBlue(b);
  return red * red + green * green + blue * blue;
}

int nearestPaletteIndex(QRgb colour) {
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < kStandardPalette.size(); ++i) {
    const int distance = squaredDistance(colour, kStandardPalette[i]);
    if (distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

QImage shrinkOntoStandardPalette(const QImage& image, int factor) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  QImage indexed(rgb.size() / factor, QImage::Format_Indexed8);
  indexed.setColorTable(QList<QRgb>(kStandardPalette.begin(), kStandardPalette.end()));
  for (int y = 0; y < indexed.height(); ++y) {
    for (int x = 0; x < indexed.width(); ++x) {
      std::array<int, kStandardPalette.size()> votes{};
      for (int dy = 0; dy < factor; ++dy) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y * factor + dy));
        for (int dx = 0; dx < factor; ++dx) {
          ++votes[static_cast<std::size_t>(nearestPaletteIndex(row[x * factor + dx]))];
        }
      }
      const auto winner = std::max_element(votes.begin(), votes.end()) - votes.begin();
      indexed.scanLine(y)[x] = static_cast<uchar>(winner);
    }
  }
  return indexed;
}

QByteArray encodeIconImage(const QImage& indexed) {
  constexpr auto kSide = static_cast<std::uint32_t>(kIconSide);
  QByteArray bytes;
  appendInfoHeader(bytes, kSide, 2 * kSide, 4);
  for (const QRgb colour : kStandardPalette) {
    bytes.append(static_cast<char>(qBlue(colour)));
    bytes.append(static_cast<char>(qGreen(colour)));
    bytes.append(static_cast<char>(qRed(colour)));
    bytes.append('\0');
  }
  for (int y = kIconSide - 1; y >= 0; --y) {
    const uchar* row = indexed.constScanLine(y);
    for (int x = 0; x < kIconSide; x += 2) {
      bytes.append(static_cast<char>((row[x] << 4U) | row[x + 1]));
    }
  }
  bytes.append(kIconSide * kIconSide / 8, '\0');  // the mask: every pixel opaque
  return bytes;
}

QByteArray encodeIconFile(const QByteArray& iconImage) {
  constexpr std::uint32_t kImageOffset = 6 + 16;
  QByteArray bytes;
  appendU16(bytes, 0);  // reserved
  appendU16(bytes, 1);  // an icon, not a cursor
  appendU16(bytes, 1);  // one image
  bytes.append(static_cast<char>(kIconSide));
  bytes.append(static_cast<char>(kIconSide));
  bytes.append(static_cast<char>(kStandardPalette.size()));
  bytes.append('\0');   // reserved
  appendU16(bytes, 1);  // planes
  appendU16(bytes, 4);  // bits per pixel
  appendU32(bytes, static_cast<std::uint32_t>(iconImage.size()));
  appendU32(bytes, kImageOffset);
  bytes.append(iconImage);
  return bytes;
}

}  // namespace flurb::art
