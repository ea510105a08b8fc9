# What the test scripts share, sourced by them: counted failures, the tools a
# test needs, a scratch folder, the installed tree, and the program's window
# on an X display, found by its title and closed as a user closes it.
kit=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# fail MESSAGE: the check failed; the test goes on and `finish` ends it with 1.
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
finish() { [ "$failures" -eq 0 ] || exit 1; }

# need TOOL...: without one of them the test skips (77), except under CI,
# where that fails.
need() {
    local tool missing=()
    for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); done
    [ ${#missing[@]} -eq 0 ] && return
    echo "not installed: ${missing[*]} (scripts/install-deps.sh installs them)"
    [ "${CI:-}" = true ] && exit 1
    exit 77
}
# need_window_tools: what find_window and close_window use; a Python module
# missing is named by its package.
need_window_tools() {
    need xdotool /usr/bin/python3
    /usr/bin/python3 -c 'import Xlib' >/dev/null 2>&1 || need python3-xlib
}

# on_virtual_display COMMAND...: runs COMMAND (the script again) on an X
# display of its own, where `inside_display` is then true.
on_virtual_display() {
    export TACHLET_SMOKE_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
}
inside_display() { [ "${TACHLET_SMOKE_INSIDE:-}" = 1 ]; }

# make_scratch: $scratch, a folder removed at the end, and $pid, the program
# started in the test, ended then if it still runs.
make_scratch() {
    scratch=$(mktemp -d)
    pid=
    trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
}

# install_build CMAKE BUILD_DIR DESTDIR: the build installed under /usr there.
install_build() {
    DESTDIR=$3 "$1" --install "$2" --prefix /usr >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log"; exit 1; }
}

# desktop_session: the program keeps its settings in a throw-away home, shows
# on the display with its real platform plugin, and a build with the leak
# checker does not fail on the desktop libraries' leaks.
desktop_session() {
    export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
    unset QT_QPA_PLATFORM
    export LSAN_OPTIONS="suppressions=$kit/../smoke/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
}

# find_window TITLE SECONDS: $window, the window with exactly that title;
# the test fails when none shows in time.
find_window() {
    window=$(timeout "$2" xdotool search --sync --name "^$1\$" | head -n 1 || true)
    if [ -z "$window" ]; then
        echo "no window titled \"$1\" appeared; windows named after the program:"
        for shown in $(xdotool search --name Tachlet 2>/dev/null); do xdotool getwindowname "$shown"; done
        exit 1
    fi
    echo "found window $window titled \"$(xdotool getwindowname "$window")\""
}

# close_window: asks $window to close as a window manager's close button does
# (WM_DELETE_WINDOW); the program $pid must end within 20 seconds, and its
# exit code is returned.
close_window() {
    /usr/bin/python3 - "$window" <<'EOF_PY'
import sys
from Xlib import X, display, protocol
shown = display.Display()
window, atom = shown.create_resource_object("window", int(sys.argv[1], 0)), shown.intern_atom
window.send_event(protocol.event.ClientMessage(window=window, client_type=atom("WM_PROTOCOLS"),
                                               data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
shown.flush()
EOF_PY
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "the program did not end after its window was closed"
        exit 1
    fi
    local status=0
    wait "$pid" || status=$?
    pid=
    echo "program ended with exit code $status"
    return "$status"
}
