#pragma once

#include <QImage>
#include <QPainter>

#include "platform/resource_store.h"
#include "platform/window.h"

namespace flurb::platform::qt {

// The client area as the window paints it, in the classic colours, its pictures' renderings from
// `pictures`.
QImage renderWindow(const Window& window, const ResourceStore& pictures);
// The same into `image`, which is made anew only where its size is not the client area's: a
// window repaints without a fresh buffer for every key.
void renderWindowInto(const Window& window, const ResourceStore& pictures, QImage& image);

// The same through `painter`, one unit to a device pixel.
void renderWindowWith(QPainter& painter, const Window& window, const ResourceStore& pictures);

// A picture as an opaque Qt image over the picture's own pixels, not copied: valid while the
// picture or a copy of it lives.
QImage imageOver(const Picture& picture);

}  // namespace flurb::platform::qt
