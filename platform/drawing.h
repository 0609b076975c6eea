#pragma once

#include "canvas.h"
#include "colour.h"
#include "resource_store.h"
#include "window.h"

namespace flurb::platform {

// Paints the client area from the controls' properties: the background, then every visible
// control from back to front, each picture in the sharpest rendering `pictures` keeps of it. The
// canvas keeps everything inside the client area.
void paintWindow(Canvas& canvas, const Window& window, const SystemColours& colours,
                 const ResourceStore& pictures);

}  // namespace flurb::platform
