# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# sway on wlroots' headless back end, with Xwayland. sway refuses to run as root, so the session
# (sway, its bus and the program) belongs to the user flurb-desktop; root reaches its sockets.

readonly DESK_USER=flurb-desktop

desk_run_as() {
  echo "setpriv --reuid=$DESK_USER --regid=$DESK_USER --init-groups"
}

desk_ready() {
  [[ -s "$DM_RUNTIME_DIR/session-env" ]] && compgen -G "$DM_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null
}

desk_start() {
  local scale=$1
  dm_require_command sway wtype grim swaymsg xhost || return 1
  id "$DESK_USER" >/dev/null 2>&1 ||
    useradd --system --create-home --shell /usr/sbin/nologin "$DESK_USER"
  DM_HOME=$(getent passwd "$DESK_USER" | cut -d: -f6)
  DM_RUNTIME_DIR=$DM_WORK/runtime
  mkdir -m 700 "$DM_RUNTIME_DIR"
  chown "$DESK_USER:" "$DM_RUNTIME_DIR"
  dm_start_session_bus || return 1
  # The session's environment once Xwayland is there; an idle virtual keyboard that stays, or
  # each wtype would add and remove the seat's keyboard and the window would see only releases.
  cat >"$DM_WORK/sway.conf" <<CONFIG
output HEADLESS-1 resolution $((1280 * scale))x$((1024 * scale)) scale $scale
xwayland force
exec sh -c 'xhost +si:localuser:root && env >$DM_RUNTIME_DIR/session-env' 
exec wtype -s 86400000
CONFIG
  # shellcheck disable=SC2046 # desk_run_as gives words
  xs_spawn "$DM_WORK/sway.log" $(desk_run_as) env -i HOME="$DM_HOME" PATH=/usr/bin:/bin \
    XDG_RUNTIME_DIR="$DM_RUNTIME_DIR" DBUS_SESSION_BUS_ADDRESS="$DM_SESSION_BUS" \
    WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$DM_WORK/sway.conf"
  xs_poll 20 desk_ready || return 1
  DM_WAYLAND_SOCKET=$DM_RUNTIME_DIR/$(sed -n 's/^WAYLAND_DISPLAY=//p' "$DM_RUNTIME_DIR/session-env")
  DM_X_DISPLAY=$(sed -n 's/^DISPLAY=//p' "$DM_RUNTIME_DIR/session-env")
  DM_SESSION_TYPE=wayland
  DM_CURRENT_DESKTOP=sway
}

desk_wayland() {
  XDG_RUNTIME_DIR=$DM_RUNTIME_DIR WAYLAND_DISPLAY=$DM_WAYLAND_SOCKET "$@"
}

desk_shot() {
  desk_wayland grim "$1"
}

# xdotool's key names, as wtype takes them: modifiers held around the last key.
desk_key() {
  local chord modifiers=() key
  for chord in "$@"; do
    IFS=+ read -r -a parts <<<"$chord"
    key=${parts[-1]}
    modifiers=()
    for modifier in "${parts[@]:0:${#parts[@]}-1}"; do
      modifiers+=(-M "${modifier/super/logo}")
    done
    if ((${#key} == 1)); then
      desk_wayland wtype "${modifiers[@]}" "$key"
    else
      desk_wayland wtype "${modifiers[@]}" -k "$key"
    fi
  done
}

# sway binds no close key by default: its close is the kill command.
desk_close() {
  swaymsg -s "$(compgen -G "$DM_RUNTIME_DIR/sway-ipc.*.sock")" "[pid=$DM_PROGRAM_PID] kill" >/dev/null
}

# sway centres a new window itself or leaves it where the program puts it.
desk_places_windows() {
  false
}
