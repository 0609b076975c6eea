#!/usr/bin/env bash
# An hour (or MINUTES) of a child at the keyboard, on a private X server with openbox: random
# keys from the whole board at about 200 a second, with held keys, lock keys and modifiers in
# between. Samples memory as it goes; at the end the program must be alive, hold the focus and
# show exactly the cards of two last keys. Prints a table.
#   bench/soak.sh [MINUTES] [BUILD_DIR]   (defaults: 60, build/dev)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
minutes=${1:-60}
build=$(cd "${2:-$root/build/dev}" && pwd)

# shellcheck source=tests/harness/xsession.sh
source "$root/tests/harness/xsession.sh"
# shellcheck source=tests/harness/card_checks.sh
source "$root/tests/harness/card_checks.sh"
xs_start_session "$build/soak-artifacts"
cc_init "$build/tests/e2e/render-expected"
xs_launch "$build/app/flurb-cards"
pid=$XS_PROGRAM_PID

rss_kib() {
  awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status"
}

# Everything on a US keyboard but the Alt and Super chords and Print, which belong to the window
# manager (openbox runs a screenshot program for Print).
# Keypad keys go by X key code (79..91) so that xdotool leaves Num Lock alone; 77 is Num Lock
# itself and 66 Caps Lock.
board=({a..z} {0..9} F{1..12} Left Right Up Down space Return Tab Escape BackSpace Delete Home
  End Prior Next Insert comma period slash semicolon apostrophe bracketleft bracketright minus
  equal grave backslash shift+{a..z} shift+{0..9} ctrl+{a..z} ctrl+{0..9} {79..91} 77 66
  Shift_L Control_L Menu Pause)

start_rss=$(rss_kib)
peak_rss=$start_rss
keys_sent=0
held=0
deadline=$(($(xs_now_ms) + minutes * 60 * 1000))
while (($(xs_now_ms) < deadline)); do
  batch=()
  for ((i = 0; i < 200; i++)); do
    batch+=("${board[RANDOM % ${#board[@]}]}")
  done
  xs_key --delay 5 "${batch[@]}"
  keys_sent=$((keys_sent + ${#batch[@]}))
  if ((RANDOM % 10 == 0)); then
    key=${board[RANDOM % 36]}
    xdotool keydown "$key"
    sleep 1
    xdotool keyup "$key"
    held=$((held + 1))
  fi
  rss=$(rss_kib)
  ((rss > peak_rss)) && peak_rss=$rss
done
end_rss=$(rss_kib)

# Caps Lock and Num Lock may have been left on: neither may change a card.
xs_key q
cc_identify_start soak-q
[[ "$CC_START" == Q ]] || xs_fail "after q the window shows the card of $CC_START"
cc_press soak-7 55 7
cpu_s=$(awk '{ print int(($14 + $15) / '"$(getconf CLK_TCK)"') }' "/proc/$pid/stat")
xs_close_with_alt_f4

printf '\n| measure | value |\n|---|---|\n'
printf '| minutes of mashing | %d |\n' "$minutes"
printf '| keys sent (held keys) | %d (%d) |\n' "$keys_sent" "$held"
printf '| resident memory at start / end / peak | %d / %d / %d KiB |\n' "$start_rss" "$end_rss" \
  "$peak_rss"
printf '| CPU time used | %d s |\n' "$cpu_s"
printf '| last two cards exact, focus kept | yes |\n'
printf '| exit status after Alt+F4 | %d |\n' "$XS_EXIT_STATUS"
