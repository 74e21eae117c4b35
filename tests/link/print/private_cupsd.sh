#!/usr/bin/env bash
# A CUPS server of the tests' own with one PDF queue (cups-pdf), the default
# printer of every program that is given CUPS_SERVER=DIR/cups.sock.
#   private_cupsd.sh start DIR   sets it up afresh in DIR and waits until it answers
#   private_cupsd.sh stop DIR    stops it and removes DIR
# PDFs of printed jobs land in DIR/pdf. The cups-pdf backend needs root, and
# reads its settings only from /etc/cups: the server runs it through a wrapper
# that shows it this server's settings in a mount namespace of its own
# (unshare), so nothing outside DIR is written or changed.
set -euo pipefail
command="$1"
dir="$2"
queue=qvtpdf

stop() {
    if [ -f "$dir/cupsd.pid" ]; then
        pid=$(cat "$dir/cupsd.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
}

case "$command" in
stop)
    stop
    ;;
start)
    [ "$(id -u)" -eq 0 ] || { echo "the cups-pdf backend runs only for root" >&2; exit 1; }
    # The backend wrapper below needs unshare and mount as well.
    for tool in cupsd lpadmin lpstat /usr/lib/cups/backend/cups-pdf pdftotext unshare mount; do
        command -v "$tool" >/dev/null || [ -x "$tool" ] || { echo "missing: $tool" >&2; exit 1; }
    done
    stop
    # Filters run as lp and must reach the spool files.
    mkdir -p -m 0755 "$dir"
    mkdir -p -m 0755 "$dir"/{conf,spool,cache,state,log,tmp,pdf,pdf-spool,bin/backend}
    chmod 1777 "$dir/tmp"
    for part in /usr/lib/cups/*; do
        [ "$(basename "$part")" = backend ] || ln -s "$part" "$dir/bin/$(basename "$part")"
    done
    cat > "$dir/bin/backend/cups-pdf" <<WRAPPER
#!/bin/sh
# cups-pdf with the settings of the test server.
[ \$# -eq 0 ] && exec /usr/lib/cups/backend/cups-pdf
exec unshare --mount --propagation private -- /bin/sh -c \
    'mount --bind "$dir/conf/cups-pdf.conf" /etc/cups/cups-pdf.conf && exec /usr/lib/cups/backend/cups-pdf "\$@"' \
    cups-pdf "\$@"
WRAPPER
    chmod 0700 "$dir/bin/backend/cups-pdf"
    unshare --mount --propagation private -- true ||
        { echo "unshare --mount is not permitted here" >&2; exit 1; }
    cat > "$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType Basic
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat > "$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
ServerBin $dir/bin
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
Printcap $dir/printcap
FileDevice No
CONF
    # cups-pdf reads its settings from the server's own directory.
    cat > "$dir/conf/cups-pdf.conf" <<CONF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdf-spool
Log $dir/log
Grp root
UserUMask 0022
CONF
    /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        > "$dir/log/cupsd.out" 2>&1 &
    echo $! > "$dir/cupsd.pid"
    for _ in $(seq 100); do [ -S "$dir/cups.sock" ] && break; sleep 0.1; done
    [ -S "$dir/cups.sock" ] || { cat "$dir/log/"* >&2; exit 1; }
    lpadmin -h "$dir/cups.sock" -p "$queue" -v "cups-pdf:/" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd -o pdftops-renderer-default=pdftocairo -E
    lpadmin -h "$dir/cups.sock" -d "$queue"
    CUPS_SERVER="$dir/cups.sock" lpstat -d
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
