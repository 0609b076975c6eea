# shellcheck shell=bash
# Sourced before xsession.sh starts its session: the screen's resolution, its size and where the
# primary screen stands in the virtual desktop, and the pixel arithmetic that follows from them.
#
#   ds_use_display XFT_DPI SCALE WIDTH HEIGHT
#                                     Xft.dpi, QT_SCALE_FACTOR (a whole number; exported when not
#                                     1) and the X server's size (the virtual desktop); the real
#                                     resolution DS_DPI is their product
#   ds_use_primary_screen W H X Y     the primary screen as a RandR monitor inside the desktop,
#                                     with a second monitor to its left (default: the whole desktop)
#   ds_twips_to_pixels HALF_TWIPS     a position in half twips as the program rounds it to pixels
#   ds_centred_pixels ORIGIN SCREEN_SIZE WINDOW_SIZE
#                                     where the program puts the outer edge of a window of that
#                                     size centred on a screen from ORIGIN on (all in pixels)
#
# Twips per pixel are 1440 / dpi: 7.5 at 192 dpi, so the arithmetic is done in half twips, where
# every resolution used here has a whole number per pixel (DS_HALF_TWIPS_PER_PIXEL).

# Read by the tests that source this file.
# shellcheck disable=SC2034

DS_XFT_DPI=96
DS_DPI=96
DS_HALF_TWIPS_PER_PIXEL=30
DS_PRIMARY=""
DS_PRIMARY_WIDTH=""
DS_PRIMARY_HEIGHT=""
DS_PRIMARY_X=0
DS_PRIMARY_Y=0

ds_use_display() {
  local scale=$2
  DS_XFT_DPI=$1 DS_DPI=$(($1 * scale))
  XS_SCREEN_WIDTH=$3 XS_SCREEN_HEIGHT=$4
  ((2880 % DS_DPI == 0)) || xs_fail "$DS_DPI dpi: no whole number of half twips per pixel"
  DS_HALF_TWIPS_PER_PIXEL=$((2880 / DS_DPI))
  DS_PRIMARY_WIDTH=$3 DS_PRIMARY_HEIGHT=$4 DS_PRIMARY_X=0 DS_PRIMARY_Y=0
  if ((scale != 1)); then
    export QT_SCALE_FACTOR=$scale
  fi
}

ds_use_primary_screen() {
  DS_PRIMARY="set"
  DS_PRIMARY_WIDTH=$1 DS_PRIMARY_HEIGHT=$2 DS_PRIMARY_X=$3 DS_PRIMARY_Y=$4
}

# RandR monitor geometry: WIDTH/MMxHEIGHT/MM+X+Y, at Xft.dpi.
ds_monitor_geometry() {
  local width=$1 height=$2 x=$3 y=$4
  local mm_per_inch_tenths=254
  echo "${width}/$((width * mm_per_inch_tenths / (10 * DS_XFT_DPI)))x${height}/$((height * \
    mm_per_inch_tenths / (10 * DS_XFT_DPI)))+${x}+${y}"
}

# Called by xs_start_session once the X server accepts clients, before openbox starts: openbox
# sizes its title bar by Xft.dpi too. Qt reads both when the program starts.
xs_prepare_display() {
  xrdb -nocpp -merge <<<"Xft.dpi: $DS_XFT_DPI"
  if [[ -n "$DS_PRIMARY" ]]; then
    # A name starting with '*' makes the monitor primary; Qt takes its screens from the monitors.
    xrandr --setmonitor side "$(ds_monitor_geometry "$DS_PRIMARY_X" "$DS_PRIMARY_HEIGHT" 0 0)" none
    xrandr --setmonitor '*primary' "$(ds_monitor_geometry "$DS_PRIMARY_WIDTH" \
      "$DS_PRIMARY_HEIGHT" "$DS_PRIMARY_X" "$DS_PRIMARY_Y")" none
  fi
  xs_note "Xft.dpi $DS_XFT_DPI (${DS_DPI} dpi with QT_SCALE_FACTOR)" \
    "on ${XS_SCREEN_WIDTH}x${XS_SCREEN_HEIGHT};" \
    "primary screen ${DS_PRIMARY_WIDTH}x${DS_PRIMARY_HEIGHT} at $DS_PRIMARY_X,$DS_PRIMARY_Y"
}

# Floor division, whatever the signs.
ds_floor_div() {
  local numerator=$1 denominator=$2
  if ((numerator < 0 && numerator % denominator != 0)); then
    echo $((numerator / denominator - 1))
  else
    echo $((numerator / denominator))
  fi
}

# Halves go up, as the program rounds positions.
ds_twips_to_pixels() {
  local half_twips=$1
  ds_floor_div $((2 * half_twips + DS_HALF_TWIPS_PER_PIXEL)) $((2 * DS_HALF_TWIPS_PER_PIXEL))
}

# The screen's edge in twips plus the difference of the sizes in twips, rounded to a whole number
# (halves to even) and halved dropping the remainder (toward zero); then turned into pixels.
ds_centred_pixels() {
  local origin=$1 screen=$2 window=$3
  local half_twips=$(((screen - window) * DS_HALF_TWIPS_PER_PIXEL))
  local twips=$((half_twips / 2))
  if ((half_twips % 2 != 0)); then
    # Exactly half-way between two whole twips: go to the even one.
    local lower
    lower=$(ds_floor_div "$half_twips" 2)
    twips=$((lower % 2 == 0 ? lower : lower + 1))
  fi
  ds_twips_to_pixels $((origin * DS_HALF_TWIPS_PER_PIXEL + 2 * (twips / 2)))
}
