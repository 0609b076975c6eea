#pragma once

#include <QImage>

#include "platform/window.h"

namespace flurb::platform::qt {

// The client area as the window paints it, in the classic colours.
QImage renderWindow(const Window& window);

// A picture as an opaque Qt image, copied.
QImage toQImage(const Picture& picture);

}  // namespace flurb::platform::qt
