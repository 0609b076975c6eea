#pragma once

#include <functional>
#include <string>

#include "platform/colour.h"
#include "platform/controls.h"
#include "platform/resource_store.h"
#include "platform/win32/handlers.h"
#include "platform/win32/win32.h"
#include "platform/window.h"

namespace flurb::platform::win32 {

// The real window: a tool window (thin fixed frame, small title bar with a close box, no
// minimise or maximise box, no taskbar button) that paints the window model, and in it a child
// window for the focus box that holds the keyboard focus and passes every key press on.
//
// It is created hidden, so that its resolution is known before the model is built; run() then
// sizes it, raises the load event, places and shows it, and delivers events until it is closed.
class ToolWindow {
 public:
  ToolWindow(HINSTANCE instance, const std::u16string& caption);
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;
  ToolWindow(ToolWindow&&) = delete;
  ToolWindow& operator=(ToolWindow&&) = delete;
  ~ToolWindow();

  // Device pixels to a logical pixel of 96 to the inch, on the monitor the window stands on.
  double devicePixelRatio() const;

  struct Events {
    std::function<void()> onLoad;
    KeyDownHandler onKeyDown;
    ErrorReporter reportError;
  };

  // Answers the program's exit status: 0 once the window is closed, 1 after a run-time error.
  int run(Window& model, const FocusBox& focusBox, const SystemColours& colours,
          const ResourceStore& pictures, Events events);

 private:
  using MessageHandler = LRESULT (ToolWindow::*)(HWND, UINT, WPARAM, LPARAM);
  // The window procedure of one of the two windows: hands each message to the Handler of the
  // window's owner once that runs a model, and leaves the rest to Windows.
  template <MessageHandler Handler>
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onFocusBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void followResolution(UINT dotsPerInch, const RECT& suggested);
  void paintClientArea() const;
  void paintFocusBox() const;
  // A run-time error ends the program after its message, with status 1.
  void endAfterError();

  HINSTANCE instance_;
  HWND window_;
  HWND focusBoxWindow_ = nullptr;
  Window* model_ = nullptr;
  const FocusBox* focusBox_ = nullptr;
  const SystemColours* colours_ = nullptr;
  const ResourceStore* pictures_ = nullptr;
  Events events_;
  int exitStatus_ = 0;
};

}  // namespace flurb::platform::win32
