#include <QFontInfo>

#include "card_fixture.h"
#include "cards/letter_card.h"
#include "cards/number_card.h"
#include "platform/qt/fonts.h"
#include "platform/qt/render.h"
#include "support/pixels.h"

namespace flurb::cards {
namespace {

using platform::qt::renderWindow;
using testing::kBlack;
using testing::kBlue;
using testing::toQRect;

bool isDotPixel(QRgb pixel) {
  return pixel == kBlue || pixel == kBlack;
}

using NumberCardPixels = testing::CardTest;

TEST_F(NumberCardPixels, TheDigitIsDrawnInTheArialLookAlikeAtItsSize) {
  const QFontInfo font(
      platform::qt::toQFont(window.digitLabel.look.font, window.digitLabel.fontPixels()));
  EXPECT_TRUE(font.family().startsWith(QStringLiteral("Liberation Sans")))
      << font.family().toStdString();
  EXPECT_EQ(font.pixelSize(), 333);

  showNumberCard(window, '0');
  const QRect digit = testing::darkBounds(renderWindow(window, pictures));
  // Liberation Sans at 333 px: ascent 301, so the baseline stands at 8 + 301; digits are about
  // 0.7 em high and centred across the label.
  EXPECT_NEAR(digit.bottom(), 309, 4);
  EXPECT_NEAR(digit.height(), 235, 12);
  EXPECT_NEAR(digit.center().x(), 242, 3);
}

TEST_F(NumberCardPixels, ANarrowPictureLeavesOnlyThinStripsOfTheOuterDotColumns) {
  showNumberCard(window, '9');
  const QImage dotsAlone = renderWindow(window, pictures);
  for (const char letter : {'I', 'J'}) {
    showNumberCard(window, '9');
    showLetterCard(window, pictures, letter);
    const QImage image = renderWindow(window, pictures);
    const QRect picture = toQRect(window.pictureFrame.pixelRect());
    // Outer width 7395 twips: (7395 - 6075) / 2 = 660 twips = 44 px, so the picture spans
    // 44..448 and the first (42..82) and fifth (410..450) columns keep two pixels each.
    ASSERT_EQ(picture, QRect(44, 208, 405, 293));
    int strip = 0;
    for (const platform::Dot& dot : window.dots) {
      const QRect square = toQRect(dot.pixelRect());
      for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x) {
          if (picture.contains(x, y)) {
            ASSERT_FALSE(isDotPixel(image.pixel(x, y))) << x << "," << y;
          } else {
            ASSERT_EQ(image.pixel(x, y), dotsAlone.pixel(x, y)) << x << "," << y;
            ASSERT_TRUE(x == 42 || x == 43 || x == 449 || x == 450) << x;
            strip += isDotPixel(image.pixel(x, y)) ? 1 : 0;
          }
        }
      }
    }
    EXPECT_GT(strip, 0) << letter;
  }
}

TEST_F(NumberCardPixels, AWidePictureLeavesNoDotPixelAtAll) {
  showNumberCard(window, '9');
  showLetterCard(window, pictures, 'A');
  const QImage image = renderWindow(window, pictures);
  EXPECT_EQ(testing::countPixels(image, image.rect(), kBlue), 0);
}

}  // namespace
}  // namespace flurb::cards
