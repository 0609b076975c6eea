#pragma once

#include <QImage>

#include "artwork.h"

namespace flurb::art {

inline constexpr int kLetterPictureHeight = 293;

// A letter picture: the artwork about 273 pixels high (less for a very wide one), centred on pure
// white, `width` x 293 pixels, opaque. At a scale above 1 the same picture drawn afresh with that
// many pixels to each of its pixels, its edges rounded up to whole pixels.
QImage renderLetterPicture(const Artwork& artwork, int width, qreal scale = 1);

}  // namespace flurb::art
