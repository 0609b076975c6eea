#pragma once

#include <cstdint>

#include "cards/card_window.h"
#include "platform/random_source.h"
#include "platform/resource_store.h"
#include "platform/screen.h"

namespace flurb::app {

// Where a window of the given outer size stands centred on a screen, in twips from the screen's
// own corner: the difference rounded to a whole number (halves to even), then halved dropping the
// remainder; but never before the start of the screen's work area (`workAreaStart`, from the same
// corner), so that on a screen smaller than the window its title bar and close button stay in
// reach.
std::int32_t centredPosition(double screenSize, double windowSize, double workAreaStart);

// The load handler, run once before the window is first shown: centres the window on the whole
// primary screen, its top left corner kept on the work area, and builds a random letter card.
void onLoad(cards::CardWindow& window, const platform::ScreenArea& screen,
            platform::RandomSource& random, const platform::ResourceStore& pictures);

}  // namespace flurb::app
