# shellcheck shell=bash
# Sourced by the end-to-end tests: a private X server with openbox on it, the program in its own
# window there, and the means to look at that window and type into it.
#
#   xs_start_session ARTIFACT_DIR    Xvfb (a free display, 1280x1024x24 unless XS_SCREEN_WIDTH and
#                                    XS_SCREEN_HEIGHT say otherwise) + openbox; both stop when
#                                    the test's shell exits, whatever way it exits; earlier
#                                    pictures and logs in ARTIFACT_DIR are removed
#   xs_launch PROGRAM                start the program, wait for its window, read its geometry
#   xs_key ARGS...                   xdotool key, sent to whichever window has the focus
#   xs_wait_until_quiet              wait until the X server, openbox and the program have done
#                                    all the work they were given
#   xs_client_shot NAME              the client area as NAME.png in the artefact directory
#   xs_expect_equal / xs_expect_match   a check that fails the test or notes what it saw
#   xs_close_with_alt_f4             Alt+F4, then the program's exit status in XS_EXIT_STATUS
#
# Every wait is for something the program or the X server does, never for a stretch of time: it
# polls every 20 ms (xdotool's own --sync polls every 500 ms), and only a hang reaches its
# deadline. The caller sets `set -euo pipefail`.

# The XS_ results are read by the tests that source this file.
# shellcheck disable=SC2034

XS_SCREEN_WIDTH=${XS_SCREEN_WIDTH:-1280}
XS_SCREEN_HEIGHT=${XS_SCREEN_HEIGHT:-1024}
readonly XS_CAPTION="Quimo's Flurb Cards"

# shellcheck source=SCRIPTDIR/session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

XS_DIR=""
XS_ARTIFACTS=""
XS_PROGRAM_PID=""
XS_LAUNCHES=0

xs_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# xs_expect_equal WHAT ACTUAL EXPECTED: fails unless they are the same text.
xs_expect_equal() {
  local what=$1 actual=$2 expected=$3
  [[ "$actual" == "$expected" ]] || xs_fail "$what: got '$actual', expected '$expected'"
  xs_note "$what: $actual"
}

# xs_expect_match WHAT TEXT PATTERN: fails unless the text matches the extended regex.
xs_expect_match() {
  local what=$1 text=$2 pattern=$3
  [[ "$text" =~ $pattern ]] || xs_fail "$what: '$pattern' not in: ${text:0:300}"
  xs_note "$what: ok"
}

# xs_wait_for DESCRIPTION COMMAND...: runs COMMAND until it succeeds; the test fails at a hang.
xs_wait_for() {
  xs_await "$@" || exit 1
}

xs_stop_session() {
  if [[ -n "$XS_PROGRAM_PID" ]] && kill -0 "$XS_PROGRAM_PID" 2>/dev/null; then
    kill "$XS_PROGRAM_PID" 2>/dev/null || true
    wait "$XS_PROGRAM_PID" 2>/dev/null || true
  fi
  XS_PROGRAM_PID=""
  xs_stop_spawned
  if [[ -n "$XS_DIR" ]]; then
    rm -rf -- "$XS_DIR"
  fi
}

xs_start_session() {
  XS_ARTIFACTS=$1
  mkdir -p -- "$XS_ARTIFACTS"
  # Pictures and logs of an earlier run would only mislead.
  find "$XS_ARTIFACTS" -maxdepth 1 -type f \( -name '*.png' -o -name '*.log' \) -delete
  XS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/flurb-e2e.XXXXXX")
  trap xs_stop_session EXIT
  # A signal ends the shell without its EXIT trap unless the signal is trapped too.
  trap 'exit 143' TERM
  trap 'exit 130' INT
  mkdir -m 700 "$XS_DIR/runtime"
  xs_start_x_server "$XS_DIR" "$XS_SCREEN_WIDTH" "$XS_SCREEN_HEIGHT" "$XS_ARTIFACTS" || exit 1
  # No auto-repeat but where a test holds a key on purpose: xdotool held off the CPU between a
  # press and its release (a busy machine) would otherwise send repeats nobody asked for.
  xset r off
  export XDG_RUNTIME_DIR="$XS_DIR/runtime"
  unset XAUTHORITY WAYLAND_DISPLAY
  # Settings that openbox and the program read when they start (display_settings.sh).
  if declare -F xs_prepare_display >/dev/null; then
    xs_prepare_display
  fi
  xs_start_openbox "$XS_DIR" "$XS_ARTIFACTS" || exit 1
  xs_note "X server on $DISPLAY with openbox"
}

xs_program_alive() {
  [[ -n "$XS_PROGRAM_PID" ]] && kill -0 "$XS_PROGRAM_PID" 2>/dev/null
}

xs_program_gone() {
  ! xs_program_alive
}

xs_require_alive() {
  xs_program_alive || xs_fail "the program is gone; its output: $(cat "$XS_PROGRAM_LOG")"
}

xs_find_window() {
  xs_require_alive
  local found
  found=$(xdotool search --onlyvisible --name "^${XS_CAPTION}\$" 2>/dev/null) || return 1
  XS_WINDOW=${found%%$'\n'*}
  [[ -n "$XS_WINDOW" ]]
}

# Reads one value from xwininfo's output, e.g. "Absolute upper-left X".
xs_wininfo_value() {
  local info=$1 name=$2
  sed -n "s/^ *${name}: *\\(-\\?[0-9]\\+\\).*/\\1/p" <<<"$info"
}

xs_frame_known() {
  local extents
  extents=$(xprop -id "$XS_WINDOW" _NET_FRAME_EXTENTS 2>/dev/null) || return 1
  [[ "$extents" =~ =\ *([0-9]+),\ *([0-9]+),\ *([0-9]+),\ *([0-9]+) ]] || return 1
  XS_FRAME_LEFT=${BASH_REMATCH[1]} XS_FRAME_RIGHT=${BASH_REMATCH[2]}
  XS_FRAME_TOP=${BASH_REMATCH[3]} XS_FRAME_BOTTOM=${BASH_REMATCH[4]}
  XS_FRAME="$XS_FRAME_LEFT,$XS_FRAME_RIGHT,$XS_FRAME_TOP,$XS_FRAME_BOTTOM"
}

# The client window sits inside openbox's frame once it stands at the frame's inner corner.
xs_reparented() {
  local info
  info=$(xwininfo -id "$XS_WINDOW") || return 1
  [[ "$(xs_wininfo_value "$info" 'Relative upper-left X')" == "$XS_FRAME_LEFT" ]] &&
    [[ "$(xs_wininfo_value "$info" 'Relative upper-left Y')" == "$XS_FRAME_TOP" ]] || return 1
  XS_CLIENT_X=$(xs_wininfo_value "$info" 'Absolute upper-left X')
  XS_CLIENT_Y=$(xs_wininfo_value "$info" 'Absolute upper-left Y')
  XS_CLIENT_WIDTH=$(xs_wininfo_value "$info" 'Width')
  XS_CLIENT_HEIGHT=$(xs_wininfo_value "$info" 'Height')
}

# xs_start_program COMMAND...: starts the program, its output in a log of its own, and waits for
# its window (XS_WINDOW); XS_STARTUP_MS says how long the window took to appear.
xs_start_program() {
  local started
  XS_LAUNCHES=$((XS_LAUNCHES + 1))
  XS_PROGRAM_LOG="$XS_ARTIFACTS/program-$XS_LAUNCHES.log"
  started=$(xs_now_ms)
  "$@" >"$XS_PROGRAM_LOG" 2>&1 &
  XS_PROGRAM_PID=$!
  xs_wait_for "the window \"$XS_CAPTION\"" xs_find_window
  XS_STARTUP_MS=$(($(xs_now_ms) - started))
}

# Starts the program and waits until its window is up in openbox's frame. Sets what
# xs_start_program sets, the frame extents XS_FRAME_* (and XS_FRAME as "left,right,top,bottom")
# and the client area's place and size XS_CLIENT_*.
xs_launch() {
  xs_start_program env QT_QPA_PLATFORM=xcb "$1"
  xs_wait_for "the window manager's frame extents" xs_frame_known
  xs_wait_for "the window to be framed" xs_reparented
}

xs_window_has_focus() {
  [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$XS_WINDOW" ]]
}

# xdotool key ARGS..., to the focused window, which must be the program's.
xs_key() {
  xs_window_has_focus || xs_fail "the window lost the keyboard focus (before: $*)"
  xdotool key --delay 0 "$@"
}

xs_session_quiet() {
  xs_require_alive
  # A process that is gone is never quiet: say so at once rather than wait out the patience.
  kill -0 "$XS_XVFB_PID" 2>/dev/null || xs_fail "Xvfb is gone; see $XS_ARTIFACTS/xvfb.log"
  kill -0 "$XS_WM_PID" 2>/dev/null || xs_fail "openbox is gone; see $XS_ARTIFACTS/openbox.log"
  xs_quiet_with_x_server "$XS_WM_PID" "$XS_PROGRAM_PID"
}

# Waits until the X server, openbox and the program have done all they were given. xdotool ends
# only after a round trip to the X server (closing its display waits for one), by which time the
# server has put the keys it sent on the program's connection: from there the program is busy
# until it has handled and drawn the last of them.
xs_wait_until_quiet() {
  XS_LAST_CPU_TIME=""
  xs_await "the program and the X server to finish their work" xs_session_quiet || {
    xs_report_session hang
    exit 1
  }
}

# xs_report_session NAME: after a wait that never ended, what the session was doing: its
# threads, the X server's clients, the keyboard focus and a screenshot NAME.png.
xs_report_session() {
  local pids=("$XS_XVFB_PID" "$XS_WM_PID")
  [[ -z "$XS_PROGRAM_PID" ]] || pids+=("$XS_PROGRAM_PID")
  xs_report_busy_threads "${pids[@]}"
  xs_report_x_clients
  # Each with a limit: the X server may be the one that hangs.
  xs_note "focus on $(timeout 10 xdotool getwindowfocus 2>&1);" \
    "the program's window ${XS_WINDOW:-(none)}:" \
    "$(timeout 10 xwininfo -id "${XS_WINDOW:-}" 2>&1 | grep -E 'Map State|rror' || true)"
  timeout 30 import -window root "$XS_ARTIFACTS/$1.png" || true
}

# Every process with a connection to the X server; a line without one is a client this shell
# cannot see (another namespace).
xs_report_x_clients() {
  command -v ss >/dev/null || return 0
  ss -xpH | awk -v server="pid=$XS_XVFB_PID," '
    { line[NR] = $0; inode[NR] = $6 }
    index($0, server) && $8 ~ /^[0-9]+$/ && $8 != "0" { peer[$8] = 1 }
    END { for (i = 1; i <= NR; i++) if (inode[i] in peer) print "-- X client: " line[i] }'
}

# After a wait that never ended: which threads ran while we looked twice, half a second apart
# (the test has failed already; the wait is only for the report), and where the program's
# threads stood.
xs_report_busy_threads() {
  local pid task id name state run_ns
  local -A before=()
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*; do
      read -r run_ns _ <"$task/schedstat" 2>/dev/null && before[$task]=$run_ns
    done
  done
  sleep 0.5
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*; do
      read -r run_ns _ <"$task/schedstat" 2>/dev/null || continue
      read -r name <"$task/comm" 2>/dev/null || name='?'
      state=$(sed -n 's/^State:\s*//p' "$task/status" 2>/dev/null)
      id=${task#/proc/}
      echo "-- process ${id%%/*} thread ${task##*/} ($name, $state):" \
        "$(((run_ns - ${before[$task]:-0}) / 1000)) us on a CPU in 0.5 s"
    done
  done
  if command -v gdb >/dev/null && kill -0 "$XS_PROGRAM_PID" 2>/dev/null; then
    timeout 60 gdb -q -batch -p "$XS_PROGRAM_PID" -ex 'thread apply all bt 12' 2>&1 |
      grep -E '^(Thread|#)' | head -80 || true
  fi
}

# "on" or "off" for a lock key as xset reports it: "Caps", "Num".
xs_lock_state() {
  xset q | sed -n "s/.*${1} Lock: *\\(on\\|off\\).*/\\1/p"
}

# Turns Num Lock on or off with its key (X key code 77): a keypad keysym would make xdotool
# toggle Num Lock behind our back.
xs_set_num_lock() {
  local wanted=$1
  if [[ "$(xs_lock_state Num)" != "$wanted" ]]; then
    xs_key 77
  fi
  xs_wait_for "Num Lock $wanted" xs_lock_is Num "$wanted"
}

xs_lock_is() {
  [[ "$(xs_lock_state "$1")" == "$2" ]]
}

xs_screen_shot() {
  import -window root "$XS_ARTIFACTS/$1.png"
}

xs_client_shot() {
  import -window root \
    -crop "${XS_CLIENT_WIDTH}x${XS_CLIENT_HEIGHT}+${XS_CLIENT_X}+${XS_CLIENT_Y}" +repage \
    "$XS_ARTIFACTS/$1.png"
}

# xs_wait_for_exit WHAT: waits for the program to end after WHAT; its exit status in
# XS_EXIT_STATUS.
xs_wait_for_exit() {
  xs_await "the program to end after $1" xs_program_gone || {
    xs_report_session "no-exit"
    exit 1
  }
  XS_EXIT_STATUS=0
  wait "$XS_PROGRAM_PID" || XS_EXIT_STATUS=$?
  XS_PROGRAM_PID=""
}

# Alt+F4 asks openbox to close the window.
xs_close_with_alt_f4() {
  xs_key alt+F4
  xs_wait_for_exit Alt+F4
}
