#pragma once

#include <cstdint>

#include "cards/card_window.h"
#include "platform/random_source.h"
#include "platform/resource_store.h"
#include "platform/screen.h"

namespace flurb::app {

// Where a window of the given outer size stands centred on a screen, in twips from the screen's
// own corner: the difference rounded to a whole number (halves to even), then halved dropping the
// remainder. Negative when the window is larger than the screen.
std::int32_t centredPosition(double screenSize, double windowSize);

// The load handler, run once before the window is first shown: centres the window on the whole
// primary screen and builds a random letter card.
void onLoad(cards::CardWindow& window, const platform::ScreenArea& screen,
            platform::RandomSource& random, const platform::ResourceStore& pictures);

}  // namespace flurb::app
