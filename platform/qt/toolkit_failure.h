#pragma once

#include "session_platform.h"

namespace flurb::platform::qt {

// The toolkit ends the program with a core dump, after lines of its own that end in advice to
// reinstall, when it finds no display to connect to. Call before creating the application:
// such a failure is then told in one or two lines naming the cause and the remedy, and the
// program exits with status 1; so does an exception that escapes the toolkit (memory running
// out), in one line. The toolkit's own messages while it starts are held back until
// toolkitStarted().
void exitCleanlyOnToolkitFailure(const SessionFacts& session);

// The application exists: the warnings held back are shown after all.
void toolkitStarted();

}  // namespace flurb::platform::qt
