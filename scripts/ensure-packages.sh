#!/usr/bin/env bash
# Installs the Debian packages of the named lists that are missing:
#   ensure-packages.sh app        what building and running the program needs
#   ensure-packages.sh app test   that and what the tests add
# (scripts/packages-app.txt, scripts/packages-test.txt).
# With everything present it only asks dpkg and returns: apt-get runs only
# when something is missing. The lists must hold real package names: a
# virtual name (one that only other packages provide) is never reported as
# installed, so it is refused loudly rather than installed again on every run.
# Without root and without a sudo that works non-interactively, it prints the
# command to run as root and fails.
set -euo pipefail
here="$(dirname "$0")"
[ $# -gt 0 ] || set -- app

missing=()
for name in "$@"; do
    list="$here/packages-$name.txt"
    [ -f "$list" ] || { echo "ensure-packages: no package list $list" >&2; exit 2; }
    while read -r pkg; do
        pkg="${pkg%%#*}"; pkg="${pkg// /}"
        [ -n "$pkg" ] || continue
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
        [[ "$status" == ii* ]] || missing+=("$pkg")
    done < "$list"
done
[ ${#missing[@]} -eq 0 ] && exit 0

# Names apt cannot install: virtual ones (with their providers) and unknown
# ones. apt-cache's whole answer is read before it is searched: a reader that
# stops at the first match would cut apt-cache short, and under pipefail its
# SIGPIPE would count as "no candidate".
not_installable() {
    local pkg policy providers
    for pkg in "$@"; do
        policy=$(apt-cache policy "$pkg" 2>/dev/null || true)
        grep -q '^ *Candidate: [^(]' <<<"$policy" && continue
        providers=$(apt-cache showpkg "$pkg" 2>/dev/null || true)
        providers=$(sed -n '/^Reverse Provides:/,$p' <<<"$providers" | sed '1d' | cut -d' ' -f1 |
            sort -u | tr '\n' ' ')
        if [ -n "${providers// /}" ]; then
            echo "  $pkg is a virtual package, provided by: ${providers% }"
        else
            echo "  $pkg is not a known package"
        fi
    done
}
refuse_names() {  # report why
    echo "These listed names cannot be installed with apt-get:" >&2
    echo "$1" >&2
    echo "$2" >&2
    exit 1
}

# A virtual name is known from the installed packages alone: refuse it before
# anything is installed.
bad=$(not_installable "${missing[@]}")
virtual=$(grep 'virtual' <<<"$bad" || true)
[ -z "$virtual" ] || refuse_names "$virtual" \
    "List the real package instead (apt-cache showpkg NAME shows who provides it)."

install=(apt-get install -y -qq --no-install-recommends "${missing[@]}")
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        sudo=(sudo -n)
    else
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Installing them needs root (sudo is missing or asks for a password). As root, run:" >&2
        echo "    apt-get update && ${install[*]}" >&2
        exit 1
    fi
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq || {
    echo "apt-get update failed: the package sources in /etc/apt cannot be read (no network?)." >&2
    echo "When they can, run: ${sudo[*]}${sudo:+ }apt-get update && ${sudo[*]}${sudo:+ }${install[*]}" >&2
    exit 1
}
bad=$(not_installable "${missing[@]}")
[ -z "$bad" ] || refuse_names "$bad" \
    "The package sources in /etc/apt offer no such package: add the source that has it (Debian 12 \"bookworm\" main), then run apt-get update."
"${sudo[@]}" "${install[@]}" || {
    echo "apt-get install failed; the lines above name the package it could not fetch or set up." >&2
    echo "Once that is mended, run: ${sudo[*]}${sudo:+ }${install[*]}" >&2
    exit 1
}
