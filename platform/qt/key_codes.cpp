#include "key_codes.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include <QChar>
#include <QString>

namespace flurb::platform::qt {
namespace {

// Windows virtual-key codes that are not the character they stand for.
constexpr std::int16_t kNumpad0 = 96;
constexpr std::int16_t kMultiply = 106;
constexpr std::int16_t kAdd = 107;
constexpr std::int16_t kSubtract = 109;
constexpr std::int16_t kDecimal = 110;
constexpr std::int16_t kDivide = 111;
constexpr std::int16_t kF1 = 112;
constexpr std::int16_t kOem1 = 186;       // ; and :
constexpr std::int16_t kOemPlus = 187;    // = and +
constexpr std::int16_t kOemComma = 188;   // , and <
constexpr std::int16_t kOemMinus = 189;   // - and _
constexpr std::int16_t kOemPeriod = 190;  // . and >
constexpr std::int16_t kOem2 = 191;       // / and ?
constexpr std::int16_t kOem3 = 192;       // ` and ~
constexpr std::int16_t kOem4 = 219;       // [ and {
constexpr std::int16_t kOem5 = 220;       // \ and |
constexpr std::int16_t kOem6 = 221;       // ] and }
constexpr std::int16_t kOem7 = 222;       // ' and "

// Where a US layout puts its characters, by X key code: each row from its first key. Every layout
// puts its characters on these same physical keys.
struct X11KeyRow {
  quint32 firstKey;
  std::string_view characters;
};
constexpr auto kUsLayoutByX11Key = std::to_array<X11KeyRow>({
    {10, "1234567890-="},
    {24, "QWERTYUIOP[]"},
    {38, "ASDFGHJKL;'`"},
    {51, "\\ZXCVBNM,./"},
});

struct KeyCode {
  int qtKey;
  std::int16_t code;
};

// The keypad's own keys while Num Lock is on; with it off the keypad sends navigation keys.
constexpr auto kKeypadOperators = std::to_array<KeyCode>({
    {Qt::Key_Asterisk, kMultiply},
    {Qt::Key_Plus, kAdd},
    {Qt::Key_Minus, kSubtract},
    {Qt::Key_Period, kDecimal},
    {Qt::Key_Comma, kDecimal},  // the decimal key of layouts that write a decimal comma
    {Qt::Key_Slash, kDivide},
});

// Every other key that has a code, punctuation as on a US layout. Qt's key values must never be
// passed on as they are: '!' is 0x21, the code of Page Up, and many punctuation values fall in
// the digit range.
constexpr auto kOtherKeys = std::to_array<KeyCode>({
    {Qt::Key_Space, 32},
    {Qt::Key_Semicolon, kOem1},
    {Qt::Key_Colon, kOem1},
    {Qt::Key_Equal, kOemPlus},
    {Qt::Key_Plus, kOemPlus},
    {Qt::Key_Comma, kOemComma},
    {Qt::Key_Less, kOemComma},
    {Qt::Key_Minus, kOemMinus},
    {Qt::Key_Underscore, kOemMinus},
    {Qt::Key_Period, kOemPeriod},
    {Qt::Key_Greater, kOemPeriod},
    {Qt::Key_Slash, kOem2},
    {Qt::Key_Question, kOem2},
    {Qt::Key_QuoteLeft, kOem3},
    {Qt::Key_AsciiTilde, kOem3},
    {Qt::Key_BracketLeft, kOem4},
    {Qt::Key_BraceLeft, kOem4},
    {Qt::Key_Backslash, kOem5},
    {Qt::Key_Bar, kOem5},
    {Qt::Key_BracketRight, kOem6},
    {Qt::Key_BraceRight, kOem6},
    {Qt::Key_Apostrophe, kOem7},
    {Qt::Key_QuoteDbl, kOem7},
    {Qt::Key_Escape, 27},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Backspace, 8},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Pause, 19},
    {Qt::Key_Print, 44},
    {Qt::Key_SysReq, 44},
    {Qt::Key_Clear, 12},  // keypad 5 with Num Lock off
    {Qt::Key_Home, 36},
    {Qt::Key_End, 35},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Help, 47},
    {Qt::Key_Cancel, 3},
    {Qt::Key_Select, 41},
    {Qt::Key_Printer, 42},
    {Qt::Key_Execute, 43},
    {Qt::Key_Sleep, 95},
    {Qt::Key_Back, 166},
    {Qt::Key_Forward, 167},
    {Qt::Key_Refresh, 168},
    {Qt::Key_Stop, 169},
    {Qt::Key_Search, 170},
    {Qt::Key_Favorites, 171},
    {Qt::Key_HomePage, 172},
    {Qt::Key_VolumeMute, 173},
    {Qt::Key_VolumeDown, 174},
    {Qt::Key_VolumeUp, 175},
    {Qt::Key_MediaNext, 176},
    {Qt::Key_MediaPrevious, 177},
    {Qt::Key_MediaStop, 178},
    {Qt::Key_MediaPlay, 179},
    {Qt::Key_MediaTogglePlayPause, 179},
    {Qt::Key_LaunchMail, 180},
    {Qt::Key_LaunchMedia, 181},
    {Qt::Key_Launch0, 182},
    {Qt::Key_Launch1, 183},
});

constexpr bool isLatinLetter(int key) {
  return key >= Qt::Key_A && key <= Qt::Key_Z;
}

constexpr bool isDigit(int key) {
  return key >= Qt::Key_0 && key <= Qt::Key_9;
}

bool isCharacter(int key) {
  return key > 0 && key <= static_cast<int>(QChar::LastValidCodePoint);
}

// Qt gives a letter of any script as the code point of its capital.
bool isLetterOfOtherScript(int key) {
  return isCharacter(key) && !isLatinLetter(key) && QChar::isLetter(static_cast<char32_t>(key));
}

// The capital A..Z a character stands for: itself, or the letter under its accent or dot (the
// Turkish capital dotted I is an I); 0 for anything else.
int latinLetterOf(char32_t character) {
  if (!isCharacter(static_cast<int>(character))) {
    return 0;
  }
  char32_t base = QChar::toUpper(character);
  const QString decomposition = QChar::decomposition(base);
  if (!decomposition.isEmpty() && QChar::decompositionTag(base) == QChar::Canonical) {
    base = decomposition.at(0).unicode();
  }
  return isLatinLetter(static_cast<int>(base)) ? static_cast<int>(base) : 0;
}

std::int16_t codeIn(std::span<const KeyCode> table, int key) {
  const auto found = std::ranges::find(table, key, &KeyCode::qtKey);
  return found == table.end() ? std::int16_t{0} : found->code;
}

// The code of a key as such, without regard to where it sits.
std::int16_t codeOfKey(int key) {
  if (isLatinLetter(key) || isDigit(key)) {
    return static_cast<std::int16_t>(key);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return static_cast<std::int16_t>(kF1 + (key - Qt::Key_F1));
  }
  return codeIn(kOtherKeys, key);
}

std::int16_t codeOfKeypadKey(int key) {
  if (isDigit(key)) {
    return static_cast<std::int16_t>(kNumpad0 + (key - Qt::Key_0));
  }
  const std::int16_t code = codeIn(kKeypadOperators, key);
  if (code != 0) {
    return code;
  }
  // Nothing on the keypad is a letter or a main-row digit.
  return isLatinLetter(key) ? std::int16_t{0} : codeOfKey(key);
}

// The key a US layout gives the physical key without Shift (its character is its Qt key), or 0
// when the event does not tell which physical key it is.
int usKeyOfPhysicalKey(const KeyEventFacts& facts) {
  if (facts.source != KeySource::kX11OrWayland) {
    return 0;
  }
  for (const X11KeyRow& row : kUsLayoutByX11Key) {
    if (facts.nativeScanCode >= row.firstKey &&
        facts.nativeScanCode - row.firstKey < row.characters.size()) {
      return row.characters[facts.nativeScanCode - row.firstKey];
    }
  }
  return 0;
}

bool isLevelThreeSymbol(int key, Qt::KeyboardModifiers modifiers) {
  const bool levelThree =
      modifiers.testFlag(Qt::GroupSwitchModifier) ||
      (modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::AltModifier));
  const auto character = static_cast<char32_t>(key);
  return levelThree && isCharacter(key) && QChar::isPrint(character) && !QChar::isSpace(character);
}

}  // namespace

KeySource keySourceFor(QStringView platformName) {
  if (platformName == u"xcb" || platformName.startsWith(u"wayland")) {
    return KeySource::kX11OrWayland;
  }
  return KeySource::kOther;
}

std::int16_t virtualKeyCode(const KeyEventFacts& facts) {
  const int key = facts.qtKey;
  // No key: text from an input method.
  if (key == 0) {
    return 0;
  }
  if (facts.modifiers.testFlag(Qt::KeypadModifier)) {
    return codeOfKeypadKey(key);
  }
  const int usKey = usKeyOfPhysicalKey(facts);
  // A main-row digit key stands for its digit whatever Shift or the layout puts on it ('!' with
  // Shift, '&' unshifted on AZERTY).
  if (isDigit(usKey)) {
    return static_cast<std::int16_t>(usKey);
  }
  // A letter key gives its letter whatever the modifiers: the one it types, or the one it types
  // unshifted where Shift or AltGr (level 3) make it type something else ('@' on the German Q
  // key, the Turkish capital dotted I).
  if (const int letter = latinLetterOf(static_cast<char32_t>(key))) {
    return static_cast<std::int16_t>(letter);
  }
  if (const int letter = latinLetterOf(facts.unshiftedCharacter)) {
    return static_cast<std::int16_t>(letter);
  }
  // Windows gives a letter key of a layout without Latin letters (Cyrillic, Greek, Hebrew...)
  // the code of the US letter at the same place, and a child at such a keyboard should still see
  // cards. Only letters go by place: the AZERTY ',' sits where US has 'M' and is no letter.
  if (usKey != 0 && (isLetterOfOtherScript(key) ||
                     isLetterOfOtherScript(static_cast<int>(facts.unshiftedCharacter)))) {
    return codeOfKey(usKey);
  }
  // A symbol that AltGr (Ctrl+Alt) makes a letter key type, where the keyboard map is not known:
  // the US letter at the key's place.
  if (isLatinLetter(usKey) && facts.unshiftedCharacter == 0 &&
      isLevelThreeSymbol(key, facts.modifiers)) {
    return codeOfKey(usKey);
  }
  return codeOfKey(key);
}

bool needsUnshiftedCharacter(int qtKey) {
  return !isLatinLetter(qtKey) && !isDigit(qtKey);
}

std::int16_t shiftState(Qt::KeyboardModifiers modifiers) {
  int state = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) {
    state |= 1;
  }
  if (modifiers.testFlag(Qt::ControlModifier)) {
    state |= 2;
  }
  if (modifiers.testFlag(Qt::AltModifier)) {
    state |= 4;
  }
  return static_cast<std::int16_t>(state);
}

}  // namespace flurb::platform::qt
