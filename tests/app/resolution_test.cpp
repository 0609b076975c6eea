#include <array>
#include <tuple>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "cards/letter_card.h"
#include "support/pixels.h"
#include "support/synthetic_pictures.h"

namespace flurb::app {
namespace {

using cards::CardWindow;

// Screens in device pixels: at the origin of the desktop, right of and below another screen, and
// smaller than the window at the higher resolutions.
struct ScreenPixels {
  int left;
  int top;
  int width;
  int height;
};
constexpr std::array<ScreenPixels, 3> kScreens{{
    {0, 0, 2560, 1600},
    {1280, 400, 1920, 1200},
    {0, 0, 640, 480},
}};

// A frame as Windows draws it around a tool window: 3-pixel borders, a 19-pixel title bar.
constexpr platform::FrameExtents kFrame{.left = 3, .right = 3, .top = 22, .bottom = 3};

struct TwipsPlace {
  double left;
  double top;
};

struct Resolution {
  double twipsPerPixel{};
  QSize client{};
  QRect focusBox{};
  QRect pictureFrame{};  // before a picture is set
  QRect digitLabel{};
  QRect letterLabel{};
  QRect firstDot{};
  QRect lastDot{};
  int letterFontPixels{};
  int digitFontPixels{};
  double outerWidth{};  // twips, client and kFrame
  double outerHeight{};
  std::array<TwipsPlace, kScreens.size()> centred{};
  int wideLeft{};    // where a 450-pixel picture stands, centred
  int narrowLeft{};  // a 405-pixel one ("I", "J")
  int pictureTop{};
};

// 96, 120, 144 and 192 dots per inch. Each value is worked out by hand from the twips of the
// window description: every edge to the nearest pixel, halves up.
const Resolution kResolutions[] = {
    {
        .twipsPerPixel = 15,
        .client = {487, 513},
        .focusBox = {456, 36, 17, 17},
        .pictureFrame = {10, 208, 473, 297},
        .digitLabel = {10, 8, 465, 498},
        .letterLabel = {10, -32, 465, 387},
        .firstDot = {42, 376, 41, 41},
        .lastDot = {410, 440, 41, 41},
        .letterFontPixels = 192,
        .digitFontPixels = 333,
        .outerWidth = 7395,
        .outerHeight = 8070,
        .centred = {{{15502, 7965}, {29902, 10965}, {1102, -435}}},
        .wideLeft = 22,
        .narrowLeft = 44,
        .pictureTop = 208,
    },
    {
        .twipsPerPixel = 12,
        .client = {609, 641},  // 608.75 x 641.25
        .focusBox = {570, 45, 21, 21},
        .pictureFrame = {13, 260, 591, 371},
        .digitLabel = {13, 10, 581, 623},
        .letterLabel = {13, -40, 581, 484},
        .firstDot = {53, 470, 51, 51},
        .lastDot = {513, 550, 51, 51},
        .letterFontPixels = 240,
        .digitFontPixels = 416,
        .outerWidth = 7380,
        .outerHeight = 7992,
        .centred = {{{11670, 5604}, {23190, 8004}, {150, -1116}}},
        .wideLeft = 83,
        .narrowLeft = 105,
        .pictureTop = 260,
    },
    {
        .twipsPerPixel = 10,
        .client = {731, 770},  // 730.5 x 769.5
        .focusBox = {684, 54, 26, 26},
        .pictureFrame = {15, 312, 710, 446},
        .digitLabel = {15, 12, 698, 747},
        .letterLabel = {15, -48, 698, 581},
        .firstDot = {63, 564, 62, 62},
        .lastDot = {615, 660, 62, 62},
        .letterFontPixels = 288,
        .digitFontPixels = 500,
        .outerWidth = 7370,
        .outerHeight = 7950,
        .centred = {{{9115, 4025}, {18715, 6025}, {-485, -1575}}},
        .wideLeft = 144,
        .narrowLeft = 166,
        .pictureTop = 312,
    },
    {
        .twipsPerPixel = 7.5,
        .client = {974, 1026},
        .focusBox = {912, 72, 34, 34},
        .pictureFrame = {20, 416, 946, 594},
        .digitLabel = {20, 16, 930, 996},
        .letterLabel = {20, -64, 930, 774},
        .firstDot = {84, 752, 82, 82},
        .lastDot = {820, 880, 82, 82},
        .letterFontPixels = 384,
        .digitFontPixels = 666,
        .outerWidth = 7350,
        .outerHeight = 7882.5,
        .centred = {{{5925, 2059}, {13125, 3559}, {-1275, -2141}}},
        .wideLeft = 265,
        .narrowLeft = 288,
        .pictureTop = 416,
    },
};

// Draws 0.66 every time: code 67, the letter "C", on the first pass.
class FixedDraw final : public platform::RandomSource {
 public:
  void reseedFromClock() override {}
  float draw() override { return kDraw; }

 private:
  static constexpr float kDraw = 0.66F;
};

platform::ScreenArea inTwips(const ScreenPixels& screen, double twipsPerPixel) {
  return {.left = screen.left * twipsPerPixel,
          .top = screen.top * twipsPerPixel,
          .width = screen.width * twipsPerPixel,
          .height = screen.height * twipsPerPixel};
}

TEST(Resolution, TwipsKeepTheirPlacesPicturesKeepTheirPixelsAndTheWindowStandsCentred) {
  const testing::SyntheticPictureStore pictures;
  FixedDraw random;
  for (const Resolution& row : kResolutions) {
    SCOPED_TRACE(::testing::Message() << row.twipsPerPixel << " twips per pixel");
    CardWindow window(row.twipsPerPixel);
    const platform::PixelSize client = window.clientPixels();
    EXPECT_EQ(QSize(client.width, client.height), row.client);
    EXPECT_EQ(testing::toQRect(window.focusBox.pixelRect()), row.focusBox);
    EXPECT_EQ(testing::toQRect(window.pictureFrame.pixelRect()), row.pictureFrame);
    EXPECT_EQ(testing::toQRect(window.digitLabel.pixelRect()), row.digitLabel);
    EXPECT_EQ(testing::toQRect(window.letterLabel.pixelRect()), row.letterLabel);
    EXPECT_EQ(testing::toQRect(window.dots.front().pixelRect()), row.firstDot);
    EXPECT_EQ(testing::toQRect(window.dots.back().pixelRect()), row.lastDot);
    EXPECT_EQ(window.letterLabel.fontPixels(), row.letterFontPixels);
    EXPECT_EQ(window.digitLabel.fontPixels(), row.digitFontPixels);

    window.setFrameExtents(kFrame);
    EXPECT_DOUBLE_EQ(window.width(), row.outerWidth);
    EXPECT_DOUBLE_EQ(window.height(), row.outerHeight);

    for (std::size_t screen = 0; screen < kScreens.size(); ++screen) {
      SCOPED_TRACE(::testing::Message() << "screen " << screen);
      CardWindow loaded(row.twipsPerPixel);
      loaded.setFrameExtents(kFrame);
      onLoad(loaded, inTwips(kScreens.at(screen), row.twipsPerPixel), random, pictures);
      EXPECT_DOUBLE_EQ(loaded.left, row.centred.at(screen).left);
      EXPECT_DOUBLE_EQ(loaded.top, row.centred.at(screen).top);
    }

    // The frame takes on the picture's pixels in twips, and centring uses that width.
    for (const auto& [letter, pictureWidth, left] :
         {std::tuple{u'C', 450, row.wideLeft}, std::tuple{u'I', 405, row.narrowLeft}}) {
      cards::showLetterCard(window, pictures, static_cast<std::int16_t>(letter));
      EXPECT_DOUBLE_EQ(window.pictureFrame.width(), pictureWidth * row.twipsPerPixel);
      EXPECT_DOUBLE_EQ(window.pictureFrame.height(),
                       testing::SyntheticPictureStore::kHeight * row.twipsPerPixel);
      EXPECT_EQ(testing::toQRect(window.pictureFrame.pixelRect()),
                QRect(left, row.pictureTop, pictureWidth, testing::SyntheticPictureStore::kHeight))
          << static_cast<char>(letter);
    }

    // A desktop that gives the window one pixel less each way: the outer size is the real one.
    window.setClientPixels({client.width - 1, client.height - 1});
    EXPECT_DOUBLE_EQ(window.width(), row.outerWidth - row.twipsPerPixel);
    EXPECT_DOUBLE_EQ(window.height(), row.outerHeight - row.twipsPerPixel);
  }
}

}  // namespace
}  // namespace flurb::app
