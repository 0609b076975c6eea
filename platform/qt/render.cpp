#include "render.h"

#include <QPainter>

#include "painter_canvas.h"
#include "platform/drawing.h"

namespace flurb::platform::qt {

QImage renderWindow(const Window& window) {
  const PixelSize client = window.clientPixels();
  QImage image(client.width, client.height, QImage::Format_RGB32);
  QPainter painter(&image);
  PainterCanvas canvas(painter);
  paintWindow(canvas, window, ClassicColours());
  return image;
}

QImage toQImage(const Picture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.pixels().data()), picture.width(),
                picture.height(), static_cast<qsizetype>(picture.width()) * 4, QImage::Format_RGB32)
      .copy();
}

}  // namespace flurb::platform::qt
