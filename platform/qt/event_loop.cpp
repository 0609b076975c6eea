#include "event_loop.h"

#include <cmath>
#include <cstdio>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "platform/product_name.h"
#include "platform/runtime_error.h"
#include "platform/twips.h"
#include "termination_signals.h"
#include "toolkit_environment.h"
#include "x11_window_manager.h"

namespace flurb::platform::qt {
namespace {

// Where the client area stands in Qt's coordinates: the outer corner and the frame in logical
// pixels.
QPoint logicalClientCorner(const Window& window) {
  const FrameExtents& frame = window.frameExtents();
  return {twipsToPixels(window.left + frame.left * window.twipsPerPixel(), kTwipsPerLogicalPixel),
          twipsToPixels(window.top + frame.top * window.twipsPerPixel(), kTwipsPerLogicalPixel)};
}

// A message box needs a screen of some size at a sane scale on a desktop's window system;
// without them it never shows, and waiting for it would never end.
bool messageBoxCanShow() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QString platform = QGuiApplication::platformName();
  return screen != nullptr && !screen->geometry().isEmpty() &&
         std::isfinite(screen->devicePixelRatio()) && screen->devicePixelRatio() > 0.0 &&
         (platform == QStringLiteral("xcb") || platform.startsWith(QStringLiteral("wayland")));
}

}  // namespace

void showRuntimeError(const std::string& sentence) {
  std::fprintf(stderr, "%s\n", sentence.c_str());
  if (messageBoxCanShow()) {
    QMessageBox::critical(nullptr, QString::fromStdString(productName()),
                          QString::fromStdString(sentence));
  }
}

bool runHandler(const std::function<void()>& handler, const ErrorReporter& report) {
  if (platform::runHandler(handler, report)) {
    return true;
  }
  QCoreApplication::exit(1);
  return false;
}

int runWindow(Window& window, const ResourceStore& pictures, const FocusBox& focusBox,
              const QIcon& icon, const std::function<void()>& onLoad,
              const KeyDownHandler& onKeyDown) {
  WindowWidget* widgetPointer = nullptr;
  const KeyDownHandler guardedKeyDown = [&](std::int16_t& keyCode, std::int16_t& shift) {
    if (!runHandler([&] { onKeyDown(keyCode, shift); }, showRuntimeError)) {
      widgetPointer->hide();
    }
  };
  WindowWidget widget(window, pictures, focusBox, guardedKeyDown);
  widgetPointer = &widget;
  widget.setWindowIcon(icon);
  markAsToolWindow(widget);
  const auto destroyWatch = closeWhenDestroyedFromOutside(widget);
  if (const auto frame = requestFrameExtents(widget)) {
    window.setFrameExtents(*frame);
  }
  if (!runHandler(onLoad, showRuntimeError)) {
    return 1;
  }
  // Left and Top place the outer corner, but before the first show Qt places the client area
  // at whatever point it is given: place the client inside the frame the desktop will draw.
  widget.setGeometry(QRect(logicalClientCorner(window), widget.size()));
  widget.show();
  widget.activateWindow();
  widget.focusTheFocusBox();
  stopWatchingTheSessionBus();
  closeOnTerminationSignals();
  return QApplication::exec();
}

}  // namespace flurb::platform::qt
