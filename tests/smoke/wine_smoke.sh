#!/usr/bin/env bash
# tachlet.exe under Wine with Qt's real windows platform plugin, on the X
# display that scripts/windows.sh starts: given a run file whose name lies
# outside the ANSI code page, the window must show with that name in its
# title, read as the X window's name. Saves a screenshot of the window for a
# person to look at, prints the time from the start to the shown window, then
# closes the window as a window manager's close button does and expects the
# program to end with exit code 0.
#
#   wine_smoke.sh PROGRAM EXAMPLES_FOLDER SCREENSHOT
#
# Exit code 77 (skipped) without an X display, xdotool or ImageMagick.
set -euo pipefail

program=$1 examples=$2 screenshot=$3
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    echo "no X display: scripts/windows.sh test starts one"
    exit 77
fi
for tool in xdotool import python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
name="Δρόμος 1.GTP"
cp "$examples/TRACK.GTP" "$scratch/$name"
cd "$scratch"

started=$(date +%s%N)
env -u QT_QPA_PLATFORM wine "$program" "$name" &
pid=$!
title="$name — Tachlet v2.00 build 2"
window=$(timeout 60 xdotool search --sync --name "^${title}\$" | head -n 1 || true)
shown=$(date +%s%N)
if [ -z "$window" ]; then
    echo "no window titled \"$title\" appeared; windows named after the program:"
    for found in $(xdotool search --name Tachlet 2>/dev/null); do xdotool getwindowname "$found"; done
    exit 1
fi
echo "found window $window titled \"$(xdotool getwindowname "$window")\""
echo "start-up to the shown window: $(( (shown - started) / 1000000 )) ms"

# The values are drawn once the file has loaded, right after the window shows.
sleep 1
mkdir -p "$(dirname "$screenshot")"
import -window "$window" "$screenshot"
echo "screenshot: $screenshot"

python3 "$here/close_window.py" "$window"
for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not end after its window was closed"
    exit 1
fi
status=0
wait "$pid" || status=$?
pid=
echo "program ended with exit code $status"
exit "$status"
