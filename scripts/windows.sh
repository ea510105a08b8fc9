#!/usr/bin/env bash
# The Windows leg: the core, tachlet-cli, the window (tachlet.exe) and their
# tests cross-built with MinGW-w64, the installer made, and the tests run
# under Wine.
#   scripts/windows.sh build [FOLDER]   installs what is missing, gets Qt for
#                                       Windows (scripts/qt-windows.sh),
#                                       configures FOLDER (build-windows) with
#                                       cmake/mingw-w64.cmake, builds, and
#                                       makes the installer and the .zip
#   scripts/windows.sh test [FOLDER]    the same, then runs ctest there
# The tests run in a fresh Wine prefix in a temporary folder, removed
# afterwards. One wineserver is kept alive for the whole run (-p): a fresh
# prefix takes seconds to start, and a server that has to start again for
# each of the many test programs would add seconds to each of them. A private
# X server (Xvfb) is the prefix's display: Wine's desktop process needs one,
# and without it every program that loads user32 waits for it in vain; the
# window tests draw on Qt's offscreen platform, the smoke and installer tests
# show the real window there. As root, a 64 KiB tmpfs is mounted for the
# full-disk test, which Wine cannot mount itself; Wine reaches it through its
# drive Z:, the Linux root.
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
rm -f "$build"/tachlet-*-win64.exe "$build"/tachlet-*-win64.zip
(cd "$build" && cpack -G "NSIS;ZIP" >cpack.log) || { cat "$build/cpack.log"; exit 1; }
[ "$mode" = build ] && exit 0

scratch=$(mktemp -d /tmp/tachlet-wine-XXXXXX)
export TACHLET_WINE_SCRATCH=$scratch
export WINEPREFIX=$scratch/prefix
export WINEDEBUG=-all
# No installers for .NET and the HTML engine: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
disk=$scratch/small-disk
xvfb=
finish() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  # Under CI some of the prefix's services outlived their server, blocked for
  # good; whatever still runs with this prefix (Xvfb too) goes with it.
  local proc
  for proc in /proc/[0-9]*; do
    if grep -qzxF "WINEPREFIX=$WINEPREFIX" "$proc/environ" 2>/dev/null; then
      kill -9 "${proc#/proc/}" 2>/dev/null || true
    fi
  done
  if mountpoint -q "$disk"; then umount "$disk"; fi
  rm -rf "$scratch"
}
trap finish EXIT

mkdir -p "$WINEPREFIX" "$disk"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$disk"; then
  export TACHLET_SMALL_DISK="Z:${disk//\//\\}"
fi
# Xvfb picks a free display number and writes it to the descriptor given.
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n 1 "$scratch/display")
# The prefix's first start writes its registry and ends by restarting its
# services; only once all of that has ended, and the server with it, is the
# prefix whole on disk (in some CI runs the tests started while the first
# services hung on, and the installer's links went missing). The persistent
# server then starts the services again. They keep whatever output they were
# given open: a log file, never a pipe a test's output goes to.
wine wineboot --init >"$scratch/wineboot.log" 2>&1 || { cat "$scratch/wineboot.log"; exit 1; }
if ! timeout 120 wineserver -w; then
  echo "the Wine prefix did not settle within 120 s:" >&2
  ps -eo pid,lstart,args | grep -F 'C:\windows' >&2 || true
  exit 1
fi
wineserver -p
wine wineboot >>"$scratch/wineboot.log" 2>&1 || { cat "$scratch/wineboot.log"; exit 1; }
ctest --test-dir "$build" --output-on-failure -j "$jobs"
