#include <array>
#include <tuple>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "cards/letter_card.h"
#include "cards/number_card.h"
#include "platform/qt/render.h"
#include "support/pixels.h"
#include "support/synthetic_pictures.h"

namespace flurb::app {
namespace {

using cards::CardWindow;

// Screens in Qt's coordinates (logical pixels): at the origin of the desktop, right of and below
// another screen, and smaller than the window (which then stands at its top left corner).
struct ScreenPixels {
  int left;
  int top;
  int width;
  int height;
};
constexpr std::array<ScreenPixels, 3> kScreens{{
    {0, 0, 1707, 1067},
    {1280, 400, 1280, 800},
    {0, 0, 427, 320},
}};

// A frame as Windows draws it around a tool window, in device pixels: 3-pixel borders, a 19-pixel
// title bar.
constexpr platform::FrameExtents kFrame{.left = 3, .right = 3, .top = 22, .bottom = 3};

struct TwipsPlace {
  double left;
  double top;
};

// Every control in device pixels; the window and the pictures keep their twips.
struct Resolution {
  double devicePixelRatio{};
  QSize client{};
  QRect focusBox{};
  QRect pictureFrame{};  // before a picture is set
  QRect digitLabel{};
  QRect letterLabel{};
  QRect firstDot{};
  QRect lastDot{};
  int letterFontPixels{};
  int digitFontPixels{};
  double outerWidth{};  // twips: the logical client and kFrame
  double outerHeight{};
  std::array<TwipsPlace, kScreens.size()> centred{};
  QRect widePicture{};    // a 450 x 293 picture, centred: it covers every dot
  QRect narrowPicture{};  // a 405 x 293 one ("I", "J")
};

// 96 dots per inch and the scales of 120, 144, 192 and 288. Each value is worked out by hand from
// the twips of the window description: 15 twips to a logical pixel, every edge to the nearest
// device pixel, halves up.
const Resolution kResolutions[] = {
    {
        .devicePixelRatio = 1,
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
        .centred = {{{9105, 3967}, {25102, 7965}, {0, 0}}},
        .widePicture = {22, 208, 450, 293},
        .narrowPicture = {44, 208, 405, 293},
    },
    {
        .devicePixelRatio = 1.25,
        .client = {609, 641},  // 608.75 x 641.25
        .focusBox = {570, 45, 21, 21},
        .pictureFrame = {13, 260, 591, 371},
        .digitLabel = {13, 10, 581, 623},
        .letterLabel = {13, -40, 581, 484},
        .firstDot = {53, 470, 51, 51},
        .lastDot = {513, 550, 51, 51},
        .letterFontPixels = 240,
        .digitFontPixels = 416,
        .outerWidth = 7377,
        .outerHeight = 7995,
        .centred = {{{9114, 4005}, {25111, 8002}, {0, 0}}},
        .widePicture = {26, 260, 563, 366},
        .narrowPicture = {54, 260, 507, 366},
    },
    {
        .devicePixelRatio = 1.5,
        .client = {731, 770},  // 730.5 x 769.5
        .focusBox = {684, 54, 26, 26},
        .pictureFrame = {15, 312, 710, 446},
        .digitLabel = {15, 12, 698, 747},
        .letterLabel = {15, -48, 698, 581},
        .firstDot = {63, 564, 62, 62},
        .lastDot = {615, 660, 62, 62},
        .letterFontPixels = 288,
        .digitFontPixels = 500,
        .outerWidth = 7365,
        .outerHeight = 7945,
        .centred = {{{9120, 4030}, {25117, 8027}, {0, 0}}},
        .widePicture = {31, 312, 675, 440},
        .narrowPicture = {65, 312, 607, 440},
    },
    {
        .devicePixelRatio = 2,
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
        .centred = {{{9127, 4061}, {25125, 8059}, {0, 0}}},
        .widePicture = {40, 416, 900, 586},
        .narrowPicture = {85, 416, 810, 586},
    },
    {
        .devicePixelRatio = 3,
        .client = {1461, 1539},
        .focusBox = {1368, 108, 51, 51},
        .pictureFrame = {30, 624, 1419, 891},
        .digitLabel = {30, 24, 1395, 1494},
        .letterLabel = {30, -96, 1395, 1161},
        .firstDot = {126, 1128, 123, 123},
        .lastDot = {1230, 1320, 123, 123},
        .letterFontPixels = 576,
        .digitFontPixels = 999,
        .outerWidth = 7335,
        .outerHeight = 7820,
        .centred = {{{9135, 4092}, {25132, 8090}, {0, 0}}},
        .widePicture = {59, 624, 1350, 879},
        .narrowPicture = {126, 624, 1215, 879},
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

platform::ScreenArea inTwips(const ScreenPixels& screen) {
  constexpr double kPerPixel = platform::kTwipsPerLogicalPixel;
  return {.left = screen.left * kPerPixel,
          .top = screen.top * kPerPixel,
          .width = screen.width * kPerPixel,
          .height = screen.height * kPerPixel,
          .workAreaLeft = screen.left * kPerPixel,
          .workAreaTop = screen.top * kPerPixel};
}

TEST(Resolution, TwipsKeepTheirPlacesPicturesKeepTheirLogicalPixelsAndTheWindowStandsCentred) {
  const testing::SyntheticPictureStore pictures;
  FixedDraw random;
  for (const Resolution& row : kResolutions) {
    SCOPED_TRACE(::testing::Message() << "device pixel ratio " << row.devicePixelRatio);
    CardWindow window(row.devicePixelRatio);
    const platform::PixelSize client = window.clientPixels();
    EXPECT_EQ(QSize(client.width, client.height), row.client);
    EXPECT_EQ(window.clientSize(), (platform::PixelSize{487, 513}));
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
      CardWindow loaded(row.devicePixelRatio);
      loaded.setFrameExtents(kFrame);
      onLoad(loaded, inTwips(kScreens.at(screen)), random, pictures);
      EXPECT_DOUBLE_EQ(loaded.left, row.centred.at(screen).left);
      EXPECT_DOUBLE_EQ(loaded.top, row.centred.at(screen).top);
    }

    // The frame takes on the picture's logical pixels in twips, centring uses that width, and the
    // picture is drawn with the device pixels of that rectangle: after a number card it covers
    // every dot but the strips beside "I", as at 96 dots per inch.
    using testing::SyntheticPictureStore;
    for (const auto& [letter, pictureWidth, drawn] :
         {std::tuple{u'C', 450, row.widePicture}, std::tuple{u'I', 405, row.narrowPicture}}) {
      cards::showNumberCard(window, '7');
      cards::showLetterCard(window, pictures, static_cast<std::int16_t>(letter));
      EXPECT_DOUBLE_EQ(window.pictureFrame.width(), pictureWidth * 15.0);
      EXPECT_DOUBLE_EQ(window.pictureFrame.height(), 4395);
      EXPECT_EQ(testing::toQRect(window.pictureFrame.pixelRect()), drawn)
          << static_cast<char>(letter);
      const QImage card = platform::qt::renderWindow(window, pictures);
      const QRgb picturePixel = SyntheticPictureStore::pixelOf(letter);
      EXPECT_EQ(testing::countPixels(card, drawn, picturePixel), drawn.width() * drawn.height());
      // Across the picture's rows only the background and the picture show, but for the dots'
      // strip left of a narrow picture.
      const QRect rows(0, drawn.top(), card.width(), drawn.height());
      const int dotPixels = rows.width() * rows.height() -
                            testing::countPixels(card, rows, testing::kWhite) -
                            testing::countPixels(card, rows, picturePixel);
      const int dotPixelsLeft =
          drawn.left() * rows.height() -
          testing::countPixels(card, QRect(0, rows.top(), drawn.left(), rows.height()),
                               testing::kWhite);
      EXPECT_EQ(dotPixels, pictureWidth == 450 ? 0 : dotPixelsLeft) << static_cast<char>(letter);
    }
  }
}

}  // namespace
}  // namespace flurb::app
