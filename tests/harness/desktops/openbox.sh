# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# openbox on Xvfb. Scale 2 is a screen of twice the pixels with Xft.dpi 192, as a desktop's
# settings daemon sets it.

desk_start() {
  local scale=$1
  dm_require_command Xvfb xset openbox xdotool xprop xrdb import || return 1
  xs_start_x_server "$DM_WORK" "$((1280 * scale))" "$((1024 * scale))" "$DM_WORK" >&2 || return 1
  # openbox sizes its title bar by Xft.dpi.
  echo "Xft.dpi: $((96 * scale))" | xrdb -merge
  xs_start_openbox "$DM_WORK" "$DM_WORK" >&2 || return 1
  DM_X_DISPLAY=$DISPLAY
  # The case's programs get the display from the session's environment only.
  unset DISPLAY
  DM_RUNTIME_DIR=$DM_WORK/runtime
  mkdir -m 700 "$DM_RUNTIME_DIR"
  dm_start_session_bus || return 1
  DM_SESSION_TYPE=x11
  DM_CURRENT_DESKTOP=openbox
}

desk_shot() {
  DISPLAY=$DM_X_DISPLAY import -window root "$1"
}

desk_key() {
  DISPLAY=$DM_X_DISPLAY xdotool key --delay 0 "$@"
}

desk_close() {
  desk_key alt+F4
}

desk_run_as() {
  :
}

# openbox centres a new window itself or leaves it where the program puts it.
desk_places_windows() {
  false
}
