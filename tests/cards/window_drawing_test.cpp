#include <gtest/gtest.h>

#include <QPainter>

#include "cards/card_window.h"
#include "platform/qt/render.h"
#include "platform/resource_store.h"
#include "support/pixels.h"
#include "support/synthetic_pictures.h"

namespace flurb::cards {
namespace {

using testing::countPixels;
using testing::isDark;
using testing::kBlack;
using testing::kBlue;
using testing::kWhite;
using testing::toQRect;

// The one store of every test here: the painter reads a picture's renderings from it.
const testing::SyntheticPictureStore& pictures() {
  static const testing::SyntheticPictureStore kStore;
  return kStore;
}

void setPicture(CardWindow& window, char16_t letter) {
  window.pictureFrame.setPicture(platform::loadResPicture(pictures(), {&letter, 1}, 0));
}

QImage render(const CardWindow& window) {
  return platform::qt::renderWindow(window, pictures());
}

TEST(WindowDrawing, EachDotIsABlueCircleWithABlackOutlineInsideItsSquare) {
  CardWindow window;
  for (platform::Dot& dot : window.dots) {
    dot.visible = true;
  }
  const QImage image = render(window);
  for (const platform::Dot& dot : window.dots) {
    const QRect square = toQRect(dot.pixelRect());
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

// A desktop that composites windows (Wayland) reads the alpha of every pixel the window hands
// over: a picture drawn with a clear alpha byte would let the desktop shine through it.
TEST(WindowDrawing, EveryPixelIsOpaqueOnASurfaceWithAlpha) {
  CardWindow window;
  setPicture(window, u'b');
  window.letterLabel.caption = u"Bb";
  QImage surface(render(window).size(), QImage::Format_ARGB32_Premultiplied);
  surface.fill(Qt::transparent);
  QPainter painter(&surface);
  painter.drawImage(QPoint(0, 0), render(window));
  painter.end();
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      ASSERT_EQ(qAlpha(surface.pixel(x, y)), 255) << x << "," << y;
    }
  }
}

TEST(WindowDrawing, ThePictureIsDrawnPixelForPixelAtItsRoundedLeft) {
  const struct {
    double left;
    int firstColumn;
  } cases[] = {{322.5, 22}, {330, 22}, {337.4, 22}, {337.5, 23}, {-7.5, 0}, {0, 0}};
  for (const auto& [left, firstColumn] : cases) {
    CardWindow window;
    setPicture(window, u'i');
    window.pictureFrame.left = left;
    const QImage image = render(window);
    const QRgb colour = 0xFF000000U | testing::SyntheticPictureStore::pixelOf(u'I');
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
    EXPECT_EQ(window.pictureFrame.pixelRect().left, firstColumn) << left;
  }
}

TEST(WindowDrawing, TheLetterLabelsTopThirtyTwoPixelsAreCutOff) {
  CardWindow window;
  window.letterLabel.caption = u"Aa";
  const QImage cut = render(window);
  window.letterLabel.top = 0;
  const QImage whole = render(window);
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
  CardWindow window;
  window.letterLabel.caption = u"Mm";
  const QImage lettersOnly = render(window);
  window.digitLabel.caption = u"8";
  const QImage both = render(window);
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
  CardWindow window;
  window.letterLabel.caption = u"WW";  // wide enough to reach the focus box
  const QImage image = render(window);
  const QRect box = toQRect(window.focusBox.pixelRect());
  EXPECT_EQ(countPixels(image, box, kWhite), box.width() * box.height());
}

}  // namespace
}  // namespace flurb::cards
