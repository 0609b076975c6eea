#include "cards/letter_card.h"

#include "card_fixture.h"
#include "cards/number_card.h"
#include "platform/runtime_error.h"

namespace flurb::cards {
namespace {

using LetterCard = testing::CardTest;

TEST_F(LetterCard, EveryLetterShowsItsPairAndItsPictureCentredByTheOuterWidth) {
  for (std::int16_t code = 'A'; code <= 'Z'; ++code) {
    const auto letter = static_cast<char16_t>(code);
    const bool narrow = letter == u'I' || letter == u'J';
    showNumberCard(window, '7');
    showLetterCard(window, pictures, code);
    EXPECT_EQ(window.letterLabel.caption,
              (std::u16string{letter, static_cast<char16_t>(letter - u'A' + u'a')}));
    EXPECT_TRUE(window.digitLabel.caption.empty());
    EXPECT_DOUBLE_EQ(window.pictureFrame.top, 3120);
    EXPECT_DOUBLE_EQ(window.pictureFrame.width(), narrow ? 6075 : 6750);
    EXPECT_DOUBLE_EQ(window.pictureFrame.height(), 4395);
    EXPECT_DOUBLE_EQ(window.pictureFrame.top + window.pictureFrame.height(), 7515);
    // (7395 - 6750) / 2 keeps its half twip; (7395 - 6075) / 2 is whole.
    EXPECT_DOUBLE_EQ(window.pictureFrame.left, narrow ? 660 : 322.5);
    ASSERT_TRUE(window.pictureFrame.hasPicture());
    EXPECT_EQ(window.pictureFrame.picture()->pixel(0, 0),
              testing::SyntheticPictureStore::pixelOf(letter));
  }
}

TEST_F(LetterCard, LeavesTheDotsOfANumberCardAsTheyWere) {
  showNumberCard(window, '6');
  showLetterCard(window, pictures, 'B');
  EXPECT_EQ(visibleDots(), firstDots(6));
  EXPECT_TRUE(window.digitLabel.caption.empty());
  EXPECT_EQ(window.letterLabel.caption, u"Bb");
  EXPECT_DOUBLE_EQ(window.pictureFrame.top, 3120);
}

TEST_F(LetterCard, WithoutAWindowFrameThePictureIsCentredOnTheClientArea) {
  window.setFrameExtents({});
  showLetterCard(window, pictures, 'A');
  EXPECT_DOUBLE_EQ(window.pictureFrame.left, (7305 - 6750) / 2.0);
}

TEST_F(LetterCard, APictureThatCannotBeFoundIsARuntimeErrorBeforeTheFrameMoves) {
  class EmptyStore final : public platform::ResourceStore {
    std::optional<platform::StoredBytes> findBitmap(std::u16string_view /*name*/) const override {
      return {};
    }
  };
  const double leftBefore = window.pictureFrame.left;
  EXPECT_THROW(showLetterCard(window, EmptyStore(), 'Q'), platform::RuntimeError);
  EXPECT_FALSE(window.pictureFrame.hasPicture());
  EXPECT_DOUBLE_EQ(window.pictureFrame.left, leftBefore);
}

}  // namespace
}  // namespace flurb::cards
