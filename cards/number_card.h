#pragma once

#include <cstdint>

#include "cards/card_window.h"

namespace flurb::cards {

// Far below the client area: the frame keeps its picture but shows nothing.
inline constexpr double kNumberCardPictureTop = 20000;

void hideDots(CardWindow& window);

// The digit of a key code 48..57 above as many dots as it counts.
void showNumberCard(CardWindow& window, std::int16_t keyCode);

}  // namespace flurb::cards
