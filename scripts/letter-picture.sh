#!/usr/bin/env bash
# Checks samples/100m-thai-name.txt with qrv-check, prints the covering letter
# of its summary file to a PDF as "Print" would, and renders the first page to
# docs/letter.png (the PDF is kept as docs/letter.pdf).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target letter-pdf qrv-check

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/100m-thai-name.txt "$work/in.txt"
build/cli/qrv-check --format 100M --json "$work/in.txt" >"$work/report.json" || true
read -r summary hash < <(PYTHONPATH=tests/tools /usr/bin/python3 -m qrvtest.report Label1 HashValue <"$work/report.json")

build/tools/letter-pdf "$summary" 100M "$hash" docs/letter.pdf
pdftoppm -png -r 100 -f 1 -l 1 -singlefile docs/letter.pdf docs/letter
echo "docs/letter.pdf docs/letter.png"
