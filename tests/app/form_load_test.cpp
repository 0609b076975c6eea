#include "app/form_load.h"

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "support/synthetic_pictures.h"

namespace flurb {
namespace {

constexpr double kTwipsPerPixel = 15;
constexpr platform::ScreenSize kScreen{19200, 15360};  // 1280 x 1024 pixels

TEST(CentredPosition, RoundsTheDifferenceHalfToEvenThenHalvesTowardZero) {
  const struct {
    double screen;
    double window;
    std::int32_t position;
  } cases[] = {
      {19200, 7395, 5902},    // odd difference: the half twip is dropped
      {19200, 7396, 5902},    // even difference
      {19201, 7395, 5903},    //
      {19200.5, 7395, 5903},  // 11805.5 rounds to 11806
      {19201.5, 7395, 5903},  // 11806.5 rounds to 11806
      {19202.5, 7395, 5904},  // 11807.5 rounds to 11808
      {7000, 7395, -197},     // larger than the screen: negative, halved toward zero
      {7000, 7396, -198},    {7395, 7395, 0},
  };
  for (const auto& [screen, window, position] : cases) {
    EXPECT_EQ(centredPosition(screen, window), position) << screen << " - " << window;
  }
}

// Plays back fixed draws and notes what the window held at each re-seed, so the passes of the
// first-card loop can be seen one by one.
class ScriptedRandom final : public platform::RandomSource {
 public:
  ScriptedRandom(const Flurb& form, std::vector<float> draws)
      : form_(form), draws_(std::move(draws)) {}

  void Randomize() override { seenAtReseed.emplace_back(form_.Label1.Caption, form_.Image1.Left); }
  float Rnd() override { return draws_.at(next_++); }

  std::vector<std::pair<QString, double>> seenAtReseed;

 private:
  const Flurb& form_;
  std::vector<float> draws_;
  std::size_t next_ = 0;
};

class FormLoad : public ::testing::Test {
 protected:
  FormLoad() { form.setFrameExtents({.left = 1, .right = 1, .top = 20, .bottom = 1}); }

  Flurb form{kTwipsPerPixel};
  const testing::SyntheticPictureStore pictures;
};

TEST_F(FormLoad, CentresTheWindowByItsOuterSize) {
  ScriptedRandom random(form, {0.66F});
  Form_Load(form, kScreen, random, pictures);
  // Outer size 489 x 534 pixels = 7335 x 8010 twips.
  EXPECT_DOUBLE_EQ(form.Left, 5932);  // 11865 / 2, the half twip dropped
  EXPECT_DOUBLE_EQ(form.Top, 3675);   // 7350 / 2
}

TEST_F(FormLoad, DrawsUntilALetterComesUpReseedingAndCentringOnEveryPass) {
  // n = r * 100 + 1: 1, 101 ("e", not a capital), 33 ("!"), then 67 ("C").
  ScriptedRandom random(form, {0.0F, 0.99999994F, 0.32F, 0.66F});
  Form_Load(form, kScreen, random, pictures);

  const double emptyFrameLeft = (7335 - 7095) / 2.0;
  const std::vector<std::pair<QString, double>> expected = {
      {QString(), 150},
      {QString(QChar(1)) + QChar(1), emptyFrameLeft},
      {QStringLiteral("ee"), emptyFrameLeft},
      {QStringLiteral("!!"), emptyFrameLeft},
  };
  EXPECT_EQ(random.seenAtReseed, expected);
  EXPECT_EQ(form.Label1.Caption, QStringLiteral("Cc"));
  EXPECT_TRUE(form.Label2.Caption.isEmpty());
  ASSERT_TRUE(form.Image1.hasPicture());
  EXPECT_EQ(form.Image1.picture()->image().pixel(0, 0),
            testing::SyntheticPictureStore::colourOf(QLatin1Char('C')).rgb());
  EXPECT_DOUBLE_EQ(form.Image1.Top, 3120);
  EXPECT_DOUBLE_EQ(form.Image1.Left, (7335 - 6750) / 2.0);
  for (const platform::Dot& dot : form.Shape1) {
    EXPECT_FALSE(dot.Visible);
  }
}

// Counts the passes of the real clock-seeded source.
class CountingRandom final : public platform::RandomSource {
 public:
  void Randomize() override {
    ++reseeds;
    clock.Randomize();
  }
  float Rnd() override { return clock.Rnd(); }

  platform::ClockSeededRandom clock;
  int reseeds = 0;
};

TEST_F(FormLoad, WithTheClockEveryStartEndsOnALetterAndAllLettersComeUp) {
  constexpr int kStarts = 2600;
  CountingRandom random;
  std::map<QString, int> cards;
  for (int start = 0; start < kStarts; ++start) {
    Flurb fresh(kTwipsPerPixel);
    Form_Load(fresh, kScreen, random, pictures);
    const QString pair = fresh.Label1.Caption;
    ASSERT_EQ(pair.size(), 2);
    ASSERT_TRUE(pair[0] >= QLatin1Char('A') && pair[0] <= QLatin1Char('Z')) << pair.toStdString();
    ASSERT_EQ(pair[1], pair[0].toLower());
    ASSERT_TRUE(fresh.Image1.hasPicture());
    ++cards[pair];
  }
  // 100 letters a letter on average; far outside these bounds only a broken source lands.
  ASSERT_EQ(cards.size(), 26U);
  for (const auto& [pair, count] : cards) {
    EXPECT_GT(count, 40) << pair.toStdString();
    EXPECT_LT(count, 170) << pair.toStdString();
  }
  // About 101 / 26 passes a start when draws behave as independent.
  const double passesPerStart = static_cast<double>(random.reseeds) / kStarts;
  EXPECT_GT(passesPerStart, 3.4);
  EXPECT_LT(passesPerStart, 4.5);
}

}  // namespace
}  // namespace flurb
