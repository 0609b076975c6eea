#pragma once

namespace flurb::platform {

// The primary screen's size in twips, taskbar included.
struct ScreenSize {
  double Width;
  double Height;
};

// Twips per pixel on the primary screen, from its logical dots per inch.
double screenTwipsPerPixel();

ScreenSize primaryScreenSize();

}  // namespace flurb::platform
