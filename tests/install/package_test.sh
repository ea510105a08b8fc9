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
if [ ${#packages[@]} -ne 1 ]; then
    echo "expected one tachlet_*.deb, found: ${packages[*]:-none}"
    cat "$scratch/cpack.log"
    exit 1
fi
deb=${packages[0]}

[ "$(dpkg-deb -f "$deb" Package)" = tachlet ] || fail "package name $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = 2.0.2 ] || fail "version $(dpkg-deb -f "$deb" Version)"
[ "$(basename "$deb")" = "tachlet_2.0.2_$(dpkg-deb -f "$deb" Architecture).deb" ] || fail "file name $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in ./usr/bin/tachlet ./usr/share/tachlet/version_history.html ./usr/share/applications/$id.desktop \
    ./usr/share/mime/packages/$id.xml ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/man/man1/tachlet-cli.1 ./usr/share/man/man1/tachlet.1 \
    ./usr/share/bash-completion/completions/tachlet-cli; do
    grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done
if grep -v '^\./usr/' <<<"$contents" | grep -qv '^\./$'; then
    fail "files outside /usr: $(grep -v '^\./usr/' <<<"$contents")"
fi

finish
echo "$(basename "$deb"): Depends: $depends"
