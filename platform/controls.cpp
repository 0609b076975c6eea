#include "controls.h"

#include <algorithm>

#include "picture_scaling.h"
#include "twips.h"

namespace flurb::platform {

int Control::toPixels(double twips) const {
  return twipsToPixels(twips, scale_.twipsPerPixel());
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

void Label::draw(Canvas& canvas, const SystemColours& colours,
                 const ResourceStore& /*pictures*/) const {
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
  return picture_ ? picture_->width() * kTwipsPerLogicalPixel : Control::width();
}

double PictureFrame::height() const {
  return picture_ ? picture_->height() * kTwipsPerLogicalPixel : Control::height();
}

void PictureFrame::draw(Canvas& canvas, const SystemColours& /*colours*/,
                        const ResourceStore& pictures) const {
  if (!picture_) {
    return;
  }
  const PixelRect rect = pixelRect();
  if (scale().devicePixelRatio() == 1.0) {
    canvas.drawPicture(rect.left, rect.top, *picture_);
    return;
  }
  canvas.drawPicture(
      rect.left, rect.top,
      pictureForDevice(*picture_, pictures, scale().devicePixelRatio(), {rect.width, rect.height}));
}

void Dot::draw(Canvas& canvas, const SystemColours& colours,
               const ResourceStore& /*pictures*/) const {
  canvas.drawCircle(pixelRect(), resolveColour(fillColor, colours),
                    resolveColour(borderColor, colours));
}

void FocusBox::draw(Canvas& canvas, const SystemColours& colours,
                    const ResourceStore& /*pictures*/) const {
  canvas.fillRect(pixelRect(), resolveColour(backColor, colours));
}

}  // namespace flurb::platform
