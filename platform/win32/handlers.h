#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace flurb::platform::win32 {

using KeyDownHandler = std::function<void(std::int16_t& keyCode, std::int16_t& shift)>;
using ErrorReporter = std::function<void(const std::string& sentence)>;

// Shows the sentence in a message box, the standard run-time error message.
void showErrorBox(const std::string& sentence);

// Runs one event handler. A run-time error (or any other exception, which must not cross the
// window procedure) ends the handler and is reported in one sentence; the answer says whether
// the handler ran to its end.
bool runHandler(const std::function<void()>& handler, const ErrorReporter& report);

// The shift state of a key press as a bit set: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t currentShiftState();

}  // namespace flurb::platform::win32
