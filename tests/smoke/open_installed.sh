#!/usr/bin/env bash
# Installs the build into a throw-away DESTDIR and starts the installed program
# as a file manager does, with a run file to open, on a virtual X display. The
# file must load: its name in the window's title (found as a window manager
# sees it) and its run name in the run-name label, which a screen reader hears
# named "Run Name" (read over the accessibility bus); the other fields, the
# notes and the lists are named too. The file is named relative
# to the folder the program starts in, which is not the file's own, through a
# folder whose name is not UTF-8; and it has a run name of its own, so a value
# shown by an earlier start or another file cannot pass for it.
#
#   open_installed.sh CMAKE BUILD_DIR EXAMPLES_FOLDER
#
# Exit code 77 (skipped) when a tool is missing, except under CI, where that
# fails.
set -euo pipefail

cmake=$1 build=$2 examples=$3
here=$(cd "$(dirname "$0")" && pwd)

if [ "${TACHLET_SMOKE_INSIDE:-}" != 1 ]; then
    missing=
    for tool in xvfb-run Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
        command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
    done
    /usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || missing="$missing python3-pyatspi"
    if [ -n "$missing" ]; then
        echo "not installed:$missing (scripts/install-deps.sh installs them)"
        [ "${CI:-}" = true ] && exit 1
        exit 77
    fi
    export TACHLET_SMOKE_INSIDE=1
    # A session bus of its own, on which the accessibility bus starts when
    # the program asks for it.
    exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi

scratch=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
DESTDIR=$scratch/dest "$cmake" --install "$build" --prefix /usr >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; exit 1; }
program=$scratch/dest/usr/bin/tachlet

# A copy of an example with a run name no other file has, in a folder named
# in Latin-1 with a blank.
runs=$'caf\xe9 runs'
mkdir -p "$scratch/start" "$scratch/$runs"
file="night run.gtp"
run_name="Opened from outside $RANDOM"
cp "$examples/TRACK.GTP" "$scratch/$runs/$file"
printf '%s\0' "$run_name" | dd of="$scratch/$runs/$file" bs=1 seek=19 conv=notrunc status=none

export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cd "$scratch/start"
"$program" "../$runs/$file" &
pid=$!

title="$file — Tachlet v2.00 build 2"
window=$(timeout 30 xdotool search --sync --name "^${title}\$" | head -n 1 || true)
if [ -z "$window" ]; then
    echo "no window titled \"$title\" appeared; windows named after the program:"
    for shown in $(xdotool search --name Tachlet 2>/dev/null); do xdotool getwindowname "$shown"; done
    exit 1
fi
echo "found window $window titled \"$(xdotool getwindowname "$window")\""

timeout 60 "$here/wait_for_label.py" Tachlet "The name of the run.  Maximum length is 47 characters." \
    "Run Name" "$run_name" 20 "Vehicle Name" "Vehicle Weight" Redline "Shift Point" "Rollout Length" \
    "Pitch Factor" "Vehicle Notes" Drives Folders "Run files"

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
