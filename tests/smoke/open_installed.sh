#!/usr/bin/env bash
# Installs the build into a throw-away DESTDIR and starts the installed program
# as a file manager does, with a run file to open, on a virtual X display: its
# name in the window's title and its run name in the label a screen reader
# hears as "Run Name" (read over the accessibility bus); the other fields, the
# notes and the lists are named too. The file is named relative to another
# folder, through a folder whose name is not UTF-8, and has a run name of its
# own, so a value shown by an earlier start cannot pass for it.
#
#   open_installed.sh CMAKE BUILD_DIR EXAMPLES_FOLDER
#
# Exit code 77 (skipped) when a tool is missing, except under CI, where that
# fails.
set -euo pipefail
cmake=$1 build=$2 examples=$3
source "$(dirname "$0")/../testkit/testkit.sh"
if ! inside_display; then
    need xvfb-run Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher
    need_window_tools
    /usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || need python3-pyatspi
    # A session bus of its own, where the accessibility bus starts on demand.
    on_virtual_display dbus-run-session -- "$0" "$@"
fi

make_scratch
install_build "$cmake" "$build" "$scratch/dest"
# In a folder named in Latin-1 with a blank.
runs=$'caf\xe9 runs'
mkdir -p "$scratch/start" "$scratch/$runs"
file="night run.gtp"
run_name="Opened from outside $RANDOM"
cp "$examples/TRACK.GTP" "$scratch/$runs/$file"
printf '%s\0' "$run_name" | dd of="$scratch/$runs/$file" bs=1 seek=19 conv=notrunc status=none

desktop_session
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
cd "$scratch/start"
"$scratch/dest/usr/bin/tachlet" "../$runs/$file" &
pid=$!
find_window "$file — Tachlet v2.00 build 2" 30
timeout 60 "$kit/../smoke/wait_for_label.py" Tachlet "The name of the run.  Maximum length is 47 characters." \
    "Run Name" "$run_name" 20 "Vehicle Name" "Vehicle Weight" Redline "Shift Point" "Rollout Length" \
    "Pitch Factor" "Vehicle Notes" Drives Folders "Run files"
close_window
