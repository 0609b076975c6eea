#include "runtime_error.h"

#include "product_name.h"

namespace flurb::platform {

std::string runtimeErrorSentence(const RuntimeError& error) {
  return productName() + " has stopped because of an internal error (" + error.what() + ").";
}

bool runHandler(const std::function<void()>& handler, const ErrorReporter& report) {
  std::string failure;
  try {
    handler();
    return true;
  } catch (const RuntimeError& error) {
    failure = runtimeErrorSentence(error);
  } catch (const std::exception& error) {
    failure = runtimeErrorSentence(RuntimeError(error.what()));
  }
  report(failure);
  return false;
}

}  // namespace flurb::platform
