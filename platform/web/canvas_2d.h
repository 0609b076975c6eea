#pragma once

#include "platform/canvas.h"

namespace flurb::platform::web {

// The page's card canvas (the element with id "card"), drawn in device pixels, as the window's
// controls place themselves at the device pixel ratio.
class Canvas2d final : public Canvas {
 public:
  void fillRect(const PixelRect& rect, Rgb colour) override;
  void drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                   std::u16string_view text) override;
  void drawCircle(const PixelRect& square, Rgb fill, Rgb outline) override;
  void drawPicture(int left, int top, const Picture& picture) override;
};

// Sizes the canvas to the client area in CSS pixels and its backing store to the client area's
// device pixels.
void fitCanvas(const PixelSize& client, const PixelSize& devicePixels);

}  // namespace flurb::platform::web
