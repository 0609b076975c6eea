# shellcheck shell=bash
# Sourced before xsession.sh starts its session: the screen's resolution, its size and where the
# primary screen stands in the virtual desktop. Where the window must then stand, the program's
# own model says (cc_place in card_checks.sh).
#
#   ds_use_display XFT_DPI SCALE WIDTH HEIGHT
#                                     Xft.dpi, QT_SCALE_FACTOR (a whole number; exported when not
#                                     1) and the X server's size (the virtual desktop); the real
#                                     resolution DS_DPI is their product
#   ds_use_primary_screen W H X Y     the primary screen as a RandR monitor inside the desktop,
#                                     with a second monitor to its left (default: the whole desktop)
#   ds_switch_output_off              the X server's one output switched off (a closed lid, a KVM
#                                     switch): no screen has a size, the X screen keeps its own

# Read by the tests that source this file.
# shellcheck disable=SC2034

DS_XFT_DPI=96
DS_DPI=96
DS_PRIMARY=""
DS_PRIMARY_WIDTH=""
DS_PRIMARY_HEIGHT=""
DS_PRIMARY_X=0
DS_PRIMARY_Y=0
DS_OUTPUT_OFF=""

ds_use_display() {
  local scale=$2
  DS_XFT_DPI=$1 DS_DPI=$(($1 * scale))
  XS_SCREEN_WIDTH=$3 XS_SCREEN_HEIGHT=$4
  DS_PRIMARY_WIDTH=$3 DS_PRIMARY_HEIGHT=$4 DS_PRIMARY_X=0 DS_PRIMARY_Y=0
  if ((scale != 1)); then
    export QT_SCALE_FACTOR=$scale
  fi
}

ds_use_primary_screen() {
  DS_PRIMARY="set"
  DS_PRIMARY_WIDTH=$1 DS_PRIMARY_HEIGHT=$2 DS_PRIMARY_X=$3 DS_PRIMARY_Y=$4
}

ds_switch_output_off() {
  DS_OUTPUT_OFF="set"
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
  if [[ -n "$DS_OUTPUT_OFF" ]]; then
    # xrandr then fails to shrink the X screen to nothing, which is what a real server refuses too.
    xrandr --output screen --off 2>/dev/null || true
    ! xrandr | grep -q '^screen connected [0-9]' || xs_fail "the output is still on: $(xrandr)"
  fi
  xs_note "Xft.dpi $DS_XFT_DPI (${DS_DPI} dpi with QT_SCALE_FACTOR)" \
    "on ${XS_SCREEN_WIDTH}x${XS_SCREEN_HEIGHT};" \
    "primary screen ${DS_PRIMARY_WIDTH}x${DS_PRIMARY_HEIGHT} at $DS_PRIMARY_X,$DS_PRIMARY_Y"
}

