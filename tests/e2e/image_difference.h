#pragma once

#include <optional>
#include <vector>

#include <QImage>
#include <QPoint>

namespace flurb::e2e {

// How two pictures of the client area differ. Images of different sizes differ everywhere.
struct ImageDifference {
  long long differingPixels = 0;
  QPoint firstDifference;  // row by row
  QImage marked;           // the expected image, dimmed, with every differing pixel in red
};

// Pixels where `tolerated` (one flag a pixel, row by row, or empty) is true do not count.
ImageDifference compareImages(const QImage& expected, const QImage& actual,
                              const std::vector<bool>& tolerated = {});

// Where the picture stands in the screenshot pixel for pixel (the top left corner of its first
// occurrence, row by row), or nothing.
std::optional<QPoint> locateImage(const QImage& picture, const QImage& screenshot);

}  // namespace flurb::e2e
