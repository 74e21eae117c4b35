#!/usr/bin/env bash
# Checks the package's data files with the programs that read them: desktop
# entry, AppStream metainfo, MIME type, manual pages, udev rule, Debian
# copyright and changelog. Also checks that every file names the same version
# and that the PNG icons are the current renderings of their drawings
# (rsvg-convert).
# Prints each fault; exits 1 when there is one.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
    echo "check-assets: $*" >&2
    status=1
}

id=de.qvt.qvt410
# Hints too: a hint is how the validator says the entry lands in the wrong menu.
hints=$(desktop-file-validate "data/$id.desktop" 2>&1) && [ -z "$hints" ] ||
    fail "data/$id.desktop: $hints"
appstreamcli validate --no-net --pedantic "data/$id.metainfo.xml" > "$tmp/as.txt" ||
    fail "data/$id.metainfo.xml is not valid: $(cat "$tmp/as.txt")"

# The MIME type must compile and claim the parameter files' names.
mkdir -p "$tmp/mime/packages"
cp data/qvt410-mime.xml "$tmp/mime/packages/$id.xml"
update-mime-database "$tmp/mime" > /dev/null 2>&1 &&
    grep -q ':application/x-qvt410-parameters:\*\.qvc$' "$tmp/mime/globs2" ||
    fail "data/qvt410-mime.xml does not give *.QVC a type"

for page in man/*.1; do
    warnings=$(groff -k -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$page: $warnings"
    lexgrog "$page" > /dev/null || fail "$page: no name line for the manual index"
done

# The udev rule for FTDI adapters: read and run for a table of USB devices
# (Debian 12's udevadm has no "verify"); with a newer udevadm, its verdict too.
rule=data/udev/60-qvt410-ftdi.rules
data/udev/check-rules.py "$rule" || fail "$rule: see above"
if udevadm verify --help > /dev/null 2>&1; then
    udevadm verify --resolve-names=never "$rule" > "$tmp/udev.txt" 2>&1 ||
        fail "$rule: $(cat "$tmp/udev.txt")"
fi

grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    data/copyright || fail "data/copyright is not in the machine-readable format"
grep -q '/usr/share/common-licenses/GPL-3' data/copyright || fail "data/copyright names no license"

# One version everywhere: changelog (with its Debian revision), metainfo, pages.
package=$(dpkg-parsechangelog -l data/changelog.Debian -S Version 2> "$tmp/cl.txt") &&
    [ ! -s "$tmp/cl.txt" ] || fail "data/changelog.Debian: $(cat "$tmp/cl.txt")"
version=${package%-*}
grep -q "<release version=\"$version\"" "data/$id.metainfo.xml" ||
    fail "data/$id.metainfo.xml has no release $version"
for page in man/*.1; do
    grep -q "^\.TH .* \"QVT410 $version\"" "$page" || fail "$page is not for version $version"
done

sizes="16 22 24 32 48 64 128 256"
for size in $sizes; do
    png="data/icons/hicolor/${size}x${size}/apps/$id.png"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    header=$(od -An -tx1 -N24 "$png" 2> /dev/null | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] && [ $((16#${header:32:8})) = "$size" ] &&
        [ $((16#${header:40:8})) = "$size" ] || fail "$png is not a $size pixel PNG"
done
command -v rsvg-convert > /dev/null ||
    fail "rsvg-convert (librsvg2-bin) is missing, so the icons cannot be compared with their drawings"
data/icons/render-png.sh "$tmp/hicolor"
for size in $sizes; do
    cmp -s "$tmp/hicolor/${size}x${size}/apps/$id.png" \
        "data/icons/hicolor/${size}x${size}/apps/$id.png" ||
        fail "the $size pixel icon is not the rendering of its drawing: run data/icons/render-png.sh"
done
exit $status
