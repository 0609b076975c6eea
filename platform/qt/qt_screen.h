#pragma once

#include "platform/screen.h"

namespace flurb::platform::qt {

// Twips per pixel on the primary screen, from its logical dots per inch.
double screenTwipsPerPixel();

ScreenArea primaryScreenArea();

}  // namespace flurb::platform::qt
