#!/usr/bin/env bash
# What a Windows parent downloads: the zip holds the program, its read-me and licence in one
# folder; the installer, run silently under Wine, puts the same program in place with a
# Start-menu entry and an entry among the installed apps, and its uninstaller takes all of it
# away again. While the installed program runs, neither may touch it: both end with a failure
# status and change nothing.
#
#   package_test.sh ZIP INSTALLER PROGRAM.exe WINE_PREFIX ARTIFACT_DIR
set -euo pipefail
zip=$1 installer=$2 program=$3 prefix=$4 artifacts=$5
harness="$(dirname "${BASH_SOURCE[0]}")/../harness"
# shellcheck source=SCRIPTDIR/../harness/xsession.sh
source "$harness/xsession.sh"
# shellcheck source=SCRIPTDIR/../harness/wine_window.sh
source "$harness/wine_window.sh"
readonly UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\FlurbCards'

folder=$(basename "$zip" .zip)
listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
expected="$folder/LICENSE.txt $folder/README.txt $folder/flurb-cards.exe "
xs_expect_equal "the zip's files" "$listing" "$expected"

xs_start_session "$artifacts"
ws_init "$prefix"
work=$(mktemp -d "${TMPDIR:-/tmp}/flurb-package.XXXXXX")
trap 'ws_stop; rm -rf -- "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
cmp -s "$work/$folder/flurb-cards.exe" "$program" || xs_fail "the zip's program is not the one built"

target="$work/installed"
windows_target=$(winepath -w "$target")
programs=$(winepath -u "$(wine cmd /c echo '%APPDATA%' | tr -d '\r')")
shortcut="$programs/Microsoft/Windows/Start Menu/Programs/Quimo's Flurb Cards.lnk"

# /D= comes last and unquoted, whatever the path holds.
wine "$installer" /S "/D=$windows_target"
wineserver -w
for file in flurb-cards.exe README.txt LICENSE.txt uninstall.exe; do
  [[ -f "$target/$file" ]] || xs_fail "the installer did not put $file in place"
done
cmp -s "$target/flurb-cards.exe" "$program" || xs_fail "the installed program is not the one built"
[[ -f "$shortcut" ]] || xs_fail "no Start-menu entry at $shortcut"
entry=$(wine reg query "$UNINSTALL_KEY" /v DisplayName | tr -d '\r') || xs_fail "no uninstall entry"
[[ "$entry" == *"Quimo's Flurb Cards"* ]] || xs_fail "the uninstall entry reads: $entry"
xs_note "installed: program, read-me, licence, Start-menu entry, uninstall entry"

# Every file with its size and time, the Start-menu entry and the uninstall entry.
installed_state() {
  find "$target" "$shortcut" -printf '%p %s %T@\n' | sort
  wine reg query "$UNINSTALL_KEY" | tr -d '\r'
}

ws_launch "$target/flurb-cards.exe"
before=$(installed_state)
setup_over_the_running_program() {
  wine "$installer" /S "/D=$windows_target"
}
uninstall_while_the_program_runs() {
  wine "$target/uninstall.exe" /S
}
for step in setup_over_the_running_program uninstall_while_the_program_runs; do
  what=${step//_/ }
  status=0
  "$step" || status=$?
  ((status != 0)) || xs_fail "$what: ended with status 0"
  xs_require_alive
  [[ "$(installed_state)" == "$before" ]] || xs_fail "$what changed the installed files"
  xs_note "$what: status $status, nothing changed"
done
ws_activate
xs_close_with_alt_f4
xs_expect_equal "the program's status after Alt+F4" "$XS_EXIT_STATUS" 0

# The uninstaller leaves its own file and the folder to a copy of itself that waits for it to end:
# wait for every process of the prefix.
wine "$target/uninstall.exe" /S || xs_fail "the uninstaller ended with status $?"
wineserver -w
[[ ! -e "$target" ]] || xs_fail "the uninstaller left $(ls -A "$target")"
[[ ! -e "$shortcut" ]] || xs_fail "the uninstaller left the Start-menu entry"
if wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; then
  xs_fail "the uninstaller left the uninstall entry"
fi
xs_note "uninstalled: nothing left"
