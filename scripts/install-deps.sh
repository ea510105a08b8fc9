#!/usr/bin/env bash
# Installs the Debian packages Tachlet needs to build, test and run, but only
# when one of them is missing, so a second call costs a second of dpkg queries.
#   install-deps.sh           the Linux build, its tests and the program
#   install-deps.sh windows   the Windows build, its run under Wine and its
#                             installer (Qt's host tools, NSIS, a private X
#                             server for the program's own window)
set -euo pipefail

if [ "${1:-}" = windows ]; then
  packages=(
    cmake ninja-build make ccache
    g++-mingw-w64-x86-64-posix googletest
    libcli11-dev nlohmann-json3-dev
    wine wine64 util-linux
    qt6-base-dev-tools dpkg-dev xz-utils
    nsis xvfb xauth xdotool python3-xlib x11-utils imagemagick fonts-wine
  )
else
  packages=(
    g++ cmake ninja-build make pkg-config ccache
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev nlohmann-json3-dev
    qt6-base-dev qt6-qpa-plugins
    xvfb xauth xdotool python3-xlib x11-utils imagemagick
    fonts-dejavu-core fonts-liberation2 fonts-cantarell
    util-linux xdg-utils man-db python3
    desktop-file-utils appstream shared-mime-info dpkg-dev file
    dbus-daemon at-spi2-core python3-pyatspi
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
