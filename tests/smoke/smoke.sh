#!/usr/bin/env bash
# Starts the real program on a virtual X display in a folder of run files,
# finds its window by its title, moves the pointer over the file browser panel
# and away again and sees the panel open and close on the screen, asks the
# window to close as a window manager's close button does, and expects the
# program to end by itself with exit code 0.
#
#   smoke.sh PROGRAM EXAMPLES_FOLDER
#
# Exit code 77 (skipped) when Xvfb, xdotool or ImageMagick's import is not
# installed, except under CI, where that fails.
set -euo pipefail
program=$1 examples=$2
source "$(dirname "$0")/../testkit/testkit.sh"
if ! inside_display; then
    need xvfb-run Xvfb xdotool import python3
    on_virtual_display "$0" "$@"
fi

make_scratch
desktop_session
cd "$examples"
"$program" &
pid=$!
find_window "Tachlet v2.00 build 2" 30

# The colour of one pixel of the screen, as #RRGGBB, at a place given in the
# window's own pixels.
eval "$(xdotool getwindowgeometry --shell "$window")"
pixel() {
    import -window root -crop "1x1+$((X + $1))+$((Y + $2))" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1
}
# Waits up to 10 seconds for the pixel to turn the given colour (or, with
# "not", to be any other colour).
wait_for_pixel() {
    local x=$1 y=$2 test=$3 colour=$4 seen
    for _ in $(seq 50); do
        seen=$(pixel "$x" "$y")
        if { [ "$test" = is ] && [ "$seen" = "$colour" ]; } || { [ "$test" = not ] && [ "$seen" != "$colour" ]; }; then
            return 0
        fi
        sleep 0.2
    done
    echo "pixel $x,$y of the window is $seen, expected $test $colour"
    return 1
}

# Low in the file list, where the open panel shows the list's empty light grey
# and the collapsed panel leaves the background picture.
list_x=200 list_y=440 list_grey="#ECECEC"
wait_for_pixel $list_x $list_y not $list_grey
xdotool mousemove --window "$window" 100 25 mousemove --window "$window" 110 30
wait_for_pixel $list_x $list_y is $list_grey
echo "the file browser panel opened under the pointer"
# Right of the panel's right edge, on the bare window: it closes again.
xdotool mousemove --window "$window" 385 300
wait_for_pixel $list_x $list_y not $list_grey
echo "the file browser panel closed when the pointer left it"

close_window
