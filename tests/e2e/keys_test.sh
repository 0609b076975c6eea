#!/usr/bin/env bash
# Keys sent with xdotool through a real X server with openbox: letters with every modifier,
# main-row digits with and without Shift, and keys that must change nothing (keypad digits with
# Num Lock on and off, space, Return, F1, arrows, Tab, Escape); a click leaves the focus where it
# is; a held key auto-repeats; a burst of keys at full speed. After each, once the program has
# handled every key, the client area equals the model's drawing of the same history, pixel for
# pixel; Alt+F4 ends it with status 0.
#
#   keys_test.sh PROGRAM RENDER_EXPECTED ARTIFACT_DIR
# shellcheck source=SCRIPTDIR/../harness/e2e_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/e2e_test.sh"

# Every step changes the card it follows, so a key that is lost cannot pass unseen.
# screenshot name | key codes the program must see ("" for none) | xdotool key arguments
readonly STEPS=(
  "01-one|49|1"
  "02-a|65|a"
  "03-zero|48|0"
  "04-shift-a|65|shift+a"
  "05-five|53|5"
  "06-ctrl-a|65|ctrl+a"
  "07-shift-one|49|shift+1"
  "08-alt-a|65|alt+a"
  "09-nine|57|9"
  "10-i-after-nine|73|i"
)
# Keys that must leave "I" after "9" (with its dot strips) exactly as it stands, as the keypad's
# "1" must.
readonly IGNORED_KEYS=(space Return F1 Left Right Up Down Tab Escape)
# Far more keys than a child's hands send at once, and few enough for the sanitizer build to take
# them in a second or two.
readonly BURST_LENGTH=500

xs_start_session "$artifacts"
cc_init "$render_expected"
xs_launch "$program"
cc_identify_start 00-start
xs_note "start card: $CC_START"

cc_press_steps "${STEPS[@]}"

cc_press_ignored 11 "${IGNORED_KEYS[@]}"

cc_press 14-caps-lock-on "" Caps_Lock
xs_lock_is Caps on || xs_fail "Caps Lock did not come on"
cc_press 15-caps-lock-a 65 a
cc_press 16-caps-lock-off "" Caps_Lock
xs_lock_is Caps off || xs_fail "Caps Lock did not go off"

# A click on the letter label: the focus box keeps the focus, so the next key still counts.
xdotool mousemove --window "$XS_WINDOW" 240 100 click 1
cc_press 17-after-click 50 2

# Held for 1.5 s: Xvfb repeats after 660 ms at 25 Hz, each repeat a key-down of its own. The hold
# is the input, not a wait: however many repeats the program gets, it must end on the A card.
xs_window_has_focus || xs_fail "the window lost the keyboard focus"
xset r on
xdotool keydown a
sleep 1.5
xdotool keyup a
xset r off
cc_append_keys 65
cc_expect_history 18-held-a
xs_note "18-held-a: ok"

# Letters and digits at full speed, from a seed that the log gives for a rerun. The last key comes
# nowhere else in the burst, so its card shows only once the program has handled every key.
seed=${FLURB_E2E_SEED:-$(date +%s)}
RANDOM=$seed
keyboard=(a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3 4 5 6 7 8 9)
codes=({65..90} {48..57})
last=$((RANDOM % ${#keyboard[@]}))
burst_keys=()
burst_codes=()
while ((${#burst_keys[@]} < BURST_LENGTH - 1)); do
  pick=$((RANDOM % ${#keyboard[@]}))
  if ((pick != last)); then
    burst_keys+=("${keyboard[pick]}")
    burst_codes+=("${codes[pick]}")
  fi
done
burst_keys+=("${keyboard[last]}")
burst_codes+=("${codes[last]}")
xs_note "burst of $BURST_LENGTH keys from seed $seed, ending in ${burst_keys[*]: -5}"
burst_started=$(xs_now_ms)
cc_press 19-burst "$(
  IFS=,
  echo "${burst_codes[*]}"
)" "${burst_keys[@]}"
xs_note "burst sent and handled in $(($(xs_now_ms) - burst_started)) ms"

xs_close_with_alt_f4
((XS_EXIT_STATUS == 0)) || xs_fail "exit status $XS_EXIT_STATUS after Alt+F4"
xs_note "exit status after Alt+F4: 0"
