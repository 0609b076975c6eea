#pragma once

#include <QPainter>

#include "platform/canvas.h"

namespace flurb::platform::qt {

// Draws through a QPainter whose device is the client area, one unit to a pixel.
class PainterCanvas final : public Canvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

  void fillRect(const PixelRect& rect, Rgb colour) override;
  void drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                   std::u16string_view text) override;
  void drawCircle(const PixelRect& square, Rgb fill, Rgb outline) override;
  void drawPicture(int left, int top, const Picture& picture) override;

 private:
  QPainter& painter_;
};

// Colour and rectangle in Qt's terms.
QColor toQColor(Rgb colour);
QRect toQRect(const PixelRect& rect);

}  // namespace flurb::platform::qt
