#pragma once

#include <cstdint>

#include <QtCore/qnamespace.h>
#include <QStringView>

namespace flurb::platform::qt {

// Which windowing system delivered a key event: the native codes mean different things on each.
enum class KeySource { kX11OrWayland, kOther };

// The source for a Qt platform plugin name (QGuiApplication::platformName()).
KeySource keySourceFor(QStringView platformName);

// What the toolkit tells about one key press.
struct KeyEventFacts {
  int qtKey = 0;                      // Qt::Key
  Qt::KeyboardModifiers modifiers{};  // Shift, Control, Alt, Meta, Keypad
  quint32 nativeScanCode = 0;         // X11/Wayland: X key code (evdev + 8); 0 when unknown or
                                      // synthesised
  quint32 nativeVirtualKey = 0;       // X11: keysym
  KeySource source = KeySource::kOther;
  // The character the same key gives with no modifier in the active layout, from the keyboard
  // map; 0 where the map is not known (it is known on X11 and Wayland).
  char32_t unshiftedCharacter = 0;
};

// The Windows virtual-key code of the key: 65..90 for the letter keys whatever Shift, Caps Lock,
// Ctrl, Alt or AltGr (the letter the key gives unshifted in its layout, else the US letter at its
// place); 48..57 for the main-row digit keys with or without Shift; 96..105 for keypad digits;
// the usual virtual-key code, or 0, for every other key.
std::int16_t virtualKeyCode(const KeyEventFacts& facts);

// Whether virtualKeyCode needs the key's unshifted character to tell its code: not for a Latin
// letter or a digit, which every key press of a burst of typing is (the keyboard map costs a
// round trip to the X server).
bool needsUnshiftedCharacter(int qtKey);

// The shift state as a bit set: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

}  // namespace flurb::platform::qt
