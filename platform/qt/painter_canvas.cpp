#include "painter_canvas.h"

#include <QFontMetrics>
#include <QImage>

#include "fonts.h"
#include "render.h"

namespace flurb::platform::qt {

QColor toQColor(Rgb colour) {
  return {colour.red, colour.green, colour.blue};
}

QRect toQRect(const PixelRect& rect) {
  return {rect.left, rect.top, rect.width, rect.height};
}

void PainterCanvas::fillRect(const PixelRect& rect, Rgb colour) {
  painter_.fillRect(toQRect(rect), toQColor(colour));
}

void PainterCanvas::drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize,
                                Rgb colour, std::u16string_view text) {
  const QString caption = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  const QFont qFont = toQFont(font, pixelSize);
  const QFontMetrics metrics(qFont);
  const int textWidth = metrics.horizontalAdvance(caption);
  painter_.save();
  painter_.setClipRect(toQRect(box), Qt::IntersectClip);
  painter_.setFont(qFont);
  painter_.setPen(toQColor(colour));
  painter_.drawText(QPoint(box.left + (box.width - textWidth) / 2, box.top + metrics.ascent()),
                    caption);
  painter_.restore();
}

void PainterCanvas::drawCircle(const PixelRect& square, Rgb fill, Rgb outline) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setPen(QPen(toQColor(outline), 1));
  painter_.setBrush(toQColor(fill));
  // A one-pixel pen draws on and right/below the path, so the path is one pixel smaller than
  // the square to keep the outline inside it.
  painter_.drawEllipse(toQRect(square).adjusted(0, 0, -1, -1));
  painter_.restore();
}

void PainterCanvas::drawPicture(int left, int top, const Picture& picture) {
  painter_.drawImage(QPoint(left, top), toQImage(picture));
}

}  // namespace flurb::platform::qt
