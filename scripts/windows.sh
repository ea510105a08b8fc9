#!/usr/bin/env bash
# The Windows leg: the Qt-free core and its tests cross-built with MinGW-w64
# and run under Wine.
#   scripts/windows.sh build [FOLDER]   installs what is missing, configures
#                                       FOLDER (build-windows) with
#                                       cmake/mingw-w64.cmake and builds
#   scripts/windows.sh test [FOLDER]    the same, then runs ctest there
# The tests run in a fresh Wine prefix in a temporary folder, removed
# afterwards. One wineserver is kept alive for the whole run (-p): a fresh
# prefix takes seconds to start, and a server that has to start again for
# each of the many test programs would add seconds to each of them. As root,
# a 64 KiB tmpfs is mounted for the full-disk test, which Wine cannot mount
# itself; Wine reaches it through its drive Z:, the Linux root.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-test}
build=${2:-build-windows}
jobs=${JOBS:-$(nproc)}
case $mode in
  build | test) ;;
  *) echo "usage: $0 build|test [FOLDER]" >&2; exit 2 ;;
esac

./scripts/install-deps.sh windows
qt=$(./scripts/qt-windows.sh)
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTACHLET_QT_DIR="$qt"
cmake --build "$build" -j "$jobs"
[ "$mode" = build ] && exit 0

scratch=$(mktemp -d /tmp/tachlet-wine-XXXXXX)
export WINEPREFIX=$scratch/prefix
export WINEDEBUG=-all
# No installers for .NET and the HTML engine: console programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
disk=$scratch/small-disk
finish() {
  wineserver -k 2>/dev/null || true
  if mountpoint -q "$disk"; then umount "$disk"; fi
  rm -rf "$scratch"
}
trap finish EXIT

mkdir -p "$WINEPREFIX" "$disk"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$disk"; then
  export TACHLET_SMALL_DISK="Z:${disk//\//\\}"
fi
wineserver -p
# The prefix's first start writes its registry and starts its services, which
# keep whatever output they were given open: a log file, never a pipe.
wine wineboot --init >"$scratch/wineboot.log" 2>&1 || { cat "$scratch/wineboot.log"; exit 1; }
ctest --test-dir "$build" --output-on-failure -j "$jobs"
