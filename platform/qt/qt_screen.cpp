#include "qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/runtime_error.h"
#include "platform/twips.h"

namespace flurb::platform::qt {
namespace {

const QScreen& primaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    throw RuntimeError("there is no screen to show the window on");
  }
  return *screen;
}

double screenDotsPerInch() {
  const QScreen& screen = primaryScreen();
  return screen.logicalDotsPerInch() * screen.devicePixelRatio();
}

}  // namespace

void leaveScalingToTheWindow() {
  if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  }
}

double screenTwipsPerPixel() {
  return twipsPerPixel(screenDotsPerInch());
}

ScreenArea primaryScreenArea() {
  const QScreen& screen = primaryScreen();
  // Qt keeps a screen's corner in device pixels and scales only its size.
  const QRect qtGeometry = screen.geometry();
  const QSize devicePixels = qtGeometry.size() * screen.devicePixelRatio();
  const double perPixel = screenTwipsPerPixel();
  return {.left = qtGeometry.left() * perPixel,
          .top = qtGeometry.top() * perPixel,
          .width = devicePixels.width() * perPixel,
          .height = devicePixels.height() * perPixel};
}

QPoint toQtCoordinates(QPoint devicePoint) {
  const QScreen& screen = primaryScreen();
  const QPoint corner = screen.geometry().topLeft();
  return corner + (devicePoint - corner) / screen.devicePixelRatio();
}

}  // namespace flurb::platform::qt
