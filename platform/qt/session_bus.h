#pragma once

#include <string>

namespace flurb::platform::qt {

// Whether the session bus takes a connection and then never answers (its daemon stopped, a
// socket that only listens). The toolkit connects to it on the way to the first show, for
// accessibility, and would wait there for ever; this asks it within a fraction of a second.
// `address` is DBUS_SESSION_BUS_ADDRESS; where that is empty, the bus in `runtimeDir` is asked.
bool sessionBusIsSilent(const std::string& address, const std::string& runtimeDir);

}  // namespace flurb::platform::qt
