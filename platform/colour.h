#pragma once

#include <cstdint>

#include <QColor>

namespace flurb::platform {

// 0x80000000 + n names system colour n, looked up when drawing; any other value is 0x00BBGGRR.
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000U;
inline constexpr Colour kWindowTextColour = kSystemColourFlag + 8U;
inline constexpr Colour kHighlightTextColour = kSystemColourFlag + 14U;
inline constexpr Colour kButtonTextColour = kSystemColourFlag + 18U;

constexpr Colour fixedColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8U) |
         (static_cast<Colour>(blue) << 16U);
}

// System colours come from the classic desktop scheme rather than the user's theme: a dark
// theme would otherwise draw black-on-black or white-on-white cards.
QColor resolveColour(Colour colour);

}  // namespace flurb::platform
