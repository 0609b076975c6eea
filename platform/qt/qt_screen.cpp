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

}  // namespace

double screenTwipsPerPixel() {
  return twipsPerPixel(primaryScreen().logicalDotsPerInch());
}

ScreenArea primaryScreenArea() {
  const QRect pixels = primaryScreen().geometry();
  const double perPixel = screenTwipsPerPixel();
  return {.left = 0,
          .top = 0,
          .width = pixels.width() * perPixel,
          .height = pixels.height() * perPixel};
}

}  // namespace flurb::platform::qt
