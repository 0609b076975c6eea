#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/runtime_error.h"

namespace flurb::platform::win32 {

using KeyDownHandler = std::function<void(std::int16_t& keyCode, std::int16_t& shift)>;

// UTF-8 text as the wide-character API takes it.
std::wstring wideText(const std::string& utf8);

// Shows the sentence in a message box titled with the product name, the standard run-time error
// message.
void showErrorBox(const std::string& sentence);

// The shift state of a key press as a bit set: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t currentShiftState();

}  // namespace flurb::platform::win32
