#!/usr/bin/env bash
# Runs COMMAND with a private print server of its own: a cupsd with its own
# configuration, spool, log and state folders under a fresh temporary folder,
# listening only on a Unix socket there, with one queue that writes each job
# it is given, unchanged, to a file. The server is stopped when COMMAND ends.
#
#   scripts/cups-test-env.sh COMMAND [ARGUMENT...]
#
# COMMAND sees CUPS_SERVER (the socket), QRV_CUPS_QUEUE (the queue's name) and
# QRV_CUPS_OUTPUT (the file the queue writes). When no server can be started
# the reason is printed and the exit status is 77, which CTest counts as a
# skip. Installs nothing: scripts/install-deps.sh brings cupsd and its tools.
set -uo pipefail

queue=QRV-Test

skip() {
    echo "SKIPPED: no private print server: $*" >&2
    exit 77
}

[ $# -ge 1 ] || {
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
}
for tool in cupsd lpadmin lpstat cupsaccept cupsenable; do
    command -v "$tool" >/dev/null 2>&1 || PATH="$PATH:/usr/sbin" command -v "$tool" >/dev/null 2>&1 ||
        skip "$tool is not installed (scripts/install-deps.sh installs it)"
done
export PATH="$PATH:/usr/sbin"
[ "$(id -u)" -eq 0 ] || skip "cupsd runs its filters as the user lp, which needs root; run as root"

root=$(mktemp -d /tmp/qrv-cups.XXXXXX) || skip "no temporary folder"
socket="$root/cups.sock"
mkdir -p "$root/etc/ppd" "$root/etc/ssl" "$root/spool/tmp" "$root/cache" "$root/state" "$root/log" "$root/out"
chmod 755 "$root"

cat >"$root/etc/cupsd.conf" <<EOF
Listen $socket
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
MaxLogSize 0
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF

cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
FileDevice Yes
EOF

cupsd_pid=
stop() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    fi
    rm -rf "$root"
}
trap stop EXIT

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
cupsd_pid=$!

for _ in $(seq 100); do
    [ -S "$socket" ] && lpstat -h "$socket" -r 2>/dev/null | grep -q "is running" && break
    kill -0 "$cupsd_pid" 2>/dev/null || {
        cupsd_pid=
        skip "cupsd stopped at once: $(tail -n 3 "$root/log/error_log" 2>/dev/null)"
    }
    sleep 0.1
done
lpstat -h "$socket" -r 2>/dev/null | grep -q "is running" || skip "cupsd did not answer on $socket"

# A queue without a driver: the document Qt sends is written as it is.
lpadmin -h "$socket" -p "$queue" -v "file://$root/out/job.pdf" -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd -E 2>/dev/null ||
    skip "the queue cannot be added: $(tail -n 3 "$root/log/error_log" 2>/dev/null)"

export CUPS_SERVER="$socket" QRV_CUPS_QUEUE="$queue" QRV_CUPS_OUTPUT="$root/out/job.pdf"
"$@"
status=$?
if [ "$status" -ne 0 ]; then
    echo "== cupsd error log ==" >&2
    cat "$root/log/error_log" >&2 2>/dev/null
fi
exit "$status"
