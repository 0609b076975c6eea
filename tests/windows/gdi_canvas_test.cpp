#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "dib_surface.h"
#include "platform/win32/gdi_canvas.h"

namespace flurb::platform::win32 {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
constexpr std::uint32_t kBlackPixel = 0x000000;
constexpr std::uint32_t kBluePixel = 0x0000FF;

// A white surface and a canvas on it.
class Surface : public testing::Test {
 protected:
  static constexpr int kSize = 120;

  Surface() { canvas.fillRect({0, 0, kSize, kSize}, kWhite); }

  // The smallest rectangle holding every pixel that is not white.
  PixelRect inkBounds() const {
    int left = kSize;
    int top = kSize;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (surface.pixel(x, y) != kWhitePixel) {
          left = std::min(left, x);
          top = std::min(top, y);
          right = std::max(right, x);
          bottom = std::max(bottom, y);
        }
      }
    }
    return {left, top, right - left + 1, bottom - top + 1};
  }

  DibSurface surface{kSize, kSize};
  GdiCanvas canvas{surface.dc()};
};

TEST_F(Surface, FillCoversItsRectangleAndNothingElse) {
  const PixelRect rect{10, 20, 30, 40};
  canvas.fillRect(rect, kBlue);
  EXPECT_EQ(inkBounds(), rect);
  EXPECT_EQ(surface.pixel(10, 20), kBluePixel);
  EXPECT_EQ(surface.pixel(39, 59), kBluePixel);
}

TEST_F(Surface, PictureLandsPixelForPixelAtItsCorner) {
  const std::vector<std::uint32_t> pixels = {0x102030, 0x405060, 0x708090,
                                             0xA0B0C0, 0xD0E0F0, 0x010203};
  const Picture picture(3, 2, pixels);
  canvas.drawPicture(5, 7, picture);
  EXPECT_EQ(inkBounds(), (PixelRect{5, 7, 3, 2}));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(surface.pixel(5 + x, 7 + y), picture.pixel(x, y)) << x << "," << y;
    }
  }
}

TEST_F(Surface, PicturePartlyOutsideShowsItsInnerPart) {
  const Picture picture(4, 4, std::vector<std::uint32_t>(16, 0x123456));
  canvas.drawPicture(-2, kSize - 2, picture);
  EXPECT_EQ(inkBounds(), (PixelRect{0, kSize - 2, 2, 2}));
}

// The dots of the window: 41 pixels across, and a few other sizes.
class Circle : public Surface, public testing::WithParamInterface<int> {};

TEST_P(Circle, FillsTheInscribedCircleWithItsOutlineInsideTheSquare) {
  const int across = GetParam();
  const PixelRect square{11, 13, across, across};
  canvas.drawCircle(square, kBlue, kBlack);
  EXPECT_EQ(inkBounds(), square);
  const int middle = across / 2;
  EXPECT_EQ(surface.pixel(square.left + middle, square.top + middle), kBluePixel);
  // The outline touches each side of the square at its middle.
  EXPECT_EQ(surface.pixel(square.left, square.top + middle), kBlackPixel);
  EXPECT_EQ(surface.pixel(square.left + across - 1, square.top + middle), kBlackPixel);
  EXPECT_EQ(surface.pixel(square.left + middle, square.top), kBlackPixel);
  EXPECT_EQ(surface.pixel(square.left + middle, square.top + across - 1), kBlackPixel);
  // The corners stay clear.
  EXPECT_EQ(surface.pixel(square.left, square.top), kWhitePixel);
  EXPECT_EQ(surface.pixel(square.left + across - 1, square.top + across - 1), kWhitePixel);
  // Mirror images across both axes.
  for (int y = 0; y < across; ++y) {
    for (int x = 0; x < across; ++x) {
      const std::uint32_t here = surface.pixel(square.left + x, square.top + y);
      ASSERT_EQ(here, surface.pixel(square.left + across - 1 - x, square.top + y)) << x << "," << y;
      ASSERT_EQ(here, surface.pixel(square.left + x, square.top + across - 1 - y)) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, Circle, testing::Values(41, 40, 21, 7));

TEST_F(Surface, CaptionIsCutOffAtTheEdgesOfItsBox) {
  const PixelRect box{20, 30, 40, 25};
  const FontSpec font{u"Arial", 36, 400, false, false, false};
  canvas.drawCaption(box, font, 48, kBlack, u"WWWWWW");
  const PixelRect ink = inkBounds();
  // Wider than the box, the line loses equal parts on both sides and fills it across.
  EXPECT_EQ(ink.left, box.left);
  EXPECT_EQ(ink.width, box.width);
  EXPECT_GE(ink.top, box.top);
  EXPECT_LE(ink.top + ink.height, box.top + box.height);
}

TEST_F(Surface, CaptionStandsCentredAcrossItsBox) {
  const PixelRect box{0, 0, kSize, kSize};
  const FontSpec font{u"Arial", 36, 400, false, false, false};
  canvas.drawCaption(box, font, 48, kBlack, u"H");
  const PixelRect ink = inkBounds();
  const int leftMargin = ink.left;
  const int rightMargin = kSize - (ink.left + ink.width);
  // "H" has equal side bearings; rounding leaves at most a pixel either way.
  EXPECT_LE(std::abs(leftMargin - rightMargin), 2) << leftMargin << " vs " << rightMargin;
}

}  // namespace
}  // namespace flurb::platform::win32
