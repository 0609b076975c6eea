#include "render.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include <QPainter>

#include "painter_canvas.h"
#include "platform/drawing.h"

namespace flurb::platform::qt {
namespace {

// Qt's 32-bit RGB format keeps 0xFF in the top byte, where a picture keeps 0: copied as they are,
// the pixels would be clear wherever a desktop reads the alpha (Wayland). Done a block of eight at
// a time, which the compiler turns into vector instructions even at -O2; this runs for every key.
void copyOpaque(std::span<const std::uint32_t> source, QRgb* target) {
  constexpr std::uint32_t kOpaque = 0xFF000000U;
  constexpr std::size_t kBlock = 8;
  std::size_t index = 0;
  for (; index + kBlock <= source.size(); index += kBlock) {
    std::array<std::uint32_t, kBlock> block{};
    std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(index), kBlock, block.begin());
    for (std::uint32_t& pixel : block) {
      pixel |= kOpaque;
    }
    std::copy_n(block.begin(), kBlock, target + index);
  }
  for (; index < source.size(); ++index) {
    target[index] = source[index] | kOpaque;
  }
}

}  // namespace

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

QImage toQImage(const Picture& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  const std::span<const std::uint32_t> pixels = picture.pixels();
  const auto width = static_cast<std::size_t>(picture.width());
  for (int y = 0; y < image.height(); ++y) {
    copyOpaque(pixels.subspan(static_cast<std::size_t>(y) * width, width),
               reinterpret_cast<QRgb*>(image.scanLine(y)));
  }
  return image;
}

}  // namespace flurb::platform::qt
