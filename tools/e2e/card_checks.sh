# shellcheck shell=bash
# Sourced after xsession.sh: compares screenshots of the client area, pixel for pixel, with what
# the program's own model draws (the render-expected tool) for the cards the window went through.
#
#   cc_init RENDER_EXPECTED [DPI]   the model draws at DPI dots per inch (default 96)
#   cc_identify_start NAME          which letter card the window opened with -> CC_START
#   cc_press NAME CODES KEYS...     xdotool key KEYS, which the program must see as the key codes
#                                   CODES ("65" or "" for none), then the screenshot must match
#
# Every screenshot stays in the artefact directory as NAME.png, and a mismatch leaves
# NAME-diff.png beside it with the differing pixels in red.

readonly CC_PATIENCE_SECONDS=5
# How long a key that must change nothing gets to change something anyway.
readonly CC_SETTLE_SECONDS=0.3

CC_RENDER_EXPECTED=""
CC_DPI=96
CC_START=""
CC_KEYS=""

cc_init() {
  CC_RENDER_EXPECTED=$1
  CC_DPI=${2:-96}
  CC_START="" CC_KEYS=""
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
  CC_START=$("$CC_RENDER_EXPECTED" --dpi "$CC_DPI" --frame "$XS_FRAME" \
    --identify "$XS_ARTIFACTS/$name.png") || return 1
}

cc_identify_start() {
  local name=$1
  CC_KEYS=""
  xs_wait_for "$CC_PATIENCE_SECONDS" "a letter card in the window ($name)" \
    cc_shot_matches_start "$name"
}

cc_shot_matches_history() {
  local name=$1
  xs_require_alive
  xs_client_shot "$name"
  CC_LAST_COMPARISON=$("$CC_RENDER_EXPECTED" --dpi "$CC_DPI" --frame "$XS_FRAME" \
    --start "$CC_START" --keys "$CC_KEYS" --compare "$XS_ARTIFACTS/$name.png" \
    --diff "$XS_ARTIFACTS/$name-diff.png")
}

# The window must come to show the card of its history, and must still show it after a while.
cc_expect_history() {
  local name=$1
  local deadline=$(($(xs_now_ms) + CC_PATIENCE_SECONDS * 1000))
  until cc_shot_matches_history "$name"; do
    if (($(xs_now_ms) > deadline)); then
      xs_fail "$name: the window does not show the expected card: $CC_LAST_COMPARISON" \
        "(see $XS_ARTIFACTS/$name.png and $name-diff.png)"
    fi
    sleep "$XS_POLL_SECONDS"
  done
  rm -f -- "$XS_ARTIFACTS/$name-diff.png"
}

cc_press() {
  local name=$1 codes=$2
  shift 2
  xs_key "$@"
  cc_append_keys "$codes"
  if [[ -z "$codes" ]]; then
    sleep "$CC_SETTLE_SECONDS"
  fi
  cc_expect_history "$name"
  xs_note "$name: ok"
}
