#!/usr/bin/env bash
# Installs the build into a throw-away DESTDIR under /usr and checks what a
# desktop gets: exactly the expected files, the programs running, the menu
# entry and metadata valid, the icons at their sizes, the version history where
# the program looks, and the run-file type known to Qt for any case of ".gtp".
#
#   install_test.sh CMAKE BUILD_DIR MIME_PROBE APP_ID DATA_FROM_PROGRAM PROGRAM...
#
# Exit code 77 (skipped) when a checking tool is missing, except under CI,
# where that fails.
set -euo pipefail
cmake=$1 build=$2 probe=$3 id=$4 data_from_program=$5
shift 5
source "$(dirname "$0")/../testkit/testkit.sh"
need desktop-file-validate appstreamcli update-mime-database identify
programs=()
for program in "$@"; do [ -n "$program" ] && programs+=("$program"); done
type=application/x-tachlet-gtp
type_icon=application-x-tachlet-gtp

make_scratch
root=$scratch/dest
install_build "$cmake" "$build" "$root"
usr=$root/usr

expected=(
    share/tachlet/version_history.html
    share/applications/$id.desktop
    share/mime/packages/$id.xml
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/icons/hicolor/48x48/apps/$id.png
    share/icons/hicolor/256x256/apps/$id.png
    share/icons/hicolor/scalable/mimetypes/$type_icon.svg
    share/icons/hicolor/48x48/mimetypes/$type_icon.png
    share/man/man1/tachlet.1
    share/man/man1/tachlet-cli.1
    share/bash-completion/completions/tachlet-cli
)
for program in "${programs[@]}"; do expected+=("bin/$program"); done
installed=$(cd "$usr" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$installed" != "$wanted" ]; then
    fail "installed files differ from the expected ones (< installed, > expected):"
    diff <(echo "$installed") <(echo "$wanted") || true
fi
[ "$(cd "$root" && ls)" = usr ] || fail "files installed outside the prefix: $(cd "$root" && ls)"

for program in "${programs[@]}"; do
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/$program" --version 2>&1) ||
        fail "$program --version failed: $version"
    [[ $version == *2.0.2* ]] || fail "$program --version says \"$version\""
done

# The program looks for its data this way from its own folder.
[ -f "$usr/bin/$data_from_program/version_history.html" ] ||
    fail "no version history at bin/$data_from_program, where the program looks"

desktop=$usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
for line in "Exec=tachlet %f" "MimeType=$type;" "Icon=$id" "Terminal=false" "Categories=.*Utility;.*"; do
    grep -qx "$line" "$desktop" || fail "$id.desktop has no line $line"
done

appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli rejects the metainfo"

for icon in 48x48/apps/$id 256x256/apps/$id 48x48/mimetypes/$type_icon; do
    got=$(identify -format '%m %wx%h' "$usr/share/icons/hicolor/$icon.png" 2>&1)
    [ "$got" = "PNG ${icon%%/*}" ] || fail "the icon $icon is $got"
done

# A MIME cache built from the installed package file alone, then asked through
# Qt as a desktop asks, by file name.
update-mime-database "$usr/share/mime" || fail "update-mime-database failed"
mkdir "$scratch/home"
answers=$(LC_ALL=C XDG_DATA_HOME=$scratch/home XDG_DATA_DIRS=$usr/share "$probe" a.gtp B.GTP c.Gtp d.gtp.bak e.txt)
expected_answers="a.gtp $type|PASS run file|$type_icon
B.GTP $type|PASS run file|$type_icon
c.Gtp $type|PASS run file|$type_icon"
[ "$(echo "$answers" | head -n 3)" = "$expected_answers" ] || fail "Qt's MIME types for run files:
$answers"
echo "$answers" | tail -n 2 | grep -q "$type" && fail "names that are not run files take the type:
$answers"

finish
echo "installed tree checked: ${#expected[@]} files"
