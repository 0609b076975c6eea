# shellcheck shell=bash
# Sourced by every test that needs an X server: the end-to-end tests (through xsession.sh), the
# desktop tests (desktops/openbox.sh) and the installed package's smoke test. Starts Xvfb and
# openbox and waits for each to answer, never for a stretch of time: only a hang reaches the
# patience.
#
#   xs_spawn LOG COMMAND...         COMMAND in a session of its own; its PID in XS_SPAWNED
#   xs_stop_spawned                 ends every spawned session, the last started first
#   xs_start_x_server DIR W H LOGS  Xvfb on a display it picks itself, W x H; DISPLAY exported
#                                   once it takes clients (DIR is the caller's scratch folder)
#   xs_start_openbox DIR LOGS       openbox, ready once it manages the screen and its key
#                                   bindings hold for the keys to come (XS_WM_PID)
#   xs_await WHAT COMMAND...        runs COMMAND until it succeeds; status 1 after the patience
#   xs_quiet_with_x_server PID...   the processes and the X server have done all they were given
#                                   (polled: true at the second poll in a row that finds it)
#
# The start functions return 1 with the reason on stderr, so that a caller can go on to report.

# XS_XVFB_PID and XS_WM_PID are read by the tests that source this file.
# shellcheck disable=SC2034

readonly XS_POLL_SECONDS=0.02
# Long enough for the sanitizer build on a loaded machine many times over: only a hang reaches it.
readonly XS_PATIENCE_SECONDS=120

XS_SPAWNED_PIDS=()
XS_XVFB_PID=""
XS_WM_PID=""

xs_now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

xs_note() {
  echo "-- $*"
}

# xs_poll SECONDS COMMAND...: runs COMMAND until it succeeds; status 1 when time runs out.
xs_poll() {
  local deadline=$(($(xs_now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(xs_now_ms) <= deadline)) || return 1
    sleep "$XS_POLL_SECONDS"
  done
}

xs_await() {
  local what=$1
  shift
  xs_poll "$XS_PATIENCE_SECONDS" "$@" ||
    { echo "FAIL: gave up after $XS_PATIENCE_SECONDS s waiting for $what" >&2 && return 1; }
}

xs_spawn() {
  local log=$1
  shift
  setsid -w "$@" >>"$log" 2>&1 &
  XS_SPAWNED=$!
  XS_SPAWNED_PIDS+=("$XS_SPAWNED")
}

xs_session_empty() {
  ! pgrep -s "$1" >/dev/null
}

xs_stop_spawned() {
  local index pid
  for ((index = ${#XS_SPAWNED_PIDS[@]} - 1; index >= 0; index--)); do
    pid=${XS_SPAWNED_PIDS[index]}
    kill -TERM -- "-$pid" 2>/dev/null || true
    if ! xs_poll 5 xs_session_empty "$pid"; then
      kill -KILL -- "-$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
  done
  XS_SPAWNED_PIDS=() XS_XVFB_PID="" XS_WM_PID=""
}

xs_display_announced() {
  grep -qx '[0-9]\+' "$1/display" 2>/dev/null
}

xs_display_accepts_clients() {
  xset q >/dev/null 2>&1
}

xs_start_x_server() {
  local dir=$1 width=$2 height=$3 logs=$4
  # Without -noreset Xvfb starts over whenever its last client leaves, and turns away whoever
  # comes then.
  xs_spawn "$logs/xvfb.log" Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp \
    -noreset 3>"$dir/display"
  XS_XVFB_PID=$XS_SPAWNED
  xs_await "Xvfb to announce its display" xs_display_announced "$dir" || return 1
  DISPLAY=":$(tr -d '\n' <"$dir/display")"
  export DISPLAY
  # Under load a client can still be turned away just after the announcement.
  xs_await "Xvfb to accept clients" xs_display_accepts_clients
}

# The time every thread of the given processes has spent on a CPU, in nanoseconds; fails while
# any of them is running, waiting to run or waiting for the disk, or when one is gone.
xs_cpu_time_when_asleep() {
  local pid task stat state run_ns total=0
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*; do
      read -r stat <"$task/stat" 2>/dev/null || return 1
      # The state follows the command name, which is in parentheses and may hold spaces.
      stat=${stat##*) }
      state=${stat%% *}
      [[ "$state" != [RD] ]] || return 1
      read -r run_ns _ <"$task/schedstat" 2>/dev/null || return 1
      total=$((total + run_ns))
    done
  done
  echo "$total"
}

XS_LAST_CPU_TIME=""

# Quiet: every thread asleep at two polls in a row and not one nanosecond of CPU time in between.
# A thread with work to do is runnable however busy the machine is, and a short timer (Qt's update
# timers are a few milliseconds) runs out between the polls, so the work cannot hide.
xs_processes_quiet() {
  local now
  if ! now=$(xs_cpu_time_when_asleep "$@"); then
    XS_LAST_CPU_TIME=""
    return 1
  fi
  [[ "$now" == "$XS_LAST_CPU_TIME" ]] && return 0
  XS_LAST_CPU_TIME=$now
  return 1
}

# xs_quiet_with_x_server PID...: the processes are quiet and the X server is asleep. The X server
# counts as done when it is asleep, whatever CPU time it took: it also answers clients that are
# not ours, but a request from one of the processes wakes it at once and it sleeps again only when
# none is left. It is read first, so that anything it sends them after that wakes a thread that
# is read later.
xs_quiet_with_x_server() {
  xs_cpu_time_when_asleep "$XS_XVFB_PID" >/dev/null && xs_processes_quiet "$@"
}

# openbox is ready once it advertises itself and the frame-extents request the program relies on
# (output matched in the shell: `| grep -q` can end the writer with SIGPIPE).
xs_openbox_ready_or_gone() {
  local check supported
  kill -0 "$XS_WM_PID" 2>/dev/null || return 0
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) &&
    supported=$(xprop -root _NET_SUPPORTED 2>/dev/null) &&
    [[ "$check" == *'window id'* && "$supported" == *_NET_REQUEST_FRAME_EXTENTS* ]]
}

# The first key a test sends makes the X server change the keyboard map (the keys now come from
# its XTEST device), and openbox then drops its key bindings and takes them again: a key that
# arrives in between, Alt+F4 most of all, goes to the window instead. One key sent now, and
# openbox done with the change, leave the map as it is from then on.
xs_settle_key_bindings() {
  xdotool key --delay 0 shift
  XS_LAST_CPU_TIME=""
  xs_await "openbox to take its key bindings again" xs_quiet_with_x_server "$XS_WM_PID"
}

# Now and then (about one start in twenty, with other X servers starting beside this one) openbox
# ends at once with status 1 and nothing in its log, so it gets three tries. It reads the system's
# own configuration, whatever the person running the tests has set up.
xs_start_openbox() {
  local dir=$1 logs=$2 attempt
  mkdir -p "$dir/config" "$dir/cache"
  for attempt in 1 2 3; do
    xs_spawn "$logs/openbox.log" env XDG_CONFIG_HOME="$dir/config" XDG_CACHE_HOME="$dir/cache" \
      openbox --sm-disable
    XS_WM_PID=$XS_SPAWNED
    xs_await openbox xs_openbox_ready_or_gone || return 1
    if kill -0 "$XS_WM_PID" 2>/dev/null; then
      xs_settle_key_bindings
      return
    fi
    xs_note "openbox ended at start (attempt $attempt)"
  done
  echo "FAIL: openbox would not start; see $logs/openbox.log" >&2
  return 1
}
