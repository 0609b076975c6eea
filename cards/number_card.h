#pragma once

#include <cstdint>

#include "app/flurb_window.h"

namespace flurb::cards {

// Far below the client area: the frame keeps its picture but shows nothing.
inline constexpr double kNumberCardImageTop = 20000;

void HideDots(Flurb& form);

// The digit of a key code 48..57 above as many dots as it counts.
void showNumberCard(Flurb& form, std::int16_t keyCode);

}  // namespace flurb::cards
