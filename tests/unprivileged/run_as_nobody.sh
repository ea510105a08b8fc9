#!/usr/bin/env bash
# Runs the tests of one test program that need a permission refusal as the
# unprivileged user nobody: root may read and write every file, so as root
# those tests can only skip. The program is copied into a scratch folder of
# its own, so the build folder may lie where nobody cannot reach it; HOME,
# the runtime and cache folders and TMPDIR are scratch folders owned by
# nobody. Fails when a selected test skips or when the filter selects none.
#   run_as_nobody.sh PROGRAM GTEST_FILTER
set -euo pipefail
program=$1
filter=$2
id=65534

if [ "$(id -u)" != 0 ]; then
    echo "not run as root: the ordinary test entries see the refusals themselves"
    exit 77
fi
if ! command -v setpriv >/dev/null 2>&1; then
    echo "setpriv is missing: no unprivileged user can be had"
    exit 77
fi

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
if [ "$status" != 0 ]; then
    exit "$status"
fi
if grep -q '^\[  SKIPPED \]' "$output"; then
    echo "a test skipped although it ran as nobody"
    exit 1
fi
if ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$output"; then
    echo "the filter selected no test"
    exit 1
fi
