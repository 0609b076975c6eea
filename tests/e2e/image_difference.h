#pragma once

#include <optional>

#include <QImage>
#include <QPoint>

namespace flurb::e2e {

// How two pictures of the client area differ. Images of different sizes differ everywhere.
struct ImageDifference {
  long long differingPixels = 0;
  QImage marked;  // the expected image, dimmed, with every differing pixel in red
};

ImageDifference compareImages(const QImage& expected, const QImage& actual);

// Where the picture stands in the screenshot pixel for pixel (the top left corner of its first
// occurrence, row by row), or nothing.
std::optional<QPoint> locateImage(const QImage& picture, const QImage& screenshot);

}  // namespace flurb::e2e
