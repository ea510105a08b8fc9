#!/usr/bin/env bash
# Qt 6.4.2 base (Core, Gui, Widgets, Test; the windows and offscreen platform
# plugins; the Windows styles) built as DLLs for 64-bit Windows with Debian's
# MinGW-w64, in a cache folder outside the build trees. Prints the folder of
# that Qt on its standard output; everything else goes to standard error.
#
#   scripts/qt-windows.sh            the Qt folder, made first when missing
#   scripts/qt-windows.sh source     only fetch the source, apply the change and
#                                    configure, then stop (a check of the
#                                    from-source path that skips its build)
#
# Where a prepared archive of that Qt lies (TACHLET_QT_ARCHIVE_DIR, else
# shared/qt-windows beside the repository or beside its main checkout) and its
# checksum matches, it is unpacked. Otherwise the Qt of Debian's own source
# package is built: fetched through a source list of this script's own, so the
# machine's apt configuration is left as it is, changed in one place (below),
# configured with the line below and built, about 45 minutes on a quiet
# 2-core machine. The build is the same that made the prepared archive.
#
# Variables: TACHLET_QT_CACHE (the cache folder, ~/.cache/tachlet),
# TACHLET_QT_ARCHIVE_DIR, TACHLET_DEBIAN_MIRROR (deb.debian.org), JOBS.
set -euo pipefail

qt_version=6.4.2
debian_version=6.4.2+dfsg-10
name=qt-$qt_version-mingw64
archive=$name.tar.xz
archive_sha256=f71c83f0ec9ad06bf654a0f4e3fece18d721fdbf878ebcecf667e0fa151d4416

top=$(cd "$(dirname "$0")/.." && pwd)
cache=${TACHLET_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tachlet}
qt=$cache/$name
mode=${1:-get}
jobs=${JOBS:-$(nproc)}
say() { echo "qt-windows: $*" >&2; }

# The marker is written last, so a tree left half made by an interrupted run
# is made again.
if [ "$mode" = get ] && [ -f "$qt/.tachlet-complete" ]; then
  echo "$qt"
  exit 0
fi

archive_dirs() {
  if [ -n "${TACHLET_QT_ARCHIVE_DIR:-}" ]; then
    echo "$TACHLET_QT_ARCHIVE_DIR"
    return
  fi
  echo "$top/../shared/qt-windows"
  # A worktree lies elsewhere; its main checkout has shared/ beside it.
  local common
  if common=$(git -C "$top" rev-parse --path-format=absolute --git-common-dir 2>/dev/null); then
    echo "$(dirname "$common")/../shared/qt-windows"
  fi
}

unpack_prepared() {
  local dir
  while read -r dir; do
    [ -f "$dir/$archive" ] || continue
    say "checking $dir/$archive"
    if ! echo "$archive_sha256  $dir/$archive" | sha256sum -c --status; then
      say "$dir/$archive does not match its checksum; not used"
      continue
    fi
    rm -rf "$qt" "$qt.unpacking"
    mkdir -p "$qt.unpacking"
    tar -xJf "$dir/$archive" -C "$qt.unpacking"
    mv "$qt.unpacking/$name" "$qt"
    rmdir "$qt.unpacking"
    touch "$qt/.tachlet-complete"
    say "unpacked into $qt"
    return 0
  done < <(archive_dirs)
  return 1
}

# apt-get source through a list of this script's own: its lists, caches and
# downloads stay in the work folder, the machine's sources and lists unread.
fetch_source() {
  local work=$1 mirror=${TACHLET_DEBIAN_MIRROR:-http://deb.debian.org/debian}
  mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" \
    >"$work/apt/sources.list"
  local apt=(apt-get -q
    -o Dir::Etc::sourcelist="$work/apt/sources.list" -o Dir::Etc::sourceparts=/dev/null
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache::archives="$work/apt/archives"
    -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
    -o APT::Sandbox::User=root)
  say "fetching Debian's qt6-base $debian_version source through $work/apt/sources.list"
  "${apt[@]}" update >&2
  (cd "$work" && "${apt[@]}" source "qt6-base=$debian_version" >&2)
}

# Debian's source leaves out src/3rdparty/wintab, the pen-tablet header the
# Windows platform plugins include; they are built without pen-tablet input
# (mouse, keyboard and touch are unaffected).
change_source() {
  local src=$1 file
  local platforms=$src/src/plugins/platforms
  for file in qwindowspointerhandler.h qwindowspointerhandler.cpp qwindowscontext.cpp; do
    grep -q 'QT_CONFIG(tabletevent)' "$platforms/windows/$file" || { say "no tablet switch in $file"; exit 1; }
    sed -i 's/QT_CONFIG(tabletevent)/0/g' "$platforms/windows/$file"
  done
  for file in windows/CMakeLists.txt direct2d/CMakeLists.txt; do
    grep -q 'CONDITION QT_FEATURE_tabletevent' "$platforms/$file" || { say "no tablet block in $file"; exit 1; }
    sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION FALSE/' "$platforms/$file"
    if grep -q 'CONDITION QT_FEATURE_tabletevent' "$platforms/$file"; then
      say "the tablet block of $file was not switched off"
      exit 1
    fi
  done
}

configure_qt() {
  local src=$1 build=$2
  cat >"$build.toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$build.toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_testlib=ON >&2
}

build_from_source() {
  local host
  host=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
  case $host in
    "$qt_version"+*) ;;
    *) say "the host tools must be Qt $qt_version (qt6-base-dev-tools), found '${host:-none}'"; exit 1 ;;
  esac
  local work=$cache/$name-work
  rm -rf "$work"
  mkdir -p "$work"
  fetch_source "$work"
  local src
  src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-*" -print -quit)
  [ -n "$src" ] || { say "apt-get source unpacked no qtbase folder in $work"; exit 1; }
  change_source "$src"
  say "configuring in $work/build"
  configure_qt "$src" "$work/build"
  if [ "$mode" = source ]; then
    say "configured; stopped before the build as asked ($work)"
    exit 0
  fi
  say "building Qt $qt_version for Windows: about 45 minutes on a quiet 2-core machine"
  cmake --build "$work/build" -j "$jobs" >&2
  rm -rf "$qt"
  cmake --install "$work/build" >&2
  find "$qt" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
  touch "$qt/.tachlet-complete"
  rm -rf "$work"
  say "built into $qt"
}

case $mode in
  get)
    mkdir -p "$cache"
    unpack_prepared || build_from_source
    echo "$qt"
    ;;
  source) build_from_source ;;
  *) echo "usage: $0 [source]" >&2; exit 2 ;;
esac
