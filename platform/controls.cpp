#include "controls.h"

#include <algorithm>

#include "twips.h"

namespace flurb::platform {

int Control::toPixels(double twips) const {
  return twipsToPixels(twips, twipsPerPixel_);
}

PixelRect Control::pixelRect() const {
  const int leftPixel = toPixels(left);
  const int topPixel = toPixels(top);
  return {leftPixel, topPixel, toPixels(left + width()) - leftPixel,
          toPixels(top + height()) - topPixel};
}

int Label::fontPixels() const {
  return std::max(1, toPixels(look.font.points * kTwipsPerPoint));
}

void Label::draw(Canvas& canvas, const SystemColours& colours) const {
  const PixelRect rect = pixelRect();
  if (look.backStyle == BackStyle::kOpaque) {
    canvas.fillRect(rect, resolveColour(look.backColor, colours));
  }
  if (!caption.empty()) {
    canvas.drawCaption(rect, look.font, fontPixels(), resolveColour(look.foreColor, colours),
                       caption);
  }
}

double PictureFrame::width() const {
  return picture_ ? picture_->width() * twipsPerPixel() : Control::width();
}

double PictureFrame::height() const {
  return picture_ ? picture_->height() * twipsPerPixel() : Control::height();
}

void PictureFrame::draw(Canvas& canvas, const SystemColours& /*colours*/) const {
  if (picture_) {
    canvas.drawPicture(toPixels(left), toPixels(top), *picture_);
  }
}

void Dot::draw(Canvas& canvas, const SystemColours& colours) const {
  canvas.drawCircle(pixelRect(), resolveColour(fillColor, colours),
                    resolveColour(borderColor, colours));
}

void FocusBox::draw(Canvas& canvas, const SystemColours& colours) const {
  canvas.fillRect(pixelRect(), resolveColour(backColor, colours));
}

}  // namespace flurb::platform
