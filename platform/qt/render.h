#pragma once

#include <QImage>

#include "platform/resource_store.h"
#include "platform/window.h"

namespace flurb::platform::qt {

// The client area as the window paints it, in the classic colours, its pictures' renderings from
// `pictures`.
QImage renderWindow(const Window& window, const ResourceStore& pictures);

// A picture as an opaque Qt image, copied.
QImage toQImage(const Picture& picture);

}  // namespace flurb::platform::qt
