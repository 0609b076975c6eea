#include "key_codes.h"

namespace flurb::platform::web {
namespace {

std::optional<char> latinLetter(std::string_view text) {
  if (text.size() != 1) {
    return std::nullopt;
  }
  const char letter = text.front();
  if (letter >= 'a' && letter <= 'z') {
    return static_cast<char>(letter - 'a' + 'A');
  }
  if (letter >= 'A' && letter <= 'Z') {
    return letter;
  }
  return std::nullopt;
}

// The character after a prefix of the physical key's name ("KeyQ", "Digit7").
std::optional<char> physicalKey(std::string_view code, std::string_view prefix) {
  if (code.size() != prefix.size() + 1 || code.substr(0, prefix.size()) != prefix) {
    return std::nullopt;
  }
  return code.back();
}

}  // namespace

std::optional<std::int16_t> virtualKeyCode(std::string_view key, std::string_view code) {
  if (const auto letter = latinLetter(key)) {
    return static_cast<std::int16_t>(*letter);
  }
  if (const auto letterKey = physicalKey(code, "Key")) {
    if (const auto letter = latinLetter(std::string_view(&*letterKey, 1))) {
      return static_cast<std::int16_t>(*letter);
    }
  }
  if (const auto digitKey = physicalKey(code, "Digit");
      digitKey && *digitKey >= '0' && *digitKey <= '9') {
    return static_cast<std::int16_t>(*digitKey);
  }
  return std::nullopt;
}

std::optional<std::int16_t> textKeyCode(char32_t character) {
  if (character >= U'0' && character <= U'9') {
    return static_cast<std::int16_t>(character);
  }
  if (character >= 0x80) {
    return std::nullopt;
  }
  const char ascii = static_cast<char>(character);
  if (const auto letter = latinLetter(std::string_view(&ascii, 1))) {
    return static_cast<std::int16_t>(*letter);
  }
  return std::nullopt;
}

}  // namespace flurb::platform::web
