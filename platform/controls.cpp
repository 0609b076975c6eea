#include "controls.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "fonts.h"
#include "twips.h"

namespace flurb::platform {
int Control::toPixels(double twips) const {
  return twipsToPixels(twips, twipsPerPixel_);
}

QRect Control::pixelRect() const {
  const int left = toPixels(Left);
  const int top = toPixels(Top);
  return {left, top, toPixels(Left + Width()) - left, toPixels(Top + Height()) - top};
}

void Label::draw(QPainter& painter) const {
  const QRect rect = pixelRect();
  if (Style == BackStyle::kOpaque) {
    painter.fillRect(rect, resolveColour(BackColor));
  }
  if (Caption.isEmpty()) {
    return;
  }
  const QFont font = toQFont(Font, twipsPerPixel());
  const QFontMetrics metrics(font);
  const int textWidth = metrics.horizontalAdvance(Caption);
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setFont(font);
  painter.setPen(resolveColour(ForeColor));
  painter.drawText(
      QPoint(rect.left() + (rect.width() - textWidth) / 2, rect.top() + metrics.ascent()), Caption);
  painter.restore();
}

double PictureFrame::Width() const {
  return picture_ ? picture_->widthPixels() * twipsPerPixel() : Control::Width();
}

double PictureFrame::Height() const {
  return picture_ ? picture_->heightPixels() * twipsPerPixel() : Control::Height();
}

void PictureFrame::draw(QPainter& painter) const {
  if (picture_) {
    painter.drawImage(QPoint(toPixels(Left), toPixels(Top)), picture_->image());
  }
}

void Dot::draw(QPainter& painter) const {
  const QRect square = pixelRect();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(resolveColour(BorderColor), 1));
  painter.setBrush(resolveColour(FillColor));
  // A one-pixel pen draws on and right/below the path, so the path is one pixel smaller than
  // the square to keep the outline inside it.
  painter.drawEllipse(square.adjusted(0, 0, -1, -1));
  painter.restore();
}

void FocusBox::draw(QPainter& painter) const {
  painter.fillRect(pixelRect(), resolveColour(BackColor));
}

}  // namespace flurb::platform
