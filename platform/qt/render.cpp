#include "render.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

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
  PainterCanvas canvas(painter);
  paintWindow(canvas, window, ClassicColours(), pictures);
}

QImage toQImage(const Picture& picture) {
  // Qt's 32-bit RGB format keeps 0xFF in the top byte, where a picture keeps 0: copied as they
  // are, the pixels would be clear wherever a desktop reads the alpha (Wayland).
  constexpr std::uint32_t kOpaque = 0xFF000000U;
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  const std::span<const std::uint32_t> pixels = picture.pixels();
  const auto width = static_cast<std::size_t>(picture.width());
  for (int y = 0; y < image.height(); ++y) {
    const auto row = pixels.subspan(static_cast<std::size_t>(y) * width, width);
    std::transform(row.begin(), row.end(), reinterpret_cast<QRgb*>(image.scanLine(y)),
                   [](std::uint32_t pixel) { return pixel | kOpaque; });
  }
  return image;
}

}  // namespace flurb::platform::qt
