#pragma once

#include <array>
#include <vector>

#include "cards/window_description.h"
#include "platform/controls.h"
#include "platform/window.h"

namespace flurb::cards {

// The card window and its thirteen controls, as the window description creates them.
class CardWindow final : public platform::Window {
 public:
  // Logical pixels of 15 twips, drawn with that many device pixels each (1 at 96 dots per inch).
  explicit CardWindow(double devicePixelRatio = 1);

  platform::FocusBox focusBox;
  platform::PictureFrame pictureFrame;
  std::array<platform::Dot, description::kDotCount> dots;
  platform::Label digitLabel;
  platform::Label letterLabel;

  std::vector<const platform::Control*> controlsFrontToBack() const override;
};

}  // namespace flurb::cards
