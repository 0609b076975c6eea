#pragma once

#include "canvas.h"
#include "colour.h"
#include "window.h"

namespace flurb::platform {

// Paints the client area from the controls' properties: the background, then every visible
// control from back to front. The canvas keeps everything inside the client area.
void paintWindow(Canvas& canvas, const Window& window, const SystemColours& colours);

}  // namespace flurb::platform
