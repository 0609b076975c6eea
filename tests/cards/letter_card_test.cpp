#include "cards/letter_card.h"

#include "card_fixture.h"
#include "cards/number_card.h"
#include "platform/runtime_error.h"

namespace flurb::cards {
namespace {

using LetterCard = testing::CardTest;

TEST_F(LetterCard, EveryLetterShowsItsPairAndItsPictureCentredByTheOuterWidth) {
  for (std::int16_t code = 'A'; code <= 'Z'; ++code) {
    const QChar letter(static_cast<char16_t>(code));
    const bool narrow = letter == QLatin1Char('I') || letter == QLatin1Char('J');
    form.Label2.Caption = QStringLiteral("7");
    showLetterCard(form, pictures, code);
    EXPECT_EQ(form.Label1.Caption, QString(letter) + letter.toLower());
    EXPECT_TRUE(form.Label2.Caption.isEmpty());
    EXPECT_DOUBLE_EQ(form.Image1.Top, 3120);
    EXPECT_DOUBLE_EQ(form.Image1.Width(), narrow ? 6075 : 6750);
    EXPECT_DOUBLE_EQ(form.Image1.Height(), 4395);
    EXPECT_DOUBLE_EQ(form.Image1.Top + form.Image1.Height(), 7515);
    // (7395 - 6750) / 2 keeps its half twip; (7395 - 6075) / 2 is whole.
    EXPECT_DOUBLE_EQ(form.Image1.Left, narrow ? 660 : 322.5);
    ASSERT_TRUE(form.Image1.hasPicture());
    EXPECT_EQ(form.Image1.picture()->image().pixel(0, 0),
              testing::SyntheticPictureStore::colourOf(letter).rgb());
  }
}

TEST_F(LetterCard, LeavesTheDotsOfANumberCardAsTheyWere) {
  showNumberCard(form, '6');
  showLetterCard(form, pictures, 'B');
  EXPECT_EQ(visibleDots(), firstDots(6));
  EXPECT_TRUE(form.Label2.Caption.isEmpty());
  EXPECT_EQ(form.Label1.Caption, QStringLiteral("Bb"));
  EXPECT_DOUBLE_EQ(form.Image1.Top, 3120);
}

TEST_F(LetterCard, WithoutAWindowFrameThePictureIsCentredOnTheClientArea) {
  form.setFrameExtents({});
  showLetterCard(form, pictures, 'A');
  EXPECT_DOUBLE_EQ(form.Image1.Left, (7305 - 6750) / 2.0);
}

TEST_F(LetterCard, APictureThatCannotBeFoundIsARuntimeErrorBeforeTheFrameMoves) {
  class EmptyStore final : public platform::ResourceStore {
    std::optional<QByteArray> findBitmap(QStringView /*name*/) const override { return {}; }
  };
  const double leftBefore = form.Image1.Left;
  EXPECT_THROW(showLetterCard(form, EmptyStore(), 'Q'), platform::RuntimeError);
  EXPECT_FALSE(form.Image1.hasPicture());
  EXPECT_DOUBLE_EQ(form.Image1.Left, leftBefore);
}

}  // namespace
}  // namespace flurb::cards
