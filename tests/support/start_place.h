#pragma once

#include <cstdint>
#include <string>

#include "platform/geometry.h"
#include "platform/resource_store.h"
#include "platform/window.h"

namespace flurb::testing {

// Where start-up puts the window and its first card, in device pixels, as the program's own
// model computes it: the client area's size, the outer corner on the desktop, and the start
// letter's picture frame within the client area.
struct StartPlace {
  platform::PixelSize client;
  int outerLeft;
  int outerTop;
  platform::PixelRect pictureFrame;
};

// How a backend turns the window's place in twips into device pixels: Qt through its logical
// coordinates (the client corner, each screen scaling from its own corner), Win32 directly.
enum class Placement { kThroughLogicalPixels, kInDevicePixels };

// The primary screen's place and size in the desktop, in device pixels.
StartPlace startPlace(std::int16_t startLetter, double devicePixelRatio,
                      const platform::FrameExtents& frame, const platform::PixelRect& primaryScreen,
                      const platform::ResourceStore& pictures, Placement placement);

// "client W H\nouter X Y\npicture X Y W H\n", for the end-to-end scripts to read.
std::string describe(const StartPlace& place);

}  // namespace flurb::testing
