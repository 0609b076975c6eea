#include "runtime_error.h"

namespace flurb::platform {

std::string runtimeErrorSentence(const RuntimeError& error) {
  return std::string("Flurb Cards has stopped because of an internal error (") + error.what() +
         ").";
}

}  // namespace flurb::platform
