#!/usr/bin/env bash
# qrv-check on 1,000,000 accepted records of distinct accounts: without
# advisories, with the file's and the date's, and compared with an earlier
# file of 1,000,000 records (1,000 accounts new, 1,000 gone, 1,000 amounts
# changed ten times). Wall and CPU seconds and peak memory (maximum resident
# set size), the best of ROUNDS runs each.
# Targets: the comparison under 1 s and under 128 MB; the file's and the
# date's advisories at most 10% over none. Usage: bench/advisories/compare-cli.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
rounds=${2:-5}
qrv_check=$build/cli/qrv-check
[ -x "$qrv_check" ] || { echo "build $qrv_check first" >&2; exit 2; }
command -v /usr/bin/time >/dev/null || { echo "GNU time is missing: scripts/install-deps.sh" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

PYTHONPATH=tests/tools /usr/bin/python3 - "$work" <<'PY'
import os, sys
from qrvtest.records import F100M, account
work = sys.argv[1]
N = 1_000_000
def nine(n):
    return f"{100 + n // 100000 % 900:03d}3{n % 100000:05d}"
for name, earlier in (("now.txt", False), ("earlier.txt", True)):
    lines, total = [], 0
    for i in range(N):
        n = N + i if earlier and i % 1000 == 999 else i
        satang = 50_000 + i % 40_000
        if earlier:
            satang = satang * 10 if i % 1000 == 500 else satang + i % 7
        total += satang
        lines.append(F100M.detail(account(nine(n)), satang))
    control = F100M.control("012345", "BENCH COMPANY", N % 100000, total)
    with open(os.path.join(work, name), "wb") as out:
        out.write(control + b"\r\n" + b"\r\n".join(lines) + b"\r\n")
PY

printf '%-28s %8s %8s %12s %12s\n' run wall cpu "peak RSS MB" advisories
run() {
    local label=$1
    shift
    local best_wall=999 best_cpu=999 best_rss=0 wall user sys rss cpu
    for ((round = 0; round < rounds; ++round)); do
        /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$qrv_check" --format 100M --today 2006-12-01 "$@" \
            "$work/now.txt" >"$work/out" 2>"$work/err" || true
        read -r wall user sys rss < <(tail -n 1 "$work/time")
        cpu=$(echo "$user + $sys" | bc)
        if (($(echo "$wall < $best_wall" | bc))); then best_wall=$wall; fi
        if (($(echo "$cpu < $best_cpu" | bc))); then best_cpu=$cpu; fi
        if ((rss > best_rss)); then best_rss=$rss; fi
    done
    local count
    count=$(sed -n 's/^Advisories (\([0-9]*\))$/\1/p' "$work/out")
    printf '%-28s %8s %8s %12s %12s\n' "$label" "$best_wall" "$best_cpu" "$((best_rss / 1024))" "${count:-none}"
}
run "--no-advisories" --no-advisories
run "file and date advisories"
run "--compare earlier.txt" --compare "$work/earlier.txt"
