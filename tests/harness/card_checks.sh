# shellcheck shell=bash
# Sourced after xsession.sh: compares screenshots of the client area, pixel for pixel, with the
# committed reference cards or what the program's own model draws (the render-expected tool) for
# the cards the window went through.
#
#   cc_init RENDER_EXPECTED [DPI [OPTION...]]
#                                   the model draws at DPI dots per inch (default 96); each
#                                   comparison passes the tool the OPTIONs (--soft-edges)
#   cc_identify_start NAME          which letter card the window opened with -> CC_START
#   cc_press NAME CODES KEYS...     xdotool key KEYS, which the program must see as the key codes
#                                   CODES ("65" or "" for none), then the screenshot must match
#                                   once the program has handled them
#   cc_expect_history NAME          the window comes to show the card of every code so far, and
#                                   still shows it once the program has nothing left to do
#   cc_press_steps STEP...          cc_press for each "NAME|CODES|KEYS" step
#   cc_press_ignored NUMBER KEY...  the keypad's 1 with Num Lock on and off, then each KEY: none
#                                   may change the card; screenshots numbered from NUMBER
#   cc_place X,Y,W,H [LETTER]       where start-up puts the window on a primary screen at that
#                                   place and size (device pixels), by the program's own model:
#                                   CC_CLIENT_WIDTH/HEIGHT, the frame's corner CC_OUTER_X/Y, and
#                                   the picture of LETTER's card (default: the start card's) in
#                                   the client area, CC_PICTURE ("x,y,width,height")
#
# Every screenshot stays in the artefact directory as NAME.png, and a mismatch leaves
# NAME-diff.png beside it with the differing pixels in red.

# The CC_ results are read by the scripts that source this file.
# shellcheck disable=SC2034
CC_RENDER_EXPECTED=""
CC_DPI=96
CC_OPTIONS=()
CC_START=""
CC_KEYS=""

cc_init() {
  CC_RENDER_EXPECTED=$1
  CC_DPI=${2:-96}
  CC_OPTIONS=("${@:3}")
  CC_START="" CC_KEYS=""
}

cc_place() {
  local screen=$1 letter=${2:-${CC_START:-A}} place
  place=$("$CC_RENDER_EXPECTED" --dpi "$CC_DPI" --frame "$XS_FRAME" "${CC_OPTIONS[@]}" \
    --start "$letter" --place "$screen") || xs_fail "render-expected --place $screen: $place"
  [[ "$place" =~ client\ ([0-9]+)\ ([0-9]+).*outer\ (-?[0-9]+)\ (-?[0-9]+).*picture\ (-?[0-9]+)\ (-?[0-9]+)\ ([0-9]+)\ ([0-9]+) ]] ||
    xs_fail "render-expected --place printed: $place"
  CC_CLIENT_WIDTH=${BASH_REMATCH[1]} CC_CLIENT_HEIGHT=${BASH_REMATCH[2]}
  CC_OUTER_X=${BASH_REMATCH[3]} CC_OUTER_Y=${BASH_REMATCH[4]}
  CC_PICTURE="${BASH_REMATCH[5]},${BASH_REMATCH[6]},${BASH_REMATCH[7]},${BASH_REMATCH[8]}"
}

# cc_append_keys CODES: the codes the window has been given since its start card.
cc_append_keys() {
  if [[ -n "$1" ]]; then
    CC_KEYS="${CC_KEYS:+$CC_KEYS,}$1"
  fi
}

cc_shot_matches_start() {
  local name=$1
  xs_require_alive
  xs_client_shot "$name"
  CC_START=$("$CC_RENDER_EXPECTED" --dpi "$CC_DPI" --frame "$XS_FRAME" "${CC_OPTIONS[@]}" \
    --identify "$XS_ARTIFACTS/$name.png") || return 1
}

cc_identify_start() {
  local name=$1
  CC_KEYS=""
  xs_wait_for "a letter card in the window ($name)" cc_shot_matches_start "$name"
}

# Status 0 when the screenshot is the card of the history, 1 when it differs; a comparison tool
# that cannot run fails the test.
cc_shot_matches_history() {
  local name=$1 status=0
  xs_require_alive
  xs_client_shot "$name"
  CC_LAST_COMPARISON=$("$CC_RENDER_EXPECTED" --dpi "$CC_DPI" --frame "$XS_FRAME" \
    "${CC_OPTIONS[@]}" --start "$CC_START" --keys "$CC_KEYS" --compare "$XS_ARTIFACTS/$name.png" \
    --diff "$XS_ARTIFACTS/$name-diff.png") || status=$?
  ((status <= 1)) || xs_fail "$name: the comparison tool fails: $CC_LAST_COMPARISON"
  return "$status"
}

cc_fail_history() {
  local name=$1 why=$2
  xs_fail "$name: $why: $CC_LAST_COMPARISON" \
    "(see $XS_ARTIFACTS/$name.png and $name-diff.png)"
}

# The window must come to show the card of its history, and still show it once the program has
# done all its work: a key that was sent but not handled yet would show up then.
cc_expect_history() {
  local name=$1
  xs_poll "$XS_PATIENCE_SECONDS" cc_shot_matches_history "$name" ||
    cc_fail_history "$name" "the window does not come to show the expected card"
  xs_wait_until_quiet
  cc_shot_matches_history "$name" ||
    cc_fail_history "$name" "the window does not keep the expected card"
  rm -f -- "$XS_ARTIFACTS/$name-diff.png"
}

# Keys that must change nothing: once the program has handled them and has nothing left to do,
# the window still shows the card it showed before.
cc_expect_unchanged() {
  local name=$1
  xs_wait_until_quiet
  cc_shot_matches_history "$name" || cc_fail_history "$name" "the card changed"
  rm -f -- "$XS_ARTIFACTS/$name-diff.png"
}

cc_press() {
  local name=$1 codes=$2
  shift 2
  xs_key "$@"
  if [[ -n "$codes" ]]; then
    cc_append_keys "$codes"
    cc_expect_history "$name"
  else
    cc_expect_unchanged "$name"
  fi
  xs_note "$name: ok"
}

cc_press_steps() {
  local step name codes keys
  for step in "$@"; do
    IFS='|' read -r name codes keys <<<"$step"
    # shellcheck disable=SC2086 # the key arguments are words
    cc_press "$name" "$codes" $keys
  done
}

# The keypad's "1" goes by its X key code: the keysym would make xdotool toggle Num Lock itself.
readonly CC_KEYPAD_1=87

cc_press_ignored() {
  local number=$1 key
  shift
  xs_set_num_lock on
  cc_press "$number-keypad-1-num-lock-on" "" "$CC_KEYPAD_1"
  xs_set_num_lock off
  cc_press "$((number + 1))-keypad-1-num-lock-off" "" "$CC_KEYPAD_1"
  for key in "$@"; do
    cc_press "$((number + 2))-ignored-$key" "" "$key"
  done
}
