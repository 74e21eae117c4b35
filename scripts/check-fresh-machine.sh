#!/usr/bin/env bash
# Runs the README's two commands where a new user starts: in a new minimal
# Debian 12 root (the packages of priority required, apt and git; no package
# lists), made from this machine's apt sources.
#   1. the start command (scripts/run-app.sh) until the program is up: it has
#      written QVT410.CFG in its working folder;
#   2. the same start command again, which must find everything in place, and
#      scripts/ensure-packages.sh, which then must not call apt-get;
#   3. the test command (scripts/run-tests.sh).
# The root gets a mount namespace of its own (the root bound onto itself, so
# that the tests' own `unshare --mount` works inside; /dev, /dev/pts, /proc,
# /sys, and a private /tmp and /run), all gone when it ends. The committed
# HEAD is cloned into it: uncommitted changes are not tried.
# On success the root is removed; on failure it is kept with its logs, and
# the place is printed. Needs root rights and mount namespaces.
#   check-fresh-machine.sh [--no-tests] [WORK_DIR]   (default /var/tmp)
# --no-tests stops after the start command (a quicker check of the set-up).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
tests=yes
[ "${1:-}" = --no-tests ] && { tests=no; shift; }
base="${1:-/var/tmp}"
started=$SECONDS

say() { printf '[fresh-root %4ds] %s\n' "$((SECONDS - started))" "$*"; }
fail() { say "FAILED: $*"; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "making a Debian root needs root rights (run as root)"
unshare --mount --propagation private -- true 2>/dev/null ||
    fail "this machine refuses mount namespaces (unshare --mount), so the root cannot be entered"

step_start=0
step() { step_start=$SECONDS; say "$*"; }
done_step() { say "  done in $((SECONDS - step_start)) s"; }

step "tools of this machine: mmdebstrap"
"$repo/scripts/ensure-packages.sh" fresh-root
done_step

# QVT_REUSE_ROOT=DIR takes the root a failed run kept in DIR instead of
# making a new one: quicker when mending a later step, but not fresh.
if [ -n "${QVT_REUSE_ROOT:-}" ]; then
    work="$(realpath "$QVT_REUSE_ROOT")"
else
    work="$(mktemp -d "$base/qvt410-fresh-root.XXXXXX")"
fi
root="$work/root"
logs="$work/logs"
mkdir -p "$logs"
keep_on_failure() {
    local status=$?
    if [ "$status" -ne 0 ]; then
        say "the root and its logs are kept in $work (logs: $logs)"
    fi
}
trap keep_on_failure EXIT

if [ -n "${QVT_REUSE_ROOT:-}" ]; then
    say "reusing the root in $root (not a fresh one)"
    rm -rf "$root/work"
else
step "minimal Debian 12 root in $root"
# The sources the machine itself uses; apt's own settings of the machine
# (proxies, snapshot dates) go along.
sources=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -s "$f" ] && sources+=("$f")
done
[ ${#sources[@]} -gt 0 ] || fail "this machine has no apt sources to make the root from"
aptopts=()
for f in /etc/apt/apt.conf.d/*; do
    grep -qE '^[[:space:]]*Acquire::' "$f" 2>/dev/null && aptopts+=(--aptopt="$f")
done
mmdebstrap --variant=minbase --include=git "${aptopts[@]}" \
    --customize-hook='rm -rf "$1"/var/lib/apt/lists/*' \
    bookworm "$root" "${sources[@]}" > "$logs/mmdebstrap.log" 2>&1 ||
    { tail -20 "$logs/mmdebstrap.log"; fail "mmdebstrap could not make the root"; }
du -sh "$root" | sed 's/^/  size: /'
done_step
fi

step "clone of $(git -C "$repo" rev-parse --short HEAD) into the root"
git clone -q --no-hardlinks "$repo" "$root/work/qvt410"
git -C "$root/work/qvt410" checkout -q "$(git -C "$repo" rev-parse HEAD)"
# Files the tests read beside the clone, as on the machines that develop it.
[ -d "$repo/../shared" ] && cp -r "$repo/../shared" "$root/work/shared"
done_step

# Runs a command in the root, in a mount namespace of its own.
in_root() {  # log-name command...
    local name="$1"; shift
    unshare --mount --propagation private -- /bin/bash -c '
        set -e
        root="$1"; shift
        mount --bind "$root" "$root"
        mount -t proc proc "$root/proc"
        mount -t sysfs sysfs "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
        mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx"
        mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
        mount -t tmpfs -o mode=0755 tmpfs "$root/run"
        [ -e /etc/resolv.conf ] && touch "$root/etc/resolv.conf" &&
            mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
        exec chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 CI="${CI:-}" \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            /bin/bash -c ". /work/stop-group.sh; cd /work/qvt410 || exit 1
$*"
    ' in-root "$root" "$@" 2>&1 | tee "$logs/$name.log"
    return "${PIPESTATUS[0]}"
}

# Ends a process group and waits for its leader: TERM, up to 5 s, then KILL.
cat > "$root/work/stop-group.sh" <<'STOP'
stop_group() {
    kill -TERM -- "-$1" 2>/dev/null || true
    for _ in $(seq 50); do
        state=$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) || break
        [ "$state" = Z ] && break
        sleep 0.1
    done
    kill -KILL -- "-$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
STOP

step "start command: scripts/run-app.sh, until the program is up"
# The command runs in a session and process group of its own (setsid, with
# the pid the shell knows), which is ended once QVT410.CFG is written.
in_root start '(QT_QPA_PLATFORM=offscreen exec setsid scripts/run-app.sh > /work/run-app.log 2>&1) &
    pid=$!
    for _ in $(seq 3600); do
        [ -f run/QVT410.CFG ] && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.5
    done
    up=no; [ -f run/QVT410.CFG ] && kill -0 $pid 2>/dev/null && up=yes
    stop_group $pid
    tail -5 /work/run-app.log
    [ $up = yes ] || { echo "the program did not come up:"; cat /work/run-app.log; exit 1; }
    echo "the program is up: run/QVT410.CFG written"' ||
    fail "the start command did not bring the program up"
done_step

step "start command again: nothing to install, nothing to build"
in_root start-again 'rm -f run/QVT410.CFG
    (QT_QPA_PLATFORM=offscreen exec setsid scripts/run-app.sh > /work/run-app-again.log 2>&1) &
    pid=$!
    for _ in $(seq 600); do [ -f run/QVT410.CFG ] && break; kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    up=no; [ -f run/QVT410.CFG ] && up=yes
    stop_group $pid
    [ $up = yes ] || { cat /work/run-app-again.log; exit 1; }
    ! grep -q "Installing missing packages" /work/run-app-again.log ||
        { echo "it installed packages again"; exit 1; }
    echo "up again without installing"' || fail "the second start failed"
done_step

if [ "$tests" = no ]; then
    trap - EXIT
    rm -rf "$work"
    say "passed without the tests: the start command works on a new Debian 12 root (root removed)"
    exit 0
fi

step "test command: scripts/run-tests.sh"
in_root tests 'scripts/run-tests.sh' || fail "the test command failed"
done_step

step "the lists are installed: ensure-packages.sh calls no apt-get"
in_root ensure-again 'mkdir -p /tmp/no-apt && printf "#!/bin/sh\necho apt-get called: \$*; exit 1\n" > /tmp/no-apt/apt-get &&
    chmod +x /tmp/no-apt/apt-get && PATH=/tmp/no-apt:$PATH scripts/ensure-packages.sh app test' ||
    fail "ensure-packages.sh wanted to install something after the test command"
done_step

trap - EXIT
rm -rf "$work"
say "passed: the README's commands work on a new Debian 12 root (root removed)"
