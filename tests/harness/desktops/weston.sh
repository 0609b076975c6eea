# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# weston with Xwayland, on its X11 back end inside an Xvfb: headless weston has no keyboard,
# while the X11 back end takes xdotool's keys and pointer on that Xvfb as weston's own input.

desk_run_as() {
  :
}

desk_ready() {
  [[ -S "$DM_RUNTIME_DIR/wayland-flurb" ]] &&
    grep -q 'xserver listening on display' "$DM_WORK/weston.log" 2>/dev/null
}

desk_start() {
  local scale=$1
  dm_require_command Xvfb xset weston Xwayland xdotool import || return 1
  xs_start_x_server "$DM_WORK" "$((1280 * scale))" "$((1024 * scale))" "$DM_WORK" >&2 || return 1
  DESK_HOST_DISPLAY=$DISPLAY
  unset DISPLAY
  DM_RUNTIME_DIR=$DM_WORK/runtime
  mkdir -m 700 "$DM_RUNTIME_DIR"
  dm_start_session_bus || return 1
  xs_spawn "$DM_WORK/weston.log" env DISPLAY="$DESK_HOST_DISPLAY" XDG_RUNTIME_DIR="$DM_RUNTIME_DIR" \
    DBUS_SESSION_BUS_ADDRESS="$DM_SESSION_BUS" weston --backend=x11-backend.so --width=1280 \
    --height=1024 --scale="$scale" --xwayland --use-pixman --socket=wayland-flurb --idle-time=0
  xs_poll 20 desk_ready || return 1
  DM_WAYLAND_SOCKET=$DM_RUNTIME_DIR/wayland-flurb
  DM_X_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]\+\).*/\1/p' "$DM_WORK/weston.log")
  DM_SESSION_TYPE=wayland
  # weston's session file names no desktop, so a display manager sets no XDG_CURRENT_DESKTOP,
  # only XDG_SESSION_DESKTOP from the file's name.
  DM_SESSION_DESKTOP=weston
  # The pointer inside weston's window, where its keys go.
  desk_host xdotool mousemove 5 5
}

desk_host() {
  DISPLAY=$DESK_HOST_DISPLAY "$@"
}

# weston repaints its window on the Xvfb only after an event there: a pointer move first.
desk_shot() {
  desk_host xdotool mousemove 0 1 mousemove 5 5
  desk_host import -window root "$1"
}

desk_key() {
  desk_host xdotool key --delay 0 "$@"
}

# weston binds no close key: the close button at the right end of the title bar, above the
# client area that the last screenshot showed.
desk_close() {
  local x y width height
  read -r x y width height <<<"$DM_RECT"
  desk_host xdotool mousemove $((x + width - ${DESK_CLOSE_FROM_RIGHT:-12})) $((y - ${DESK_CLOSE_ABOVE:-12})) click 1
}

# weston places every new window itself, X11 windows through Xwayland included.
desk_places_windows() {
  true
}
