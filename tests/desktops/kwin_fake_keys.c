/* Presses keys in KDE's kwin through its fake-input protocol, as a keyboard of the seat would:
 *
 *   kwin-fake-keys CHORD...     CHORD: evdev key codes joined by '+', e.g. 56+62 for Alt+F4
 *
 * Each chord's keys go down in order and up in reverse. WAYLAND_DISPLAY names kwin's socket;
 * kwin must run with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1. Exit status 1 when kwin cannot be
 * reached or offers no fake input. */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <wayland-client.h>

#include "fake-input-client-protocol.h"

enum { kMaxChordKeys = 8, kFirstKeyboardVersion = 4 };

static struct org_kde_kwin_fake_input* fake_input;

static void on_global(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version) {
  (void)data;
  if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
      version >= kFirstKeyboardVersion) {
    fake_input =
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, kFirstKeyboardVersion);
  }
}

static void on_global_remove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}

static const struct wl_registry_listener registry_listener = {on_global, on_global_remove};

static int press_chord(char* chord) {
  uint32_t keys[kMaxChordKeys];
  int count = 0;
  for (char* key = strtok(chord, "+"); key != NULL; key = strtok(NULL, "+")) {
    if (count == kMaxChordKeys) {
      return 0;
    }
    keys[count++] = (uint32_t)strtoul(key, NULL, 10);
  }
  for (int index = 0; index < count; ++index) {
    org_kde_kwin_fake_input_keyboard_key(fake_input, keys[index], WL_KEYBOARD_KEY_STATE_PRESSED);
  }
  for (int index = count - 1; index >= 0; --index) {
    org_kde_kwin_fake_input_keyboard_key(fake_input, keys[index], WL_KEYBOARD_KEY_STATE_RELEASED);
  }
  return 1;
}

int main(int argc, char** argv) {
  struct wl_display* display = wl_display_connect(NULL);
  if (display == NULL) {
    fprintf(stderr, "kwin-fake-keys: no Wayland display\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (fake_input == NULL) {
    fprintf(stderr, "kwin-fake-keys: the compositor offers no fake input\n");
    return 1;
  }
  org_kde_kwin_fake_input_authenticate(fake_input, "flurb-desktop-tests", "end-to-end tests");
  for (int index = 1; index < argc; ++index) {
    if (!press_chord(argv[index])) {
      fprintf(stderr, "kwin-fake-keys: too many keys in one chord\n");
      return 1;
    }
  }
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
