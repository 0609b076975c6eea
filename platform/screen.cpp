#include "screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "runtime_error.h"
#include "twips.h"

namespace flurb::platform {
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

ScreenSize primaryScreenSize() {
  const QRect pixels = primaryScreen().geometry();
  const double perPixel = screenTwipsPerPixel();
  return {pixels.width() * perPixel, pixels.height() * perPixel};
}

}  // namespace flurb::platform
