#!/usr/bin/env bash
# What a Windows parent downloads: the zip holds the program, its read-me and licence in one
# folder; the installer, run silently under Wine, puts the same program in place with a
# Start-menu entry and an entry among the installed apps, and its uninstaller takes all of it
# away again.
#
#   package_test.sh ZIP INSTALLER PROGRAM.exe WINE_PREFIX
set -euo pipefail
zip=$1 installer=$2 program=$3
export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
readonly UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\FlurbCards'
work=$(mktemp -d "${TMPDIR:-/tmp}/flurb-package.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() {
  echo "-- $*"
}

folder=$(basename "$zip" .zip)
listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
expected="$folder/LICENSE.txt $folder/README.txt $folder/flurb-cards.exe "
[[ "$listing" == "$expected" ]] || fail "the zip holds '$listing', expected '$expected'"
(cd "$work" && cmake -E tar xf "$zip")
cmp -s "$work/$folder/flurb-cards.exe" "$program" || fail "the zip's program is not the one built"
note "zip: $listing"

target="$work/installed"
# /D= comes last and unquoted, whatever the path holds.
wine "$installer" /S "/D=$(winepath -w "$target")"
wineserver -w
for file in flurb-cards.exe README.txt LICENSE.txt uninstall.exe; do
  [[ -f "$target/$file" ]] || fail "the installer did not put $file in place"
done
cmp -s "$target/flurb-cards.exe" "$program" || fail "the installed program is not the one built"
programs=$(winepath -u "$(wine cmd /c echo '%APPDATA%' | tr -d '\r')")
shortcut="$programs/Microsoft/Windows/Start Menu/Programs/Quimo's Flurb Cards.lnk"
[[ -f "$shortcut" ]] || fail "no Start-menu entry at $shortcut"
entry=$(wine reg query "$UNINSTALL_KEY" /v DisplayName | tr -d '\r') || fail "no uninstall entry"
[[ "$entry" == *"Quimo's Flurb Cards"* ]] || fail "the uninstall entry reads: $entry"
note "installed: program, read-me, licence, Start-menu entry, uninstall entry"

# The uninstaller copies itself away and runs from there: wait for every process of the prefix.
wine "$target/uninstall.exe" /S
wineserver -w
[[ ! -e "$target" ]] || fail "the uninstaller left $(ls -A "$target")"
[[ ! -e "$shortcut" ]] || fail "the uninstaller left the Start-menu entry"
if wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; then
  fail "the uninstaller left the uninstall entry"
fi
note "uninstalled: nothing left"
