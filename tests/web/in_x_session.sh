#!/usr/bin/env bash
# Runs a command on a private X server with openbox, the end-to-end tests' session, for a browser
# that needs a display; the server stops when the command ends.
#
#   in_x_session.sh ARTIFACT_DIR COMMAND...
set -euo pipefail
artifacts=$1
shift
# shellcheck source=../harness/xsession.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/xsession.sh"
# Room for the 800 x 700 window at ratio 2.
XS_SCREEN_WIDTH=2048 XS_SCREEN_HEIGHT=1600
xs_start_session "$artifacts"
"$@"
