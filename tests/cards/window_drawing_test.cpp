#include <gtest/gtest.h>

#include <QPainter>

#include "cards/card_window.h"
#include "platform/qt/caption_cache.h"
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
    const QRgb colour = testing::SyntheticPictureStore::pixelOf(u'I');
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

// A kept caption drawn over any background gives the pixels of the text drawn there straight,
// whatever its colour, cut off by a narrow box.
TEST(WindowDrawing, AKeptCaptionDrawsThePixelsOfTheTextDrawnStraight) {
  const struct {
    const char16_t* text{};
    int pixelSize{};
    platform::PixelSize box{};
    QColor background;
    platform::Rgb colour{};
  } cases[] = {{u"Aa", 192, {465, 387}, Qt::white, {0, 0, 0}},
               {u"8", 333, {465, 498}, QColor(0, 0, 255), {0, 0, 0}},
               {u"Qq", 96, {300, 130}, QColor(200, 180, 20), {250, 10, 90}},
               {u"WW", 192, {300, 120}, Qt::white, {30, 200, 40}}};
  const platform::FontSpec font{u"Palladius", 0, 400};
  platform::qt::CaptionCache cache(std::size_t{8} << 20U);
  for (const auto& c : cases) {
    const auto layout = platform::qt::layOutCaption(c.box, font, c.pixelSize, c.text);
    QImage straight(c.box.width, c.box.height, QImage::Format_ARGB32_Premultiplied);
    straight.fill(c.background);
    QImage kept = straight;
    {
      QPainter painter(&straight);
      painter.setFont(layout.font);
      painter.setPen(QColor(c.colour.red, c.colour.green, c.colour.blue));
      painter.drawText(layout.origin, layout.text);
    }
    const platform::qt::DrawnCaption* drawn =
        cache.find(c.box, font, c.pixelSize, c.colour, c.text);
    ASSERT_NE(drawn, nullptr);
    QPainter(&kept).drawImage(drawn->offset, drawn->ink);
    EXPECT_EQ(kept, straight) << c.pixelSize;
    EXPECT_EQ(cache.find(c.box, font, c.pixelSize, c.colour, c.text)->ink.cacheKey(),
              drawn->ink.cacheKey())
        << "found again, not drawn anew";
  }
}

TEST(WindowDrawing, TheCaptionCacheStaysWithinItsBytes) {
  constexpr std::size_t kLimit = std::size_t{1} << 20U;
  platform::qt::CaptionCache cache(kLimit);
  const platform::FontSpec font{u"Arial", 0, 400};
  for (char16_t letter = u'A'; letter <= u'z'; ++letter) {
    const std::u16string pair{u'W', letter};
    ASSERT_NE(cache.find({465, 387}, font, 100, {0, 0, 0}, pair), nullptr);
    EXPECT_LE(cache.bytes(), kLimit);
  }
  EXPECT_LT(cache.size(), 40U) << "the least recently used went";
  EXPECT_EQ(cache.find({1000, 1000}, font, 600, {0, 0, 0}, u"8"), nullptr)
      << "too large to keep: drawn straight";
  EXPECT_EQ(cache.find({100, 100}, font, 64, {0, 0, 0}, u"8"), nullptr)
      << "small enough for Qt's own glyph cache";
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
