#pragma once

#include <cstdint>
#include <functional>

#include <QWidget>

#include "window.h"

namespace flurb::platform {

using KeyDownHandler = std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)>;

// The real window: a thin adapter that paints the window model and passes the focus box's key
// presses to the program.
class FormWidget final : public QWidget {
 public:
  FormWidget(const Window& form, const FocusBox& focusBox, KeyDownHandler onKeyDown);

  // Gives the keyboard focus to the focus box, the one control that can take it.
  void focusTheFocusBox();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Tab must reach the focus box as a key, not move the focus away from it.
  bool focusNextPrevChild(bool next) override;

 private:
  const Window& form_;
  QWidget* focusBoxWidget_;
};

}  // namespace flurb::platform
