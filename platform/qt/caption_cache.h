#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include "platform/canvas.h"

namespace flurb::platform::qt {

// Where a caption stands in its box, in the box's coordinates: centred across it, its character
// cell's top at the box's top. `area` holds every pixel its glyphs may cover inside the box.
struct CaptionLayout {
  QFont font;
  QString text;
  QPoint origin;  // the start of its baseline
  QRect area;
};

CaptionLayout layOutCaption(PixelSize box, const FontSpec& font, int pixelSize,
                            std::u16string_view text);

// A caption as it stands in its box: the pixels its glyphs cover, in the caption's colour
// premultiplied by their coverage and clear elsewhere, cut down to the covered part, which stands
// `offset` from the box's corner. Drawn over anything, it gives the very pixels the text drawn
// there gives.
struct DrawnCaption {
  QPoint offset;
  QImage ink;  // null where nothing is covered
};

DrawnCaption drawCaptionInk(const CaptionLayout& layout, Rgb colour);

// Qt keeps glyphs up to 64 pixels in its own cache and fills larger ones as outlines on every
// paint: a card's letter pair and digit, 192 and 333 pixels high at a ratio of 1, cost about a
// million instructions a key that way. This keeps captions as drawn, up to a number of bytes; the
// least recently used go first. A caption whose area would take more than an eighth of them is
// not kept: at high ratios a few would push out all the rest.
class CaptionCache {
 public:
  explicit CaptionCache(std::size_t byteLimit) : byteLimit_(byteLimit) {}

  // The caption as drawCaptionInk draws it, valid until the next call; nothing for a caption too
  // large to keep or small enough for Qt's own cache.
  const DrawnCaption* find(PixelSize box, const FontSpec& font, int pixelSize, Rgb colour,
                           std::u16string_view text);

  std::size_t bytes() const { return bytes_; }
  std::size_t size() const { return entries_.size(); }

 private:
  struct Key {
    PixelSize box;
    FontSpec font;
    int pixelSize;
    Rgb colour;
    std::u16string text;

    friend bool operator==(const Key&, const Key&) = default;
  };
  struct Entry {
    Key key;
    DrawnCaption drawn;
  };

  std::list<Entry> entries_;  // the most recently used first
  std::size_t byteLimit_;
  std::size_t bytes_ = 0;
};

}  // namespace flurb::platform::qt
