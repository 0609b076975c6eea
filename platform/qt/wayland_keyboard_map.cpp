#include "wayland_keyboard_map.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include <QGuiApplication>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace flurb::platform::qt {
namespace {

template <auto Release>
struct Releaser {
  template <typename Object>
  void operator()(Object* object) const {
    Release(object);
  }
};

using Context = std::unique_ptr<xkb_context, Releaser<xkb_context_unref>>;
using Keymap = std::unique_ptr<xkb_keymap, Releaser<xkb_keymap_unref>>;

// The compositor's keyboard map, over a connection of the program's own: Qt keeps its map to
// itself. A keyboard object gets the map when it is made and again whenever it changes, even
// on a connection that shows no window.
class WaylandKeymap {
 public:
  WaylandKeymap() : display_(wl_display_connect(nullptr)) {
    if (display_ == nullptr) {
      return;
    }
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    // The globals (the seat), the seat's capabilities (its keyboard), the keyboard's map.
    constexpr int kRoundTrips = 3;
    for (int trip = 0; trip < kRoundTrips && !keymap_; ++trip) {
      if (wl_display_roundtrip(display_) < 0) {
        break;
      }
    }
  }
  WaylandKeymap(const WaylandKeymap&) = delete;
  WaylandKeymap& operator=(const WaylandKeymap&) = delete;
  WaylandKeymap(WaylandKeymap&&) = delete;
  WaylandKeymap& operator=(WaylandKeymap&&) = delete;
  ~WaylandKeymap() {
    if (keyboard_ != nullptr) {
      wl_keyboard_destroy(keyboard_);
    }
    if (seat_ != nullptr) {
      wl_seat_destroy(seat_);
    }
    if (registry_ != nullptr) {
      wl_registry_destroy(registry_);
    }
    if (display_ != nullptr) {
      wl_display_disconnect(display_);
    }
  }

  char32_t unshiftedCharacter(xkb_keycode_t keyCode) {
    takeChangedMap();
    const xkb_keysym_t* keysyms = nullptr;
    if (!keymap_ || xkb_keymap_key_get_syms_by_level(keymap_.get(), keyCode, 0, 0, &keysyms) != 1) {
      return 0;
    }
    return xkb_keysym_to_utf32(keysyms[0]);
  }

 private:
  // Whatever the compositor has sent since, without waiting: a layout switched while the
  // program runs.
  void takeChangedMap() {
    if (display_ == nullptr) {
      return;
    }
    while (wl_display_prepare_read(display_) != 0) {
      if (wl_display_dispatch_pending(display_) < 0) {
        return;
      }
    }
    wl_display_flush(display_);
    pollfd readable{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&readable, 1, 0) == 1) {
      wl_display_read_events(display_);
    } else {
      wl_display_cancel_read(display_);
    }
    wl_display_dispatch_pending(display_);
  }

  static void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t /*version*/) {
    auto& self = *static_cast<WaylandKeymap*>(data);
    if (self.seat_ == nullptr && std::string_view(interface) == wl_seat_interface.name) {
      self.seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
      wl_seat_add_listener(self.seat_, &kSeatListener, data);
    }
  }

  static void onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto& self = *static_cast<WaylandKeymap*>(data);
    if (self.keyboard_ == nullptr && (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0) {
      self.keyboard_ = wl_seat_get_keyboard(seat);
      wl_keyboard_add_listener(self.keyboard_, &kKeyboardListener, data);
    }
  }

  static void onKeymap(void* data, wl_keyboard* /*keyboard*/, std::uint32_t format,
                       std::int32_t descriptor, std::uint32_t size) {
    auto& self = *static_cast<WaylandKeymap*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
      void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
      if (text != MAP_FAILED) {
        // The map's text ends with a NUL, which the size counts.
        Keymap keymap(
            xkb_keymap_new_from_buffer(self.context_.get(), static_cast<const char*>(text),
                                       strnlen(static_cast<const char*>(text), size),
                                       XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
        munmap(text, size);
        if (keymap) {
          self.keymap_ = std::move(keymap);
        }
      }
    }
    close(descriptor);
  }

  static constexpr wl_registry_listener kRegistryListener{
      &onGlobal, [](void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}};
  static constexpr wl_seat_listener kSeatListener{
      &onCapabilities, [](void* /*data*/, wl_seat* /*seat*/, const char* /*name*/) {}};
  // Only the map matters: the keys themselves reach Qt's connection.
  static constexpr wl_keyboard_listener kKeyboardListener{
      &onKeymap,
      [](void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
         wl_surface* /*surface*/, wl_array* /*keys*/) {},
      [](void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
         wl_surface* /*surface*/) {},
      [](void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
         std::uint32_t /*time*/, std::uint32_t /*key*/, std::uint32_t /*state*/) {},
      [](void* /*data*/, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
         std::uint32_t /*depressed*/, std::uint32_t /*latched*/, std::uint32_t /*locked*/,
         std::uint32_t /*group*/) {},
      [](void* /*data*/, wl_keyboard* /*keyboard*/, std::int32_t /*rate*/, std::int32_t /*delay*/) {
      }};

  Context context_{xkb_context_new(XKB_CONTEXT_NO_FLAGS)};
  Keymap keymap_;
  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
};

}  // namespace

char32_t waylandUnshiftedCharacter(quint32 keyCode) {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    return 0;
  }
  // Connected at the first key that needs the map, and kept while the program runs.
  static WaylandKeymap keymap;
  return keymap.unshiftedCharacter(keyCode);
}

}  // namespace flurb::platform::qt
