#include "cards/key_dispatch.h"

#include <limits>

#include "card_fixture.h"
#include "cards/letter_card.h"
#include "cards/number_card.h"

namespace flurb::cards {
namespace {

// Everything a key can change.
struct Card {
  QString letters;
  QString digit;
  double imageLeft;
  double imageTop;
  double imageWidth;
  std::array<bool, kDotCount> dots;
  bool operator==(const Card&) const = default;
};

class KeyDispatch : public testing::CardTest {
 protected:
  Card card() const {
    return {form.Label1.Caption, form.Label2.Caption, form.Image1.Left,
            form.Image1.Top,     form.Image1.Width(), visibleDots()};
  }
  void press(std::int16_t keyCode, std::int16_t shift = 0) {
    Picture1_KeyDown(form, pictures, keyCode, shift);
  }
};

TEST_F(KeyDispatch, LettersAndMainRowDigitsActAndEveryOtherCodeLeavesTheCardAlone) {
  showNumberCard(form, '3');
  showLetterCard(form, pictures, 'W');
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
    const char* letters;
    const char* digit;
  } cases[] = {{65, "Aa", ""}, {90, "Zz", ""}, {48, "", "0"}, {57, "", "9"}};
  for (const auto& [keyCode, letters, digit] : cases) {
    press(keyCode);
    EXPECT_EQ(form.Label1.Caption, QString::fromLatin1(letters)) << keyCode;
    EXPECT_EQ(form.Label2.Caption, QString::fromLatin1(digit)) << keyCode;
  }
}

TEST_F(KeyDispatch, TheShiftStateChangesNothingAndRepeatsShowTheSameCard) {
  const std::int16_t shiftStates[] = {0, 1, 2, 4, 7};
  for (const std::int16_t shift : shiftStates) {
    press('A', shift);
    const Card first = card();
    EXPECT_EQ(first.letters, QStringLiteral("Aa"));
    press('A', shift);
    EXPECT_EQ(card(), first);
    press('1', shift);
    EXPECT_EQ(form.Label2.Caption, QStringLiteral("1"));
    EXPECT_EQ(visibleDots(), firstDots(1));
  }
}

}  // namespace
}  // namespace flurb::cards
