#pragma once

#include "platform/canvas.h"

namespace flurb::platform::web {

// The page's card canvas (the element with id "card"), drawn in CSS pixels: the context is scaled
// by the device pixel ratio, so text and dots come out at the screen's own resolution.
class Canvas2d final : public Canvas {
 public:
  void fillRect(const PixelRect& rect, Rgb colour) override;
  void drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                   std::u16string_view text) override;
  void drawCircle(const PixelRect& square, Rgb fill, Rgb outline) override;
  void drawPicture(int left, int top, const Picture& picture) override;
};

// Sizes the canvas to the client area in CSS pixels, its backing store to the device pixels
// under it, and scales the context to match; the answer is the device pixel ratio it used.
double fitCanvas(const PixelSize& client);

}  // namespace flurb::platform::web
