#pragma once

namespace flurb::platform {

// The primary screen, taskbar included, in twips: its size, and where it stands in the desktop
// that all screens together make (not at the origin when another screen lies left of or above
// it); and the top left corner of its work area, the part that no panel or taskbar covers.
struct ScreenArea {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double workAreaLeft = 0;
  double workAreaTop = 0;
};

}  // namespace flurb::platform
