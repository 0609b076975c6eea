#!/usr/bin/env bash
# A run-time error under Wine: the program built without its letter pictures fails in its load
# handler, shows the error in a message box before any card window, and once the box is closed
# ends with status 1.
#
#   runtime_error_test.sh PROGRAM.exe WINE_PREFIX ARTIFACT_DIR
set -euo pipefail
program=$1 prefix=$2 artifacts=$3
harness="$(dirname "${BASH_SOURCE[0]}")/../../harness"
# shellcheck source=SCRIPTDIR/../../harness/xsession.sh
source "$harness/xsession.sh"
# shellcheck source=SCRIPTDIR/../../harness/wine_window.sh
source "$harness/wine_window.sh"

readonly BOX_CAPTION="Flurb Cards"

box_shown() {
  xs_require_alive
  local found
  found=$(xdotool search --onlyvisible --name "^${BOX_CAPTION}\$" 2>/dev/null) || return 1
  box=${found%%$'\n'*}
}

xs_start_session "$artifacts"
ws_init "$prefix"
XS_PROGRAM_LOG="$XS_ARTIFACTS/program.log"
wine "$program" >"$XS_PROGRAM_LOG" 2>&1 &
XS_PROGRAM_PID=$!
box=""
xs_wait_for "the message box \"$BOX_CAPTION\"" box_shown
xs_screen_shot message-box
if xdotool search --onlyvisible --name "^${XS_CAPTION}\$" >/dev/null 2>&1; then
  xs_fail "the card window stands beside the message box"
fi
xs_note "message box up, no card window"

xdotool windowactivate "$box"
XS_WINDOW=$box
xs_wait_for "the message box to take the focus" xs_window_has_focus
xdotool key Return
xs_wait_for_exit "the message box"
xs_expect_equal "exit status after the run-time error" "$XS_EXIT_STATUS" 1
