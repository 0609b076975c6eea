#!/usr/bin/env bash
# Every way the window can be closed ends the program with status 0 and nothing of it left
# running: the desktop's own close (Alt+F4 in openbox, sway's kill), the window destroyed from
# outside (xdotool windowclose), SIGTERM, SIGHUP and SIGINT; under openbox (X11) and sway
# (native Wayland, and X11 through Xwayland). Prints a table: close -> status, time, leftovers.
#
#   close_paths_test.sh PROGRAM PROBE ARTIFACT_DIR
set -euo pipefail
program=$1 artifacts=$3
export DM_PROBE=$2 QT_QPA_PLATFORM=offscreen
desktops="$(cd "$(dirname "${BASH_SOURCE[0]}")/../harness/desktops" && pwd)"
# shellcheck source=SCRIPTDIR/../harness/desktops/common.sh
source "$desktops/common.sh"
# shellcheck source=SCRIPTDIR/../harness/desktops/card_case.sh
source "$desktops/card_case.sh"

# How long the program gets to end after a close before the close counts as a hang.
readonly PATIENCE_SECONDS=20

# desktop | client | close
readonly CLOSES=(
  "openbox|auto|desktop"
  "openbox|auto|windowclose"
  "openbox|auto|TERM"
  "openbox|auto|HUP"
  "openbox|auto|INT"
  "sway|auto|desktop"
  "sway|auto|TERM"
  "sway|auto|HUP"
  "sway|x11|desktop"
  "sway|x11|windowclose"
  "sway|x11|TERM"
)

close_window() {
  case $1 in
    desktop) desk_close ;;
    windowclose) DISPLAY=$DM_X_DISPLAY xdotool windowclose "$(dm_x11_window)" ;;
    *) kill "-$1" "$DM_PROGRAM_PID" ;;
  esac
}

mkdir -p "$artifacts"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
unset XAUTHORITY
failures=0
table=$(printf '%-8s %-8s %-12s | %-6s %-7s %s' desktop client close status ms left)
started_desktop=""
for entry in "${CLOSES[@]}"; do
  IFS='|' read -r desktop client how <<<"$entry"
  if [[ "$desktop" != "$started_desktop" ]]; then
    if [[ -n "$started_desktop" ]]; then
      xs_stop_spawned
      rm -rf -- "$DM_WORK"
    fi
    # shellcheck source=/dev/null
    source "$desktops/$desktop.sh"
    DM_WORK=$(mktemp -d "${TMPDIR:-/tmp}/flurb-close.XXXXXX")
    chmod 755 "$DM_WORK"
    trap 'xs_stop_spawned; rm -rf -- "$DM_WORK" "$XDG_RUNTIME_DIR"' EXIT
    desk_start 1 2>"$artifacts/$desktop-desktop.log" || {
      echo "FAIL: $desktop did not start (see $artifacts)" >&2
      exit 1
    }
    started_desktop=$desktop
  fi
  DM_CASE_DIR="$artifacts/$desktop-$client-$how"
  rm -rf -- "$DM_CASE_DIR"
  mkdir -p "$DM_CASE_DIR"
  dm_launch "$program" "$client" "$DM_CASE_DIR/program.log"
  xs_poll "$PATIENCE_SECONDS" dm_window_shown up || {
    echo "FAIL: $desktop $client: no window (see $DM_CASE_DIR)" >&2
    exit 1
  }
  # The window has the keyboard focus once a key reaches it: only then can a close key reach it.
  desk_key 7
  xs_poll "$PATIENCE_SECONDS" dm_shows_dots seven 7 || {
    echo "FAIL: $desktop $client: the window does not take the keys (see $DM_CASE_DIR)" >&2
    exit 1
  }
  closing=$(xs_now_ms)
  close_window "$how"
  status="hang" elapsed="-" left="-"
  if xs_poll "$PATIENCE_SECONDS" dm_program_gone; then
    elapsed=$(($(xs_now_ms) - closing))
    status=0
    wait "$DM_PROGRAM_PID" || status=$?
    left="nothing"
    xs_poll 5 xs_session_empty "$DM_PROGRAM_PID" || left=$(pgrep -s "$DM_PROGRAM_PID" | wc -l)
  fi
  kill -KILL -- "-$DM_PROGRAM_PID" 2>/dev/null || true
  row=$(printf '%-8s %-8s %-12s | %-6s %-7s %s' "$desktop" "$client" "$how" "$status" "$elapsed" "$left")
  table+=$'\n'"$row"
  if [[ "$status" != 0 || "$left" != nothing ]]; then
    failures=$((failures + 1))
    table+="   <- FAIL (see $DM_CASE_DIR/program.log)"
  fi
done
echo "$table" | tee "$artifacts/close-paths.txt"
((failures == 0)) || {
  echo "FAIL: $failures close(s) did not end the program cleanly" >&2
  exit 1
}
