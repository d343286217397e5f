#!/usr/bin/env bash
# Prints the covering letter of a control line with a Thai company name to a
# PDF and renders its first page to docs/letter.png.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target letter-pdf

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A "Format 100 M" control line: company 012345, the name padded to its 30
# bytes in code page 874, apply code C, status A, effective date 311206,
# 3 records, total amount 1,234.56, media type T.
name=$(printf 'บริษัท ทดสอบ จำกัด' | iconv -f UTF-8 -t CP874)
LC_ALL=C printf '%8sM012345%-30sCA3112060000300000123456T%8s\r\n' '' "$name" '' >"$work/012345"

build/tests/report/letter-pdf "$work/012345" -1 654321 "$work/letter.pdf"
pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$work/letter.pdf" docs/letter
echo "docs/letter.png"
