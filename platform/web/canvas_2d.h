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

// Sizes the canvas's backing store to the client area's device pixels and shows it one device pixel
// to each of them, centred in the part of the screen the page is shown in.
void fitCanvas(const PixelSize& devicePixels);

}  // namespace flurb::platform::web
