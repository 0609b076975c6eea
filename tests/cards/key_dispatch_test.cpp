#include "cards/key_dispatch.h"

#include <limits>

#include "card_fixture.h"
#include "cards/letter_card.h"
#include "cards/number_card.h"

namespace flurb::cards {
namespace {

// Everything a key can change.
struct Card {
  std::u16string letters;
  std::u16string digit;
  double pictureLeft;
  double pictureTop;
  double pictureWidth;
  testing::DotFlags dots;
  bool operator==(const Card&) const = default;
};

class KeyDispatch : public testing::CardTest {
 protected:
  Card card() const {
    return {window.letterLabel.caption, window.digitLabel.caption,   window.pictureFrame.left,
            window.pictureFrame.top,    window.pictureFrame.width(), visibleDots()};
  }
  void press(std::int16_t keyCode, std::int16_t shift = 0) {
    onKeyDown(window, pictures, keyCode, shift);
  }
};

TEST_F(KeyDispatch, LettersAndMainRowDigitsActAndEveryOtherCodeLeavesTheCardAlone) {
  showNumberCard(window, '3');
  showLetterCard(window, pictures, 'W');
  const Card standing = card();
  for (int code = std::numeric_limits<std::int16_t>::min();
       code <= std::numeric_limits<std::int16_t>::max(); ++code) {
    const auto keyCode = static_cast<std::int16_t>(code);
    const bool letter = code >= 65 && code <= 90;
    const bool digit = code >= 48 && code <= 57;
    if (letter || digit) {
      continue;
    }
    press(keyCode);
    ASSERT_EQ(card(), standing) << code;
  }
}

TEST_F(KeyDispatch, BothEndsOfBothRangesAreInclusive) {
  // Their neighbours 47, 58, 64 and 91 are among the codes that leave the card alone.
  const struct {
    std::int16_t keyCode;
    std::u16string_view letters;
    std::u16string_view digit;
  } cases[] = {{65, u"Aa", u""}, {90, u"Zz", u""}, {48, u"", u"0"}, {57, u"", u"9"}};
  for (const auto& [keyCode, letters, digit] : cases) {
    press(keyCode);
    EXPECT_EQ(window.letterLabel.caption, letters) << keyCode;
    EXPECT_EQ(window.digitLabel.caption, digit) << keyCode;
  }
}

TEST_F(KeyDispatch, TheShiftStateChangesNothingAndRepeatsShowTheSameCard) {
  const std::int16_t shiftStates[] = {0, 1, 2, 4, 7};
  for (const std::int16_t shift : shiftStates) {
    press('A', shift);
    const Card first = card();
    EXPECT_EQ(first.letters, u"Aa");
    press('A', shift);
    EXPECT_EQ(card(), first);
    press('1', shift);
    EXPECT_EQ(window.digitLabel.caption, u"1");
    EXPECT_EQ(visibleDots(), firstDots(1));
  }
}

}  // namespace
}  // namespace flurb::cards
