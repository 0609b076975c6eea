#include "app/startup.h"

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "support/synthetic_pictures.h"

namespace flurb::app {
namespace {

using cards::CardWindow;

constexpr platform::ScreenArea kScreen{.width = 19200, .height = 15360};  // 1280 x 1024 pixels

TEST(CentredPosition, RoundsTheDifferenceHalfToEvenHalvesTowardZeroAndKeepsToTheWorkArea) {
  const struct {
    double screen;
    double windowSize;
    double workAreaStart;
    std::int32_t position;
  } cases[] = {
      {19200, 7395, 0, 5902},    // odd difference: the half twip is dropped
      {19200, 7396, 0, 5902},    // even difference
      {19201, 7395, 0, 5903},    //
      {19200.5, 7395, 0, 5903},  // 11805.5 rounds to 11806
      {19201.5, 7395, 0, 5903},  // 11806.5 rounds to 11806
      {19202.5, 7395, 0, 5904},  // 11807.5 rounds to 11808
      {7395, 7395, 0, 0},        // as large as the screen
      // Larger than the screen: at the work area's start, title bar and close button in reach.
      {7000, 7395, 0, 0},
      {4500, 8010, 0, 0},
      {4500, 8010, 450, 450},  // below a panel at the screen's top
      // It fits: centred on the whole screen, a panel or not.
      {19200, 7395, 450, 5902},
  };
  for (const auto& [screen, windowSize, workAreaStart, position] : cases) {
    EXPECT_EQ(centredPosition(screen, windowSize, workAreaStart), position)
        << screen << " - " << windowSize << " from " << workAreaStart;
  }
}

// Plays back fixed draws and notes what the window held at each re-seed, so the passes of the
// first-card loop can be seen one by one.
class ScriptedRandom final : public platform::RandomSource {
 public:
  ScriptedRandom(const CardWindow& window, std::vector<float> draws)
      : window_(window), draws_(std::move(draws)) {}

  void reseedFromClock() override {
    seenAtReseed.emplace_back(window_.letterLabel.caption, window_.pictureFrame.left);
  }
  float draw() override { return draws_.at(next_++); }

  std::vector<std::pair<std::u16string, double>> seenAtReseed;

 private:
  const CardWindow& window_;
  std::vector<float> draws_;
  std::size_t next_ = 0;
};

class OnLoad : public ::testing::Test {
 protected:
  OnLoad() { window.setFrameExtents({.left = 1, .right = 1, .top = 20, .bottom = 1}); }

  CardWindow window;
  const testing::SyntheticPictureStore pictures;
};

TEST_F(OnLoad, CentresTheWindowByItsOuterSize) {
  ScriptedRandom random(window, {0.66F});
  onLoad(window, kScreen, random, pictures);
  // Outer size 489 x 534 pixels = 7335 x 8010 twips.
  EXPECT_DOUBLE_EQ(window.left, 5932);  // 11865 / 2, the half twip dropped
  EXPECT_DOUBLE_EQ(window.top, 3675);   // 7350 / 2
}

TEST_F(OnLoad, DrawsUntilALetterComesUpReseedingAndCentringOnEveryPass) {
  // n = r * 100 + 1: 1, 101 ("e", not a capital), 33 ("!"), then 67 ("C").
  ScriptedRandom random(window, {0.0F, 0.99999994F, 0.32F, 0.66F});
  onLoad(window, kScreen, random, pictures);

  const double emptyFrameLeft = (7335 - 7095) / 2.0;
  const std::vector<std::pair<std::u16string, double>> expected = {
      {u"", 150},
      {u"\u0001\u0001", emptyFrameLeft},
      {u"ee", emptyFrameLeft},
      {u"!!", emptyFrameLeft},
  };
  EXPECT_EQ(random.seenAtReseed, expected);
  EXPECT_EQ(window.letterLabel.caption, u"Cc");
  EXPECT_TRUE(window.digitLabel.caption.empty());
  ASSERT_TRUE(window.pictureFrame.hasPicture());
  EXPECT_EQ(window.pictureFrame.picture()->pixel(0, 0),
            testing::SyntheticPictureStore::pixelOf(u'C'));
  EXPECT_DOUBLE_EQ(window.pictureFrame.top, 3120);
  EXPECT_DOUBLE_EQ(window.pictureFrame.left, (7335 - 6750) / 2.0);
  for (const platform::Dot& dot : window.dots) {
    EXPECT_FALSE(dot.visible);
  }
}

// Counts the passes of the real clock-seeded source.
class CountingRandom final : public platform::RandomSource {
 public:
  void reseedFromClock() override {
    ++reseeds;
    clock.reseedFromClock();
  }
  float draw() override { return clock.draw(); }

  platform::ClockSeededRandom clock;
  int reseeds = 0;
};

TEST_F(OnLoad, WithTheClockEveryStartEndsOnALetterAndAllLettersComeUp) {
  constexpr int kStarts = 2600;
  CountingRandom random;
  std::map<std::u16string, int> cards;
  for (int start = 0; start < kStarts; ++start) {
    CardWindow fresh;
    onLoad(fresh, kScreen, random, pictures);
    const std::u16string pair = fresh.letterLabel.caption;
    ASSERT_EQ(pair.size(), 2U);
    ASSERT_TRUE(pair[0] >= u'A' && pair[0] <= u'Z') << static_cast<int>(pair[0]);
    ASSERT_EQ(pair[1], pair[0] - u'A' + u'a');
    ASSERT_TRUE(fresh.pictureFrame.hasPicture());
    ++cards[pair];
  }
  // 100 letters a letter on average; far outside these bounds only a broken source lands.
  ASSERT_EQ(cards.size(), 26U);
  for (const auto& [pair, count] : cards) {
    EXPECT_GT(count, 40) << static_cast<int>(pair[0]);
    EXPECT_LT(count, 170) << static_cast<int>(pair[0]);
  }
  // About 101 / 26 passes a start when draws behave as independent.
  const double passesPerStart = static_cast<double>(random.reseeds) / kStarts;
  EXPECT_GT(passesPerStart, 3.4);
  EXPECT_LT(passesPerStart, 4.5);
}

}  // namespace
}  // namespace flurb::app
