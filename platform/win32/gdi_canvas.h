#pragma once

#include "platform/canvas.h"
#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

// Draws into a GDI device context whose origin is the client area's top left corner.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}

  void fillRect(const PixelRect& rect, Rgb colour) override;
  void drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                   std::u16string_view text) override;
  void drawCircle(const PixelRect& square, Rgb fill, Rgb outline) override;
  void drawPicture(int left, int top, const Picture& picture) override;

 private:
  HDC dc_;
};

}  // namespace flurb::platform::win32
