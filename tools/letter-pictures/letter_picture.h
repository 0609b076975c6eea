#pragma once

#include <QImage>

#include "artwork.h"

namespace flurb::art {

inline constexpr int kLetterPictureHeight = 293;

// A letter picture: the artwork about 273 pixels high (less for a very wide one), centred on pure
// white, `width` x 293 pixels, opaque.
QImage renderLetterPicture(const Artwork& artwork, int width);

}  // namespace flurb::art
