# shellcheck shell=bash
# The DM_ settings are read by common.sh and card_case.sh, which the caller sources too.
# shellcheck disable=SC2034
# Sourced by desktop-matrix.sh after common.sh and one desktop's file: one case of the matrix,
# the program started as the session would start it, then checked through screenshots of the
# whole screen and keys sent through the desktop's own input.
#
#   dm_run_case PROGRAM RENDER_EXPECTED CLIENT SCALE CASE_DIR   (DM_PROBE names desktop-probe)
#
# sets DM_RESULT to "platform up focused centred cards close" (yes/no/-; centred "placed" where
# the desktop places new windows itself and did not centre this one; close as
# "STATUS/MILLISECONDS" or "hang") and writes the details to the case's log. The letter card is
# compared pixel for pixel, at the resolution the window was drawn for, wherever nothing rescales
# it; platform is "wayland" or "x11:" with the X11 window's type.

readonly DM_UP_SECONDS=30
readonly DM_KEY_SECONDS=10
readonly DM_CLOSE_SECONDS=10
# The client area's centre may stand below the screen's by half the title bar.
readonly DM_TITLE_BAR_ALLOWANCE=40

DM_CASE_DIR=""
DM_SHOTS=0

# dm_shoot NAME: a screenshot as NAME.png, its path in DM_SHOT.
dm_shoot() {
  DM_SHOTS=$((DM_SHOTS + 1))
  DM_SHOT="$DM_CASE_DIR/$1.png"
  desk_shot "$DM_SHOT" 2>>"$DM_CASE_DIR/shots.log"
}

# Finds the client area in a fresh screenshot; DM_RECT is "X Y WIDTH HEIGHT".
dm_window_shown() {
  dm_program_alive || return 2
  dm_shoot "$1" || return 1
  DM_RECT=$("$DM_PROBE" window "$DM_SHOT") || return 1
}

# dm_client_shot NAME: a fresh screenshot, and its client area alone as NAME-client.png, its path
# in DM_CLIENT_SHOT.
dm_client_shot() {
  dm_window_shown "$1" || return 1
  local x y width height
  read -r x y width height <<<"$DM_RECT"
  DM_CLIENT_SHOT="$DM_CASE_DIR/$1-client.png"
  convert "$DM_SHOT" -crop "${width}x${height}+${x}+${y}" +repage "$DM_CLIENT_SHOT"
}

# dm_shows_dots NAME COUNT
dm_shows_dots() {
  dm_window_shown "$1" || return 1
  # shellcheck disable=SC2086 # the rectangle is four words
  [[ "$("$DM_PROBE" dots "$DM_SHOT" $DM_RECT)" == "$2" ]]
}

# dm_shows_card NAME FRAME KEYS DPI [START]: the client area equals the model's drawing after
# KEYS from the START letter's card (A).
dm_shows_card() {
  dm_client_shot "$1" || return 1
  "$DM_RENDER_EXPECTED" --dpi "$4" --frame "$2" --start "${5:-A}" --keys "$3" \
    --compare "$DM_CLIENT_SHOT" --diff "$DM_CASE_DIR/$1-diff.png" >/dev/null
}

# dm_unscaled_dpi X11_WINDOW WIDTH HEIGHT SCREEN_WIDTH SCALE: the resolution, 96 or 96 x SCALE
# dots per inch, at which the model's client area has the size the screenshot shows, when
# nothing rescales the window: the screenshot has the output's own pixels and an X11 window
# (none for a Wayland client) shows at its own size. Fails otherwise.
dm_unscaled_dpi() {
  local window=$1 size="$2x$3" screen_width=$4 scale=$5 dpi
  ((screen_width == 1280 * scale)) || return 1
  if [[ -n $window ]] && [[ "$(dm_x11_client_size "$window")" != "$size" ]]; then
    return 1
  fi
  for dpi in $((96 * scale)) 96; do
    if [[ "$("$DM_RENDER_EXPECTED" --dpi "$dpi" --frame 0,0,0,0 --place 0,0,1,1 |
      sed -n 's/^client \([0-9]*\) \([0-9]*\)$/\1x\2/p')" == "$size" ]]; then
      echo "$dpi"
      return 0
    fi
  done
  return 1
}

# yes when the client area stands centred across the screen and, below the screen's centre by
# no more than a title bar, down it.
dm_centred() {
  local x y width height screen_width screen_height scale=$1
  read -r x y width height <<<"$DM_RECT"
  read -r screen_width screen_height < <(identify -format '%w %h\n' "$DM_SHOT")
  local across=$((2 * x + width - screen_width)) down=$((2 * y + height - screen_height))
  dm_note "client ${width}x${height} at $x,$y on ${screen_width}x${screen_height}:" \
    "off centre by $across/2 across, $down/2 down"
  ((across >= -2 * scale && across <= 2 * scale && down >= -2 * scale &&
    down <= 2 * DM_TITLE_BAR_ALLOWANCE * scale))
}

dm_program_gone() {
  ! dm_program_alive
}

dm_run_case() {
  local program=$1 client=$3 scale=$4
  DM_RENDER_EXPECTED=$2 DM_CASE_DIR=$5
  DM_PROBE=${DM_PROBE:?}
  local platform="-" up="no" focused="-" centred="-" cards="-" close="-"
  DM_RESULT="$platform $up $focused $centred $cards $close"

  dm_launch "$program" "$client" "$DM_CASE_DIR/program.log"
  local started
  started=$(xs_now_ms)
  if ! xs_poll "$DM_UP_SECONDS" dm_window_shown 01-up; then
    dm_note "no window after $DM_UP_SECONDS s; program alive: $(dm_program_alive && echo yes || echo no)"
    return 0
  fi
  up="yes"
  dm_note "window up after $(($(xs_now_ms) - started)) ms at $DM_RECT"
  local window="" frame="0,0,0,0"
  if window=$(dm_x11_window); then
    platform="x11:$(dm_x11_window_type "$window")"
    frame=$(dm_x11_frame "$window") || frame="0,0,0,0"
    dm_note "an X11 client ($platform): window $window, frame extents $frame"
  else
    platform="wayland"
  fi

  # A key reaches the window only while it holds the keyboard focus.
  desk_key 7
  if xs_poll "$DM_KEY_SECONDS" dm_shows_dots 02-seven 7; then
    focused="yes"
    cards="7"
    if dm_centred "$scale"; then
      centred="yes"
    elif desk_places_windows "$platform"; then
      centred="placed"
    else
      centred="no"
    fi
    desk_key k
    local width height screen_width model_dpi
    read -r _ _ width height <<<"$DM_RECT"
    read -r screen_width < <(identify -format '%w\n' "$DM_SHOT")
    if model_dpi=$(dm_unscaled_dpi "$window" "$width" "$height" "$screen_width" "$scale"); then
      # Nothing rescales the window: the letter card must be the model's, pixel for pixel.
      if xs_poll "$DM_KEY_SECONDS" dm_shows_card 03-letter "$frame" 55,75 "$model_dpi"; then
        cards="7+K"
      else
        cards="7+K?"
      fi
    elif xs_poll "$DM_KEY_SECONDS" dm_shows_dots 03-letter 0; then
      # Scaled up as a whole by a Wayland compositor (an Xwayland window), or drawn by the
      # program at a scale the model is not asked about: the picture hides every dot as at 96
      # dots per inch.
      cards="7+k"
    fi
  else
    focused="no"
  fi

  local closing status=0
  closing=$(xs_now_ms)
  desk_close
  if xs_poll "$DM_CLOSE_SECONDS" dm_program_gone; then
    wait "$DM_PROGRAM_PID" || status=$?
    close="$status/$(($(xs_now_ms) - closing))ms"
    if ! xs_poll 5 xs_session_empty "$DM_PROGRAM_PID"; then
      close+="+left"
      dm_note "left running: $(pgrep -a -s "$DM_PROGRAM_PID")"
    fi
  else
    close="hang"
    kill -KILL -- "-$DM_PROGRAM_PID" 2>/dev/null || true
  fi
  DM_RESULT="$platform $up $focused $centred $cards $close"
}
