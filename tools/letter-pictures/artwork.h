#pragma once

#include <memory>
#include <optional>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSvgRenderer>

namespace flurb::art {

// An SVG drawing together with the part of its view box that holds ink, so that drawings whose
// view boxes leave different margins come out the same size.
class Artwork {
 public:
  // Nothing when the bytes are no drawing Qt Svg can render, or the drawing is blank.
  static std::optional<Artwork> fromSvg(const QByteArray& svg);

  // An opaque image of `size` filled with `background`, the inked part drawn smoothly in its
  // centre, `inkHeight` pixels high, or smaller where it would grow wider than `maxInkWidth`.
  QImage render(QSize size, const QColor& background, qreal inkHeight, qreal maxInkWidth) const;

 private:
  Artwork(std::unique_ptr<QSvgRenderer> renderer, QRectF inkBounds);

  std::unique_ptr<QSvgRenderer> renderer_;
  QRectF inkBounds_;  // in view-box units
};

}  // namespace flurb::art
