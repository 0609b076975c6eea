# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# openbox on Xvfb. Scale 2 is a screen of twice the pixels with Xft.dpi 192, as a desktop's
# settings daemon sets it.

desk_display_announced() {
  grep -qx '[0-9]\+' "$DM_WORK/display" 2>/dev/null
}

desk_window_manager_ready() {
  local check
  check=$(DISPLAY=$DM_X_DISPLAY xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) &&
    [[ "$check" == *'window id'* ]]
}

desk_start() {
  local scale=$1
  dm_require_command Xvfb openbox xdotool xprop xrdb import || return 1
  dm_spawn "$DM_WORK/xvfb.log" Xvfb -displayfd 3 -screen 0 "$((1280 * scale))x$((1024 * scale))x24" \
    -nolisten tcp -noreset 3>"$DM_WORK/display"
  dm_wait_for 10 desk_display_announced || return 1
  DM_X_DISPLAY=":$(tr -d '\n' <"$DM_WORK/display")"
  echo "Xft.dpi: $((96 * scale))" | DISPLAY=$DM_X_DISPLAY xrdb -merge
  mkdir -p "$DM_WORK/config" "$DM_WORK/cache"
  dm_spawn "$DM_WORK/openbox.log" env DISPLAY="$DM_X_DISPLAY" XDG_CONFIG_HOME="$DM_WORK/config" \
    XDG_CACHE_HOME="$DM_WORK/cache" openbox --sm-disable
  dm_wait_for 10 desk_window_manager_ready || return 1
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
