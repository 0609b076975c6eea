#include "conversions.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include "runtime_error.h"

namespace flurb::platform {
namespace {

template <typename Integer>
Integer roundHalfToEven(double value) {
  // std::nearbyint honours the current rounding mode; pin it so a stray fesetround elsewhere
  // cannot change the result.
  const int savedMode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(savedMode);
  constexpr auto kMin = static_cast<double>(std::numeric_limits<Integer>::min());
  constexpr auto kMax = static_cast<double>(std::numeric_limits<Integer>::max());
  if (!(rounded >= kMin && rounded <= kMax)) {
    throw RuntimeError("overflow converting " + std::to_string(value) + " to an integer");
  }
  return static_cast<Integer>(rounded);
}

}  // namespace

std::int32_t roundToInt32(double value) {
  return roundHalfToEven<std::int32_t>(value);
}

std::int16_t roundToInt16(double value) {
  return roundHalfToEven<std::int16_t>(value);
}

std::u16string characterForCode(std::int16_t code) {
  constexpr std::int16_t kLastLatin1 = 255;
  if (code < 0 || code > kLastLatin1) {
    throw RuntimeError("no character has the code " + std::to_string(code));
  }
  return {static_cast<char16_t>(code)};
}

std::u16string lowerCase(std::u16string_view text) {
  constexpr char16_t kCaseDistance = 0x20;
  constexpr char16_t kMultiplicationSign = 0xD7;
  const auto isCapital = [](char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != kMultiplicationSign);
  };
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (isCapital(c)) {
      c = static_cast<char16_t>(c + kCaseDistance);
    }
  }
  return lower;
}

}  // namespace flurb::platform
