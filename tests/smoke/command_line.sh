#!/usr/bin/env bash
# The command line answered without a display: usage and version on standard
# output with exit status 0; an unknown option, or two files, on standard
# error with the usage and exit status 1. Qt's own options are not unknown.
#
#   command_line.sh PROGRAM
set -uo pipefail

program=$1
source "$(dirname "$0")/../testkit/testkit.sh"
make_scratch
out=$scratch/out err=$scratch/err

# expect STATUS STREAM TEXT ARGUMENTS...: run without a display, then check
# the exit status and that STREAM (out or err) holds TEXT and the other is empty.
expect() {
    local status=$1 stream=$2 text=$3 got
    shift 3
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out" 2>"$err"
    got=$?
    local shown=$out quiet=$err
    [ "$stream" = err ] && shown=$err quiet=$out
    if [ "$got" != "$status" ] || ! grep -qF -- "$text" "$shown" || [ -s "$quiet" ]; then
        fail "tachlet $*: exit $got (expected $status), standard output:"
        cat "$out"
        echo "standard error:"
        cat "$err"
    fi
}

expect 0 out "Usage:" --help
expect 0 out "2.0.2" --version
expect 0 out "2.0.2" -style fusion -reverse --platform=offscreen --version
expect 1 err "Unknown option 'bogus'." --bogus
expect 1 err "Usage:" -platform offscreen --bogus
expect 1 err "one run file at a time" A.GTP B.GTP
finish
echo "the command line was answered without a display"
