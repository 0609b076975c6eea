#include "image_difference.h"

#include <QColor>

namespace flurb::e2e {
namespace {

// Screenshots carry no alpha: compare colour only.
constexpr QRgb kColourBits = 0x00FFFFFF;

bool standsAt(const QImage& picture, const QImage& screenshot, QPoint corner) {
  for (int y = 0; y < picture.height(); ++y) {
    const auto* wanted = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    const auto* got = reinterpret_cast<const QRgb*>(screenshot.constScanLine(corner.y() + y));
    for (int x = 0; x < picture.width(); ++x) {
      if ((wanted[x] & kColourBits) != (got[corner.x() + x] & kColourBits)) {
        return false;
      }
    }
  }
  return true;
}

// The first pixel, row by row, whose colour differs from the top left one: drawings on white
// would otherwise match a white background for many rows at every place tried.
QPoint telltalePixel(const QImage& picture) {
  const QRgb corner = picture.pixel(0, 0) & kColourBits;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if ((picture.pixel(x, y) & kColourBits) != corner) {
        return {x, y};
      }
    }
  }
  return {0, 0};
}

}  // namespace

ImageDifference compareImages(const QImage& expected, const QImage& actual,
                              const std::vector<bool>& tolerated) {
  ImageDifference result;
  if (expected.size() != actual.size()) {
    result.differingPixels = static_cast<long long>(expected.width()) * expected.height();
    result.marked = expected;
    return result;
  }
  const QImage want = expected.convertToFormat(QImage::Format_RGB32);
  const QImage got = actual.convertToFormat(QImage::Format_RGB32);
  result.marked = want;
  std::size_t index = 0;
  for (int y = 0; y < want.height(); ++y) {
    for (int x = 0; x < want.width(); ++x, ++index) {
      const QRgb wanted = want.pixel(x, y);
      const bool excused = index < tolerated.size() && tolerated[index];
      if ((wanted & kColourBits) != (got.pixel(x, y) & kColourBits) && !excused) {
        if (result.differingPixels++ == 0) {
          result.firstDifference = {x, y};
        }
        result.marked.setPixel(x, y, qRgb(255, 0, 0));
      } else {
        const int grey = 128 + qGray(wanted) / 2;
        result.marked.setPixel(x, y, qRgb(grey, grey, grey));
      }
    }
  }
  return result;
}

std::optional<QPoint> locateImage(const QImage& picture, const QImage& screenshot) {
  const QImage needle = picture.convertToFormat(QImage::Format_RGB32);
  const QImage haystack = screenshot.convertToFormat(QImage::Format_RGB32);
  const QPoint telltale = telltalePixel(needle);
  const QRgb telltaleColour = needle.pixel(telltale) & kColourBits;
  for (int top = 0; top + needle.height() <= haystack.height(); ++top) {
    for (int left = 0; left + needle.width() <= haystack.width(); ++left) {
      if ((haystack.pixel(left + telltale.x(), top + telltale.y()) & kColourBits) ==
              telltaleColour &&
          standsAt(needle, haystack, {left, top})) {
        return QPoint(left, top);
      }
    }
  }
  return std::nullopt;
}

}  // namespace flurb::e2e
