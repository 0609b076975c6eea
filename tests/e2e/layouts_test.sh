#!/usr/bin/env bash
# Keyboard layouts on a real X server (setxkbmap): a letter key gives its card whatever Shift or
# AltGr make it type, a main-row digit key its digit. Keys go by X key code, as the keyboard
# sends them; after each, the client area equals the model's drawing of the same history.
#
#   layouts_test.sh PROGRAM RENDER_EXPECTED ARTIFACT_DIR
set -euo pipefail
program=$1 render_expected=$2 artifacts=$3
tools="$(dirname "${BASH_SOURCE[0]}")/../../tools/e2e"
# shellcheck source=SCRIPTDIR/../../tools/e2e/xsession.sh
source "$tools/xsession.sh"
# shellcheck source=SCRIPTDIR/../../tools/e2e/card_checks.sh
source "$tools/card_checks.sh"

# Every step changes the card it follows (each layout starts with a digit, never the start card),
# so a key that is lost cannot pass unseen.
# layout (setxkbmap arguments) | screenshot name | key codes the program must see | xdotool keys
readonly STEPS=(
  "de|de-one|49|10"
  "de|de-altgr-q|81|ISO_Level3_Shift+24"
  "de|de-two|50|11"
  "de|de-altgr-e|69|ISO_Level3_Shift+26"
  "de|de-z-key|90|29"
  "de|de-y-key|89|52"
  "de|de-shift-z-key|90|shift+29"
  "fr|fr-ampersand-key|49|10"
  "fr|fr-shift-2|50|shift+11"
  "fr|fr-a-key|65|24"
  "fr|fr-eacute-key|50|11"
  "fr|fr-apostrophe-key|52|13"
  "fr|fr-altgr-e|69|ISO_Level3_Shift+26"
  "tr|tr-one|49|10"
  "tr|tr-i|73|48"
  "tr|tr-two|50|11"
  "tr|tr-shift-i|73|shift+48"
  "tr|tr-three|51|12"
  "tr|tr-dotless-i|73|31"
  "tr|tr-four|52|13"
  "tr|tr-shift-dotless-i|73|shift+31"
  "ru|ru-one|49|10"
  "ru|ru-short-i|81|24"
  "ru|ru-ef|65|38"
  "ru|ru-shift-short-i|81|shift+24"
  "us -variant dvorak|dvorak-one|49|10"
  "us -variant dvorak|dvorak-a|65|38"
  "us -variant dvorak|dvorak-o|79|39"
  "us -variant dvorak|dvorak-e|69|40"
  "us -variant dvorak|dvorak-t|84|45"
  "us -variant dvorak|dvorak-two|50|11"
  "us -variant dvorak|dvorak-shift-t|84|shift+45"
)

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
