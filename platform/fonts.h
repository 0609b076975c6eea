#pragma once

#include <QFont>

#include "controls.h"

namespace flurb::platform {

// The Qt font for a font description: its point size becomes a pixel size through twips, and
// the families the program names but Debian does not ship are drawn in their look-alikes.
QFont toQFont(const FontSpec& spec, double twipsPerPixel);

}  // namespace flurb::platform
