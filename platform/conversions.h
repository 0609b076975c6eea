#pragma once

#include <cstdint>
#include <string>

namespace flurb::platform {

// Nearest integer, halves to the even neighbour; a value out of range (or not a number) is a
// run-time error rather than a silently wrapped result.
std::int32_t roundToInt32(double value);
std::int16_t roundToInt16(double value);

// The one-character string for a character code in 0..255 (Latin-1); other codes are a run-time
// error.
std::u16string characterForCode(std::int16_t code);

// Capitals turned into small letters, everything else unchanged. Every character the program
// makes is Latin-1, whose capitals all have their small letter 0x20 above them.
std::u16string lowerCase(std::u16string_view text);

}  // namespace flurb::platform
