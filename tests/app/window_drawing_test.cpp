#include <gtest/gtest.h>

#include "app/flurb_window.h"
#include "platform/drawing.h"
#include "platform/picture.h"
#include "support/synthetic_pictures.h"

namespace flurb {
namespace {

constexpr double kTwipsPerPixel = 15;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kBlue = 0xFF0000FF;

bool isDark(QRgb pixel) {
  return qGray(pixel) < 128;
}

int countPixels(const QImage& image, const QRect& area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      count += image.pixel(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

void setPicture(Flurb& form, QChar letter) {
  const testing::SyntheticPictureStore store;
  form.Image1.setPicture(platform::LoadResPicture(store, QString(letter), 0));
}

TEST(WindowDrawing, EachDotIsABlueCircleWithABlackOutlineInsideItsSquare) {
  Flurb form(kTwipsPerPixel);
  for (platform::Dot& dot : form.Shape1) {
    dot.Visible = true;
  }
  const QImage image = platform::renderWindow(form);
  for (const platform::Dot& dot : form.Shape1) {
    const QRect square = dot.pixelRect();
    const int left = square.left();
    const int top = square.top();
    EXPECT_EQ(image.pixel(left + 20, top + 20), kBlue);
    // The outline touches the square's four sides at their middles and stays inside it.
    EXPECT_EQ(image.pixel(left + 20, top), kBlack);
    EXPECT_EQ(image.pixel(left, top + 20), kBlack);
    EXPECT_EQ(image.pixel(left + 40, top + 20), kBlack);
    EXPECT_EQ(image.pixel(left + 20, top + 40), kBlack);
    EXPECT_EQ(image.pixel(left, top), kWhite);
    const QRect around = square.adjusted(-3, -3, 3, 3);
    EXPECT_EQ(countPixels(image, around, kWhite) + countPixels(image, square, kBlue) +
                  countPixels(image, square, kBlack),
              around.width() * around.height())
        << "a dot paints only blue and black, and only inside its square";
  }
}

TEST(WindowDrawing, AWidePictureHidesEveryVisibleDot) {
  Flurb form(kTwipsPerPixel);
  for (platform::Dot& dot : form.Shape1) {
    dot.Visible = true;
  }
  setPicture(form, QLatin1Char('a'));
  form.Image1.Left = (form.Width() - form.Image1.Width()) / 2;
  const QImage image = platform::renderWindow(form);
  EXPECT_EQ(countPixels(image, image.rect(), kBlue), 0);
  EXPECT_EQ(image.pixel(240, 400),
            testing::SyntheticPictureStore::colourOf(QLatin1Char('A')).rgb());
}

TEST(WindowDrawing, ThePictureIsDrawnPixelForPixelAtItsRoundedLeft) {
  const struct {
    double left;
    int firstColumn;
  } cases[] = {{322.5, 22}, {330, 22}, {337.4, 22}, {337.5, 23}, {-7.5, 0}, {0, 0}};
  for (const auto& [left, firstColumn] : cases) {
    Flurb form(kTwipsPerPixel);
    setPicture(form, QLatin1Char('i'));
    form.Image1.Left = left;
    const QImage image = platform::renderWindow(form);
    const QRgb colour = testing::SyntheticPictureStore::colourOf(QLatin1Char('I')).rgb();
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, 300) == colour) {
        last = x;
        first = first < 0 ? x : first;
      }
    }
    EXPECT_EQ(first, firstColumn) << left;
    EXPECT_EQ(last - first + 1, 405) << left;
    EXPECT_EQ(form.Image1.pixelRect().left(), firstColumn) << left;
  }
}

TEST(WindowDrawing, TheLetterLabelsTopThirtyTwoPixelsAreCutOff) {
  Flurb form(kTwipsPerPixel);
  form.Label1.Caption = QStringLiteral("Aa");
  const QImage cut = platform::renderWindow(form);
  form.Label1.Top = 0;
  const QImage whole = platform::renderWindow(form);
  int darkPixels = 0;
  for (int y = 0; y + 32 < 387; ++y) {
    for (int x = 10; x < 475; ++x) {
      ASSERT_EQ(cut.pixel(x, y), whole.pixel(x, y + 32)) << x << "," << y;
      darkPixels += isDark(cut.pixel(x, y)) ? 1 : 0;
    }
  }
  EXPECT_GT(darkPixels, 1000) << "the letter pair is drawn at all";
}

TEST(WindowDrawing, TheTransparentDigitLabelLetsTheLetterPairShowThrough) {
  Flurb form(kTwipsPerPixel);
  form.Label1.Caption = QStringLiteral("Mm");
  const QImage lettersOnly = platform::renderWindow(form);
  form.Label2.Caption = QStringLiteral("8");
  const QImage both = platform::renderWindow(form);
  int added = 0;
  for (int y = 0; y < both.height(); ++y) {
    for (int x = 0; x < both.width(); ++x) {
      if (isDark(lettersOnly.pixel(x, y))) {
        ASSERT_TRUE(isDark(both.pixel(x, y))) << x << "," << y;
      } else {
        added += isDark(both.pixel(x, y)) ? 1 : 0;
      }
    }
  }
  EXPECT_GT(added, 1000) << "the digit is drawn too";
}

TEST(WindowDrawing, TheFocusBoxCannotBeSeenAgainstTheWindow) {
  Flurb form(kTwipsPerPixel);
  form.Label1.Caption = QStringLiteral("WW");  // wide enough to reach the focus box
  const QImage image = platform::renderWindow(form);
  const QRect box = form.Picture1.pixelRect();
  EXPECT_EQ(countPixels(image, box, kWhite), box.width() * box.height());
}

}  // namespace
}  // namespace flurb
