# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# KDE's kwin on its virtual back end, with Xwayland. Debian's kwin_wayland carries a file
# capability that a container may refuse; a copy runs without it. Keys go through kwin's
# fake-input protocol, screenshots through its D-Bus service, both allowed by environment.

# shellcheck source=tests/harness/desktops/evdev_keys.sh
source "$(dirname "${BASH_SOURCE[0]}")/evdev_keys.sh"

desk_run_as() {
  :
}

desk_ready() {
  [[ -s "$DM_RUNTIME_DIR/session-env" ]]
}

desk_start() {
  local scale=$1
  dm_require_command kwin_wayland Xwayland || return 1
  DM_RUNTIME_DIR=$DM_WORK/runtime
  mkdir -m 700 "$DM_RUNTIME_DIR"
  dm_start_session_bus || return 1
  cp /usr/bin/kwin_wayland "$DM_WORK/kwin_wayland"
  # kwin starts the session's first program once Xwayland is up: it tells the environment.
  printf '#!/bin/sh\nenv >"%s/session-env"\nexec sleep infinity\n' "$DM_RUNTIME_DIR" \
    >"$DM_WORK/session.sh"
  chmod +x "$DM_WORK/session.sh"
  # The keyboard layout, where a case sets one (DM_KEYBOARD_LAYOUT: setxkbmap's words, as
  # "us -variant dvorak"): kwin without a configuration of its own takes xkbcommon's defaults.
  local layout=() words
  if [[ -n "${DM_KEYBOARD_LAYOUT:-}" ]]; then
    read -r -a words <<<"$DM_KEYBOARD_LAYOUT"
    layout=("XKB_DEFAULT_LAYOUT=${words[0]}")
    [[ "${words[1]:-}" == -variant ]] && layout+=("XKB_DEFAULT_VARIANT=${words[2]}")
  fi
  xs_spawn "$DM_WORK/kwin.log" env "${layout[@]}" XDG_RUNTIME_DIR="$DM_RUNTIME_DIR" \
    DBUS_SESSION_BUS_ADDRESS="$DM_SESSION_BUS" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_QPA_PLATFORM= "$DM_WORK/kwin_wayland" --virtual \
    --width 1280 --height 1024 --scale "$scale" --xwayland --socket wayland-flurb \
    --no-lockscreen --exit-with-session "$DM_WORK/session.sh"
  xs_poll 30 desk_ready || return 1
  DM_WAYLAND_SOCKET=$DM_RUNTIME_DIR/wayland-flurb
  DM_X_DISPLAY=$(sed -n 's/^DISPLAY=//p' "$DM_RUNTIME_DIR/session-env")
  DM_SESSION_TYPE=wayland
  DM_CURRENT_DESKTOP=KDE
}

desk_shot() {
  DBUS_SESSION_BUS_ADDRESS=$DM_SESSION_BUS "${DM_PROBE%/*}/kwin-screenshot" "$1"
}

desk_key() {
  local chord codes=()
  for chord in "$@"; do
    codes+=("$(dm_evdev_chord "$chord")")
  done
  desk_key_codes "${codes[@]}"
}

# desk_key_codes CHORD...: chords of evdev key codes, as 56+62 for Alt+F4.
desk_key_codes() {
  XDG_RUNTIME_DIR=$DM_RUNTIME_DIR WAYLAND_DISPLAY=$DM_WAYLAND_SOCKET \
    "${DM_PROBE%/*}/kwin-fake-keys" "$@"
}

desk_close() {
  desk_key alt+F4
}

# kwin centres a new window itself or leaves it where the program puts it.
desk_places_windows() {
  false
}
