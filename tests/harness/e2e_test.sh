# shellcheck shell=bash
# What every end-to-end test of the card window opens with. Sourced first, with the test's own
# arguments in place:
#
#   TEST.sh PROGRAM RENDER_EXPECTED ARTIFACT_DIR [MORE...]
#
# strict mode; `program`, `render_expected` and `artifacts` from the first three arguments (any
# more stay the test's, from $4 on); the X session (xsession.sh) and the card checks
# (card_checks.sh), from the folder HARNESS names.

# Read by the tests that source this file.
# shellcheck disable=SC2034
set -euo pipefail
program=$1 render_expected=$2 artifacts=$3
HARNESS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/xsession.sh
source "$HARNESS/xsession.sh"
# shellcheck source=SCRIPTDIR/card_checks.sh
source "$HARNESS/card_checks.sh"
