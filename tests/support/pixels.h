#pragma once

#include <QImage>
#include <QRect>

#include "platform/qt/painter_canvas.h"

namespace flurb::testing {

inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kBlue = 0xFF0000FF;

bool isDark(QRgb pixel);

// How many pixels of the area have exactly that colour.
int countPixels(const QImage& image, const QRect& area, QRgb colour);

// The smallest rectangle that holds every dark pixel of the image.
QRect darkBounds(const QImage& image);

using platform::qt::toQRect;

}  // namespace flurb::testing
