#pragma once

#include <array>

#include <QByteArray>
#include <QImage>

namespace flurb::art {

inline constexpr int kIconSide = 32;

// The standard 16-colour palette in its usual order.
inline constexpr std::array<QRgb, 16> kStandardPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// Shrinks the image by a whole `factor` onto the standard palette: each block of factor x factor
// pixels becomes the palette colour nearest to most of them. Unlike smooth scaling this makes no
// in-between colours at the edges, which the 16 colours could only show as odd fringes. The
// result is Format_Indexed8 with the palette as its colour table.
QImage shrinkOntoStandardPalette(const QImage& image, int factor);

// The 32 x 32 icon image in 16 colours: information header (its height counting the colour image
// and the mask), palette, colour rows bottom-up at two pixels a byte, and an all-opaque mask.
// Takes a 32 x 32 image from shrinkOntoStandardPalette.
QByteArray encodeIconImage(const QImage& indexed);

// An icon file holding the one 32 x 32, 16-colour image.
QByteArray encodeIconFile(const QByteArray& iconImage);

}  // namespace flurb::art
