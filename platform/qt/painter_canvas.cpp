#include "painter_canvas.h"

#include <utility>

#include <QImage>
#include <QPainter>
#include <QPen>

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

// The circle inscribed in the square, filled, with a one-pixel outline inside the square.
void paintCircle(QPainter& painter, const QRect& square, Rgb fill, Rgb outline) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(toQColor(outline), 1));
  painter.setBrush(toQColor(fill));
  // A one-pixel pen draws on and right/below the path, so the path is one pixel smaller than
  // the square to keep the outline inside it.
  painter.drawEllipse(square.adjusted(0, 0, -1, -1));
}

// Qt fills an ellipse's outline anew each time, about 140,000 instructions a dot, and a number
// card has up to nine, all alike: so the last dot is kept as drawn into a clear image and
// stamped. Drawn without antialiasing, its pixels are opaque or clear, so a stamp gives the very
// pixels drawing there gives.
const QImage& dotStamp(QSize size, Rgb fill, Rgb outline) {
  struct Stamp {
    QSize size;
    Rgb fill;
    Rgb outline;
    QImage image;
  };
  static Stamp kept{{}, {}, {}, {}};
  if (kept.image.isNull() || kept.size != size || kept.fill != fill || kept.outline != outline) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintCircle(painter, QRect(QPoint(0, 0), size), fill, outline);
    painter.end();
    kept = {size, fill, outline, std::move(image)};
  }
  return kept.image;
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
  if (square.width > 0 && square.height > 0) {
    painter_.drawImage(QPoint(square.left, square.top),
                       dotStamp(QSize(square.width, square.height), fill, outline));
  }
}

void PainterCanvas::drawPicture(int left, int top, const Picture& picture) {
  painter_.drawImage(QPoint(left, top), imageOver(picture));
}

}  // namespace flurb::platform::qt
