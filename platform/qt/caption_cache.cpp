#include "caption_cache.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

#include "fonts.h"
#include "painter_canvas.h"

namespace flurb::platform::qt {
namespace {

// The most of the limit one caption's drawing area may take for the caption to be kept.
constexpr std::size_t kLargestShare = 8;
// Qt blends the glyphs of its own cache otherwise than filled outlines, and they are cheap.
constexpr int kLargestGlyphQtKeeps = 64;

// The smallest rectangle holding every pixel of the image that is not clear; empty for none.
QRect coveredPart(const QImage& image) {
  const auto isCovered = [](std::uint32_t pixel) { return pixel != 0; };
  QRect covered;
  for (int y = 0; y < image.height(); ++y) {
    const std::span<const std::uint32_t> row(
        reinterpret_cast<const std::uint32_t*>(image.constScanLine(y)),
        static_cast<std::size_t>(image.width()));
    const auto first = std::find_if(row.begin(), row.end(), isCovered);
    if (first != row.end()) {
      const auto last = std::find_if(row.rbegin(), row.rend(), isCovered);
      const auto left = static_cast<int>(first - row.begin());
      covered |= QRect(left, y, static_cast<int>(row.rend() - last) - left, 1);
    }
  }
  return covered;
}

}  // namespace

CaptionLayout layOutCaption(PixelSize box, const FontSpec& font, int pixelSize,
                            std::u16string_view text) {
  CaptionLayout layout{toQFont(font, pixelSize),
                       QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                       {},
                       {}};
  const QFontMetrics metrics(layout.font);
  layout.origin = {(box.width - metrics.horizontalAdvance(layout.text)) / 2, metrics.ascent()};
  // The glyphs' bounds, with room to spare for anti-aliased edges and outlines that reach past
  // their metrics.
  const int margin = 2 + pixelSize / 8;
  layout.area = metrics.boundingRect(layout.text)
                    .translated(layout.origin)
                    .adjusted(-margin, -margin, margin, margin)
                    .intersected(QRect(0, 0, box.width, box.height));
  return layout;
}

DrawnCaption drawCaptionInk(const CaptionLayout& layout, Rgb colour) {
  if (layout.area.isEmpty()) {
    return {};
  }
  QImage image(layout.area.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setFont(layout.font);
    painter.setPen(toQColor(colour));
    painter.drawText(layout.origin - layout.area.topLeft(), layout.text);
  }
  const QRect covered = coveredPart(image);
  if (covered.isEmpty()) {
    return {};
  }
  return {layout.area.topLeft() + covered.topLeft(), image.copy(covered)};
}

const DrawnCaption* CaptionCache::find(PixelSize box, const FontSpec& font, int pixelSize,
                                       Rgb colour, std::u16string_view text) {
  Key key{box, font, pixelSize, colour, std::u16string(text)};
  const auto found =
      std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    return &entries_.front().drawn;
  }
  if (pixelSize <= kLargestGlyphQtKeeps) {
    return nullptr;
  }
  const CaptionLayout layout = layOutCaption(box, font, pixelSize, text);
  constexpr std::size_t kBytesPerPixel = 4;
  const auto areaBytes = static_cast<std::size_t>(layout.area.width()) *
                         static_cast<std::size_t>(layout.area.height()) * kBytesPerPixel;
  if (areaBytes > byteLimit_ / kLargestShare) {
    return nullptr;
  }
  DrawnCaption drawn = drawCaptionInk(layout, colour);
  bytes_ += static_cast<std::size_t>(drawn.ink.sizeInBytes());
  entries_.push_front({std::move(key), std::move(drawn)});
  while (bytes_ > byteLimit_) {
    bytes_ -= static_cast<std::size_t>(entries_.back().drawn.ink.sizeInBytes());
    entries_.pop_back();
  }
  return &entries_.front().drawn;
}

}  // namespace flurb::platform::qt
