#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks it the way a user
# meets it: the data files pass their validators, lintian finds no error,
# the package depends on the cable libraries, `apt install ./qvt410_*.deb`
# installs it, the programs answer from the installed paths, the udev rule
# is in place, the manual page is found, the application starts offscreen
# in an empty folder and ends on SIGTERM, and the package is removed again.
# Needs root (apt).
#   check-package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
fail() { echo "check-package: $*" >&2; exit 1; }

data/check-assets.sh

rm -f "$dir"/qvt410_*.deb
(cd "$dir" && cpack -G DEB > cpack.log 2>&1) || { cat "$dir/cpack.log"; fail "cpack failed"; }
debs=("$dir"/qvt410_*_amd64.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "no single qvt410_*_amd64.deb in $dir"
deb="$(realpath "${debs[0]}")"
echo "check-package: $(basename "$deb")"
# Errors fail; the warnings this package accepts are overridden, with the
# reason, in data/lintian-overrides.
lintian --fail-on error --display-level ">=warning" "$deb"
# The programs link libftdi1 and libgpiod for the USB and GPIO cables; the
# package must pull in their libraries, or the programs do not start.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libftdi1-2 libgpiod2; do
    tr ',' '\n' <<< "$depends" | grep -Eq "^ *$library( |$)" ||
        fail "the package does not depend on $library (Depends: $depends)"
done

installed() { [[ "$(dpkg-query -W -f='${Status}' qvt410 2>/dev/null || true)" == *"ok installed" ]]; }
installed &&
    fail "qvt410 is installed already; remove it first so the test does not remove it for you"
trap 'apt-get purge -y -qq qvt410 > /dev/null 2>&1 || true' EXIT
apt install -y -qq "$deb" > "$dir/apt.log" 2>&1 || { cat "$dir/apt.log"; fail "apt install failed"; }
installed || fail "the package did not install"

[ "$(/usr/bin/qvt410 --version)" = "qvt410 $(dpkg-query -W -f='${Version}' qvt410 | sed 's/-[^-]*$//')" ] ||
    fail "qvt410 --version does not name the package's version"
if [ -e /usr/bin/qvt410-cli ]; then
    /usr/bin/qvt410-cli --version || fail "qvt410-cli --version failed"
fi
/usr/bin/qvt410-devsim --help > /dev/null || fail "qvt410-devsim --help failed"
# The udev rule for FTDI adapters where udev reads a package's rules, as shipped.
rule=/lib/udev/rules.d/60-qvt410-ftdi.rules
cmp -s data/udev/60-qvt410-ftdi.rules "$rule" || fail "$rule is missing or not the shipped rule"
for page in qvt410 qvt410-devsim; do
    man -w "$page" > /dev/null || fail "man -w $page finds no page"
done
[ -f /usr/share/qvt410/help/contents.html ] || fail "no help in /usr/share/qvt410/help"
# The trend chart is a module the program loads with the window, not at start.
chart=$(dpkg -L qvt410 | grep '/qvt410/qvt410-trendchart\.so$') || fail "no trend chart module"
ldd "$chart" | grep -q 'libQt6Charts' || fail "$chart does not resolve Qt Charts"
! ldd /usr/bin/qvt410 | grep -q 'libQt6Charts' || fail "qvt410 loads Qt Charts at start"
# Offscreen in an empty --dir, in the home folder, ended by SIGTERM.
tests/shell/command_line_test.sh /usr/bin/qvt410

apt-get purge -y -qq qvt410 > /dev/null
trap - EXIT
[ ! -e /usr/bin/qvt410 ] || fail "the package left /usr/bin/qvt410 behind"
[ ! -e "$rule" ] || fail "the package left $rule behind"
echo "check-package: built, installed, answered and removed"
