#include "render.h"

#include <QPainter>

#include "painter_canvas.h"
#include "platform/drawing.h"

namespace flurb::platform::qt {

QImage renderWindow(const Window& window, const ResourceStore& pictures) {
  QImage image;
  renderWindowInto(window, pictures, image);
  return image;
}

void renderWindowInto(const Window& window, const ResourceStore& pictures, QImage& image) {
  const PixelSize client = window.clientPixels();
  if (image.size() != QSize(client.width, client.height) ||
      image.format() != QImage::Format_RGB32) {
    image = QImage(client.width, client.height, QImage::Format_RGB32);
  }
  image.setDevicePixelRatio(1);
  QPainter painter(&image);
  renderWindowWith(painter, window, pictures);
}

void renderWindowWith(QPainter& painter, const Window& window, const ResourceStore& pictures) {
  PainterCanvas canvas(painter);
  paintWindow(canvas, window, ClassicColours(), pictures);
}

QImage imageOver(const Picture& picture) {
  constexpr qsizetype kBytesPerPixel = 4;
  return {reinterpret_cast<const uchar*>(picture.pixels().data()), picture.width(),
          picture.height(), qsizetype{picture.width()} * kBytesPerPixel, QImage::Format_RGB32};
}

}  // namespace flurb::platform::qt
