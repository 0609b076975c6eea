#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "platform/colour.h"
#include "platform/conversions.h"
#include "platform/runtime_error.h"
#include "platform/twips.h"

// Qt's case mapping is the judge where Qt is at hand; the cross builds run the rest.
#if __has_include(<QChar>)
#include <QChar>
#endif

namespace flurb::platform {
namespace {

struct RoundingCase {
  double value;
  std::int32_t expected;
};

TEST(RoundToInteger, HalvesGoToTheEvenNeighbour) {
  const RoundingCase cases[] = {
      {0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},      {-0.5, 0},    {-1.5, -2},
      {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {100.0, 100}, {32767.5, 32768},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(roundToInt32(value), expected) << value;
    if (expected >= std::numeric_limits<std::int16_t>::min() &&
        expected <= std::numeric_limits<std::int16_t>::max()) {
      EXPECT_EQ(roundToInt16(value), expected) << value;
    }
  }
}

TEST(RoundToInteger, OutOfRangeIsARuntimeError) {
  EXPECT_EQ(roundToInt16(32767.49), 32767);
  EXPECT_EQ(roundToInt16(-32768.5), -32768);  // halves to even: -32768 is even
  EXPECT_THROW(roundToInt16(32767.5), RuntimeError);
  EXPECT_THROW(roundToInt16(-32769.0), RuntimeError);
  EXPECT_EQ(roundToInt32(2147483647.4), 2147483647);
  EXPECT_THROW(roundToInt32(2147483647.5), RuntimeError);
  EXPECT_THROW(roundToInt32(-2147483649.0), RuntimeError);
  EXPECT_THROW(roundToInt32(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
  EXPECT_THROW(roundToInt32(std::numeric_limits<double>::infinity()), RuntimeError);
}

TEST(Characters, CodeGivesOneCharacterAndLowerCaseTouchesOnlyCapitals) {
  EXPECT_EQ(characterForCode(65), u"A");
  EXPECT_EQ(characterForCode(33), u"!");
  EXPECT_EQ(characterForCode(1).size(), 1U);
  EXPECT_THROW(characterForCode(-1), RuntimeError);
  EXPECT_THROW(characterForCode(256), RuntimeError);
  EXPECT_EQ(lowerCase(u"AZaz09!{["), u"azaz09!{[");
}

#if __has_include(<QChar>)
TEST(Characters, LowerCaseAgreesWithUnicodeOnEveryCharacterACodeCanGive) {
  for (std::int16_t code = 0; code <= 255; ++code) {
    const auto character = static_cast<char16_t>(code);
    EXPECT_EQ(lowerCase(characterForCode(code)),
              std::u16string(1, QChar(character).toLower().unicode()))
        << code;
  }
}
#endif

TEST(Twips, PositionsBecomePixelsWithHalvesRoundedUp) {
  const struct {
    double twips;
    int pixels;
  } cases[] = {{0, 0},    {15, 1},    {7.4, 0},    {7.5, 1},    {322.5, 22},
               {-7.5, 0}, {-7.6, -1}, {-480, -32}, {6075, 405}, {20000, 1333}};
  for (const auto& [twips, pixels] : cases) {
    EXPECT_EQ(twipsToPixels(twips, twipsPerPixel(96)), pixels) << twips;
  }
  EXPECT_DOUBLE_EQ(twipsPerPixel(96), 15.0);
  EXPECT_DOUBLE_EQ(twipsPerPixel(120), 12.0);
}

TEST(Colours, SystemColoursComeFromTheClassicSchemeAndFixedOnesAreBlueGreenRed) {
  const ClassicColours classic;
  const struct {
    Colour colour;
    Rgb drawn;
  } cases[] = {
      {kHighlightTextColour, {255, 255, 255}},
      {kWindowTextColour, {0, 0, 0}},
      {kButtonTextColour, {0, 0, 0}},
      {kSystemColourFlag + 999U, {0, 0, 0}},  // unknown: the window text colour
      {0x00FF0000U, {0, 0, 255}},
      {0x00000080U, {128, 0, 0}},
      {fixedColour(1, 2, 3), {1, 2, 3}},
  };
  for (const auto& [colour, drawn] : cases) {
    EXPECT_EQ(resolveColour(colour, classic), drawn) << std::hex << colour;
  }
}

}  // namespace
}  // namespace flurb::platform
