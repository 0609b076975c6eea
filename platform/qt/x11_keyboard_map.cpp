#include "x11_keyboard_map.h"

#include <QtGui/qguiapplication_platform.h>

#if QT_CONFIG(xcb)
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>
#endif

namespace flurb::platform::qt {

#if QT_CONFIG(xcb)
namespace {

constexpr quint32 kUnicodeKeysyms = 0x01000000;
constexpr quint32 kUnicodeMask = 0x00ffffff;
constexpr int kGroupShift = 13;  // the XKB group rides in bits 13 and 14 of the core state
constexpr quint32 kGroupMask = 3;
constexpr int kLevelsPerGroup = 2;  // the core map lists each group's first two levels

char32_t characterOfKeysym(xcb_keysym_t keysym) {
  const bool printableAscii = keysym >= 0x20 && keysym <= 0x7e;
  const bool latin1 = keysym >= 0xa0 && keysym <= 0xff;
  if (printableAscii || latin1) {
    return keysym;
  }
  if ((keysym & ~kUnicodeMask) == kUnicodeKeysyms) {
    return keysym & kUnicodeMask;
  }
  return 0;
}

}  // namespace

char32_t x11UnshiftedCharacter(quint32 keyCode, quint32 nativeModifiers) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  const xcb_setup_t* setup = connection != nullptr ? xcb_get_setup(connection) : nullptr;
  if (setup == nullptr || keyCode < setup->min_keycode || keyCode > setup->max_keycode) {
    return 0;
  }
  // Asked at each key press: the map follows a layout switched while the program runs.
  const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
      xcb_get_keyboard_mapping_reply(
          connection, xcb_get_keyboard_mapping(connection, static_cast<xcb_keycode_t>(keyCode), 1),
          nullptr),
      &std::free);
  if (!reply || reply->keysyms_per_keycode == 0) {
    return 0;
  }
  const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
  const auto group = static_cast<int>((nativeModifiers >> kGroupShift) & kGroupMask);
  const int column =
      group * kLevelsPerGroup < reply->keysyms_per_keycode ? group * kLevelsPerGroup : 0;
  return characterOfKeysym(keysyms[column]);
}

#else

char32_t x11UnshiftedCharacter(quint32 /*keyCode*/, quint32 /*nativeModifiers*/) {
  return 0;
}

#endif

}  // namespace flurb::platform::qt
