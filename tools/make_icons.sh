#!/usr/bin/env bash
# Rebuilds the icons under desktop/icons: the SVGs from draw_icons.py, then the
# PNG sizes rendered from them with rsvg-convert (Debian's librsvg2-bin).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
icons=$top/desktop/icons/hicolor
app=org.example.tachlet.Tachlet
file_type=application-x-tachlet-gtp
mkdir -p "$icons/scalable/apps" "$icons/scalable/mimetypes" \
    "$icons/48x48/apps" "$icons/256x256/apps" "$icons/48x48/mimetypes"
python3 "$top/tools/draw_icons.py" "$icons/scalable/apps/$app.svg" "$icons/scalable/mimetypes/$file_type.svg"
for size in 48 256; do
    rsvg-convert -w $size -h $size -o "$icons/${size}x${size}/apps/$app.png" "$icons/scalable/apps/$app.svg"
done
rsvg-convert -w 48 -h 48 -o "$icons/48x48/mimetypes/$file_type.png" "$icons/scalable/mimetypes/$file_type.svg"
