#include "window_widget.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "key_codes.h"
#include "painter_canvas.h"
#include "platform/drawing.h"
#include "x11_keyboard_map.h"

namespace flurb::platform::qt {
namespace {

KeySource keySource() {
  static const KeySource kSource = keySourceFor(QGuiApplication::platformName());
  return kSource;
}

// Holds the keyboard focus for the life of the window and reports every key press, auto-repeats
// included (Qt sends a repeat as a release and a press: only presses count).
class FocusBoxWidget final : public QWidget {
 public:
  FocusBoxWidget(QWidget& parent, const FocusBox& box, KeyDownHandler onKeyDown)
      : QWidget(&parent), onKeyDown_(std::move(onKeyDown)) {
    setGeometry(toQRect(box.pixelRect()));
    setFocusPolicy(Qt::StrongFocus);
    // The window paints this square itself, in the focus box's colour.
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const KeySource source = keySource();
    const char32_t unshifted =
        source == KeySource::kX11OrWayland
            ? x11UnshiftedCharacter(event->nativeScanCode(), event->nativeModifiers())
            : 0;
    std::int16_t keyCode =
        virtualKeyCode({event->key(), event->modifiers(), event->nativeScanCode(),
                        event->nativeVirtualKey(), source, unshifted});
    std::int16_t shift = shiftState(event->modifiers());
    onKeyDown_(keyCode, shift);
    parentWidget()->update();
    // Not swallowed: the desktop's own handling of the key goes on.
    event->ignore();
  }
  void paintEvent(QPaintEvent* /*event*/) override {}

 private:
  KeyDownHandler onKeyDown_;
};

}  // namespace

WindowWidget::WindowWidget(const Window& window, const FocusBox& focusBox, KeyDownHandler onKeyDown)
    // A plain top-level window: weston never gives the keyboard focus to a utility window, nor
    // to one transient for Qt's hidden leader window (as Qt makes every tool window), and places
    // such a window by its unmapped leader instead of where the program puts it.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      window_(window),
      focusBoxWidget_(new FocusBoxWidget(*this, focusBox, std::move(onKeyDown))) {
  setAttribute(Qt::WA_QuitOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(QString::fromStdU16String(window.caption));
  const PixelSize client = window.clientPixels();
  setFixedSize(client.width, client.height);
}

void WindowWidget::focusTheFocusBox() {
  focusBoxWidget_->setFocus(Qt::ActiveWindowFocusReason);
}

void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // openbox offers minimise whatever the hints say, and the window has no taskbar button to
  // come back by: it comes back at once, as if the desktop had refused.
  if (event->type() == QEvent::WindowStateChange && isMinimized()) {
    QTimer::singleShot(0, this, [this] {
      setWindowState(windowState() & ~Qt::WindowMinimized);
      show();
      activateWindow();
    });
  }
}

void WindowWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PainterCanvas canvas(painter);
  paintWindow(canvas, window_, ClassicColours());
}

bool WindowWidget::focusNextPrevChild(bool /*next*/) {
  return false;
}

}  // namespace flurb::platform::qt
