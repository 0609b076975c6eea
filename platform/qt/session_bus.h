#pragma once

#include <string>

namespace flurb::platform::qt {

enum class SessionBus {
  kUsable,   // it answers, or fails at once, or cannot be asked this simply
  kSilent,   // it takes a connection and then never answers (its daemon stopped, a socket
             // that only listens): the toolkit, connecting on the way to the first show for
             // accessibility, would wait there for ever
  kMissing,  // there is none: the bus library would try to launch one of its own
};

// What is asked of the bus: only whether it takes a connection (no round trip, so kSilent never
// comes back), or whether it answers too.
enum class BusQuestion { kReachable, kAnswers };

// The session bus the bus library would connect to, asked within a fraction of a second.
// `address` is DBUS_SESSION_BUS_ADDRESS; where that is empty, the bus in `runtimeDir` is asked.
SessionBus findSessionBus(const std::string& address, const std::string& runtimeDir,
                          BusQuestion question);

}  // namespace flurb::platform::qt
