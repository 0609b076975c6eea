#!/usr/bin/env bash
# Checks the files that the installed package put on this machine: exactly the expected ones, and
# each one sound for the tool that reads it.
#
#   check_installed_files.sh SOURCE_DIR APP_ID INSTALLED_FILE...
set -euo pipefail

readonly source_dir=$1 app_id=$2
shift 2
readonly icon_theme=/usr/share/icons/hicolor
readonly desktop_entry=/usr/share/applications/$app_id.desktop
readonly metainfo=/usr/share/metainfo/$app_id.metainfo.xml

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

check_program() {
  [[ -x "$1" ]] || fail "$1 is not executable"
  local kind
  kind=$(file -b "$1")
  [[ "$kind" == ELF*executable* && "$kind" == *", stripped"* ]] ||
    fail "$1 is not a stripped program: $kind"
  "$source_dir/tests/build/program_checks.sh" runpath "$1" || fail "$1 has a relative search path"
  "$source_dir/tests/build/program_checks.sh" hardening "$1" || fail "$1 lacks hardening"
}

# The value of KEY in the desktop entry's main group.
desktop_value() {
  sed -n "s/^$1=//p" "$desktop_entry"
}

check_desktop_entry() {
  local report
  report=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate: $report"
  [[ -z "$report" ]] || fail "desktop-file-validate has hints: $report"
  [[ "$(desktop_value Name)" == "Quimo's Flurb Cards" ]] || fail "menu name: $(desktop_value Name)"
  [[ ";$(desktop_value Categories)" == *";Education;"* ]] || fail "not in the Education menu"
  [[ ";$(desktop_value Keywords)" == *";Kids;"* ]] || fail "Kids is not among the keywords"
  [[ "$(command -v "$(desktop_value Exec)")" == /usr/bin/flurb-cards ]] ||
    fail "the menu entry starts $(desktop_value Exec), not the installed program"
  [[ -f "$icon_theme/32x32/apps/$(desktop_value Icon).png" ]] ||
    fail "the menu entry's icon $(desktop_value Icon) is not in the icon theme"
}

check_metainfo() {
  local report
  report=$(appstreamcli validate --no-net "$1" 2>&1) || fail "appstreamcli validate: $report"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$1" ||
    fail "the metadata does not launch $app_id.desktop"
}

# check_icon FILE SIZE: a SIZE x SIZE PNG.
check_icon() {
  local shape
  shape=$(identify -format '%m %wx%h' "$1") || fail "$1 is no picture"
  [[ "$shape" == "PNG $2x$2" ]] || fail "$1 is $shape, not PNG $2x$2"
}

# The theme's 32 x 32 icon is the program's own, pixel for pixel.
check_small_icon() {
  check_icon "$1" 32
  local differing
  differing=$(compare -metric AE "$source_dir/resources/flurb-cards.ico" "$1" null: 2>&1) || true
  [[ "$differing" == 0 ]] || fail "$1 differs from the program icon in $differing pixels"
}

check_man_page() {
  local page warnings
  warnings=$(mktemp)
  page=$(MANWIDTH=80 man --warnings -l "$1" 2>"$warnings") || fail "man cannot show $1"
  [[ ! -s "$warnings" ]] || fail "man warns about $1: $(cat "$warnings")"
  rm -f -- "$warnings"
  grep -q '^NAME' <<<"$page" || fail "the man page has no NAME section"
  grep -q 'has no options' <<<"$page" || fail "the man page does not say that there are no options"
}

check_copyright() {
  local line
  for line in '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    '^Files: resources/art/fluentui-emoji/\*$' '^License: MIT$'; do
    grep -q "$line" "$1" || fail "$1 has no line matching $line"
  done
}

# The newest changelog entry is the installed version's.
check_changelog() {
  local top version
  top=$(zcat "$1" | head -n 1) || fail "$1 is not gzip"
  version=$(dpkg-query -W -f='${Version}' flurb-cards)
  [[ "$top" == "flurb-cards ($version) "* ]] || fail "the changelog starts '$top', not $version"
}

declare -A expected=(
  [/usr/bin/flurb-cards]=check_program
  ["$desktop_entry"]=check_desktop_entry
  ["$metainfo"]=check_metainfo
  [$icon_theme/32x32/apps/flurb-cards.png]=check_small_icon
  [$icon_theme/48x48/apps/flurb-cards.png]="check_icon 48"
  [$icon_theme/64x64/apps/flurb-cards.png]="check_icon 64"
  [$icon_theme/128x128/apps/flurb-cards.png]="check_icon 128"
  [$icon_theme/256x256/apps/flurb-cards.png]="check_icon 256"
  [/usr/share/man/man6/flurb-cards.6.gz]=check_man_page
  [/usr/share/doc/flurb-cards/copyright]=check_copyright
  [/usr/share/doc/flurb-cards/changelog.gz]=check_changelog
)

unexpected=$(comm -13 <(printf '%s\n' "${!expected[@]}" | sort) <(printf '%s\n' "$@" | sort))
missing=$(comm -23 <(printf '%s\n' "${!expected[@]}" | sort) <(printf '%s\n' "$@" | sort))
[[ -z "$unexpected" ]] || fail "the package installs files no check knows: $unexpected"
[[ -z "$missing" ]] || fail "the package does not install: $missing"

for path in "${!expected[@]}"; do
  read -r -a check <<<"${expected[$path]}"
  "${check[0]}" "$path" "${check[@]:1}"
  echo "ok $path"
done
