#pragma once

#include "platform/screen.h"

namespace flurb::platform::win32 {

// The primary screen's size in twips, taskbar included, and the corner of its work area.
ScreenArea primaryScreen(double twipsPerPixel);

}  // namespace flurb::platform::win32
