#pragma once

#include <array>

#include <gtest/gtest.h>

#include "cards/card_window.h"
#include "support/synthetic_pictures.h"

namespace flurb::testing {

using DotFlags = std::array<bool, cards::description::kDotCount>;

// A window with the frame a desktop typically draws: 3-pixel side borders, so the outer width is
// 7395 twips.
class CardTest : public ::testing::Test {
 protected:
  CardTest() { window.setFrameExtents({.left = 3, .right = 3, .top = 22, .bottom = 3}); }

  DotFlags visibleDots() const {
    DotFlags visible{};
    for (std::size_t index = 0; index < visible.size(); ++index) {
      visible.at(index) = window.dots.at(index).visible;
    }
    return visible;
  }

  static DotFlags firstDots(int count) {
    DotFlags visible{};
    for (int index = 0; index < count; ++index) {
      visible.at(static_cast<std::size_t>(index)) = true;
    }
    return visible;
  }

  cards::CardWindow window;
  const SyntheticPictureStore pictures;
};

}  // namespace flurb::testing
