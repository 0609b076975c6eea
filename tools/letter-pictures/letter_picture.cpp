#include "letter_picture.h"

namespace flurb::art {
namespace {

constexpr qreal kInkHeight = 273;
constexpr qreal kSideMargin = 12;  // keeps wide drawings off the frame's edges

}  // namespace

QImage renderLetterPicture(const Artwork& artwork, int width) {
  return artwork.render(QSize(width, kLetterPictureHeight), Qt::white, kInkHeight,
                        width - 2 * kSideMargin);
}

}  // namespace flurb::art
