#pragma once

namespace flurb::platform::qt {

// SIGTERM, SIGINT and SIGHUP (the desktop ending its session, a kill from a terminal) end the
// program with status 0 at once, one sent before the program started included: nothing is saved,
// so nothing is lost. Call first thing in main.
void exitOnTerminationSignals();

// From now on those signals close the window like any other close: the event loop ends and the
// program exits with status 0. Call just before the event loop runs: until it does, nothing
// would read the close.
void closeOnTerminationSignals();

// Ends the program with the status if its teardown has not ended it within a short while: the
// toolkit's Wayland teardown can wait for ever on its event thread. Call once the event loop has
// ended; the normal teardown then runs as usual.
void boundTeardown(int status);

}  // namespace flurb::platform::qt
