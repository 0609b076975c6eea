#pragma once

#include <QImage>

namespace flurb::e2e {

// How two pictures of the client area differ. Images of different sizes differ everywhere.
struct ImageDifference {
  long long differingPixels = 0;
  QImage marked;  // the expected image, dimmed, with every differing pixel in red
};

ImageDifference compareImages(const QImage& expected, const QImage& actual);

}  // namespace flurb::e2e
