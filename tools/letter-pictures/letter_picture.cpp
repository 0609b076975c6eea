#include "letter_picture.h"

#include <cmath>

namespace flurb::art {
namespace {

constexpr qreal kInkHeight = 273;
constexpr qreal kSideMargin = 12;  // keeps wide drawings off the frame's edges

}  // namespace

QImage renderLetterPicture(const Artwork& artwork, int width, qreal scale) {
  const QSize size(static_cast<int>(std::ceil(width * scale)),
                   static_cast<int>(std::ceil(kLetterPictureHeight * scale)));
  return artwork.render(size, Qt::white, kInkHeight * scale, (width - 2 * kSideMargin) * scale);
}

}  // namespace flurb::art
