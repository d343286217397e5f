#!/usr/bin/env bash
# Times `qrv-check --format 100M` on a generated 1,000,000-record media file,
# every record accepted, against `cp` of the same file, and against `cp`
# followed by `sync` of the copy: qrv-check flushes its summary file to the
# disk, as that sync does. Reports the peak memory of qrv-check and how often
# it flushed (strace). Usage: scripts/bench-vs-cp.sh [BUILD_DIR] [REPETITIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
repetitions=${2:-7}
qrv_check=$build/cli/qrv-check
[ -x "$qrv_check" ] || { echo "build $qrv_check first" >&2; exit 2; }
command -v /usr/bin/time >/dev/null || { echo "GNU time is missing: scripts/install-deps.sh" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
media=$work/media.txt

PYTHONPATH=tests/tools /usr/bin/python3 - "$media" <<'PY'
import sys
from qrvtest.records import F100M, account, media
# Account type digit 3 with prefixes 100-399 always passes.
accounts = [account("%03d3%05d" % (100 + i % 300, i * 7919 % 100000)) for i in range(97)]
records = 1_000_000
cents = [1000 + i % 50000 for i in range(records)]
lines = [F100M.control("012345", "BENCH COMPANY", records % 100000, sum(cents))]
lines += [F100M.detail(accounts[i % 97], cents[i]) for i in range(records)]
with open(sys.argv[1], "wb") as out:
    out.write(media(lines))
PY

# Microseconds of one run of the command, elapsed.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
best() { sort -n | head -1; }

cp_times=$work/cp.times
synced_times=$work/synced.times
check_times=$work/check.times
cat "$media" >/dev/null # into the page cache, as for every run after
# Each command writes a new file: the copy and the summary file (012345) of
# the previous round are removed outside the timing.
for _ in $(seq "$repetitions"); do
    rm -f "$work/copy.txt" "$work/012345"
    seconds cp "$media" "$work/copy.txt" >>"$cp_times"
    rm -f "$work/copy.txt"
    seconds sh -c 'cp "$1" "$2" && sync "$2"' sh "$media" "$work/copy.txt" >>"$synced_times"
    seconds "$qrv_check" --format 100M "$media" >>"$check_times" || true
done
peak_kb=$( (/usr/bin/time -f %M "$qrv_check" --format 100M "$media" 2>&1 >/dev/null || true) | tail -1)

size_mb=$(($(stat -c %s "$media") / 1000000))
cp_best=$(best <"$cp_times")
check_best=$(best <"$check_times")
cp_median=$(median <"$cp_times")
synced_best=$(best <"$synced_times")
synced_median=$(median <"$synced_times")
check_median=$(median <"$check_times")
echo "media file: 1,000,000 records, ${size_mb} MB, ${repetitions} repetitions"
printf 'cp:        best %6d us, median %6d us\n' "$cp_best" "$cp_median"
printf 'cp, sync:  best %6d us, median %6d us\n' "$synced_best" "$synced_median"
printf 'qrv-check: best %6d us, median %6d us\n' "$check_best" "$check_median"
awk -v c="$check_best" -v p="$cp_best" -v cm="$check_median" -v pm="$cp_median" \
    'BEGIN { printf "ratio:     best %.2f x cp, median %.2f x cp\n", c / p, cm / pm }'
awk -v c="$check_best" -v p="$synced_best" -v cm="$check_median" -v pm="$synced_median" \
    'BEGIN { printf "ratio:     best %.2f x cp and sync, median %.2f x (target: at most 2.5)\n", c / p, cm / pm }'
echo "qrv-check peak memory: $((peak_kb / 1024)) MB (${peak_kb} KB; target: under 20 MB)"
if command -v strace >/dev/null; then
    rm -f "$work/012345"
    strace -f -e trace=fsync,fdatasync,sync_file_range -o "$work/strace" "$qrv_check" --format 100M "$media" \
        >/dev/null || true
    echo "qrv-check flushes: $(grep -c -E '^[0-9]+ +(fsync|fdatasync|sync_file_range)\(' "$work/strace")" \
        "(the summary file and its folder; target: one per file, never per record)"
fi
