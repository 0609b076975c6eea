#include <gtest/gtest.h>

#include "cards/card_window.h"
#include "platform/qt/render.h"
#include "support/pixels.h"
#include "support/synthetic_pictures.h"

namespace flurb::cards {
namespace {

struct ControlInPixels {
  const char* name{};
  const platform::Control& (*control)(const CardWindow&){};
  QRect pixels;
};

// The pixel column of the window table: every twips value must land on these pixels at 96 dpi.
const ControlInPixels kLayout[] = {
    {"focusBox",
     [](const CardWindow& f) -> const platform::Control& { return f.focusBox; },
     {456, 36, 17, 17}},
    {"pictureFrame",
     [](const CardWindow& f) -> const platform::Control& { return f.pictureFrame; },
     {10, 208, 473, 297}},
    {"digitLabel",
     [](const CardWindow& f) -> const platform::Control& { return f.digitLabel; },
     {10, 8, 465, 498}},
    {"letterLabel",
     [](const CardWindow& f) -> const platform::Control& { return f.letterLabel; },
     {10, -32, 465, 387}},
};

const QPoint kDotCorners[description::kDotCount] = {{42, 376},  {42, 440},  {138, 376},
                                                    {138, 440}, {226, 408}, {322, 376},
                                                    {322, 440}, {410, 376}, {410, 440}};

TEST(WindowLayout, EveryControlStandsAtItsPixelPlace) {
  const CardWindow window;
  EXPECT_EQ(window.clientPixels(), (platform::PixelSize{487, 513}));
  for (const auto& [name, control, pixels] : kLayout) {
    EXPECT_EQ(testing::toQRect(control(window).pixelRect()), pixels) << name;
  }
  for (std::size_t index = 0; index < description::kDotCount; ++index) {
    EXPECT_EQ(testing::toQRect(window.dots.at(index).pixelRect()),
              QRect(kDotCorners[index], QSize(41, 41)))
        << "dot " << index;
  }
}

TEST(WindowLayout, StartsEmptyWithEveryDotHidden) {
  const CardWindow window;
  EXPECT_EQ(window.caption, u"Quimo's Flurb Cards");
  EXPECT_TRUE(window.letterLabel.caption.empty());
  EXPECT_TRUE(window.digitLabel.caption.empty());
  EXPECT_FALSE(window.pictureFrame.hasPicture());
  for (const platform::Dot& dot : window.dots) {
    EXPECT_FALSE(dot.visible);
  }
  EXPECT_TRUE(window.focusBox.visible && window.letterLabel.visible && window.digitLabel.visible &&
              window.pictureFrame.visible);
}

TEST(WindowLayout, FrontToBackOrderIsFocusBoxPictureDotsFromEightDigitLetter) {
  const CardWindow window;
  std::vector<const platform::Control*> expected{&window.focusBox, &window.pictureFrame};
  for (std::size_t index = description::kDotCount; index-- > 0;) {
    expected.push_back(&window.dots.at(index));
  }
  expected.push_back(&window.digitLabel);
  expected.push_back(&window.letterLabel);
  EXPECT_EQ(window.controlsFrontToBack(), expected);
}

TEST(WindowLayout, OuterSizeIsTheClientAreaPlusTheFrame) {
  CardWindow window;
  EXPECT_DOUBLE_EQ(window.width(), 7305);
  EXPECT_DOUBLE_EQ(window.height(), 7695);
  window.setFrameExtents({.left = 3, .right = 3, .top = 22, .bottom = 3});
  EXPECT_DOUBLE_EQ(window.width(), 7395);
  EXPECT_DOUBLE_EQ(window.height(), 8070);
}

TEST(WindowLayout, TheStartStateDrawsNothingButTheWhiteBackground) {
  const CardWindow window;
  const QImage image = platform::qt::renderWindow(window, testing::SyntheticPictureStore());
  ASSERT_EQ(image.size(), QSize(487, 513));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace flurb::cards
