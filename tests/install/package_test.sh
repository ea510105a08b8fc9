#!/usr/bin/env bash
# Builds the Debian package as the README says, into a throw-away folder, and
# checks it: its name and version, dependencies found from the libraries the
# program links (not just the ones written down), and the files a desktop
# needs under /usr.
#
#   package_test.sh CPACK BUILD_DIR APP_ID
#
# Exit code 77 (skipped) when dpkg-shlibdeps or file is missing, except under
# CI, where that fails.
set -euo pipefail
cpack=$1 build=$2 id=$3
source "$(dirname "$0")/../testkit/testkit.sh"
need dpkg-shlibdeps dpkg-deb file

make_scratch
(cd "$build" && "$cpack" -G DEB -B "$scratch") >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }

shopt -s nullglob
packages=("$scratch"/tachlet_*.deb)
[ ${#packages[@]} -eq 1 ] || { cat "$scratch/cpack.log"; echo "expected one tachlet_*.deb: ${packages[*]:-none}"; exit 1; }
deb=${packages[0]}

[ "$(dpkg-deb -f "$deb" Package)" = tachlet ] || fail "package name $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = 2.0.2 ] || fail "version $(dpkg-deb -f "$deb" Version)"
[ "$(basename "$deb")" = "tachlet_2.0.2_$(dpkg-deb -f "$deb" Architecture).deb" ] || fail "file name $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $depends"
done

# Every file under /usr, and those a desktop needs among them.
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in bin/tachlet share/tachlet/version_history.html share/applications/$id.desktop \
    share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
    share/man/man1/tachlet-cli.1 share/man/man1/tachlet.1 share/bash-completion/completions/tachlet-cli; do
    grep -qxF "./usr/$file" <<<"$contents" || fail "the package lacks /usr/$file"
done
outside=$(grep -v -e '^\./usr/' -e '^\./$' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

finish
echo "$(basename "$deb"): Depends: $depends"
