#!/usr/bin/env bash
# tachlet.exe under Wine with Qt's windows platform plugin, on the X display of
# scripts/windows.sh: given a run file named outside the ANSI code page, its
# window must show that name in its title. Saves a screenshot for a person to
# look at, then closes the window and expects the program to end with 0.
#
#   wine_smoke.sh PROGRAM EXAMPLES_FOLDER SCREENSHOT
#
# Exit code 77 (skipped) without an X display; without a tool too, except
# under CI, where that fails.
set -euo pipefail
program=$1 examples=$2 screenshot=$3
source "$(dirname "$0")/../testkit/testkit.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "no X display: scripts/windows.sh test starts one"
    exit 77
fi
need import
need_window_tools

make_scratch
name="Δρόμος 1.GTP"
cp "$examples/TRACK.GTP" "$scratch/$name"
cd "$scratch"
started=$(date +%s%N)
env -u QT_QPA_PLATFORM wine "$program" "$name" &
pid=$!
find_window "$name — Tachlet v2.00 build 2" 60
echo "start-up to the shown window: $(( ($(date +%s%N) - started) / 1000000 )) ms"

# The values are drawn once the file has loaded, right after the window shows.
sleep 1
mkdir -p "$(dirname "$screenshot")"
import -window "$window" "$screenshot"
echo "screenshot: $screenshot"
close_window
