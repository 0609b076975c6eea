#pragma once

#include <QtGlobal>

namespace flurb::platform::qt {

// The character the key with this X key code types with no modifier in the layout that the key
// event's native modifiers name (the XKB group), from the X server's keyboard map: 'q' for the
// German Q key pressed with AltGr. 0 when the program does not run on X11, and for keys whose
// symbol is no character or one of X's legacy non-Latin symbols.
char32_t x11UnshiftedCharacter(quint32 keyCode, quint32 nativeModifiers);

}  // namespace flurb::platform::qt
