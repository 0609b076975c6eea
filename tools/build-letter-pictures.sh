#!/usr/bin/env bash
# Rebuilds the stored letter pictures and the program icons from the SVG sources kept in
# resources/art/. The same sources and Qt give the same bytes. With --fetch it first copies the
# chosen drawings afresh from the pinned npm package (needs the network; the build never does).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

readonly emoji_package=fluentui-emoji@1.3.0
readonly art=resources/art
readonly tool_build=${FLURB_ART_BUILD_DIR:-build/letter-art}

fetch_sources() {
  local scratch
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' RETURN
  (cd "$scratch" && npm pack --silent "$emoji_package" >/dev/null && tar xzf ./*.tgz)
  cp "$scratch/package/LICENSE" "$art/fluentui-emoji/LICENSE"
  local source
  while read -r source; do
    cp "$scratch/package/icons/flat/${source#fluentui-emoji/}" "$art/$source"
  done < <(awk '!/^#/ && $2 ~ /^fluentui-emoji\// {print $2}' "$art/letters.txt")
}

[ "${1:-}" != "--fetch" ] || fetch_sources

cmake -S tools/letter-pictures -B "$tool_build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tool_build" --parallel "$(nproc)" >/dev/null
tool=$tool_build/flurb-letter-art

mkdir -p resources/pictures resources/icons
while read -r letter source; do
  case $letter in '#'* | '') continue ;; esac
  case $letter in I | J) width=405 ;; *) width=450 ;; esac
  "$tool" picture "$art/$source" "$width" "resources/pictures/$letter.dib"
done <"$art/letters.txt"

# The bee of picture B on blue. The small icon maps the drawing's colours onto the 16-colour
# palette: yellow body, black stripes and legs, grey wings.
bee=$art/$(awk '$1 == "B" {print $2}' "$art/letters.txt")
"$tool" icon "$bee" resources/flurb-cards.ico resources/windows/program-icon-image.bin \
  '#ffb02e=#ffff00' '#533566=#000000' '#212121=#000000' '#aeddff=#c0c0c0'
for side in 48 64 128 256; do
  "$tool" desktop-icon "$bee" "$side" "resources/icons/flurb-cards-$side.png"
done
echo "letter pictures and icons rebuilt"
