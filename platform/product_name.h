#pragma once

#include <string>

namespace flurb::platform {

// The name the program goes by in its messages, message box titles and window classes. The layer
// knows no product of its own: the program gives its name before anything else.
void setProductName(std::string name);
const std::string& productName();

}  // namespace flurb::platform
