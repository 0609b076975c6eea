#pragma once

#include <QtGlobal>

namespace flurb::platform::qt {

// The character the key with this key code (evdev + 8, as Qt's Wayland events carry it) types
// with no modifier in the compositor's keyboard map: 'z' for the German Z key pressed with
// AltGr. The first layout of the map counts: the compositor tells which layout is active only
// to the client it sends the keys to, and Qt keeps that to itself. 0 when the program does not
// run on Wayland, and for keys whose symbol is no character.
char32_t waylandUnshiftedCharacter(quint32 keyCode);

}  // namespace flurb::platform::qt
