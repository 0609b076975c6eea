# shellcheck shell=bash
# Sourced by desktop-matrix.sh: starting and stopping the processes of one case, waiting, and the
# checks every desktop shares. A desktop's own file (openbox.sh, sway.sh, ...) provides:
#
#   desk_start SCALE       start the desktop headless; sets DM_WAYLAND_SOCKET (a path, or empty),
#                          DM_X_DISPLAY (the X server or Xwayland, or empty), DM_RUNTIME_DIR,
#                          DM_SESSION_BUS, DM_SESSION_TYPE, DM_CURRENT_DESKTOP and
#                          DM_SESSION_DESKTOP (the session file's name, which display managers
#                          pass on as XDG_SESSION_DESKTOP)
#   desk_shot FILE         a PNG of the whole screen
#   desk_key KEYS...       keys as xdotool names them (7, k, alt+F4), to the focused window
#   desk_close             the desktop's usual way to close the focused window (DM_PROGRAM_PID)
#                          (and XAUTHORITY, exported, where the X server asks for it)
#   desk_places_windows PLATFORM
#                          true where the desktop places new windows of that platform (x11,
#                          wayland) itself, so that no program can centre its window there
#   desk_run_as            the command prefix that runs a client as the session's user (may be empty)
#
# Every process is started in a session of its own (xs_spawn) and stopped with its whole session
# (xs_stop_spawned), so nothing a desktop spawned outlives the case.

# shellcheck source=SCRIPTDIR/../session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../session.sh"

readonly DM_CAPTION="Quimo's Flurb Cards"

DM_PROGRAM_PID=""
DM_WAYLAND_SOCKET=""
DM_X_DISPLAY=""
DM_RUNTIME_DIR=""
DM_SESSION_BUS=""
DM_SESSION_TYPE=""
DM_CURRENT_DESKTOP=""
DM_SESSION_DESKTOP=""

dm_note() {
  echo "-- $*" >&2
}

# dm_require_command NAME...: fails the case early when a tool is missing.
dm_require_command() {
  local name
  for name in "$@"; do
    command -v "$name" >/dev/null || {
      dm_note "missing command: $name"
      return 1
    }
  done
}

# The environment a desktop session gives its programs; CLIENT "auto" leaves the choice of
# platform to the program, "x11" and "wayland" force it.
dm_program_environment() {
  local client=$1
  local variables=(
    "HOME=${DM_HOME:-$HOME}" "PATH=/usr/bin:/bin" "XDG_RUNTIME_DIR=$DM_RUNTIME_DIR"
    "XDG_SESSION_TYPE=$DM_SESSION_TYPE" "XDG_CURRENT_DESKTOP=$DM_CURRENT_DESKTOP"
    "XDG_SESSION_DESKTOP=$DM_SESSION_DESKTOP"
  )
  [[ -z "$DM_SESSION_BUS" ]] || variables+=("DBUS_SESSION_BUS_ADDRESS=$DM_SESSION_BUS")
  [[ -z "$DM_X_DISPLAY" ]] || variables+=("DISPLAY=$DM_X_DISPLAY")
  [[ -z "${XAUTHORITY:-}" ]] || variables+=("XAUTHORITY=$XAUTHORITY")
  [[ -z "$DM_WAYLAND_SOCKET" ]] || variables+=("WAYLAND_DISPLAY=$DM_WAYLAND_SOCKET")
  case $client in
    x11) variables+=("QT_QPA_PLATFORM=xcb") ;;
    wayland) variables+=("QT_QPA_PLATFORM=wayland") ;;
  esac
  printf '%s\n' "${variables[@]}"
}

# dm_launch PROGRAM CLIENT LOG: starts the program as the session would.
dm_launch() {
  local program=$1 client=$2 log=$3
  local environment
  mapfile -t environment < <(dm_program_environment "$client")
  # shellcheck disable=SC2046 # desk_run_as gives words
  setsid -w $(desk_run_as) env -i "${environment[@]}" "$program" >"$log" 2>&1 &
  DM_PROGRAM_PID=$!
}

dm_program_alive() {
  kill -0 "$DM_PROGRAM_PID" 2>/dev/null
}

# The program's window on the X server, if it is an X11 client there.
dm_x11_window() {
  [[ -n "$DM_X_DISPLAY" ]] || return 1
  local found
  found=$(DISPLAY=$DM_X_DISPLAY xdotool search --onlyvisible --name "^${DM_CAPTION}\$" 2>/dev/null) ||
    return 1
  echo "${found%%$'\n'*}"
}

# The X11 window's size in its own pixels, as WIDTHxHEIGHT.
dm_x11_client_size() {
  DISPLAY=$DM_X_DISPLAY xdotool getwindowgeometry "$1" 2>/dev/null |
    sed -n 's/^ *Geometry: \([0-9]*x[0-9]*\)$/\1/p'
}

# The X11 window's type, lower case without its prefix: "utility", "normal".
dm_x11_window_type() {
  local type
  type=$(DISPLAY=$DM_X_DISPLAY xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null) || return 1
  [[ "$type" =~ _NET_WM_WINDOW_TYPE_([A-Z_]+) ]] || return 1
  echo "${BASH_REMATCH[1],,}"
}

# The frame extents an X11 window manager gave the window, as render-expected takes them.
dm_x11_frame() {
  local window=$1 extents
  extents=$(DISPLAY=$DM_X_DISPLAY xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null) || return 1
  [[ "$extents" =~ =\ *([0-9]+),\ *([0-9]+),\ *([0-9]+),\ *([0-9]+) ]] || return 1
  echo "${BASH_REMATCH[1]},${BASH_REMATCH[2]},${BASH_REMATCH[3]},${BASH_REMATCH[4]}"
}

dm_bus_announced() {
  [[ -s "$DM_WORK/bus-address" ]]
}

# A session bus of the case's own, as every desktop session has; without one the toolkit would
# autolaunch a bus that outlives the program. desk_run_as owns it.
dm_start_session_bus() {
  # shellcheck disable=SC2046 # desk_run_as gives words
  xs_spawn "$DM_WORK/dbus.log" $(desk_run_as) \
    env XDG_RUNTIME_DIR="$DM_RUNTIME_DIR" dbus-daemon --session --nofork --nopidfile \
    --address="unix:path=$DM_RUNTIME_DIR/bus" --print-address=3 3>"$DM_WORK/bus-address"
  xs_poll 10 dm_bus_announced || return 1
  DM_SESSION_BUS=$(head -n 1 "$DM_WORK/bus-address")
}
