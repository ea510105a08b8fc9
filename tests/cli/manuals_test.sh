#!/usr/bin/env bash
# The manuals render without a warning and name every option the programs'
# own help names (and tachlet-cli's no option it lacks); the bash completion
# loads, offers each command's options as its help gives them, and run files
# and folders as paths.
#
#   manuals_test.sh TACHLET_CLI TACHLET MAN_FOLDER COMPLETION
set -euo pipefail
cli=$1 window=$2 man=$3 completion=$4
source "$(dirname "$0")/../testkit/testkit.sh"

# The options of a help text: the words with dashes that begin its option lines.
options_of() { grep -E '^ +-' | grep -oE '(^|[ ,])--?[a-zA-Z0-9?][a-zA-Z0-9-]*' | tr -d ' ,' | sort -u; }

for page in tachlet tachlet-cli; do
    if ! MANWIDTH=80 man --warnings -l "$man/$page.1" >"$page.txt" 2>"$page.err" || [ -s "$page.err" ]; then
        fail "man -l $page.1: $(cat "$page.err")"
    fi
    grep -q '^NAME' "$page.txt" || fail "$page.1 renders without its NAME"
done

help=$(for command in show check set; do "$cli" "$command" --help; done; "$cli" --help)
window_help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$window" --help)
for option in $(options_of <<<"$help"); do
    grep -qe "$option\b" tachlet-cli.txt || fail "tachlet-cli.1 lacks $option"
done
for option in $(options_of <<<"$window_help"); do
    grep -qF -e "$option" tachlet.txt || fail "tachlet.1 lacks $option"
done
# An option the manual names but the program does not know is stale
# (--odd is the example value of a value option).
for option in $(grep -oE -- '--[a-z][a-z-]*' tachlet-cli.txt | sort -u); do
    [ "$option" = --odd ] || grep -qe "$option\b" <<<"$help" || fail "tachlet-cli.1 names $option, which the program lacks"
done

# What the completion offers for the words given, one a line, sorted.
complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tachlet_cli
             printf "%s\n" "${COMPREPLY[@]}"' - "$completion" tachlet-cli "$@" | sort
}
bash -c "source '$completion' && complete -p tachlet-cli" >/dev/null || fail "the completion does not load"
[ "$(complete_words "")" = "$(printf '%s\n' --help --help-all --version check set show | sort)" ] ||
    fail "commands offered: $(complete_words "")"
for command in show check set; do
    offered=$(complete_words "$command" -)
    [ "$offered" = "$(options_of <<<"$("$cli" "$command" --help)")" ] ||
        fail "$command options offered: $(echo $offered), in its help: $(echo $(options_of <<<"$("$cli" "$command" --help)"))"
done
mkdir -p paths/sub && touch paths/A.GTP paths/b.gtp paths/c.txt
[ "$(complete_words check paths/)" = "$(printf '%s\n' paths/A.GTP paths/b.gtp paths/sub)" ] ||
    fail "paths offered: $(complete_words check paths/)"

finish
