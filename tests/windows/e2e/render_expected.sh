#!/usr/bin/env bash
# render-expected's command line for the Windows program: the model's card drawn by render-card
# (the GDI canvas, under Wine), screenshots handed over as PPM. card_checks.sh calls it.
#
#   FLURB_RENDER_CARD=render-card.exe render_expected.sh [--dpi 96] --frame L,R,T,B [--start A]
#       [--keys ...] (--out X.png | --compare X.png [--diff D.png] | --identify X.png)
set -euo pipefail
: "${FLURB_RENDER_CARD:?the path of render-card.exe}"
work=$(mktemp -d "${TMPDIR:-/tmp}/flurb-render.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

arguments=()
out="" diff=""
while (($# > 0)); do
  case $1 in
    --compare | --identify)
      convert "$2" -depth 8 "ppm:$work/shot.ppm"
      arguments+=("$1" "$work/shot.ppm")
      ;;
    --out) out=$2 && arguments+=(--out "$work/out.ppm") ;;
    --diff) diff=$2 && arguments+=(--diff "$work/diff.ppm") ;;
    *) arguments+=("$1" "$2") ;;
  esac
  shift 2
done

status=0
wine "$FLURB_RENDER_CARD" "${arguments[@]}" || status=$?
if [[ -n "$out" && -f "$work/out.ppm" ]]; then
  convert "$work/out.ppm" "$out"
fi
if [[ -n "$diff" && -f "$work/diff.ppm" ]]; then
  convert "$work/diff.ppm" "$diff"
fi
exit "$status"
