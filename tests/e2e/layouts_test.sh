#!/usr/bin/env bash
# Keyboard layouts on a real X server (setxkbmap): a letter key gives its card whatever Shift or
# AltGr make it type, a main-row digit key its digit. Keys go by X key code, as the keyboard
# sends them; after each, the client area equals the model's drawing of the same history.
#
#   layouts_test.sh PROGRAM RENDER_EXPECTED ARTIFACT_DIR
# shellcheck source=SCRIPTDIR/../harness/e2e_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/e2e_test.sh"

# shellcheck source=SCRIPTDIR/layout_steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/layout_steps.sh"

xs_start_session "$artifacts"
cc_init "$render_expected"
current=""
for step in "${STEPS[@]}"; do
  IFS='|' read -r layout name codes keys <<<"$step"
  if [[ "$layout" != "$current" ]]; then
    if [[ -n "$current" ]]; then
      xs_close_with_alt_f4
      ((XS_EXIT_STATUS == 0)) || xs_fail "exit status $XS_EXIT_STATUS after Alt+F4"
    fi
    # shellcheck disable=SC2086 # the layout is setxkbmap's words
    setxkbmap -layout $layout
    current=$layout
    xs_launch "$program"
    cc_identify_start "$name-start"
    xs_note "layout $layout: start card $CC_START"
  fi
  cc_press "$name" "$codes" "$keys"
done
xs_close_with_alt_f4
((XS_EXIT_STATUS == 0)) || xs_fail "exit status $XS_EXIT_STATUS after Alt+F4"
