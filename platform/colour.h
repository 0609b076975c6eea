#pragma once

#include <cstdint>

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

// A colour as it is drawn.
struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;

  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The drawn colour of a fixed colour.
constexpr Rgb toRgb(Colour colour) {
  constexpr Colour kByte = 0xFFU;
  return {static_cast<std::uint8_t>(colour & kByte),
          static_cast<std::uint8_t>((colour >> 8U) & kByte),
          static_cast<std::uint8_t>((colour >> 16U) & kByte)};
}

// Looks up the system colours this program uses; a desktop backend answers from its own
// settings.
class SystemColours {
 public:
  SystemColours() = default;
  SystemColours(const SystemColours&) = delete;
  SystemColours& operator=(const SystemColours&) = delete;
  SystemColours(SystemColours&&) = delete;
  SystemColours& operator=(SystemColours&&) = delete;
  virtual ~SystemColours() = default;

  virtual Rgb systemColour(std::uint32_t index) const = 0;
};

// The classic desktop scheme (white window, black text). It is used rather than the user's theme
// where the desktop has no such scheme: a dark theme would otherwise draw black-on-black or
// white-on-white cards.
class ClassicColours final : public SystemColours {
 public:
  Rgb systemColour(std::uint32_t index) const override;
};

// A colour of the window description as drawn: fixed colours as they are, system colours looked
// up.
Rgb resolveColour(Colour colour, const SystemColours& system);

}  // namespace flurb::platform
