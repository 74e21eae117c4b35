#!/usr/bin/env bash
# scripts/ensure-packages.sh against stand-ins for dpkg-query, apt-cache,
# apt-get, sudo and id: what it calls, what it says and how it ends, for
# installed and missing packages, as root and not, with and without sudo.
set -euo pipefail
script="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Only the stand-ins and the plain tools the script needs are on the PATH,
# so a real sudo or apt-get can never be reached.
mkdir -p "$work/bin" "$work/scripts"
for tool in bash dirname grep sed cut sort tr cat seq; do ln -s "$(command -v "$tool")" "$work/bin/$tool"; done
cp "$script" "$work/scripts/ensure-packages.sh"
stub() { printf '#!/bin/bash\n%s\n' "$2" >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
in_list() { printf '#!/bin/bash\n[[ " $%s " == *" $1 "* ]]\n' "$1"; }
stub is_installed "$(in_list INSTALLED)"
stub is_real "$(in_list REAL)"
stub dpkg-query 'is_installed "${@: -1}" && printf "ii " || printf "un "'
# Like the real apt-cache, the answer goes on after the candidate line (the
# version table), written in many pieces: a reader that stops at the first
# match makes it die of SIGPIPE.
stub apt-cache 'case $1 in
    policy) echo "$2:"; echo "  Installed: (none)"
            is_real "$2" && echo "  Candidate: 1.0" || echo "  Candidate: (none)"
            echo "  Version table:"
            for i in $(seq 20000); do echo "     1.0-$i 500"; done ;;
    showpkg) echo "Reverse Provides: "; [ "$2" = libqt6serialport6-dev ] && echo "qt6-serialport-dev 6.4.2-2 (= 6.4.2-2)" ;;
esac; true'
stub apt-get 'echo "apt-get $*" >>"$CALLS"; [ "$1" != update ] || [ -z "$UPDATE_FAILS" ]'
stub id 'echo "$USER_ID"'

export CALLS="$work/calls" REAL="cmake xdotool qt6-serialport-dev"
# name | listed | installed | user id | sudo: none, ok, asks (fails: none, and
# apt-get update fails) | status | calls | said
cases=(
    "all there|cmake xdotool|cmake xdotool|1000|none|0||"
    "missing, root|cmake xdotool|cmake|0|none|0|apt-get update -qq;apt-get install -y -qq --no-install-recommends xdotool|"
    "missing, sudo|cmake xdotool|cmake|1000|ok|0|sudo -n apt-get update -qq;sudo -n apt-get install -y -qq --no-install-recommends xdotool|"
    "missing, no sudo|cmake xdotool|cmake|1000|none|1||    apt-get update && apt-get install -y -qq --no-install-recommends xdotool"
    "missing, sudo asks|cmake xdotool|cmake|1000|asks|1||    apt-get update && apt-get install -y -qq --no-install-recommends xdotool"
    "virtual name|cmake libqt6serialport6-dev|cmake qt6-serialport-dev|0|none|1||libqt6serialport6-dev is a virtual package, provided by: qt6-serialport-dev"
    "unknown name|cmake no-such-package|cmake|0|none|1|apt-get update -qq|no-such-package is not a known package"
    "several missing|cmake xdotool qt6-serialport-dev|cmake|0|none|0|apt-get update -qq;apt-get install -y -qq --no-install-recommends xdotool qt6-serialport-dev|"
    "update fails|cmake xdotool|cmake|0|fails|1|apt-get update -qq|apt-get update failed"
)
for case in "${cases[@]}"; do
    IFS='|' read -r name listed INSTALLED USER_ID sudo want_status want_calls want_said <<<"$case"
    export INSTALLED USER_ID
    printf '# comment\n%s\n\n' "${listed// /$'\n'}" >"$work/scripts/packages-app.txt"
    rm -f "$work/bin/sudo" "$CALLS"; touch "$CALLS"
    UPDATE_FAILS=""; [ "$sudo" = fails ] && UPDATE_FAILS=yes
    export UPDATE_FAILS
    case $sudo in
        ok) stub sudo '[ "$*" = "-n true" ] && exit 0; echo "sudo $*" >>"$CALLS"' ;;
        asks) stub sudo '[ "$*" = "-n true" ] && exit 1; echo "sudo $*" >>"$CALLS"' ;;
    esac
    status=0
    said=$(PATH="$work/bin" "$work/scripts/ensure-packages.sh" 2>&1) || status=$?
    calls=$(paste -sd';' "$CALLS")
    [ "$status" = "$want_status" ] || fail "$name: status $status, said: $said"
    [ "$calls" = "$want_calls" ] || fail "$name: called \"$calls\", expected \"$want_calls\""
    grep -qF -- "$want_said" <<<"$said" || fail "$name: said \"$said\", expected \"$want_said\""
    ! grep -q 'command not found' <<<"$said" || fail "$name: $said"
done
echo "${#cases[@]} passed, 0 failed"
