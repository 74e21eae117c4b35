#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt that are missing.
# With everything present it only asks dpkg and returns: apt-get runs only
# when something is missing. The list must hold real package names: a
# virtual name (one that only other packages provide) is never reported as
# installed, so it is refused loudly rather than installed again on every run.
# Without root and without a sudo that works non-interactively, it prints the
# command to run as root and fails.
set -euo pipefail
list="$(dirname "$0")/packages.txt"

missing=()
while read -r pkg; do
    pkg="${pkg%%#*}"; pkg="${pkg// /}"
    [ -n "$pkg" ] || continue
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
    [[ "$status" == ii* ]] || missing+=("$pkg")
done < "$list"
[ ${#missing[@]} -eq 0 ] && exit 0

# Names apt cannot install: virtual ones (with their providers) and unknown ones.
not_installable() {
    local pkg providers
    for pkg in "$@"; do
        apt-cache policy "$pkg" 2>/dev/null | grep -q '^ *Candidate: [^(]' && continue
        providers=$(apt-cache showpkg "$pkg" 2>/dev/null |
            sed -n '/^Reverse Provides:/,$p' | sed '1d' | cut -d' ' -f1 | sort -u | tr '\n' ' ')
        if [ -n "$providers" ]; then
            echo "  $pkg is a virtual package, provided by: ${providers% }"
        else
            echo "  $pkg is not a known package"
        fi
    done
}
refuse_names() {
    echo "scripts/packages.txt lists names apt-get cannot install:" >&2
    echo "$1" >&2
    echo "List the real package instead (apt-cache showpkg NAME shows who provides it)." >&2
    exit 1
}

# A virtual name is known from the installed packages alone: refuse it before
# anything is installed.
bad=$(not_installable "${missing[@]}" | grep 'virtual' || true)
[ -z "$bad" ] || refuse_names "$bad"

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
"${sudo[@]}" apt-get update -qq
bad=$(not_installable "${missing[@]}")
[ -z "$bad" ] || refuse_names "$bad"
"${sudo[@]}" "${install[@]}"
