#include "artwork.h"

#include <algorithm>

#include <QImage>
#include <QPainter>

namespace flurb::art {
namespace {

// Pixels per view-box unit when measuring the ink: fine enough that the measured edge is within
// a fraction of a pixel of the true one at the sizes the pictures use.
constexpr qreal kMeasureScale = 32.0;

std::optional<QRectF> measureInk(QSvgRenderer& renderer) {
  const QRectF viewBox = renderer.viewBoxF();
  QImage canvas((viewBox.size() * kMeasureScale).toSize(), QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    renderer.render(&painter);
  }
  int left = canvas.width();
  int right = -1;
  int top = canvas.height();
  int bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    for (int x = 0; x < canvas.width(); ++x) {
      if (qAlpha(row[x]) != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0) {
    return std::nullopt;
  }
  const QRectF inkPixels(left, top, right - left + 1, bottom - top + 1);
  return QRectF(viewBox.topLeft() + inkPixels.topLeft() / kMeasureScale,
                inkPixels.size() / kMeasureScale);
}

}  // namespace

Artwork::Artwork(std::unique_ptr<QSvgRenderer> renderer, QRectF inkBounds)
    : renderer_(std::move(renderer)), inkBounds_(inkBounds) {}

std::optional<Artwork> Artwork::fromSvg(const QByteArray& svg) {
  auto renderer = std::make_unique<QSvgRenderer>(svg);
  if (!renderer->isValid()) {
    return std::nullopt;
  }
  const std::optional<QRectF> ink = measureInk(*renderer);
  if (!ink) {
    return std::nullopt;
  }
  return Artwork(std::move(renderer), *ink);
}

QImage Artwork::render(QSize size, const QColor& background, qreal inkHeight,
                       qreal maxInkWidth) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal scale = std::min(inkHeight / inkBounds_.height(), maxInkWidth / inkBounds_.width());
  const QRectF viewBox = renderer_->viewBoxF();
  const QPointF inkCentreInViewBox = inkBounds_.center() - viewBox.topLeft();
  const QPointF viewBoxTopLeft = QRectF(image.rect()).center() - inkCentreInViewBox * scale;
  renderer_->render(&painter, QRectF(viewBoxTopLeft, viewBox.size() * scale));
  return image;
}

}  // namespace flurb::art
