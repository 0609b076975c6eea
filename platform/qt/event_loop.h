#pragma once

#include <functional>
#include <string>

#include <QIcon>

#include "platform/runtime_error.h"
#include "platform/window.h"
#include "window_widget.h"

namespace flurb::platform::qt {

// Writes the sentence to standard error and shows it in a message box titled with the product
// name, where a message box can show at all.
void showRuntimeError(const std::string& sentence);

// Runs one event handler. A failure in it ends the handler, is reported in one sentence and ends
// the event loop with status 1; the answer says whether the handler ran to its end.
bool runHandler(const std::function<void()>& handler, const ErrorReporter& report);

// Creates the real window for the window model, raises the load event before the window is first
// shown, shows it where the load event placed it with the focus on the focus box, and delivers
// events one at a time until the window is closed. Answers the program's exit status.
int runWindow(Window& window, const ResourceStore& pictures, const FocusBox& focusBox,
              const QIcon& icon, const std::function<void()>& onLoad,
              const KeyDownHandler& onKeyDown);

}  // namespace flurb::platform::qt
