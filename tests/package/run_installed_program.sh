#!/usr/bin/env bash
# Starts the installed program on a private X server with openbox, waits for its window, checks
# that the window matches the menu entry, and closes it with Alt+F4, which must end the program
# with status 0.
#
#   run_installed_program.sh SOURCE_DIR ARTIFACT_DIR
set -euo pipefail

readonly source_dir=$1 artifacts=$2
# shellcheck source-path=SCRIPTDIR/../..
# shellcheck source=tests/harness/xsession.sh
source "$source_dir/tests/harness/xsession.sh"

xs_start_session "$artifacts"
xs_launch /usr/bin/flurb-cards
xs_note "window up after $XS_STARTUP_MS ms"
xs_client_shot installed-program

# Docks and task switchers match a window to its menu entry (StartupWMClass) by this class.
window_class=$(xprop -id "$XS_WINDOW" WM_CLASS)
[[ "$window_class" == *', "flurb-cards"' ]] || xs_fail "the window's class is $window_class"

xs_close_with_alt_f4
[[ "$XS_EXIT_STATUS" -eq 0 ]] || xs_fail "the program ended with status $XS_EXIT_STATUS"
xs_note "closed with Alt+F4, status 0"
