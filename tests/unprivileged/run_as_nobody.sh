#!/usr/bin/env bash
# Runs the tests of one test program that need a permission refusal as the
# user nobody (as root they can only skip), from a copy in a scratch folder,
# so the build folder may lie where nobody cannot reach it, with a home,
# runtime folder and TMPDIR of its own. Fails when a selected test skips or
# when the filter selects none.
#   run_as_nobody.sh PROGRAM GTEST_FILTER
set -euo pipefail
program=$1 filter=$2 id=65534
[ "$(id -u)" = 0 ] || { echo "not root: the ordinary test entries see the refusals"; exit 77; }

scratch=$(mktemp -d /tmp/tachlet-nobody-XXXXXX)
trap 'chmod -R u+rwx "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
cp "$program" "$scratch/"
mkdir -m 700 "$scratch/home" "$scratch/runtime" "$scratch/tmp"
chown "$id:$id" "$scratch/home" "$scratch/runtime" "$scratch/tmp"

output=$scratch/output.txt
status=0
(cd "$scratch/home" &&
    setpriv --reuid="$id" --regid="$id" --clear-groups -- \
        env HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/home/.cache" \
        XDG_CONFIG_HOME="$scratch/home/.config" TMPDIR="$scratch/tmp" QT_QPA_PLATFORM=offscreen \
        "$scratch/$(basename "$program")" --gtest_filter="$filter") >"$output" 2>&1 || status=$?
cat "$output"
[ "$status" = 0 ] || exit "$status"
! grep -q '^\[  SKIPPED \]' "$output" || { echo "a test skipped although it ran as nobody"; exit 1; }
grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$output" || { echo "the filter selected no test"; exit 1; }
