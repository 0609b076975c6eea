#include <QFontInfo>

#include "card_fixture.h"
#include "cards/letter_card.h"
#include "cards/number_card.h"
#include "platform/drawing.h"
#include "platform/fonts.h"

namespace flurb::cards {
namespace {

constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kBlack = 0xFF000000;

bool isDotPixel(QRgb pixel) {
  return pixel == kBlue || pixel == kBlack;
}

QRect darkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        bounds |= QRect(x, y, 1, 1);
      }
    }
  }
  return bounds;
}

using NumberCardPixels = testing::CardTest;

TEST_F(NumberCardPixels, FiveFillsTheTwoLeftColumnsAndTheMiddle) {
  showNumberCard(form, '5');
  const QImage image = platform::renderWindow(form);
  const QPoint centres[kDotCount] = {{62, 396},  {62, 460},  {158, 396}, {158, 460}, {246, 428},
                                     {342, 396}, {342, 460}, {430, 396}, {430, 460}};
  for (int index = 0; index < kDotCount; ++index) {
    EXPECT_EQ(image.pixel(centres[index]) == kBlue, index < 5) << "dot " << index;
  }
}

TEST_F(NumberCardPixels, TheDigitIsDrawnInTheArialLookAlikeAtItsSize) {
  const QFontInfo font(platform::toQFont(form.Label2.Font, kTwipsPerPixel));
  EXPECT_TRUE(font.family().startsWith(QStringLiteral("Liberation Sans")))
      << font.family().toStdString();
  EXPECT_EQ(font.pixelSize(), 333);

  showNumberCard(form, '0');
  const QRect digit = darkBounds(platform::renderWindow(form));
  // Liberation Sans at 333 px: ascent 301, so the baseline stands at 8 + 301; digits are about
  // 0.7 em high and centred across the label.
  EXPECT_NEAR(digit.bottom(), 309, 4);
  EXPECT_NEAR(digit.height(), 235, 12);
  EXPECT_NEAR(digit.center().x(), 242, 3);
}

TEST_F(NumberCardPixels, ANarrowPictureLeavesOnlyThinStripsOfTheOuterDotColumns) {
  showNumberCard(form, '9');
  const QImage dotsAlone = platform::renderWindow(form);
  for (const char letter : {'I', 'J'}) {
    showNumberCard(form, '9');
    showLetterCard(form, pictures, letter);
    const QImage image = platform::renderWindow(form);
    const QRect picture = form.Image1.pixelRect();
    // Outer width 7395 twips: (7395 - 6075) / 2 = 660 twips = 44 px, so the picture spans
    // 44..448 and the first (42..82) and fifth (410..450) columns keep two pixels each.
    ASSERT_EQ(picture, QRect(44, 208, 405, 293));
    int strip = 0;
    for (const platform::Dot& dot : form.Shape1) {
      const QRect square = dot.pixelRect();
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
  showNumberCard(form, '9');
  showLetterCard(form, pictures, 'A');
  const QImage image = platform::renderWindow(form);
  int blue = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      blue += image.pixel(x, y) == kBlue ? 1 : 0;
    }
  }
  EXPECT_EQ(blue, 0);
}

}  // namespace
}  // namespace flurb::cards
