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
# installed.
set -euo pipefail

program=$1
examples=$2
here=$(cd "$(dirname "$0")" && pwd)
title="Tachlet v2.00 build 2"

if [ "${TACHLET_SMOKE_INSIDE:-}" != 1 ]; then
    for tool in xvfb-run Xvfb xdotool import python3; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "smoke test skipped: $tool is not installed"
            exit 77
        fi
    done
    export TACHLET_SMOKE_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# The program keeps its settings in a throw-away home, not the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config
unset QT_QPA_PLATFORM
# A build with the leak checker must not fail on the desktop libraries' leaks.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

cd "$examples"
"$program" &
pid=$!

window=$(timeout 30 xdotool search --sync --name "^${title}\$" | head -n 1 || true)
if [ -z "$window" ]; then
    echo "no window titled \"$title\" appeared"
    kill "$pid" 2>/dev/null || true
    exit 1
fi
echo "found window $window titled \"$(xdotool getwindowname "$window")\""

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
fail() {
    kill "$pid" 2>/dev/null || true
    exit 1
}
wait_for_pixel $list_x $list_y not $list_grey || fail
xdotool mousemove --window "$window" 100 25 mousemove --window "$window" 110 30
wait_for_pixel $list_x $list_y is $list_grey || fail
echo "the file browser panel opened under the pointer"
# Right of the panel's right edge, on the bare window: it closes again.
xdotool mousemove --window "$window" 385 300
wait_for_pixel $list_x $list_y not $list_grey || fail
echo "the file browser panel closed when the pointer left it"

python3 "$here/close_window.py" "$window"

# Give the program up to 20 seconds to end on its own.
for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not end after its window was closed"
    kill "$pid"
    exit 1
fi
status=0
wait "$pid" || status=$?
echo "program ended with exit code $status"
exit "$status"
