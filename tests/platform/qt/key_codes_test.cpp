#include "platform/qt/key_codes.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <QChar>

namespace flurb::platform::qt {
namespace {

using enum KeySource;
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;

struct Case {
  const char* name = "";
  int qtKey = 0;
  Qt::KeyboardModifiers modifiers;
  quint32 nativeScanCode = 0;
  quint32 nativeVirtualKey = 0;
  KeySource source = kOther;
  int expected = 0;
};

void expectCodes(std::span<const Case> cases) {
  for (const Case& c : cases) {
    const KeyEventFacts facts{c.qtKey, c.modifiers, c.nativeScanCode, c.nativeVirtualKey, c.source};
    EXPECT_EQ(virtualKeyCode(facts), c.expected) << c.name;
  }
}

// The first rows as measured with xdotool on Xvfb.
TEST(VirtualKeyCode, X11Keys) {
  const Case cases[] = {
      {"a", Qt::Key_A, kNone, 38, 0x61, kX11OrWayland, 65},
      {"shift+a", Qt::Key_A, kShift, 38, 0x41, kX11OrWayland, 65},
      {"ctrl+a", Qt::Key_A, Qt::ControlModifier, 38, 0x61, kX11OrWayland, 65},
      {"alt+a", Qt::Key_A, Qt::AltModifier, 38, 0x61, kX11OrWayland, 65},
      {"a with Caps Lock", Qt::Key_A, kNone, 38, 0x41, kX11OrWayland, 65},
      {"1", Qt::Key_1, kNone, 10, 0x31, kX11OrWayland, 49},
      {"shift+1", Qt::Key_Exclam, kShift, 10, 0x21, kX11OrWayland, 49},
      {"KP_1, Num Lock on", Qt::Key_1, kKeypad, 87, 0xffb1, kX11OrWayland, 97},
      {"KP_1, Num Lock off", Qt::Key_End, kKeypad, 87, 0xff9c, kX11OrWayland, 35},
      {"space", Qt::Key_Space, kNone, 65, 0x20, kX11OrWayland, 32},
      {"F1", Qt::Key_F1, kNone, 67, 0xffbe, kX11OrWayland, 112},
      {"KP_0, Num Lock on", Qt::Key_0, kKeypad, 90, 0xffb0, kX11OrWayland, 96},
      {"KP_9, Num Lock on", Qt::Key_9, kKeypad, 81, 0xffb9, kX11OrWayland, 105},
      {"KP_5, Num Lock off", Qt::Key_Clear, kKeypad, 84, 0xff9d, kX11OrWayland, 12},
      {"KP_8, Num Lock off", Qt::Key_Up, kKeypad, 80, 0xff97, kX11OrWayland, 38},
      {"KP_9, Num Lock off", Qt::Key_PageUp, kKeypad, 81, 0xff9a, kX11OrWayland, 33},
      {"KP_0, Num Lock off", Qt::Key_Insert, kKeypad, 90, 0xff9e, kX11OrWayland, 45},
      {"KP_Decimal, Num Lock off", Qt::Key_Delete, kKeypad, 91, 0xff9f, kX11OrWayland, 46},
      {"KP_Decimal", Qt::Key_Period, kKeypad, 91, 0xffae, kX11OrWayland, 110},
      {"KP_Separator (German)", Qt::Key_Comma, kKeypad, 91, 0xffac, kX11OrWayland, 110},
      {"KP_Add", Qt::Key_Plus, kKeypad, 86, 0xffab, kX11OrWayland, 107},
      {"KP_Subtract", Qt::Key_Minus, kKeypad, 82, 0xffad, kX11OrWayland, 109},
      {"KP_Multiply", Qt::Key_Asterisk, kKeypad, 63, 0xffaa, kX11OrWayland, 106},
      {"KP_Divide", Qt::Key_Slash, kKeypad, 106, 0xffaf, kX11OrWayland, 111},
      {"KP_Enter", Qt::Key_Enter, kKeypad, 104, 0xff8d, kX11OrWayland, 13},
      {"Return", Qt::Key_Return, kNone, 36, 0xff0d, kX11OrWayland, 13},
      {"Escape", Qt::Key_Escape, kNone, 9, 0xff1b, kX11OrWayland, 27},
      {"Tab", Qt::Key_Tab, kNone, 23, 0xff09, kX11OrWayland, 9},
      {"shift+Tab", Qt::Key_Backtab, kShift, 23, 0xfe20, kX11OrWayland, 9},
      {"BackSpace", Qt::Key_Backspace, kNone, 22, 0xff08, kX11OrWayland, 8},
      {"Left", Qt::Key_Left, kNone, 113, 0xff51, kX11OrWayland, 37},
      {"Up", Qt::Key_Up, kNone, 111, 0xff52, kX11OrWayland, 38},
      {"Right", Qt::Key_Right, kNone, 114, 0xff53, kX11OrWayland, 39},
      {"Down", Qt::Key_Down, kNone, 116, 0xff54, kX11OrWayland, 40},
      {"Home", Qt::Key_Home, kNone, 110, 0xff50, kX11OrWayland, 36},
      {"Next", Qt::Key_PageDown, kNone, 117, 0xff56, kX11OrWayland, 34},
      {"F12", Qt::Key_F12, kNone, 96, 0xffc9, kX11OrWayland, 123},
      {"F24", Qt::Key_F24, kNone, 202, 0xffd5, kX11OrWayland, 135},
      {"Shift_L", Qt::Key_Shift, kShift, 50, 0xffe1, kX11OrWayland, 16},
      {"Control_L", Qt::Key_Control, Qt::ControlModifier, 37, 0xffe3, kX11OrWayland, 17},
      {"Alt_L", Qt::Key_Alt, Qt::AltModifier, 64, 0xffe9, kX11OrWayland, 18},
      {"AltGr", Qt::Key_AltGr, kNone, 108, 0xfe03, kX11OrWayland, 18},
      {"Super_L", Qt::Key_Meta, Qt::MetaModifier, 133, 0xffeb, kX11OrWayland, 91},
      {"Caps_Lock", Qt::Key_CapsLock, kNone, 66, 0xffe5, kX11OrWayland, 20},
      {"Num_Lock", Qt::Key_NumLock, kNone, 77, 0xff7f, kX11OrWayland, 144},
      {"semicolon", Qt::Key_Semicolon, kNone, 47, 0x3b, kX11OrWayland, 186},
      {"shift+semicolon", Qt::Key_Colon, kShift, 47, 0x3a, kX11OrWayland, 186},
      {"shift+equal", Qt::Key_Plus, kShift, 21, 0x2b, kX11OrWayland, 187},
      {"minus", Qt::Key_Minus, kNone, 20, 0x2d, kX11OrWayland, 189},
      {"shift+slash", Qt::Key_Question, kShift, 61, 0x3f, kX11OrWayland, 191},
      {"grave", Qt::Key_QuoteLeft, kNone, 49, 0x60, kX11OrWayland, 192},
      {"bracketleft", Qt::Key_BracketLeft, kNone, 34, 0x5b, kX11OrWayland, 219},
      {"backslash", Qt::Key_Backslash, kNone, 51, 0x5c, kX11OrWayland, 220},
      {"shift+apostrophe", Qt::Key_QuoteDbl, kShift, 48, 0x22, kX11OrWayland, 222},
      {"keysym without a code", Qt::Key_Dead_Circumflex, kNone, 34, 0xfe52, kX11OrWayland, 0},
  };
  expectCodes(cases);
}

TEST(VirtualKeyCode, X11OtherLayouts) {
  const Case cases[] = {
      {"AZERTY '&' on the 1 key", Qt::Key_Ampersand, kNone, 10, 0x26, kX11OrWayland, 49},
      {"AZERTY 'a' at the US q", Qt::Key_A, kNone, 24, 0x61, kX11OrWayland, 65},
      {"AZERTY 'q' at the US a", Qt::Key_Q, kNone, 38, 0x71, kX11OrWayland, 81},
      {"AZERTY 'm' at the US ;", Qt::Key_M, kNone, 47, 0x6d, kX11OrWayland, 77},
      {"AZERTY ',' at the US m", Qt::Key_Comma, kNone, 58, 0x2c, kX11OrWayland, 188},
      {"Czech 'ě' on the 2 key", 0x011a, kNone, 11, 0x1ec, kX11OrWayland, 50},
      {"Russian 'ф' on the A key", 0x0424, kNone, 38, 0x6c6, kX11OrWayland, 65},
      {"Russian 'Ф' with Shift", 0x0424, kShift, 38, 0x6e6, kX11OrWayland, 65},
      {"Russian 'ж' at the US ;", 0x0416, kNone, 47, 0x6d6, kX11OrWayland, 186},
      {"Greek 'ς' on the W key", 0x03a3, kNone, 25, 0x7f3, kX11OrWayland, 87},
      {"Hebrew 'ש' on the A key", 0x05e9, kNone, 38, 0xcf9, kX11OrWayland, 65},
      {"Hebrew '/' on the Q key", Qt::Key_Slash, kNone, 24, 0x2f, kX11OrWayland, 191},
  };
  expectCodes(cases);
}

struct LayoutCase {
  const char* name = "";
  int qtKey = 0;
  Qt::KeyboardModifiers modifiers;
  quint32 nativeScanCode = 0;
  char32_t unshifted = 0;  // from the X keyboard map; 0 where it is not known (Wayland)
  int expected = 0;
};

// A letter key gives the card of its letter unshifted, whatever Shift or AltGr make it type:
// measured with setxkbmap and xdotool on Xvfb (AltGr sets no Qt modifier there).
TEST(VirtualKeyCode, LetterKeysOfEveryLayoutWhateverTheModifiers) {
  constexpr int kEuro = 0x20ac;
  constexpr int kCapitalDottedI = 0x0130;
  constexpr int kCyrillicShortI = 0x0419;
  constexpr int kLeftArrow = 0x2190;
  constexpr int kThorn = 0x00de;
  const Qt::KeyboardModifiers kAltGrAsCtrlAlt = Qt::ControlModifier | Qt::AltModifier;
  const LayoutCase cases[] = {
      {"de AltGr+Q '@'", Qt::Key_At, kNone, 24, U'q', 81},
      {"de AltGr+E '€'", kEuro, kNone, 26, U'e', 69},
      {"de AltGr+M 'µ'", Qt::Key_mu, kNone, 58, U'm', 77},
      {"de 'z' at the US y", Qt::Key_Z, kNone, 29, U'z', 90},
      {"de 'y' at the US z", Qt::Key_Y, kNone, 52, U'y', 89},
      {"de AltGr on the z key '←'", kLeftArrow, kNone, 29, U'z', 90},
      {"fr AltGr+E '€'", kEuro, kNone, 26, U'e', 69},
      {"fr AltGr on the a key 'æ'", Qt::Key_AE, kNone, 24, U'a', 65},
      {"fr '&' on the 1 key", Qt::Key_Ampersand, kNone, 10, U'&', 49},
      {"fr '1' with Shift", Qt::Key_1, kShift, 10, U'&', 49},
      {"fr 'é' on the 2 key", Qt::Key_Eacute, kNone, 11, U'\u00e9', 50},
      {"tr 'i'", Qt::Key_I, kNone, 48, U'i', 73},
      {"tr 'İ' with Shift", kCapitalDottedI, kShift, 48, U'i', 73},
      {"tr 'ı' (X's legacy keysym)", Qt::Key_I, kNone, 31, 0, 73},
      {"tr 'I' with Shift on the ı key", Qt::Key_I, kShift, 31, 0, 73},
      {"ru 'й'", kCyrillicShortI, kNone, 24, 0, 81},
      {"ru 'Й' with Shift", kCyrillicShortI, kShift, 24, 0, 81},
      {"dvorak 'o' at the US s", Qt::Key_O, kNone, 39, U'o', 79},
      {"dvorak 'T' at the US ;", Qt::Key_T, kShift, 45, U't', 84},
      {"dvorak apostrophe at the US q", Qt::Key_Apostrophe, kNone, 24, U'\'', 222},
      {"Icelandic 'Þ' on its own key", kThorn, kNone, 47, U'\u00fe', 186},
      {"Wayland de AltGr+Q as Ctrl+Alt, map unknown", Qt::Key_At, kAltGrAsCtrlAlt, 24, 0, 81},
      {"Wayland de AltGr+Q, map unknown", Qt::Key_At, kNone, 24, 0, 0},
      {"Ctrl+Alt+space is no letter", Qt::Key_Space, kAltGrAsCtrlAlt, 65, 0, 32},
  };
  for (const LayoutCase& c : cases) {
    KeyEventFacts facts{c.qtKey, c.modifiers, c.nativeScanCode, 0, kX11OrWayland};
    facts.unshiftedCharacter = c.unshifted;
    EXPECT_EQ(virtualKeyCode(facts), c.expected) << c.name;
  }
}

constexpr std::array<std::string_view, 3> kUsLetterRows = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr std::array<quint32, 3> kX11LetterRowStarts = {24, 38, 52};

TEST(VirtualKeyCode, EveryX11LetterKeyGivesItsUsLetterInEveryScript) {
  constexpr int kCyrillicYa = 0x042f;
  for (std::size_t row = 0; row < kUsLetterRows.size(); ++row) {
    for (std::size_t i = 0; i < kUsLetterRows[row].size(); ++i) {
      const int letter = static_cast<unsigned char>(kUsLetterRows[row][i]);
      const auto scanCode = static_cast<quint32>(kX11LetterRowStarts[row] + i);
      SCOPED_TRACE(std::string(1, static_cast<char>(letter)));
      EXPECT_EQ(virtualKeyCode({letter, kShift, scanCode, 0, kX11OrWayland}), letter);
      EXPECT_EQ(virtualKeyCode({kCyrillicYa, kNone, scanCode, 0, kX11OrWayland}), letter);
    }
  }
}

TEST(VirtualKeyCode, EveryX11MainRowDigitKeyGivesItsDigitWhateverItTypes) {
  constexpr std::u16string_view kDigits = u"1234567890";
  constexpr std::u16string_view kUsShifted = u"!@#$%^&*()";
  constexpr std::u16string_view kAzerty = u"&\u00c9\"'(-\u00c8_\u00c7\u00c0";
  for (std::size_t i = 0; i < kDigits.size(); ++i) {
    const int digit = kDigits[i];
    const auto scanCode = static_cast<quint32>(10 + i);
    SCOPED_TRACE(std::string(1, static_cast<char>(digit)));
    EXPECT_EQ(virtualKeyCode({digit, kNone, scanCode, 0, kX11OrWayland}), digit);
    EXPECT_EQ(virtualKeyCode({kUsShifted[i], kShift, scanCode, 0, kX11OrWayland}), digit);
    EXPECT_EQ(virtualKeyCode({kAzerty[i], kNone, scanCode, 0, kX11OrWayland}), digit);
  }
}

// Events that Qt synthesises (QTest among them) carry no native codes.
TEST(VirtualKeyCode, SynthesisedKeysGoByQtKey) {
  const Case cases[] = {
      {"a", Qt::Key_A, kNone, 0, 0, kOther, 65},
      {"ctrl+z", Qt::Key_Z, Qt::ControlModifier, 0, 0, kOther, 90},
      {"1", Qt::Key_1, kNone, 0, 0, kOther, 49},
      {"0 on X11", Qt::Key_0, kNone, 0, 0, kX11OrWayland, 48},
      {"'!' from an unknown key", Qt::Key_Exclam, kShift, 0, 0, kX11OrWayland, 0},
      {"'!' with an X key code from elsewhere", Qt::Key_Exclam, kShift, 10, 0, kOther, 0},
      {"keypad 1", Qt::Key_1, kKeypad, 0, 0, kOther, 97},
      {"Page Up", Qt::Key_PageUp, kNone, 0, 0, kOther, 33},
      {"Russian 'ф'", 0x0424, kNone, 0, 0, kOther, 0},
  };
  expectCodes(cases);
}

// A letter's code only for a letter (a Latin letter's own) or for a symbol typed with AltGr
// (Ctrl+Alt), a digit's code only for a main-row digit key or for the digit itself, a keypad
// digit's own code, and a main-row digit key never anything but a digit.
bool keepsTheRanges(int code, int key, bool keypad, bool digitPlace, bool levelThree) {
  const bool latinLetter = key >= 'A' && key <= 'Z';
  const bool digit = key >= '0' && key <= '9';
  if (code >= 'A' && code <= 'Z') {
    const bool character = key < 0x110000;
    const bool letter = character && QChar::isLetter(static_cast<char32_t>(key));
    const bool symbol = character && !letter && QChar::isPrint(static_cast<char32_t>(key)) &&
                        !QChar::isSpace(static_cast<char32_t>(key));
    return !keypad && !digitPlace && (letter || (levelThree && symbol)) &&
           (!latinLetter || code == key);
  }
  if (code >= '0' && code <= '9') {
    return digitPlace || (!keypad && code == key);
  }
  return !digitPlace && (keypad || !(latinLetter || digit)) &&
         (!keypad || !digit || code == key - '0' + 96);
}

// Whatever the toolkit reports, only a letter gives a letter's code and only a main-row digit key
// or a digit gives a digit's code; the keypad gives neither.
TEST(VirtualKeyCode, OnlyLettersAndMainRowDigitsReachTheirRanges) {
  struct KeyRange {
    int first;
    int last;
  };
  // Latin, Greek, Cyrillic and Hebrew letters and punctuation, then Qt's special keys.
  constexpr KeyRange kQtKeys[] = {{0x20, 0x17f},
                                  {0x391, 0x3a9},
                                  {0x410, 0x42f},
                                  {0x5d0, 0x5ea},
                                  {0x01000000, 0x010000ff},
                                  {0x01001100, 0x010012ff},
                                  {0x01010000, 0x0101000f},
                                  {0x01020000, 0x0102000f}};
  constexpr Qt::KeyboardModifiers kModifierSets[] = {
      kNone, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, kKeypad};
  auto isMainRowDigitPlace = [&](KeySource source, quint32 native) {
    return source == kX11OrWayland && native >= 10 && native <= 19;
  };
  int violations = 0;
  std::string first;
  for (const KeySource source : {kX11OrWayland, kOther}) {
    // The native code is the X key code; the keys of the main block all lie below 128.
    for (quint32 native = 0; native < 128; ++native) {
      for (const KeyRange range : kQtKeys) {
        for (int key = range.first; key <= range.last; ++key) {
          for (const Qt::KeyboardModifiers modifiers : kModifierSets) {
            const int code = virtualKeyCode({key, modifiers, native, 0, source});
            const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
            const bool digitPlace = !keypad && isMainRowDigitPlace(source, native);
            const bool levelThree =
                modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::AltModifier);
            const bool sound = keepsTheRanges(code, key, keypad, digitPlace, levelThree);
            if (!sound && violations++ == 0) {
              first = "source " + std::to_string(static_cast<int>(source)) + ", native " +
                      std::to_string(native) + ", key " + std::to_string(key) + ", modifiers " +
                      std::to_string(modifiers.toInt()) + " gave " + std::to_string(code);
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(violations, 0) << "first: " << first;
}

TEST(KeySourceFor, NamesThePlatformPlugins) {
  EXPECT_EQ(keySourceFor(u"xcb"), kX11OrWayland);
  EXPECT_EQ(keySourceFor(u"wayland"), kX11OrWayland);
  EXPECT_EQ(keySourceFor(u"wayland-egl"), kX11OrWayland);
  EXPECT_EQ(keySourceFor(u"windows"), kOther);
  EXPECT_EQ(keySourceFor(u"offscreen"), kOther);
  EXPECT_EQ(keySourceFor(u""), kOther);
}

TEST(ShiftState, HoldsShiftCtrlAndAltAsBits) {
  EXPECT_EQ(shiftState(Qt::NoModifier), 0);
  EXPECT_EQ(shiftState(Qt::ShiftModifier), 1);
  EXPECT_EQ(shiftState(Qt::ControlModifier), 2);
  EXPECT_EQ(shiftState(Qt::AltModifier), 4);
  EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
  EXPECT_EQ(shiftState(Qt::MetaModifier | Qt::KeypadModifier), 0);
}

}  // namespace
}  // namespace flurb::platform::qt
