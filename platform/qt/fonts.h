#pragma once

#include <QFont>

#include "platform/canvas.h"

namespace flurb::platform::qt {

// The Qt font for a font description at a size in pixels; the families the program names but
// Debian does not ship are drawn in their look-alikes.
QFont toQFont(const FontSpec& spec, int pixelSize);

}  // namespace flurb::platform::qt
