#include "painter_canvas.h"

#include <QImage>

#include "caption_cache.h"
#include "render.h"

namespace flurb::platform::qt {
namespace {

// Every caption of a card at a ratio of 1, 4.7 MiB in all, with room to spare; at 2 and above
// most are too large to keep.
constexpr std::size_t kCaptionCacheBytes = std::size_t{6} << 20U;

CaptionCache& captionCache() {
  static CaptionCache cache(kCaptionCacheBytes);
  return cache;
}

}  // namespace

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
  const QPoint corner(box.left, box.top);
  const PixelSize size{box.width, box.height};
  if (const DrawnCaption* kept = captionCache().find(size, font, pixelSize, colour, text)) {
    if (!kept->ink.isNull()) {
      painter_.drawImage(corner + kept->offset, kept->ink);
    }
    return;
  }
  const CaptionLayout layout = layOutCaption(size, font, pixelSize, text);
  painter_.save();
  painter_.setClipRect(toQRect(box), Qt::IntersectClip);
  painter_.setFont(layout.font);
  painter_.setPen(toQColor(colour));
  painter_.drawText(corner + layout.origin, layout.text);
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
  painter_.drawImage(QPoint(left, top), imageOver(picture));
}

}  // namespace flurb::platform::qt
