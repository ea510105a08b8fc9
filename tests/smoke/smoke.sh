#!/usr/bin/env bash
# Starts the real program on a virtual X display in a folder of run files,
# finds its window by its title, moves the pointer over the file browser panel
# and away again and sees the panel open and close on the screen, closes the
# window as a window manager's close button does, and expects the program to
# end by itself with exit code 0.
#
#   smoke.sh PROGRAM EXAMPLES_FOLDER
#
# Exit code 77 (skipped) when a tool is missing, except under CI, where that
# fails.
set -euo pipefail
program=$1 examples=$2
source "$(dirname "$0")/../testkit/testkit.sh"
if ! inside_display; then
    need xvfb-run Xvfb import
    need_window_tools
    on_virtual_display "$0" "$@"
fi

make_scratch
desktop_session
cd "$examples"
"$program" &
pid=$!
find_window "Tachlet v2.00 build 2" 30

# wait_for_list shown|hidden: waits up to 10 seconds for a pixel low in the
# file list (in the window's own pixels) to show the open panel's empty list in
# light grey, or not; the collapsed panel leaves the background picture there.
eval "$(xdotool getwindowgeometry --shell "$window")"
wait_for_list() {
    local seen now
    for _ in $(seq 50); do
        seen=$(import -window root -crop "1x1+$((X + 200))+$((Y + 440))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}')
        [ "$seen" = "#ECECEC" ] && now=shown || now=hidden
        [ "$now" = "$1" ] && return 0
        sleep 0.2
    done
    echo "the file list is not $1: its pixel is $seen"
    return 1
}

wait_for_list hidden
xdotool mousemove --window "$window" 100 25 mousemove --window "$window" 110 30
wait_for_list shown
echo "the file browser panel opened under the pointer"
# Right of the panel's right edge, on the bare window: it closes again.
xdotool mousemove --window "$window" 385 300
wait_for_list hidden
echo "the file browser panel closed when the pointer left it"

close_window
