#!/usr/bin/env bash
# The card window under the desktops parents run, each started headless here: openbox on Xvfb,
# GNOME's mutter, KDE's kwin, sway and weston, at scale 1 and 2. Each case starts the program as
# the desktop's session would (XDG_SESSION_TYPE, XDG_CURRENT_DESKTOP, WAYLAND_DISPLAY and
# Xwayland's DISPLAY), leaving the choice of platform to the program ("auto") or forcing it
# ("x11", "wayland"), and checks: the window is up, takes the keys (focused), stands centred,
# '7' shows seven dots and a letter key its card (the model's image, pixel for pixel, where
# nothing rescales the window: "7+K"; elsewhere no dot of the number card beside it: "7+k"),
# and the desktop's close ends it (exit status / time) with nothing left running. Prints a table
# of the results; screenshots and logs stay in the artefact folder.
#
#   desktop-matrix.sh [-d "openbox mutter kwin sway weston"] [-s "1 2"] [-c "auto x11 wayland"]
#                     [-o ARTIFACTS] [-b BUILD_DIR] [-i]
#
# Run as root after the build (cmake --build --preset dev); sway runs as the user flurb-desktop,
# created when missing. -i installs the packages of tools/desktop-packages.txt that are missing
# (openbox and sway come with tools/packages.txt). Exit status 1 when a case fails; "centred"
# may be "placed" where the desktop places new windows itself (mutter's Wayland windows,
# weston's every window). A case takes 5 to 15 s; the whole matrix (26 cases) about
# five minutes on two cores.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
harness="$here/../tests/harness/desktops"
desktops="openbox mutter kwin sway weston"
scales="1 2"
clients="auto x11 wayland"
build="$here/../build/dev"
artifacts=""
install=no
while getopts "d:s:c:o:b:i" option; do
  case $option in
    d) desktops=$OPTARG ;;
    s) scales=$OPTARG ;;
    c) clients=$OPTARG ;;
    o) artifacts=$OPTARG ;;
    b) build=$OPTARG ;;
    i) install=yes ;;
    *) exit 2 ;;
  esac
done
artifacts=${artifacts:-$build/desktop-artifacts}
program="$build/app/flurb-cards"
render_expected="$build/tests/e2e/render-expected"
export DM_PROBE="$build/tests/desktops/desktop-probe"
# The tools that read screenshots need no display.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
unset XAUTHORITY

# Clients an X11-only desktop can run.
clients_of() {
  if [[ $1 == openbox ]]; then
    echo "auto"
  else
    echo "$clients"
  fi
}

# run_case DESKTOP SCALE CLIENT: one case in a shell of its own, so that whatever it started
# ends with it; prints its result row.
run_case() {
  local desktop=$1 scale=$2 client=$3
  local case_dir="$artifacts/$desktop-scale$scale-$client"
  rm -rf -- "$case_dir"
  mkdir -p -- "$case_dir"
  (
    # shellcheck source=tests/harness/desktops/common.sh
    source "$harness/common.sh"
    # shellcheck source=tests/harness/desktops/card_case.sh
    source "$harness/card_case.sh"
    # shellcheck source=/dev/null
    source "$harness/$desktop.sh"
    DM_WORK=$(mktemp -d "${TMPDIR:-/tmp}/flurb-desktop.XXXXXX")
    chmod 755 "$DM_WORK"
    trap 'xs_stop_spawned; rm -rf -- "$DM_WORK"' EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
    DM_RESULT="- no - - - -"
    if desk_start "$scale" 2>"$case_dir/desktop.log"; then
      dm_run_case "$program" "$render_expected" "$client" "$scale" "$case_dir" 2>"$case_dir/case.log"
    else
      echo "-- the desktop did not start" >>"$case_dir/case.log"
    fi
    cp "$DM_WORK"/*.log "$case_dir/" 2>/dev/null || true
    echo "$DM_RESULT"
  )
}

passed() {
  local platform up focused centred cards close
  read -r platform up focused centred cards close <<<"$1"
  [[ $up == yes && $focused == yes && $centred =~ ^(yes|placed)$ && $cards =~ ^7\+[Kk]$ &&
    $close == 0/* ]] &&
    [[ $close != *left ]]
}

if [[ $install == yes ]]; then
  bash "$here/install-packages.sh" "$here/desktop-packages.txt" >&2
fi
mkdir -p -- "$artifacts"
table="$artifacts/matrix.txt"
printf '%-8s %-5s %-7s | %-11s %-3s %-7s %-7s %-5s %-12s\n' desktop scale client platform up \
  focused centred cards close | tee "$table"
failures=0
for desktop in $desktops; do
  for scale in $scales; do
    for client in $(clients_of "$desktop"); do
      result=$(run_case "$desktop" "$scale" "$client")
      # shellcheck disable=SC2086 # the result is words
      printf '%-8s %-5s %-7s | %-11s %-3s %-7s %-7s %-5s %-12s\n' "$desktop" "$scale" "$client" \
        $result | tee -a "$table"
      passed "$result" || failures=$((failures + 1))
    done
  done
done
echo "$failures failing case(s); screenshots and logs in $artifacts"
((failures == 0))
