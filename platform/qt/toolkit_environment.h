#pragma once

#include <string>

#include "platform/geometry.h"
#include "session_platform.h"

namespace flurb::platform::qt {

// Settles what the toolkit will read from the environment before it starts, so that it neither
// fails in ways of its own nor waits without end: a platform that shows no window on a desktop
// ends the program here with one sentence and status 1; the platform is chosen for the desktop;
// a scale factor that is not a positive number is ignored; a session bus is watched (one that never
// answers means a fresh start without it), and a missing one left out (or the bus library would
// launch its own); threads get stacks small enough for a tight memory limit. Answers what the
// session gave, for the start-up failure messages.
SessionFacts settleToolkitEnvironment();

// Once the toolkit has started: where QT_SCALE_FACTOR makes a client area of `logicalClient`
// smaller than `smallest` device pixels, or larger than a window system maps, says so in one line
// and starts the program afresh without it, at the desktop's own scale.
void restartWithoutAScaleFactorThatHidesTheCard(PixelSize logicalClient, PixelSize smallest);

// The session bus is watched from the start until the window has been shown: a bus that does not
// answer while the window is not yet up has the program say so in one line and start afresh
// without it.
void stopWatchingTheSessionBus();

}  // namespace flurb::platform::qt
