#pragma once

namespace flurb::platform::qt {

// The toolkit ends the program with a core dump when it meets a failure it cannot recover from
// (no display to connect to, for one). Call before creating the application: such a failure is
// then reported in one sentence on standard error and the program exits with status 1.
void exitCleanlyOnToolkitFailure();

}  // namespace flurb::platform::qt
