#pragma once

namespace flurb::platform {

// The primary screen, taskbar included, in twips: its size, and where it stands in the desktop
// that all screens together make (not at the origin when another screen lies left of or above
// it).
struct ScreenArea {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

}  // namespace flurb::platform
