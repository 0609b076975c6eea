#pragma once

#include <cstdint>

#include "app/flurb_window.h"
#include "platform/picture.h"

namespace flurb::cards {

// The program's one input: letter keys show letter cards, main-row digit keys number cards, and
// every other key nothing. The key code is only read, so the desktop's own handling of the key
// goes on; the shift state is not read at all.
void Picture1_KeyDown(Flurb& form, const platform::ResourceStore& pictures,
                      const std::int16_t& KeyCode, const std::int16_t& Shift);

}  // namespace flurb::cards
