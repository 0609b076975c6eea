# shellcheck shell=bash
# Sourced after xsession.sh: the Windows program under Wine on the private X server, set up so
# that card_checks.sh and the xs_ functions work on it as on the Linux program.
#
#   ws_init PREFIX       Wine's prefix for the programs started here (made by the build); Wine
#                        ends with the session
#   ws_launch PROGRAM    starts PROGRAM.exe under Wine, waits for its window and sets what
#                        xs_launch sets (XS_WINDOW, XS_FRAME*, XS_CLIENT*, XS_STARTUP_MS)
#   ws_activate          gives the window the focus the way a click on it would
#   ws_set_dpi DPI       the resolution Wine reports to the programs started after it
#
# Wine draws a Windows frame itself, inside its X window: equal borders at the sides and at the
# bottom, the title bar on top; the window manager adds none (_NET_FRAME_EXTENTS are all 0).
# XS_FRAME* hold that Windows frame, which the program's outer Width and Height include.
#
# xs_wait_until_quiet watches the program's own process, where Wine's X11 driver reads the keys
# and the program draws; Wine's server is left out, as Wine's other processes keep it busy.

# The XS_ results are read by the tests that source this file.
# shellcheck disable=SC2034

# The client area in pixels: 487 x 513 at 96 dots per inch; a test at another resolution sets it.
WS_CLIENT_WIDTH=487
WS_CLIENT_HEIGHT=513

ws_stop() {
  wineserver -k 2>/dev/null || true
  xs_stop_session
}

ws_init() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  [[ -f "$WINEPREFIX/system.reg" ]] || xs_fail "no Wine prefix at $WINEPREFIX"
  # Wine's processes of an earlier run hold on to that run's display.
  wineserver -k 2>/dev/null || true
  wineserver -w
  trap ws_stop EXIT
}

ws_set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

ws_geometry_known() {
  local info
  info=$(xwininfo -id "$XS_WINDOW") || return 1
  [[ "$(sed -n 's/^ *Map State: *//p' <<<"$info")" == IsViewable ]] || return 1
  XS_OUTER_X=$(xs_wininfo_value "$info" 'Absolute upper-left X')
  XS_OUTER_Y=$(xs_wininfo_value "$info" 'Absolute upper-left Y')
  XS_OUTER_WIDTH=$(xs_wininfo_value "$info" 'Width')
  XS_OUTER_HEIGHT=$(xs_wininfo_value "$info" 'Height')
  XS_FRAME_LEFT=$(((XS_OUTER_WIDTH - WS_CLIENT_WIDTH) / 2))
  XS_FRAME_RIGHT=$XS_FRAME_LEFT
  XS_FRAME_BOTTOM=$XS_FRAME_LEFT
  XS_FRAME_TOP=$((XS_OUTER_HEIGHT - WS_CLIENT_HEIGHT - XS_FRAME_BOTTOM))
  XS_FRAME="$XS_FRAME_LEFT,$XS_FRAME_RIGHT,$XS_FRAME_TOP,$XS_FRAME_BOTTOM"
  XS_CLIENT_X=$((XS_OUTER_X + XS_FRAME_LEFT))
  XS_CLIENT_Y=$((XS_OUTER_Y + XS_FRAME_TOP))
  XS_CLIENT_WIDTH=$WS_CLIENT_WIDTH
  XS_CLIENT_HEIGHT=$WS_CLIENT_HEIGHT
}

ws_launch() {
  xs_start_program wine "$1"
  xs_wait_for "the window to be shown" ws_geometry_known
}

# openbox gives no focus to a new window that keeps off the taskbar unless it is a utility
# window, and Wine presents a tool window as a normal one: the child's first click does this.
ws_activate() {
  xdotool windowactivate "$XS_WINDOW"
  xs_wait_for "the keyboard focus" xs_window_has_focus
}
