#include "drawing.h"

#include <QPainter>

#include "twips.h"
#include "window.h"

namespace flurb::platform {

QSize Window::clientPixels() const {
  return {twipsToPixels(clientWidth_, twipsPerPixel_),
          twipsToPixels(clientHeight_, twipsPerPixel_)};
}

void drawWindow(QPainter& painter, const Window& window) {
  const QRect client(QPoint(0, 0), window.clientPixels());
  painter.save();
  painter.setClipRect(client);
  painter.fillRect(client, resolveColour(window.BackColor));

  const std::vector<const Control*> frontToBack = window.controlsFrontToBack();
  const std::vector<const Control*> backToFront(frontToBack.rbegin(), frontToBack.rend());
  const auto drawIfVisible = [&painter](const Control* control) {
    if (control->Visible) {
      control->draw(painter);
    }
  };
  for (const Control* control : backToFront) {
    if (!control->hasOwnWindow()) {
      drawIfVisible(control);
    }
  }
  for (const Control* control : backToFront) {
    if (control->hasOwnWindow()) {
      drawIfVisible(control);
    }
  }
  painter.restore();
}

QImage renderWindow(const Window& window) {
  QImage image(window.clientPixels(), QImage::Format_RGB32);
  QPainter painter(&image);
  drawWindow(painter, window);
  return image;
}

}  // namespace flurb::platform
