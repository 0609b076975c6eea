#include "qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/runtime_error.h"
#include "platform/twips.h"
#include "x11_window_manager.h"

namespace flurb::platform::qt {
namespace {

const QScreen& primaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    throw RuntimeError("there is no screen to show the window on");
  }
  return *screen;
}

}  // namespace

double screenDevicePixelRatio() {
  return primaryScreen().devicePixelRatio();
}

ScreenArea primaryScreenArea() {
  const QScreen& screen = primaryScreen();
  QRect geometry = screen.geometry();
  QRect workArea = screen.availableGeometry();
  if (geometry.isEmpty()) {
    if (const auto x11Screen = x11ScreenPixels()) {
      geometry = QRect(QPoint(0, 0), *x11Screen / screen.devicePixelRatio());
    }
    workArea = geometry;
  }
  return {.left = geometry.left() * kTwipsPerLogicalPixel,
          .top = geometry.top() * kTwipsPerLogicalPixel,
          .width = geometry.width() * kTwipsPerLogicalPixel,
          .height = geometry.height() * kTwipsPerLogicalPixel,
          .workAreaLeft = workArea.left() * kTwipsPerLogicalPixel,
          .workAreaTop = workArea.top() * kTwipsPerLogicalPixel};
}

}  // namespace flurb::platform::qt
