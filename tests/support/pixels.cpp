#include "support/pixels.h"

namespace flurb::testing {

bool isDark(QRgb pixel) {
  constexpr int kMiddleGrey = 128;
  return qGray(pixel) < kMiddleGrey;
}

int countPixels(const QImage& image, const QRect& area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      count += image.pixel(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

QRect darkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (isDark(image.pixel(x, y))) {
        bounds |= QRect(x, y, 1, 1);
      }
    }
  }
  return bounds;
}

}  // namespace flurb::testing
