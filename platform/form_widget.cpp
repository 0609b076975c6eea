#include "form_widget.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

#include "drawing.h"
#include "key_codes.h"

namespace flurb::platform {
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
    setGeometry(box.pixelRect());
    setFocusPolicy(Qt::StrongFocus);
    // The window paints this square itself, in the focus box's colour.
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    std::int16_t keyCode =
        virtualKeyCode({event->key(), event->modifiers(), event->nativeScanCode(),
                        event->nativeVirtualKey(), keySource()});
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

FormWidget::FormWidget(const Window& form, const FocusBox& focusBox, KeyDownHandler onKeyDown)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(form),
      focusBoxWidget_(new FocusBoxWidget(*this, focusBox, std::move(onKeyDown))) {
  // Tool windows do not end the program when closed unless told to; this one is the program.
  setAttribute(Qt::WA_QuitOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(form.Caption);
  setFixedSize(form.clientPixels());
}

void FormWidget::focusTheFocusBox() {
  focusBoxWidget_->setFocus(Qt::ActiveWindowFocusReason);
}

void FormWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawWindow(painter, form_);
}

bool FormWidget::focusNextPrevChild(bool /*next*/) {
  return false;
}

}  // namespace flurb::platform
