# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# GNOME's mutter, headless with a virtual monitor and Xwayland. Keys go through its
# remote-desktop service and screenshots through its screen cast, which needs PipeWire and
# WirePlumber on the session's bus. Scale 2 is a monitor of twice the pixels set to scale 2
# through mutter's display configuration service, as GNOME's settings would.

readonly DESK_KEYSYMS_NAMED="alt=0xffe9 ctrl=0xffe3 shift=0xffe1 super=0xffeb F4=0xffc1 Escape=0xff1b"
DESK_KEYS_SENT=0

desk_run_as() {
  :
}

desk_ready() {
  [[ -s "$DM_RUNTIME_DIR/session-env" ]]
}

desk_pipewire_ready() {
  [[ -S "$DM_RUNTIME_DIR/pipewire-0" ]]
}

desk_keys_done() {
  (($(grep -c '^done$' "$DM_WORK/keys.log") >= DESK_KEYS_SENT))
}

desk_keys_ready() {
  grep -q '^ready$' "$DM_WORK/keys.log"
}

desk_session() {
  env XDG_RUNTIME_DIR="$DM_RUNTIME_DIR" DBUS_SESSION_BUS_ADDRESS="$DM_SESSION_BUS" "$@"
}

# xs_spawn runs programs, not shell functions.
desk_spawn_in_session() {
  local log=$1
  shift
  xs_spawn "$log" env XDG_RUNTIME_DIR="$DM_RUNTIME_DIR" DBUS_SESSION_BUS_ADDRESS="$DM_SESSION_BUS" "$@"
}

# Sets the only monitor to the scale through DisplayConfig, keeping its mode.
desk_set_scale() {
  local scale=$1 state serial connector mode
  state=$(desk_session gdbus call --session --dest org.gnome.Mutter.DisplayConfig \
    --object-path /org/gnome/Mutter/DisplayConfig --method org.gnome.Mutter.DisplayConfig.GetCurrentState)
  serial=$(sed -n 's/^(uint32 \([0-9]\+\),.*/\1/p' <<<"$state")
  connector=$(grep -o "(('[^']*'" <<<"$state" | head -n 1 | tr -d "('")
  mode=$(grep -o "\[('[^']*'" <<<"$state" | head -n 1 | tr -d "[('")
  desk_session gdbus call --session --dest org.gnome.Mutter.DisplayConfig \
    --object-path /org/gnome/Mutter/DisplayConfig \
    --method org.gnome.Mutter.DisplayConfig.ApplyMonitorsConfig "$serial" 1 \
    "[(0, 0, $scale.0, 0, true, [('$connector', '$mode', @a{sv} {})])]" '@a{sv} {}' >/dev/null
}

desk_start() {
  local scale=$1
  dm_require_command mutter pipewire wireplumber gst-launch-1.0 gdbus || return 1
  DM_RUNTIME_DIR=$DM_WORK/runtime
  mkdir -m 700 "$DM_RUNTIME_DIR"
  dm_start_session_bus || return 1
  desk_spawn_in_session "$DM_WORK/pipewire.log" pipewire
  # mutter's screen cast finds PipeWire when it starts, or not at all.
  xs_poll 10 desk_pipewire_ready || return 1
  desk_spawn_in_session "$DM_WORK/wireplumber.log" wireplumber
  printf '#!/bin/sh\nenv >"%s/session-env"\nexec sleep infinity\n' "$DM_RUNTIME_DIR" \
    >"$DM_WORK/session.sh"
  chmod +x "$DM_WORK/session.sh"
  desk_spawn_in_session "$DM_WORK/mutter.log" mutter --headless --wayland \
    --virtual-monitor "$((1280 * scale))x$((1024 * scale))" --wayland-display wayland-flurb \
    -- "$DM_WORK/session.sh"
  xs_poll 30 desk_ready || return 1
  if ((scale != 1)); then
    desk_set_scale "$scale" || return 1
  fi
  DM_WAYLAND_SOCKET=$DM_RUNTIME_DIR/wayland-flurb
  DM_X_DISPLAY=$(sed -n 's/^DISPLAY=//p' "$DM_RUNTIME_DIR/session-env")
  XAUTHORITY=$(sed -n 's/^XAUTHORITY=//p' "$DM_RUNTIME_DIR/session-env")
  export XAUTHORITY
  DM_SESSION_TYPE=wayland
  DM_CURRENT_DESKTOP=GNOME
  mkfifo "$DM_WORK/keys"
  # shellcheck disable=SC2016 # the inner shell expands them
  desk_spawn_in_session "$DM_WORK/keys.log" sh -c 'exec "$0" keys <"$1"' \
    "${DM_PROBE%/*}/mutter-remote" "$DM_WORK/keys"
  # Read and write, so that opening it waits for no reader.
  exec {DESK_KEYS_FD}<>"$DM_WORK/keys"
  xs_poll 10 desk_keys_ready
}

desk_shot() {
  desk_session "${DM_PROBE%/*}/mutter-remote" shot "$1"
}

desk_keysym() {
  local name=$1 pair
  for pair in $DESK_KEYSYMS_NAMED; do
    if [[ ${pair%%=*} == "$name" ]]; then
      echo "${pair#*=}"
      return
    fi
  done
  printf '0x%x\n' "'$name"
}

desk_key() {
  local chord parts part keysyms
  for chord in "$@"; do
    IFS=+ read -r -a parts <<<"$chord"
    keysyms=()
    for part in "${parts[@]}"; do
      keysyms+=("$(desk_keysym "$part")")
    done
    (
      IFS=+
      echo "${keysyms[*]}"
    ) >&"$DESK_KEYS_FD"
    DESK_KEYS_SENT=$((DESK_KEYS_SENT + 1))
  done
  xs_poll 10 desk_keys_done
}

desk_close() {
  desk_key alt+F4
}

# mutter places a new Wayland window itself (near the top left), whatever the program asks; an
# X11 window stands where the program puts it.
desk_places_windows() {
  [[ $1 == wayland ]]
}
