#!/usr/bin/env bash
# Rebuilds resources/background.jpg: the scene from draw_background.py, then
# the small badge under the maker's click area (lblTesla) at the bottom right.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 "$top/tools/draw_background.py" "$tmp/scene.ppm"
convert "$tmp/scene.ppm" \
    -fill '#4a4860' -stroke '#d8d6e4' -strokewidth 1 -draw 'roundrectangle 659,457 766,479 5,5' \
    -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 10 -annotate +666+472 'Tesla Electronics' \
    -quality 88 "$top/resources/background.jpg"
