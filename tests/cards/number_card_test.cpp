#include "cards/number_card.h"

#include <string_view>

#include "card_fixture.h"
#include "cards/letter_card.h"

namespace flurb::cards {
namespace {

using NumberCard = testing::CardTest;

TEST_F(NumberCard, EveryDigitShowsItselfAboveAsManyDotsAsItCounts) {
  showLetterCard(window, pictures, 'K');
  const double pictureLeft = window.pictureFrame.left;
  // From nine dots down to none and back up, so every digit meets leftovers of another.
  constexpr std::string_view kDigits = "9876543210135792468";
  for (const char digit : kDigits) {
    showNumberCard(window, digit);
    EXPECT_TRUE(window.letterLabel.caption.empty()) << digit;
    EXPECT_EQ(window.digitLabel.caption, std::u16string(1, static_cast<char16_t>(digit)));
    EXPECT_DOUBLE_EQ(window.pictureFrame.top, 20000);
    EXPECT_EQ(visibleDots(), firstDots(digit - '0')) << digit;
    // The frame keeps its picture and its place across.
    EXPECT_TRUE(window.pictureFrame.hasPicture());
    EXPECT_DOUBLE_EQ(window.pictureFrame.left, pictureLeft);
  }
}

TEST_F(NumberCard, HideDotsHidesAllNine) {
  showNumberCard(window, '9');
  hideDots(window);
  EXPECT_EQ(visibleDots(), firstDots(0));
}

}  // namespace
}  // namespace flurb::cards
