#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace flurb::platform {

// A failure the program cannot recover from. It ends the running handler; the event loop then
// reports it in one sentence and ends the program with a non-zero status.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& what) : std::runtime_error(what) {}
};

// The one sentence shown to the user for a run-time error.
std::string runtimeErrorSentence(const RuntimeError& error);

using ErrorReporter = std::function<void(const std::string& sentence)>;

// Runs one event handler. A run-time error (or any other exception, which must not cross the
// toolkit's event dispatch) ends the handler and is reported in one sentence; the answer says
// whether the handler ran to its end.
bool runHandler(const std::function<void()>& handler, const ErrorReporter& report);

}  // namespace flurb::platform
