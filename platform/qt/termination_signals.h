#pragma once

namespace flurb::platform::qt {

// SIGTERM, SIGINT and SIGHUP (the desktop ending its session, a kill from a terminal) close the
// window like any other close: the event loop ends and the program exits with status 0. Call
// once the application exists.
void closeOnTerminationSignals();

// Ends the program with the status if its teardown has not ended it within a short while: the
// toolkit's Wayland teardown can wait for ever on its event thread. Call once the event loop has
// ended; the normal teardown then runs as usual.
void boundTeardown(int status);

}  // namespace flurb::platform::qt
