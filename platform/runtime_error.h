#pragma once

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

}  // namespace flurb::platform
