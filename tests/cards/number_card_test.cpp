#include "cards/number_card.h"

#include <string_view>

#include "card_fixture.h"
#include "cards/letter_card.h"

namespace flurb::cards {
namespace {

using NumberCard = testing::CardTest;

TEST_F(NumberCard, EveryDigitShowsItselfAboveAsManyDotsAsItCounts) {
  showLetterCard(form, pictures, 'K');
  const double pictureLeft = form.Image1.Left;
  // From nine dots down to none and back up, so every digit meets leftovers of another.
  constexpr std::string_view kDigits = "9876543210135792468";
  for (const char digit : kDigits) {
    showNumberCard(form, digit);
    EXPECT_TRUE(form.Label1.Caption.isEmpty()) << digit;
    EXPECT_EQ(form.Label2.Caption, QString(QLatin1Char(digit)));
    EXPECT_DOUBLE_EQ(form.Image1.Top, 20000);
    EXPECT_EQ(visibleDots(), firstDots(digit - '0')) << digit;
    // The frame keeps its picture and its place across.
    EXPECT_TRUE(form.Image1.hasPicture());
    EXPECT_DOUBLE_EQ(form.Image1.Left, pictureLeft);
  }
}

TEST_F(NumberCard, HideDotsHidesAllNine) {
  showNumberCard(form, '9');
  HideDots(form);
  EXPECT_EQ(visibleDots(), firstDots(0));
}

}  // namespace
}  // namespace flurb::cards
