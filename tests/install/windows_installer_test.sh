#!/usr/bin/env bash
# The Windows installer under Wine: installed silently (/S) beside a PASS that
# owns .gtp, its files and registry entries found, the installed tachlet.exe
# started with a run file, then uninstalled, leaving only the user's settings,
# and PASS still owning .gtp.
#
#   windows_installer_test.sh CPACK BUILD_DIR EXAMPLES_FOLDER
#
# Runs only in the throw-away Wine prefix of scripts/windows.sh (exit code 77,
# skipped, elsewhere), which also gives it its X display.
set -euo pipefail
cpack=$1 build=$2 examples=$3
source "$(dirname "$0")/../testkit/testkit.sh"
# Each step builds on the one before: the first failure ends the test.
fail() { echo "FAIL: $*"; exit 1; }
if [ -z "${TACHLET_WINE_SCRATCH:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "not in the throw-away Wine prefix of scripts/windows.sh test; skipped"
    exit 77
fi
installer=$build/tachlet-2.0.2-win64.exe
if [ ! -f "$installer" ]; then
    (cd "$build" && "$cpack" -G "NSIS;ZIP" >/dev/null)
fi
size=$(stat -c %s "$installer")
echo "installer: $((size / 1024)) KiB"
[ "$size" -le $((25 * 1024 * 1024)) ] || { echo "the installer is larger than 25 MB"; exit 1; }

reg_has() { wine reg query "$1" "${@:2}" 2>/dev/null | tr -d '\r'; }
classes='HKLM\Software\Classes'

# PASS owns the type before Tachlet comes.
wine reg add "$classes\\.gtp" /ve /d PASS.RunFile /f >/dev/null
# Wine starts the installer again as an administrator and the first process
# ends at once: the second is waited for, by the last entry it writes and by
# its name.
wait_for_end() {
    for _ in $(seq 600); do
        pgrep -f "$1" >/dev/null || return 0
        sleep 0.2
    done
    fail "$1 did not end"
}
wine "$installer" /S
for _ in $(seq 300); do
    reg_has "$classes\\Applications\\tachlet.exe\\SupportedTypes" /v .gtp | grep -q '\.gtp' && break
    sleep 0.2
done
wait_for_end 'tachlet-2\.0\.2-win64\.exe'
dir=$(winepath -u 'C:\Program Files\Tachlet')
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')/Tachlet
expected="Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Uninstall.exe libgcc_s_seh-1.dll libstdc++-6.dll
libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll tachlet-cli.exe tachlet.exe
version_history.html"
found=$(cd "$dir" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
[ "$found" = "$(echo $expected | tr ' ' '\n' | LC_ALL=C sort | tr '\n' ' ')" ] ||
    fail "installed files: $found"
[ -f "$menu/Tachlet.lnk" ] || fail "no Start-menu entry in $menu"
reg_has "$classes\\.gtp\\OpenWithProgids" /v Tachlet.RunFile | grep -q 'Tachlet.RunFile' ||
    fail ".gtp is not offered in Open with"
reg_has "$classes\\Tachlet.RunFile\\shell\\open\\command" /ve | grep -qF '\tachlet.exe" "%1"' ||
    fail "no open command for Tachlet.RunFile"
reg_has "$classes\\.gtp" /ve | grep -q 'PASS.RunFile' || fail "the installer took .gtp from PASS"
echo "installed: files, Start-menu entry, Open with entry; .gtp still PASS's"

# The installed program, given a run file, as Explorer's Open with starts it.
make_scratch
cp "$examples/STREET.GTP" "$scratch/Straße Δ.GTP"
(cd "$scratch" && env -u QT_QPA_PLATFORM wine "$dir/tachlet.exe" "Straße Δ.GTP") &
pid=$!
find_window "Straße Δ.GTP — Tachlet v2.00 build 2" 60
close_window || fail "the installed program ended with an error"
reg_has 'HKCU\Software\Tachlet\Tachlet\Options' /v LastDirectory | grep -q LastDirectory ||
    fail "the program kept no settings"
echo "the installed program opened the run file and kept its settings"

wine "$dir/Uninstall.exe" /S
# The uninstaller runs from a copy of itself (Au_.exe) and returns at once;
# the install folder goes last, once it is empty.
for _ in $(seq 300); do
    [ -e "$dir" ] || break
    sleep 0.2
done
wait_for_end 'Uninstall\.exe|Au_\.exe'

left=$( [ -d "$dir" ] && cd "$dir" && find . -mindepth 1 || true)
[ -z "$left" ] || fail "left in the install folder: $left"
[ ! -e "$menu" ] || fail "the Start-menu entry is still there"
if reg_has "$classes\\.gtp\\OpenWithProgids" /v Tachlet.RunFile | grep -q Tachlet.RunFile; then
    fail "the Open with entry is still there"
fi
if reg_has "$classes\\Tachlet.RunFile" | grep -q Tachlet; then fail "Tachlet.RunFile is still there"; fi
if reg_has 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tachlet' | grep -q Tachlet; then
    fail "the uninstall entry is still there"
fi
reg_has "$classes\\.gtp" /ve | grep -q 'PASS.RunFile' || fail "PASS lost .gtp"
reg_has 'HKCU\Software\Tachlet\Tachlet\Options' /v LastDirectory | grep -q LastDirectory ||
    fail "the user's settings went with the program"
echo "uninstalled: nothing left but the user's settings; .gtp still PASS's"
