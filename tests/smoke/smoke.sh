#!/usr/bin/env bash
# Starts the real program on a virtual X display in a folder of run files,
# finds its window by its title, asks it to close as a window manager's close
# button does, and expects the program to end by itself with exit code 0.
#
#   smoke.sh PROGRAM EXAMPLES_FOLDER
#
# Exit code 77 (skipped) when Xvfb or xdotool is not installed.
set -euo pipefail

program=$1
examples=$2
here=$(cd "$(dirname "$0")" && pwd)
title="Tachlet v2.00 build 2"

if [ "${TACHLET_SMOKE_INSIDE:-}" != 1 ]; then
    for tool in xvfb-run Xvfb xdotool python3; do
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
