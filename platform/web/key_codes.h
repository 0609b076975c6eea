#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace flurb::platform::web {

// The Windows virtual-key code of a page's keydown event, from its `key` and `code`: a letter key
// gives its capital's code by the layout in use (the key's own letter when it types a Latin
// letter, else the letter of the physical key), a digit key of the main row its digit's code
// with or without Shift. The keypad and every other key give nothing.
std::optional<std::int16_t> virtualKeyCode(std::string_view key, std::string_view code);

// The key code a character typed on an on-screen keyboard stands for: a Latin letter its
// capital's, a digit its own; any other character nothing.
std::optional<std::int16_t> textKeyCode(char32_t character);

}  // namespace flurb::platform::web
