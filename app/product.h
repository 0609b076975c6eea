#pragma once

namespace flurb::app {

// The name of the program in its messages and message box titles, and its executable's name.
inline constexpr const char* kProductName = "Flurb Cards";
inline constexpr const char* kExecutableName = "flurb-cards";

}  // namespace flurb::app
