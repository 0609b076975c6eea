#pragma once

#include <cstdint>
#include <functional>

#include <QImage>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/resource_store.h"
#include "platform/window.h"

namespace flurb::platform::qt {

using KeyDownHandler = std::function<void(std::int16_t& keyCode, std::int16_t& shift)>;

// The real window: a thin adapter that paints the window model and passes the focus box's key
// presses to the program, its pictures drawn from the sharpest renderings the store keeps. It keeps
// the model's logical size and draws the model's device pixels one for one at whatever device pixel
// ratio Qt gives the window, on any screen.
class WindowWidget final : public QWidget {
 public:
  WindowWidget(Window& window, const ResourceStore& pictures, const FocusBox& focusBox,
               KeyDownHandler onKeyDown);

  // Gives the keyboard focus to the focus box, the one control that can take it.
  void focusTheFocusBox();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Tab must reach the focus box as a key, not move the focus away from it.
  bool focusNextPrevChild(bool next) override;

 private:
  // Draws at the ratio the window has now, and keeps the logical size where the ratio changed.
  void followScale();
  // On X11, after a new ratio: the window's device size and painting surface for its logical size.
  void takeLogicalSize();
  void watchScreen(QScreen* screen);

  Window& window_;
  const ResourceStore& pictures_;
  QMetaObject::Connection screenWatch_;
  QWidget* focusBoxWidget_;
  QTimer comeBack_;
  QTimer logicalSizeAfterPaint_;
  // Above a ratio of 1: the client area as last drawn, kept for the next paint.
  QImage client_;
};

}  // namespace flurb::platform::qt
