#include "product_name.h"

#include <utility>

namespace flurb::platform {
namespace {

std::string& storedName() {
  static std::string name;
  return name;
}

}  // namespace

void setProductName(std::string name) {
  storedName() = std::move(name);
}

const std::string& productName() {
  return storedName();
}

}  // namespace flurb::platform
