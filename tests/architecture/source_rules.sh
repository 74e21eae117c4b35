#!/usr/bin/env bash
# What the sources and the tests may include and how they find their widgets:
#   source_rules.sh SRC_DIR TESTS_DIR
# Each rule names the files that may break it (ALLOWED) and those that break
# it today and are still to be cleaned up (TODO). Any other file that breaks a
# rule fails the test, and so does a TODO entry that keeps to the rule by now:
# take it off the list, so that the lists only shrink.
set -euo pipefail
tests=$(realpath "$2")
cd "$1"
failed=0

# rule NAME PATTERN FOLDERS ALLOWED TODO: files under FOLDERS whose text
# matches the extended regular expression PATTERN break the rule.
rule() {
    local name=$1 pattern=$2 folders=$3 file breaking allowed todo
    allowed=$(echo $4)
    todo=$(echo $5)
    breaking=$(grep -rlE --include='*.cpp' --include='*.h' -e "$pattern" $folders | sort | tr '\n' ' ' || true)
    for file in $breaking; do
        if [[ " $allowed $todo " != *" $file "* ]]; then
            echo "$name: $file"
            failed=1
        fi
    done
    for file in $todo; do
        if [[ " $breaking " != *" $file "* ]]; then
            echo "$name: $file keeps to the rule now; take it off the TODO list"
            failed=1
        fi
    done
}

# The layers include only what lies below them: core < platform < emulation,
# link, prog < trend model < compose, dialogs < trend window < shell. The
# emulated chip keeps its own pin decoding (it is the tests' oracle), so it
# includes nothing of the programmer.
rule "core includes only standard C++" \
    '#include ("(platform|emulation|link|prog|compose|dialogs|trend|shell)/|<(Q|unistd|fcntl|sys/|linux/))' \
    core "" ""
rule "platform includes no layer above it" \
    '#include "(emulation|link|prog|compose|dialogs|trend|shell)/' platform "" ""
rule "the emulation includes no layer above the platform" \
    '#include "(link|prog|compose|dialogs|trend|shell)/' emulation "" ""
rule "link and prog include no UI, no Qt, no emulation and nothing of the trend" \
    '#include ("(emulation|compose|dialogs|trend|shell|platform/qt)/|<Q)' "link prog" "" ""
rule "the trend model includes no UI, no Qt and nothing of the trend window" \
    '#include ("(emulation|prog|compose|dialogs|shell|platform/qt)/|"trend/[a-z_]+\.h"|<Q)' \
    trend/model "" ""
rule "dialogs include no shell and no trend window" '#include "(shell|trend/[a-z_]+\.h)' dialogs "" ""
rule "the trend window includes no shell" '#include "shell/' trend "" ""
rule "compose includes no dialog, no shell, no trend and no GUI" \
    '#include ("(dialogs|shell|trend)/|"platform/qt/(default_printer|help_window)|<Q(Widget|Gui|Print|Application))' \
    compose "" ""

# libftdi and libgpiod (and libusb under libftdi) are reached only through
# the project's wrappers: libgpiod 2 changed its whole API, and the cables,
# their tests and the emulation work on the wrappers' interfaces.
rule "only the wrappers include libftdi, libusb and libgpiod" \
    '#include <(ftdi|gpiod|libusb(-1\.0)?/libusb|libusb)\.h>' \
    "core platform emulation link prog compose dialogs trend shell ../tools ../tests" \
    "platform/libftdi_adapter.cpp platform/libgpiod_lines.cpp" ""

# The trend has one home: its model in trend/model, its window in trend, its
# tests in tests/trend.
for file in $(find . "$tests" -iname '*trend*' -type f | grep -vE '^(\./trend/|'"$tests"'/trend/)' || true); do
    echo "a trend file outside the trend folders: $file"
    failed=1
done

# Only the main window's own files and the start-up include the main window.
MAIN_WINDOW_ALLOWED="shell/main.cpp shell/main_window.cpp shell/startup.cpp"
MAIN_WINDOW_TODO=""
rule "only the main window and the start-up include shell/main_window.h" \
    '#include "shell/main_window.h"' "core platform emulation link prog dialogs shell" \
    "$MAIN_WINDOW_ALLOWED" "$MAIN_WINDOW_TODO"

# Dialogs exchange plain structs; reading and writing QVT410.CFG is up to the commands.
CONFIG_IN_DIALOGS_TODO=""
rule "no dialog includes the configuration file" \
    '#include "(core/config_file|platform/files/config_file_access)\.h"' dialogs \
    "" "$CONFIG_IN_DIALOGS_TODO"

# Widgets and menu items are reached through typed members, not looked up by
# their object names (which stay for help and tests). Allowed: the file type
# list inside Qt's own file dialog, which offers no other way to it.
LOOKUP_BY_NAME_ALLOWED="shell/file_dialog_filters.cpp"
LOOKUP_BY_NAME_TODO=""
rule "no look-up of a widget or menu item by name" \
    '(findChild(ren)?<[^>]*>\(\s*("|[a-z_][A-Za-z0-9_]*\s*[,)])|\b(action|menu)\(")' \
    "core platform emulation link prog dialogs shell" "$LOOKUP_BY_NAME_ALLOWED" \
    "$LOOKUP_BY_NAME_TODO"

# An include names one file: a test's own header never takes the path of a
# program header (tests see src/ and tools/devsim's folder as roots too), so
# "core/x.h" is always src/core/x.h. Shared test helpers live in support/.
headers() { (cd "$1" && find . -name '*.h' | sed 's|^\./||' | sort); }
for file in $(comm -12 <(headers "$tests") <(sort <(headers .) <(headers ../tools))); do
    echo "a test header shadows a program header: tests/$file"
    failed=1
done

# The tests' include folders are src/ and tests/, nothing else.
for file in $(grep -rlE --include=CMakeLists.txt 'include_directories' "$tests"); do
    perl -0777 -ne 'while (/(target_)?include_directories\s*\(([^)]*)\)/g) {
        my ($target, @folders) = split " ", $2;
        unshift @folders, $target unless $1;
        for (@folders) {
            next if /^(PRIVATE|PUBLIC|INTERFACE|SYSTEM|BEFORE)$/
                 || m{^\$\{PROJECT_SOURCE_DIR\}/(src|tests)$};
            print "$ARGV: include folder $_\n"; $bad = 1;
        }
    } END { exit $bad }' "$file" || failed=1
done

# A form designer's automatic names as C++ identifiers: "T...Dlg"/"TForm1"
# classes, "...Click" handlers and a control's type or caption word followed
# by its number ("Button1", "AzEdit1", "Senden1"). The form's names stay as
# object names, inside string literals, which are cut out before the search,
# as are comments.
designer_names() {
    local file found
    for file in $(find "$@" -name '*.cpp' -o -name '*.h' | sort); do
        found=$(perl -0777 -pe 's{//[^\n]*}{}g; s{/\*.*?\*/}{}gs; s{R"\((.*?)\)"}{""}gs; s{"(\\.|[^"\\\n])*"}{""}g; s{'"'"'(\\.|[^'"'"'\\\n])*'"'"'}{0}g' "$file" |
            grep -oE '\b(T[A-Z][A-Za-z]*Dlg|TForm[0-9]+|[A-Za-z0-9_]+Click|[A-Z][a-z]+[A-Za-z]*[0-9]{1,2})\b' |
            grep -vE '^(Latin1|Qt[0-9]|Md5|MouseButtonDblClick|[A-Za-z]+(8|16|32|64))$' | sort -u | tr '\n' ' ' || true)
        if [ -n "$found" ]; then
            echo "a form designer's name as an identifier in $file: $found"
            failed=1
        fi
    done
}
designer_names . ../tools

exit $failed
