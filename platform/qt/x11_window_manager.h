#pragma once

#include <memory>
#include <optional>

#include <QSize>

#include "platform/window.h"

class QAbstractNativeEventFilter;
class QWidget;

namespace flurb::platform::qt {

// Asks the X11 window manager which frame it will draw around the (not yet shown) window. Qt only
// knows the frame once the window is exposed, but the window must be centred by its outer size
// before it is first shown. Nothing on other window systems, or when no window manager answers.
std::optional<FrameExtents> requestFrameExtents(QWidget& window);

// Ends the event loop with status 0 when the window is destroyed from outside (a tool such as
// xdotool, or a window manager that destroys instead of asking): without its window the program
// would run on unseen. The watch lasts as long as the object it returns (nothing where there is no
// X11), which must not outlive the window.
std::unique_ptr<QAbstractNativeEventFilter> closeWhenDestroyedFromOutside(const QWidget& window);

// Makes the (not yet shown) top-level window a tool window on X11: no taskbar button, and the
// small frame of a utility window where the window manager offers one.
void markAsToolWindow(QWidget& window);

// The X screen's own size in device pixels, which stands even while no output shows it; nothing
// on other window systems.
std::optional<QSize> x11ScreenPixels();

}  // namespace flurb::platform::qt
