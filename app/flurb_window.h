#pragma once

#include <array>
#include <vector>

#include "platform/controls.h"
#include "platform/window.h"

namespace flurb {

inline constexpr int kDotCount = 9;

// The card window and its thirteen controls, as the window description in flurb_window.cpp
// creates them.
class Flurb final : public platform::Window {
 public:
  explicit Flurb(double twipsPerPixel);

  platform::FocusBox Picture1;
  platform::PictureFrame Image1;
  std::array<platform::Dot, kDotCount> Shape1;
  platform::Label Label2;
  platform::Label Label1;

  std::vector<const platform::Control*> controlsFrontToBack() const override;
};

}  // namespace flurb
