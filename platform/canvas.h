#pragma once

#include <string>
#include <string_view>

#include "colour.h"
#include "geometry.h"
#include "picture.h"

namespace flurb::platform {

struct FontSpec {
  std::u16string family;
  double points{};
  int weight{};  // 400 normal, 700 bold
  bool italic{};
  bool underline{};
  bool strikeOut{};

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// What the window's drawing needs from a toolkit. Everything is in device pixels of the client
// area; nothing is drawn outside it.
class Canvas {
 public:
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  Canvas(Canvas&&) = delete;
  Canvas& operator=(Canvas&&) = delete;
  virtual ~Canvas() = default;

  virtual void fillRect(const PixelRect& rect, Rgb colour) = 0;
  // One line of text in the font at pixelSize (its em height in pixels): the top of its character
  // cell (the full ascent, internal leading included) at box.top, centred across the box and cut
  // off at its edges.
  virtual void drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                           std::u16string_view text) = 0;
  // The circle inscribed in the square, filled, with a one-pixel outline inside the square.
  virtual void drawCircle(const PixelRect& square, Rgb fill, Rgb outline) = 0;
  // The picture pixel for pixel, its top left corner at (left, top).
  virtual void drawPicture(int left, int top, const Picture& picture) = 0;
};

}  // namespace flurb::platform
