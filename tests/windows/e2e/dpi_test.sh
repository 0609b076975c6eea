#!/usr/bin/env bash
# flurb-cards.exe under Wine at another resolution (LogPixels): the window and its controls keep
# their sizes in twips and the pictures their logical pixels, so the whole card grows by the
# resolution's ratio to 96 dots per inch; the window stands centred by its outer size; cards equal
# the model's at that resolution but near the edges of the text and the dots, which GDI
# rasterises in its own way, and after a number card the picture hides the dots as at 96. The
# pictures are drawn from the renderings the program carries, as the model draws them: never the
# small picture enlarged. On a desktop smaller than the window it stands at the top left corner,
# its title bar in reach.
#
#   dpi_test.sh PROGRAM.exe RENDER_EXPECTED ARTIFACT_DIR WINE_PREFIX DPI [WIDTHxHEIGHT]
# shellcheck source=SCRIPTDIR/../../harness/e2e_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../harness/e2e_test.sh"
prefix=$4 DPI=$5 desktop=${6:-2560x1600}
# shellcheck source=SCRIPTDIR/../../harness/wine_window.sh
source "$HARNESS/wine_window.sh"

# The client area, 7305 x 7695 twips, in pixels at that resolution (halves go up); the program's
# model says the same once the window is up (below).
WS_CLIENT_WIDTH=$(((7305 * DPI + 720) / 1440))
WS_CLIENT_HEIGHT=$(((7695 * DPI + 720) / 1440))

XS_SCREEN_WIDTH=${desktop%x*} XS_SCREEN_HEIGHT=${desktop#*x}
xs_start_session "$artifacts"
ws_init "$prefix"
ws_set_dpi "$DPI"
# The prefix goes back to 96 dots per inch however the test ends, once the program is ended:
# setting it waits for every Wine process of the prefix.
trap 'ws_stop; ws_set_dpi 96' EXIT
cc_init "$render_expected" "$DPI" --soft-edges --device-placement
ws_launch "$program"
xs_note "window up: outer ${XS_OUTER_WIDTH}x$XS_OUTER_HEIGHT at $XS_OUTER_X,$XS_OUTER_Y;" \
  "Windows frame $XS_FRAME"
cc_place "0,0,$XS_SCREEN_WIDTH,$XS_SCREEN_HEIGHT"
xs_expect_equal "client size" "${WS_CLIENT_WIDTH}x$WS_CLIENT_HEIGHT" \
  "${CC_CLIENT_WIDTH}x$CC_CLIENT_HEIGHT"
xs_expect_equal "outer corner" "$XS_OUTER_X,$XS_OUTER_Y" "$CC_OUTER_X,$CC_OUTER_Y"
((XS_OUTER_X >= 0 && XS_OUTER_Y >= 0)) ||
  xs_fail "the title bar's top left corner is off the desktop"
ws_activate
if ((CC_OUTER_X + WS_CLIENT_WIDTH > XS_SCREEN_WIDTH ||
  CC_OUTER_Y + WS_CLIENT_HEIGHT > XS_SCREEN_HEIGHT)); then
  # Part of the card is off the desktop (Wine also cuts the window down to the desktop's size):
  # the place is all there is to see.
  xs_close_with_alt_f4
  xs_expect_equal "exit status after Alt+F4" "$XS_EXIT_STATUS" 0
  exit 0
fi

cc_identify_start 00-start
xs_note "start card: $CC_START"
cc_press 01-seven 55 7
cc_press 02-k-after-seven 75 k
cc_press 03-five 53 5
cc_press 04-i-after-five 73 i
cc_press 05-nine 57 9
cc_press 06-i-after-nine 73 i
xs_screen_shot screen
xs_close_with_alt_f4
xs_expect_equal "exit status after Alt+F4" "$XS_EXIT_STATUS" 0
