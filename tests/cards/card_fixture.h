#pragma once

#include <array>

#include <gtest/gtest.h>
#include <QString>

#include "app/flurb_window.h"
#include "support/synthetic_pictures.h"

namespace flurb::testing {

// A window with the frame a desktop typically draws: 3-pixel side borders, so the outer width is
// 7395 twips.
class CardTest : public ::testing::Test {
 protected:
  static constexpr double kTwipsPerPixel = 15;
  CardTest() { form.setFrameExtents({.left = 3, .right = 3, .top = 22, .bottom = 3}); }

  std::array<bool, kDotCount> visibleDots() const {
    std::array<bool, kDotCount> visible{};
    for (std::size_t index = 0; index < visible.size(); ++index) {
      visible.at(index) = form.Shape1.at(index).Visible;
    }
    return visible;
  }

  static std::array<bool, kDotCount> firstDots(int count) {
    std::array<bool, kDotCount> visible{};
    for (int index = 0; index < count; ++index) {
      visible.at(static_cast<std::size_t>(index)) = true;
    }
    return visible;
  }

  Flurb form{kTwipsPerPixel};
  const SyntheticPictureStore pictures;
};

}  // namespace flurb::testing
