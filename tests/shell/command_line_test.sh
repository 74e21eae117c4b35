#!/usr/bin/env bash
# The program's command line from outside: --version and --help need no
# display, a wrong option ends with status 1, started in the home folder the
# program works in ~/QVT410, --dir chooses the folder (created when missing),
# and SIGTERM ends it cleanly. Argument: the program (build tree or installed).
set -euo pipefail
app="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# No display at all: a window system plugin that needs one would abort.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
version="$("${nodisplay[@]}" "$app" --version)" || fail "--version failed"
[[ "$version" =~ ^qvt410\ [0-9]+\.[0-9]+$ ]] || fail "--version said \"$version\""
help="$("${nodisplay[@]}" "$app" --help)" || fail "--help failed"
grep -q "^Aufruf: qvt410 \[--dir ORDNER\] \[DATEI.QVC\]$" <<<"$help" || fail "--help shows no usage line"
status=0
"${nodisplay[@]}" "$app" --bogus >"$work/out" 2>&1 || status=$?
[ "$status" = 1 ] || fail "an unknown option ended with $status"
grep -q "Unbekannte Option --bogus" "$work/out" || fail "no word on the unknown option"

# Runs the program offscreen for a while, then sends SIGTERM: it must end by
# itself with status 0 (timeout passes the program's own status on).
run() {
    QT_QPA_PLATFORM=offscreen timeout --preserve-status -s TERM -k 10 3 "$app" "$@" \
        >"$work/run.out" 2>&1 || fail "ended with $? after SIGTERM: $(cat "$work/run.out")"
}
mkdir "$work/home"
(cd "$work/home" && HOME="$work/home" run)
[ -s "$work/home/QVT410/QVT410.CFG" ] || fail "started in the home folder: no ~/QVT410/QVT410.CFG"
[ ! -e "$work/home/QVT410.CFG" ] || fail "QVT410.CFG landed loose in the home folder"

(cd "$work" && HOME="$work/home" run --dir "$work/new folder")
[ -s "$work/new folder/QVT410.CFG" ] || fail "--dir: no QVT410.CFG in the chosen folder"

mkdir "$work/shell"
(cd "$work/shell" && HOME="$work/home" run)
[ -s "$work/shell/QVT410.CFG" ] || fail "started in a shell: no QVT410.CFG in the current folder"
echo "1 passed, 0 failed"
