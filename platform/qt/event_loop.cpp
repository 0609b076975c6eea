#include "event_loop.h"

#include <cstdio>

#include <QApplication>
#include <QMessageBox>

#include "platform/runtime_error.h"
#include "platform/twips.h"
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

}  // namespace

void showRuntimeError(const std::string& sentence) {
  std::fprintf(stderr, "%s\n", sentence.c_str());
  QMessageBox::critical(nullptr, QStringLiteral("Flurb Cards"), QString::fromStdString(sentence));
}

bool runHandler(const std::function<void()>& handler, const ErrorReporter& report) {
  if (platform::runHandler(handler, report)) {
    return true;
  }
  QCoreApplication::exit(1);
  return false;
}

int runWindow(Window& window, const FocusBox& focusBox, const QIcon& icon,
              const std::function<void()>& onLoad, const KeyDownHandler& onKeyDown) {
  WindowWidget* widgetPointer = nullptr;
  const KeyDownHandler guardedKeyDown = [&](std::int16_t& keyCode, std::int16_t& shift) {
    if (!runHandler([&] { onKeyDown(keyCode, shift); }, showRuntimeError)) {
      widgetPointer->hide();
    }
  };
  WindowWidget widget(window, focusBox, guardedKeyDown);
  widgetPointer = &widget;
  widget.setWindowIcon(icon);
  markAsToolWindow(widget);
  closeWhenDestroyedFromOutside(widget);
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
  return QApplication::exec();
}

}  // namespace flurb::platform::qt
