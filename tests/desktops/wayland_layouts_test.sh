#!/usr/bin/env bash
# The keyboard layouts' steps of the X server's test, under KDE's kwin with the program as a
# native Wayland client, where the keyboard map comes from the compositor. kwin runs with each
# layout in turn; keys go in by evdev code, as the keyboard sends them; after each, the client
# area equals the model's drawing of the same history. Skipped (status 77) where kwin is not
# installed.
#
#   wayland_layouts_test.sh PROGRAM PROBE RENDER_EXPECTED ARTIFACT_DIR
set -euo pipefail
program=$1 artifacts=$4
export DM_PROBE=$2 QT_QPA_PLATFORM=offscreen
DM_RENDER_EXPECTED=$3
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
desktops="$here/../harness/desktops"
# shellcheck source=SCRIPTDIR/../harness/desktops/common.sh
source "$desktops/common.sh"
# shellcheck source=SCRIPTDIR/../harness/desktops/card_case.sh
source "$desktops/card_case.sh"
# shellcheck source=SCRIPTDIR/../harness/desktops/kwin.sh
source "$desktops/kwin.sh"
# shellcheck source=SCRIPTDIR/../e2e/layout_steps.sh
source "$here/../e2e/layout_steps.sh"

if ! command -v kwin_wayland >/dev/null; then
  echo "kwin_wayland is not installed: skipped"
  exit 77
fi

# Only a hang reaches this: each step ends as soon as the card shows.
readonly PATIENCE_SECONDS=60
readonly X11_KEY_CODE_OFFSET=8

# The steps' xdotool keys (X key codes, shift, ISO_Level3_Shift) as a chord of evdev codes.
evdev_chord() {
  local parts part codes=()
  IFS=+ read -r -a parts <<<"$1"
  for part in "${parts[@]}"; do
    case $part in
      shift) codes+=(42) ;;
      ISO_Level3_Shift) codes+=(100) ;;  # right Alt, AltGr
      *) codes+=($((part - X11_KEY_CODE_OFFSET))) ;;
    esac
  done
  local IFS=+
  echo "${codes[*]}"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The start card's letter, from a screenshot of the client area.
identify_start() {
  dm_client_shot "$1" || return 1
  START=$("$DM_RENDER_EXPECTED" --frame 0,0,0,0 --identify "$DM_CLIENT_SHOT")
}

stop_desktop() {
  if [[ -n "${DM_WORK:-}" ]]; then
    xs_stop_spawned
    rm -rf -- "$DM_WORK"
  fi
}

mkdir -p "$artifacts"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
unset XAUTHORITY
trap 'stop_desktop; rm -rf -- "$XDG_RUNTIME_DIR"' EXIT
current=""
for step in "${STEPS[@]}"; do
  IFS='|' read -r layout name codes keys <<<"$step"
  if [[ "$layout" != "$current" ]]; then
    stop_desktop
    DM_WORK=$(mktemp -d "${TMPDIR:-/tmp}/flurb-layouts.XXXXXX")
    chmod 755 "$DM_WORK"
    DM_CASE_DIR="$artifacts/${layout// /_}"
    rm -rf -- "$DM_CASE_DIR"
    mkdir -p "$DM_CASE_DIR"
    DM_KEYBOARD_LAYOUT=$layout desk_start 1 2>"$DM_CASE_DIR/desktop.log" ||
      fail "kwin did not start with layout $layout (see $DM_CASE_DIR)"
    dm_launch "$program" wayland "$DM_CASE_DIR/program.log"
    xs_poll "$PATIENCE_SECONDS" identify_start "$name-start" ||
      fail "layout $layout: no start card (see $DM_CASE_DIR)"
    echo "layout $layout: start card $START"
    current=$layout
    history=""
  fi
  desk_key_codes "$(evdev_chord "$keys")"
  history+="${history:+,}$codes"
  xs_poll "$PATIENCE_SECONDS" dm_shows_card "$name" 0,0,0,0 "$history" 96 "$START" ||
    fail "$name: keys $keys do not give the card of key codes $codes (see $DM_CASE_DIR)"
  echo "$name: ok"
done
desk_close
xs_poll "$PATIENCE_SECONDS" dm_program_gone || fail "the program did not end after Alt+F4"
wait "$DM_PROGRAM_PID" || fail "exit status $? after Alt+F4"
