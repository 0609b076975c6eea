#include "event_loop.h"

#include <cstdio>

#include <QApplication>
#include <QMessageBox>

#include "runtime_error.h"
#include "twips.h"
#include "x11_window_manager.h"

namespace flurb::platform {

void showRuntimeError(const std::string& sentence) {
  std::fprintf(stderr, "%s\n", sentence.c_str());
  QMessageBox::critical(nullptr, QStringLiteral("Flurb Cards"), QString::fromStdString(sentence));
}

bool runHandler(const std::function<void()>& handler, const ErrorReporter& report) {
  std::string failure;
  try {
    handler();
    return true;
  } catch (const RuntimeError& error) {
    failure = runtimeErrorSentence(error);
  } catch (const std::exception& error) {
    failure = runtimeErrorSentence(RuntimeError(error.what()));
  }
  report(failure);
  QCoreApplication::exit(1);
  return false;
}

int runForm(Window& form, const FocusBox& focusBox, const QIcon& icon,
            const std::function<void()>& onLoad, const KeyDownHandler& onKeyDown) {
  FormWidget* widgetPointer = nullptr;
  const KeyDownHandler guardedKeyDown = [&](std::int16_t& keyCode, std::int16_t& shift) {
    if (!runHandler([&] { onKeyDown(keyCode, shift); }, showRuntimeError)) {
      widgetPointer->hide();
    }
  };
  FormWidget widget(form, focusBox, guardedKeyDown);
  widgetPointer = &widget;
  widget.setWindowIcon(icon);
  keepOffTaskbar(widget);
  if (const auto frame = requestFrameExtents(widget)) {
    form.setFrameExtents(*frame);
  }
  if (!runHandler(onLoad, showRuntimeError)) {
    return 1;
  }
  // Left and Top place the outer corner, but before the first show Qt places the client area
  // at whatever point it is given: place the client inside the frame the desktop will draw.
  const FrameExtents& frame = form.frameExtents();
  const QPoint client(twipsToPixels(form.Left, form.twipsPerPixel()) + frame.left,
                      twipsToPixels(form.Top, form.twipsPerPixel()) + frame.top);
  widget.setGeometry(QRect(client, widget.size()));
  widget.show();
  widget.activateWindow();
  widget.focusTheFocusBox();
  return QApplication::exec();
}

}  // namespace flurb::platform
