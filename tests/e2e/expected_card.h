#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

#include "platform/picture.h"
#include "platform/window.h"

namespace flurb::e2e {

// What the window went through: the letter card it opened with, then the key codes it was given.
struct CardHistory {
  std::int16_t startLetter = 'A';
  std::vector<std::int16_t> keyCodes;
};

// The client area the real window must show after that history, drawn by the program's own model
// at the screen's device pixel ratio with the frame the window manager reported (the frame decides
// where pictures are centred).
QImage expectedClientArea(const CardHistory& history, double devicePixelRatio,
                          const platform::FrameExtents& frame,
                          const platform::ResourceStore& pictures);

}  // namespace flurb::e2e
