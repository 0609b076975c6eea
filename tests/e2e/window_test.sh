#!/usr/bin/env bash
# The real window on an X server with openbox: its caption, fixed client size, window type,
# no taskbar button, its icon and the keyboard focus; Alt+F4 ends the program with status 0.
#
#   window_test.sh PROGRAM RENDER_EXPECTED ARTIFACT_DIR
# shellcheck source=SCRIPTDIR/../harness/e2e_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/e2e_test.sh"

xs_start_session "$artifacts"
cc_init "$render_expected"
xs_launch "$program"
xs_note "window $XS_WINDOW up after $XS_STARTUP_MS ms; frame extents $XS_FRAME"

xs_expect_equal "caption (WM_NAME)" "$(xprop -id "$XS_WINDOW" WM_NAME)" \
  "WM_NAME(STRING) = \"$XS_CAPTION\""
xs_expect_equal "caption (_NET_WM_NAME)" "$(xprop -id "$XS_WINDOW" _NET_WM_NAME)" \
  "_NET_WM_NAME(UTF8_STRING) = \"$XS_CAPTION\""
xs_expect_equal "client size" "${XS_CLIENT_WIDTH}x${XS_CLIENT_HEIGHT}" "487x513"
# A utility window, as openbox keeps windows off its taskbar; transient for nothing, as weston
# never focuses a window transient for the toolkit's hidden leader window.
xs_expect_match "window type" "$(xprop -id "$XS_WINDOW" _NET_WM_WINDOW_TYPE)" \
  '= _NET_WM_WINDOW_TYPE_UTILITY$'
xs_expect_match "transient for nothing" "$(xprop -id "$XS_WINDOW" WM_TRANSIENT_FOR)" 'not found'
xs_expect_match "no taskbar button" "$(xprop -id "$XS_WINDOW" _NET_WM_STATE)" \
  '_NET_WM_STATE_SKIP_TASKBAR'
size_hints=$(xprop -id "$XS_WINDOW" WM_NORMAL_HINTS)
xs_expect_match "smallest size" "$size_hints" 'minimum size: 487 by 513'
xs_expect_match "largest size" "$size_hints" 'maximum size: 487 by 513'
xs_expect_match "window icon" "$(xprop -id "$XS_WINDOW" _NET_WM_ICON)" 'Icon \(32 x 32\)'
xs_window_has_focus || xs_fail "the window does not have the keyboard focus"
xs_note "keyboard focus: ok"

# openbox offers minimise whatever the hints say, and the window has no taskbar button to come
# back by: it comes back at once, viewable and focused. The window manager changes its state for
# the window twice, to Iconic and back to Normal; the spy reads the state after each change, so
# when the window comes back quickly it may read Normal both times.
states="$XS_ARTIFACTS/wm-states.txt"
xprop -spy -id "$XS_WINDOW" WM_STATE >"$states" &
spy=$!
came_back() {
  (($(grep -c 'window state:' "$states") >= 3)) &&
    [[ "$(xprop -id "$XS_WINDOW" WM_STATE)" == *"window state: Normal"* ]] &&
    xs_window_has_focus
}
xs_wait_for "the spy's first state" grep -q 'window state: Normal' "$states"
xdotool windowminimize "$XS_WINDOW"
xs_wait_for "the window to come back after minimising" came_back
kill "$spy"
xs_note "minimised: came back, focused"

cc_identify_start start-card
xs_note "start card: $CC_START"
xs_screen_shot screen

xs_close_with_alt_f4
xs_expect_equal "exit status after Alt+F4" "$XS_EXIT_STATUS" 0
