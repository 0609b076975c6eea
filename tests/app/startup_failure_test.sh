#!/usr/bin/env bash
# A start that finds nowhere to show the window says why and what to do in one or two lines
# and exits with status 1: no core dump, no hang, no advice to reinstall.
#
#   startup_failure_test.sh PROGRAM WORK_DIR
set -euo pipefail
program=$(realpath "$1") work=$2
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

# case | program | environment | text the message must hold
readonly CASES=(
  "no display|$program||neither DISPLAY nor WAYLAND_DISPLAY"
  "a display with no server|$program|DISPLAY=:$free_display|no X server answers on display \":$free_display\""
  "Wayland only, no compositor|$program|WAYLAND_DISPLAY=flurb-absent-0|no Wayland compositor answers on \"flurb-absent-0\""
  "Wayland only, no plugin|$work/no-wayland/flurb-cards|WAYLAND_DISPLAY=wayland-0|sudo apt install qt6-wayland"
  "a platform forced by the user|$program|QT_QPA_PLATFORM=xcb|\"xcb\" chosen by QT_QPA_PLATFORM"
)

failures=0
for entry in "${CASES[@]}"; do
  IFS='|' read -r name binary setting expected <<<"$entry"
  environment=("XDG_RUNTIME_DIR=$work/runtime" "PATH=$PATH")
  [[ -z "$setting" ]] || environment+=("$setting")
  status=0
  output=$(cd "$work" && env -i "${environment[@]}" timeout 60 "$binary" 2>&1) || status=$?
  lines=$(grep -c '' <<<"$output")
  verdict="ok"
  if ((status != 1)); then
    verdict="exit status $status, expected 1"
  elif [[ "$output" != *"$expected"* ]]; then
    verdict="the message does not say: $expected"
  elif ((lines > 2)); then
    verdict="$lines lines, expected one or two"
  elif [[ "$output" == *einstall* ]]; then
    verdict="advice to reinstall"
  fi
  printf '%s:\n%s\n-> %s\n\n' "$name" "$output" "$verdict"
  [[ $verdict == ok ]] || failures=$((failures + 1))
done
((failures == 0)) || {
  echo "FAIL: $failures start-up failure(s) not told as they should be" >&2
  exit 1
}
