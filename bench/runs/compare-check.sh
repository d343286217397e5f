#!/usr/bin/env bash
# The check run on 1,000,000 accepted records (CheckFile100M of engine_bench)
# of two builds side by side: the runs alternate, so that both see the same
# load, and the medians of their CPU times are compared.
# Usage: bench/runs/compare-check.sh BEFORE_ENGINE_BENCH AFTER_ENGINE_BENCH [ROUNDS]
set -euo pipefail
before=$1
after=$2
rounds=${3:-5}
for bench in "$before" "$after"; do
    [ -x "$bench" ] || { echo "build $bench first" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ((round = 0; round < rounds; ++round)); do
    for side in before after; do
        bench=$before
        [ "$side" = after ] && bench=$after
        "$bench" --benchmark_filter='CheckFile100M/1000000' --benchmark_repetitions=3 \
            --benchmark_format=json >"$work/$side-$round.json"
    done
done

python3 - "$work" "$rounds" <<'PY'
import json, statistics, sys
work, rounds = sys.argv[1], int(sys.argv[2])
def times(side):
    found = []
    for round in range(rounds):
        with open(f"{work}/{side}-{round}.json") as report:
            found += [b["cpu_time"] for b in json.load(report)["benchmarks"] if b.get("run_type") == "iteration"]
    return found
before, after = times("before"), times("after")
b, a = statistics.median(before), statistics.median(after)
print(f"before: median {b:.1f} ms CPU, best {min(before):.1f} ms ({len(before)} runs)")
print(f"after:  median {a:.1f} ms CPU, best {min(after):.1f} ms ({len(after)} runs)")
print(f"after / before: {a / b:.3f} (median), {min(after) / min(before):.3f} (best)")
PY
