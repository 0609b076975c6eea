#!/usr/bin/env bash
# The real window on a screen that scales (Xft.dpi, QT_SCALE_FACTOR), of a given size, with the
# primary screen anywhere in the virtual desktop: the client area keeps its size in twips, the
# window's outer frame stands centred on the primary screen (at its top left corner where the
# screen is smaller than the window, title bar in reach), every card equals the model's
# drawing at that device pixel ratio pixel for pixel, and a letter picture, rendered for that
# ratio, stands where the letter card puts it: after a number card it hides the dots as at 96 dots
# per inch.
#
#   dpi_test.sh PROGRAM RENDER_EXPECTED ARTIFACT_DIR XFT_DPI QT_SCALE_FACTOR WIDTHxHEIGHT \
#     [PRIMARY_WIDTHxPRIMARY_HEIGHT+X+Y | off]
#
# "off" switches the X server's output off: the window is then centred on the X screen. With
# E2E_SETTINGS_DPI set, a settings daemon (xsettingsd) announces Xft/DPI at XFT_DPI from the start
# and switches to E2E_SETTINGS_DPI while the window stands: the window keeps its logical size and
# draws the card at the new ratio.
# shellcheck source=SCRIPTDIR/../harness/e2e_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/e2e_test.sh"
xft_dpi=$4 scale=$5 screen=$6 primary=${7:-}
# shellcheck source=SCRIPTDIR/../harness/display_settings.sh
source "$HARNESS/display_settings.sh"

# The letter's picture, rendered for the ratio, must stand in the screenshot pixel for pixel
# where the program's model puts it (centred by the window's outer width, at the letter card's
# top).
expect_picture() {
  local shot=$1 letter=$2 found
  found=$("$render_expected" --dpi "$CC_DPI" --picture "$letter" \
    --locate "$XS_ARTIFACTS/$shot.png") ||
    xs_fail "$shot: picture $letter is nowhere in the window pixel for pixel: $found"
  cc_place "$primary_screen" "$letter"
  xs_expect_equal "$shot: picture $letter (left,top)" "${found%,*,*}" "${CC_PICTURE%,*,*}"
}

ds_use_display "$xft_dpi" "$scale" "${screen%x*}" "${screen#*x}"
if [[ "$primary" == off ]]; then
  ds_switch_output_off
elif [[ -n "$primary" ]]; then
  [[ "$primary" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] ||
    xs_fail "primary screen '$primary' is not WIDTHxHEIGHT+X+Y"
  ds_use_primary_screen "${BASH_REMATCH[@]:1:4}"
fi
xs_start_session "$artifacts"
settings_pid=""
announce_dpi() {
  printf 'Xft/DPI %d\n' $(($1 * 1024)) >"$XS_ARTIFACTS/xsettingsd.conf"
}
if [[ -n "${E2E_SETTINGS_DPI:-}" ]]; then
  announce_dpi "$xft_dpi"
  xs_spawn "$XS_ARTIFACTS/xsettingsd.log" xsettingsd -c "$XS_ARTIFACTS/xsettingsd.conf"
  settings_pid=$XS_SPAWNED
fi
cc_init "$render_expected" "$DS_DPI"
xs_launch "$program"

primary_screen="$DS_PRIMARY_X,$DS_PRIMARY_Y,$DS_PRIMARY_WIDTH,$DS_PRIMARY_HEIGHT"
cc_place "$primary_screen"
xs_expect_equal "client size at $DS_DPI dpi" "${XS_CLIENT_WIDTH}x${XS_CLIENT_HEIGHT}" \
  "${CC_CLIENT_WIDTH}x${CC_CLIENT_HEIGHT}"
xs_expect_equal "outer corner (frame $XS_FRAME) on the primary screen" \
  "$((XS_CLIENT_X - XS_FRAME_LEFT)),$((XS_CLIENT_Y - XS_FRAME_TOP))" "$CC_OUTER_X,$CC_OUTER_Y"
# Whatever the screen's size, the title bar and its close button can be reached.
((XS_CLIENT_X - XS_FRAME_LEFT >= DS_PRIMARY_X && XS_CLIENT_Y - XS_FRAME_TOP >= DS_PRIMARY_Y)) ||
  xs_fail "the title bar's top left corner is off the primary screen"
if ((XS_CLIENT_X + XS_CLIENT_WIDTH > DS_PRIMARY_X + DS_PRIMARY_WIDTH ||
  XS_CLIENT_Y + XS_CLIENT_HEIGHT > DS_PRIMARY_Y + DS_PRIMARY_HEIGHT)); then
  # A screen smaller than the window shows only part of a card: the place is all there is to see.
  xs_close_with_alt_f4
  xs_expect_equal "exit status after Alt+F4" "$XS_EXIT_STATUS" 0
  exit 0
fi

cc_identify_start start-card
xs_note "start card $CC_START equals the model's drawing at $DS_DPI dpi"
expect_picture start-card "$CC_START"
cc_press b-card 66 b
expect_picture b-card B
cc_press seven-card 55 7
cc_press k-card 75 k
expect_picture k-card K
cc_press five-card 53 5
cc_press i-card 73 i
expect_picture i-card I
xs_screen_shot screen

client_size_is() {
  xs_reparented && [[ "${XS_CLIENT_WIDTH}x${XS_CLIENT_HEIGHT}" == "$1" ]]
}
if [[ -n "$settings_pid" ]]; then
  announce_dpi "$E2E_SETTINGS_DPI"
  kill -HUP "$settings_pid"
  CC_DPI=$E2E_SETTINGS_DPI
  cc_place "$primary_screen"
  xs_wait_for "the window at $CC_DPI dpi" client_size_is "${CC_CLIENT_WIDTH}x${CC_CLIENT_HEIGHT}"
  # The size may first be Qt's own at the new ratio and then the model's, a pixel larger and back,
  # which can move the window: its place is read again once the program and openbox are done.
  xs_wait_until_quiet
  xs_wait_for "the window at $CC_DPI dpi" client_size_is "${CC_CLIENT_WIDTH}x${CC_CLIENT_HEIGHT}"
  # The card that stands keeps the place it was given at the old ratio; the next cards are the
  # model's at the new one.
  cc_press "seven-card-at-$CC_DPI-dpi" 55 7
  cc_press "k-card-at-$CC_DPI-dpi" 75 k
  expect_picture "k-card-at-$CC_DPI-dpi" K
fi

xs_close_with_alt_f4
xs_expect_equal "exit status after Alt+F4" "$XS_EXIT_STATUS" 0
