#pragma once

#include "platform/screen.h"

namespace flurb::platform::qt {

// Device pixels to a logical pixel on the primary screen, whatever sets it (Xft.dpi, the desktop's
// scale, QT_SCALE_FACTOR).
double screenDevicePixelRatio();

// The primary screen in twips: its logical pixels, in Qt's coordinates, times 15. Where the
// primary screen has no size (its output switched off or left without a mode) the X screen's own
// size stands in, so the window still opens within reach.
ScreenArea primaryScreenArea();

}  // namespace flurb::platform::qt
