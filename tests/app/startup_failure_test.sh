#!/usr/bin/env bash
# Whatever the session, the environment or the command line, a start never hangs and never
# misleads: a start that finds nowhere to show the window says why and what to do in one or two
# lines and exits with status 1 (no core dump, no advice to reinstall); a start that can show it
# does, whatever the session bus does, and SIGTERM then ends it with status 0.
#
#   startup_failure_test.sh PROGRAM WORK_DIR
set -euo pipefail
program=$(realpath "$1") work=$2
# shellcheck source=SCRIPTDIR/../harness/xsession.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/xsession.sh"
rm -rf -- "$work"
mkdir -p "$work"
mkdir -m 700 "$work/runtime"

# A display number no X server answers on.
free_display=99
while [[ -e /tmp/.X11-unix/X$free_display || -e /tmp/.X$free_display-lock ]]; do
  free_display=$((free_display + 1))
done

# Without Qt's Wayland support: a copy of the program whose qt.conf points at a plugin folder
# that holds the X11 platform plugin only.
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
mkdir -p "$work/no-wayland/plugins/platforms"
ln -s "$plugins/platforms/libqxcb.so" "$work/no-wayland/plugins/platforms/"
cp "$program" "$work/no-wayland/flurb-cards"
printf '[Paths]\nPlugins = %s\n' "$work/no-wayland/plugins" >"$work/no-wayland/qt.conf"

# An X server with a window manager, and a session bus that takes connections and never answers:
# a dbus-daemon stopped with SIGSTOP.
xs_start_session "$work/x"
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" --print-address=3 \
  3>"$work/bus-address" 2>/dev/null &
bus_pid=$!
stop_all() {
  kill -CONT "$bus_pid" 2>/dev/null || true
  kill "$bus_pid" 2>/dev/null || true
  wait "$bus_pid" 2>/dev/null || true
  xs_stop_session
}
trap stop_all EXIT
xs_wait_for "the session bus" test -s "$work/bus-address"
kill -STOP "$bus_pid"

# case | outcome | environment (NAME=VALUE sets, NAME alone unsets; @X is the X display,
# @BUS the stopped bus) | arguments | text the output must hold
#
# fails: status 1 in one or two lines; window: the window shows, and SIGTERM ends the program
# with status 0; ends: started with SIGTERM already sent, the program ends with status 0.
readonly CASES=(
  "no display|fails|||neither DISPLAY nor WAYLAND_DISPLAY"
  "a display with no server|fails|DISPLAY=:$free_display||no X server answers on display \":$free_display\""
  "Wayland only, no compositor|fails|WAYLAND_DISPLAY=flurb-absent-0||no Wayland compositor answers on \"flurb-absent-0\""
  "Wayland only, no plugin|fails|WAYLAND_DISPLAY=wayland-0 PROGRAM=$work/no-wayland/flurb-cards||sudo apt install qt6-wayland"
  "a platform forced by the user|fails|QT_QPA_PLATFORM=xcb||\"xcb\" chosen by QT_QPA_PLATFORM"
  "sway without XDG_RUNTIME_DIR|fails|XDG_RUNTIME_DIR WAYLAND_DISPLAY=wayland-1 XDG_CURRENT_DESKTOP=sway||XDG_RUNTIME_DIR is not set"
  "off screen|fails|DISPLAY=@X QT_QPA_PLATFORM=offscreen||\"offscreen\" chosen by QT_QPA_PLATFORM shows no window"
  "framebuffer|fails|DISPLAY=@X QT_QPA_PLATFORM=linuxfb||\"linuxfb\" chosen"
  "VNC server|fails|DISPLAY=@X QT_QPA_PLATFORM=vnc||\"vnc\" chosen"
  "unknown platform|fails|DISPLAY=@X QT_QPA_PLATFORM=bogus||\"bogus\" chosen"
  "a stopped session bus|window|DISPLAY=@X DBUS_SESSION_BUS_ADDRESS=@BUS||the session bus does not answer"
  "Qt's own options|window|DISPLAY=@X|-display :$free_display -platform offscreen|"
  "scale factor 0|window|DISPLAY=@X QT_SCALE_FACTOR=0||QT_SCALE_FACTOR=\"0\" is not a positive number"
  "scale factor -1|window|DISPLAY=@X QT_SCALE_FACTOR=-1||\"-1\" is not a positive number"
  "scale factor abc|window|DISPLAY=@X QT_SCALE_FACTOR=abc||\"abc\" is not a positive number"
  "scale factor 1e300|window|DISPLAY=@X QT_SCALE_FACTOR=1e300||QT_SCALE_FACTOR=\"1e300\" makes the window larger than the screen can hold and is ignored"
  "scale factor 0.0001|window|DISPLAY=@X QT_SCALE_FACTOR=0.0001||QT_SCALE_FACTOR=\"0.0001\" makes the window too small to show a card and is ignored"
  "SIGTERM during start-up|ends|DISPLAY=@X DBUS_SESSION_BUS_ADDRESS=@BUS||"
)

window_shown() {
  xdotool search --onlyvisible --name "^${XS_CAPTION}\$" >/dev/null 2>&1
}

shown_or_gone() {
  ! kill -0 "$1" 2>/dev/null || window_shown
}

# run OUTCOME COMMAND...: the program's exit status in `status`, its output in $work/output;
# `shown` says whether its window came up.
run() {
  local outcome=$1 pid
  shift
  status=0 shown=no
  case $outcome in
    fails) (cd "$work" && timeout 60 "$@") >"$work/output" 2>&1 || status=$? ;;
    ends)
      # SIGTERM sent, and blocked, before the program's first instruction: it arrives at once.
      timeout 60 perl -e 'use POSIX; sigprocmask(SIG_BLOCK, POSIX::SigSet->new(SIGTERM));
                          kill "TERM", $$; exec @ARGV' "$@" >"$work/output" 2>&1 || status=$?
      ;;
    window)
      "$@" >"$work/output" 2>&1 &
      pid=$!
      XS_PROGRAM_PID=$pid  # ended with the session if the test gives up on it
      xs_wait_for "the window or the end of the program" shown_or_gone "$pid"
      ! window_shown || shown=yes
      kill -TERM "$pid" 2>/dev/null || true
      wait "$pid" || status=$?
      ;;
  esac
}

failures=0
for entry in "${CASES[@]}"; do
  IFS='|' read -r name outcome settings arguments expected <<<"$entry"
  declare -A environment=([PATH]=$PATH [XDG_RUNTIME_DIR]=$work/runtime [PROGRAM]=$program)
  for sanitizer in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
    [[ -z "${!sanitizer:-}" ]] || environment[$sanitizer]=${!sanitizer}
  done
  for setting in $settings; do
    setting=${setting//@X/$DISPLAY}
    setting=${setting//@BUS/$(head -n 1 "$work/bus-address")}
    if [[ $setting == *=* ]]; then
      environment[${setting%%=*}]=${setting#*=}
    else
      unset "environment[$setting]"
    fi
  done
  binary=${environment[PROGRAM]}
  unset "environment[PROGRAM]"
  variables=()
  for variable in "${!environment[@]}"; do
    variables+=("$variable=${environment[$variable]}")
  done
  # shellcheck disable=SC2086 # the arguments are words
  run "$outcome" env -i "${variables[@]}" "$binary" $arguments
  output=$(<"$work/output")
  lines=$(grep -c '' <<<"$output" || true)
  expected_status=$([[ $outcome == fails ]] && echo 1 || echo 0)
  verdict="ok"
  if [[ $outcome == window && $shown == no ]]; then
    verdict="no window"
  elif ((status != expected_status)); then
    verdict="exit status $status, expected $expected_status"
  elif [[ "$output" != *"$expected"* ]]; then
    verdict="the output does not say: $expected"
  elif ((lines > 2)); then
    verdict="$lines lines, expected at most two"
  elif [[ "$output" == *einstall* ]]; then
    verdict="advice to reinstall"
  fi
  printf '%s (%s):\n%s\n-> %s\n\n' "$name" "$outcome" "$output" "$verdict"
  [[ $verdict == ok ]] || failures=$((failures + 1))
done
((failures == 0)) || {
  echo "FAIL: $failures start-up(s) not as they should be" >&2
  exit 1
}
