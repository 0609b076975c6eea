#pragma once

#include <cstdint>

#include "cards/card_window.h"
#include "platform/resource_store.h"

namespace flurb::cards {

// The program's one input, the focus box's key-down event: letter keys show letter cards,
// main-row digit keys number cards, and every other key nothing. The key code is only read, so
// the desktop's own handling of the key goes on; the shift state is not read at all.
void onKeyDown(CardWindow& window, const platform::ResourceStore& pictures,
               const std::int16_t& keyCode, const std::int16_t& shift);

}  // namespace flurb::cards
