#!/usr/bin/env bash
# Peak memory (maximum resident set size) of qrv-check on runs that reject
# very many records: a 10 MB file of blank lines after a control record, and
# 10,000,000 rejected records, each with the readable report, the JSON report
# and the CSV.
# The target is under 64 MB for each. Usage: scripts/memory-cli.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
qrv_check=$build/cli/qrv-check
[ -x "$qrv_check" ] || { echo "build $qrv_check first" >&2; exit 2; }
command -v /usr/bin/time >/dev/null || { echo "GNU time is missing: scripts/install-deps.sh" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

PYTHONPATH=tests/tools /usr/bin/python3 - "$work" <<'PY'
import os, sys
from qrvtest.records import F100M
work = sys.argv[1]
control = F100M.control("012345", "MEMORY COMPANY", 1, 1000) + b"\r\n"
with open(os.path.join(work, "blank-lines.txt"), "wb") as out:
    out.write(control)
    out.write(b"\r\n" * ((10 * 1024 * 1024 - len(control)) // 2))
# An account with a letter in it: every record is rejected.
rejected = F100M.detail("12345 7896", 1000) + b"\r\n"
with open(os.path.join(work, "rejected-rows.txt"), "wb") as out:
    out.write(control)
    block = rejected * 100_000
    for _ in range(100):
        out.write(block)
PY

printf '%-18s %-6s %12s %10s %6s\n' input report "peak RSS MB" seconds status
for input in blank-lines rejected-rows; do
    for report in text json csv; do
        option=()
        [ "$report" = text ] || option=(--"$report")
        status=0
        /usr/bin/time -f '%M %e' -o "$work/time" \
            "$qrv_check" --format 100M "${option[@]}" "$work/$input.txt" >/dev/null 2>"$work/err" || status=$?
        # GNU time puts "Command exited with non-zero status N" before the figures.
        tail -n 1 "$work/time" | awk -v input="$input" -v report="$report" -v status="$status" \
            '{ printf "%-18s %-6s %12.1f %10s %6s\n", input, report, $1 / 1024, $2, status }'
    done
done
