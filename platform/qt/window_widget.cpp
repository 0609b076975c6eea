#include "window_widget.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWindow>

#include "key_codes.h"
#include "platform/twips.h"
#include "render.h"
#include "wayland_keyboard_map.h"
#include "x11_keyboard_map.h"

namespace flurb::platform::qt {
namespace {

// A control's rectangle in Qt's coordinates, which count logical pixels.
QRect logicalRect(const Control& control) {
  const auto pixels = [](double twips) { return twipsToPixels(twips, kTwipsPerLogicalPixel); };
  const int left = pixels(control.left);
  const int top = pixels(control.top);
  return {left, top, pixels(control.left + control.width()) - left,
          pixels(control.top + control.height()) - top};
}

KeySource keySource() {
  static const KeySource kSource = keySourceFor(QGuiApplication::platformName());
  return kSource;
}

// Each of these knows its own window system and gives 0 on the other.
char32_t unshiftedCharacter(const QKeyEvent& event) {
  const char32_t onX11 = x11UnshiftedCharacter(event.nativeScanCode(), event.nativeModifiers());
  return onX11 != 0 ? onX11 : waylandUnshiftedCharacter(event.nativeScanCode());
}

// Holds the keyboard focus for the life of the window and reports every key press, auto-repeats
// included (Qt sends a repeat as a release and a press: only presses count).
class FocusBoxWidget final : public QWidget {
 public:
  FocusBoxWidget(QWidget& parent, const FocusBox& box, KeyDownHandler onKeyDown)
      : QWidget(&parent), onKeyDown_(std::move(onKeyDown)) {
    setGeometry(logicalRect(box));
    setFocusPolicy(Qt::StrongFocus);
    // The window paints this square itself, in the focus box's colour.
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const KeySource source = keySource();
    const char32_t unshifted =
        source == KeySource::kX11OrWayland && needsUnshiftedCharacter(event->key())
            ? unshiftedCharacter(*event)
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

WindowWidget::WindowWidget(Window& window, const ResourceStore& pictures, const FocusBox& focusBox,
                           KeyDownHandler onKeyDown)
    // Not Qt's tool window, which is transient for Qt's hidden leader window: weston never
    // focuses such a window and places it by the unmapped leader. The type of a tool window is
    // set on X11 where the window manager honours it (markAsToolWindow).
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      window_(window),
      pictures_(pictures),
      focusBoxWidget_(new FocusBoxWidget(*this, focusBox, std::move(onKeyDown))) {
  setAttribute(Qt::WA_QuitOnClose);
  // Once the desktop has finished minimising the window.
  comeBack_.setSingleShot(true);
  comeBack_.setInterval(0);
  connect(&comeBack_, &QTimer::timeout, this, [this] {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    // A Wayland client cannot undo a minimise: shown anew, the window comes back as a new one.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
      hide();
    }
    show();
    activateWindow();
  });
  // Not while a paint event is running, which may be where the new ratio shows first.
  logicalSizeAfterPaint_.setSingleShot(true);
  logicalSizeAfterPaint_.setInterval(0);
  connect(&logicalSizeAfterPaint_, &QTimer::timeout, this, &WindowWidget::takeLogicalSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(QString::fromStdU16String(window.caption));
  const PixelSize client = window.clientSize();
  setFixedSize(client.width, client.height);
  // Qt gives the window manager a resize step of one logical pixel in device pixels (3 at a ratio
  // of 2.5), and openbox cuts a later resize down to a whole number of steps from the base size:
  // from a base of the window's own size no step is needed.
  setBaseSize(client.width, client.height);
  // openbox offers minimise whatever the hints say, and Qt's own title bar on Wayland offers it
  // too, while the window has no taskbar button to come back by (and weston no taskbar): it
  // comes back at once, as if the desktop had refused. On Wayland only the window's own
  // request tells of a minimise; it never reaches the widget as a state change.
  create();
  window.setDevicePixelRatio(devicePixelRatioF());
  // Another screen, or a new scale of this one (Xft.dpi from the settings daemon changes the
  // screen's size in Qt's coordinates).
  connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
    watchScreen(screen);
    followScale();
  });
  watchScreen(windowHandle()->screen());
  connect(windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
    if (state == Qt::WindowMinimized) {
      comeBack_.start();
    }
  });
}

void WindowWidget::focusTheFocusBox() {
  focusBoxWidget_->setFocus(Qt::ActiveWindowFocusReason);
}

void WindowWidget::watchScreen(QScreen* screen) {
  disconnect(screenWatch_);
  if (screen != nullptr) {
    screenWatch_ = connect(screen, &QScreen::geometryChanged, this, [this] { followScale(); });
  }
}

void WindowWidget::followScale() {
  const double ratio = devicePixelRatioF();
  if (ratio == window_.devicePixelRatio()) {
    return;
  }
  window_.setDevicePixelRatio(ratio);
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    logicalSizeAfterPaint_.start();
  }
  update();
}

// On X11 Qt keeps the window's old device size, and its painting surface, at a new ratio; made a
// pixel larger and back, the window takes on the device size of its logical one, and the surface
// is made anew at that size.
void WindowWidget::takeLogicalSize() {
  // The model's size: Qt's own may have lost a pixel to rounding at a ratio such as 2.01.
  const PixelSize client = window_.clientSize();
  const QSize logical(client.width, client.height);
  setFixedSize(logical + QSize(1, 1));
  setFixedSize(logical);
  backingStore()->resize(logical);
  update();
}

void WindowWidget::paintEvent(QPaintEvent* /*event*/) {
  followScale();
  QPainter painter(this);
  // Where a device pixel is a logical one, the card is drawn straight onto the window's surface
  // (premultiplied ARGB on X11 and Wayland): every pixel it draws is opaque, so the same pixels
  // as in the client image, without a megabyte to fill, copy and convert again for every key.
  const auto* surface = dynamic_cast<const QImage*>(painter.paintEngine()->paintDevice());
  if (devicePixelRatioF() == 1 && surface != nullptr &&
      (surface->format() == QImage::Format_ARGB32_Premultiplied ||
       surface->format() == QImage::Format_RGB32)) {
    renderWindowWith(painter, window_, pictures_);
    return;
  }
  // Drawn in device pixels at the ratio of the screen the window stands on now, then handed over
  // at that ratio: Qt copies it one for one and scales nothing.
  renderWindowInto(window_, pictures_, client_);
  client_.setDevicePixelRatio(devicePixelRatioF());
  painter.drawImage(QPointF(0, 0), client_);
}

bool WindowWidget::focusNextPrevChild(bool /*next*/) {
  return false;
}

}  // namespace flurb::platform::qt
