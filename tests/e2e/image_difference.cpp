#include "image_difference.h"

#include <QColor>

namespace flurb::e2e {
namespace {

// Screenshots carry no alpha: compare colour only.
constexpr QRgb kColourBits = 0x00FFFFFF;

}  // namespace

ImageDifference compareImages(const QImage& expected, const QImage& actual) {
  ImageDifference result;
  if (expected.size() != actual.size()) {
    result.differingPixels = static_cast<long long>(expected.width()) * expected.height();
    result.marked = expected;
    return result;
  }
  const QImage want = expected.convertToFormat(QImage::Format_RGB32);
  const QImage got = actual.convertToFormat(QImage::Format_RGB32);
  result.marked = want;
  for (int y = 0; y < want.height(); ++y) {
    for (int x = 0; x < want.width(); ++x) {
      const QRgb wanted = want.pixel(x, y);
      if ((wanted & kColourBits) != (got.pixel(x, y) & kColourBits)) {
        ++result.differingPixels;
        result.marked.setPixel(x, y, qRgb(255, 0, 0));
      } else {
        const int grey = 128 + qGray(wanted) / 2;
        result.marked.setPixel(x, y, qRgb(grey, grey, grey));
      }
    }
  }
  return result;
}

}  // namespace flurb::e2e
