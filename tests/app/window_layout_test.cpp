#include <gtest/gtest.h>

#include "app/flurb_window.h"
#include "platform/drawing.h"

namespace flurb {
namespace {

constexpr double kTwipsPerPixel = 15;

struct ControlInPixels {
  const char* name{};
  const platform::Control& (*control)(const Flurb&){};
  QRect pixels;
};

// The pixel column of the window table: every twips value must land on these pixels at 96 dpi.
const ControlInPixels kLayout[] = {
    {"Picture1",
     [](const Flurb& f) -> const platform::Control& { return f.Picture1; },
     {456, 36, 17, 17}},
    {"Image1",
     [](const Flurb& f) -> const platform::Control& { return f.Image1; },
     {10, 208, 473, 297}},
    {"Label2",
     [](const Flurb& f) -> const platform::Control& { return f.Label2; },
     {10, 8, 465, 498}},
    {"Label1",
     [](const Flurb& f) -> const platform::Control& { return f.Label1; },
     {10, -32, 465, 387}},
};

const QPoint kDotCorners[kDotCount] = {{42, 376},  {42, 440},  {138, 376}, {138, 440}, {226, 408},
                                       {322, 376}, {322, 440}, {410, 376}, {410, 440}};

TEST(WindowLayout, EveryControlStandsAtItsPixelPlace) {
  const Flurb form(kTwipsPerPixel);
  EXPECT_EQ(form.clientPixels(), QSize(487, 513));
  for (const auto& [name, control, pixels] : kLayout) {
    EXPECT_EQ(control(form).pixelRect(), pixels) << name;
  }
  for (int index = 0; index < kDotCount; ++index) {
    EXPECT_EQ(form.Shape1.at(static_cast<std::size_t>(index)).pixelRect(),
              QRect(kDotCorners[index], QSize(41, 41)))
        << "dot " << index;
  }
}

TEST(WindowLayout, StartsEmptyWithEveryDotHidden) {
  const Flurb form(kTwipsPerPixel);
  EXPECT_EQ(form.Caption, QStringLiteral("Quimo's Flurb Cards"));
  EXPECT_TRUE(form.Label1.Caption.isEmpty());
  EXPECT_TRUE(form.Label2.Caption.isEmpty());
  EXPECT_FALSE(form.Image1.hasPicture());
  for (const platform::Dot& dot : form.Shape1) {
    EXPECT_FALSE(dot.Visible);
  }
  EXPECT_TRUE(form.Picture1.Visible && form.Label1.Visible && form.Label2.Visible &&
              form.Image1.Visible);
}

TEST(WindowLayout, FrontToBackOrderIsFocusBoxPictureDotsFromEightDigitLetter) {
  const Flurb form(kTwipsPerPixel);
  std::vector<const platform::Control*> expected{&form.Picture1, &form.Image1};
  for (int index = kDotCount - 1; index >= 0; --index) {
    expected.push_back(&form.Shape1.at(static_cast<std::size_t>(index)));
  }
  expected.push_back(&form.Label2);
  expected.push_back(&form.Label1);
  EXPECT_EQ(form.controlsFrontToBack(), expected);
}

TEST(WindowLayout, OuterSizeIsTheClientAreaPlusTheFrame) {
  Flurb form(kTwipsPerPixel);
  EXPECT_DOUBLE_EQ(form.Width(), 7305);
  EXPECT_DOUBLE_EQ(form.Height(), 7695);
  form.setFrameExtents({.left = 3, .right = 3, .top = 22, .bottom = 3});
  EXPECT_DOUBLE_EQ(form.Width(), 7395);
  EXPECT_DOUBLE_EQ(form.Height(), 8070);
}

TEST(WindowLayout, TheStartStateDrawsNothingButTheWhiteBackground) {
  const Flurb form(kTwipsPerPixel);
  const QImage image = platform::renderWindow(form);
  ASSERT_EQ(image.size(), QSize(487, 513));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace flurb
