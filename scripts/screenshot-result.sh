#!/usr/bin/env bash
# Checks a sample media file in qrv-edit under a virtual X server, as a clerk
# would, and saves a picture of the result window.
#
#   scripts/screenshot-result.sh [MEDIA [10M|100M [PNG]]]
#
# Defaults: samples/100m-thai-name.txt, 100M, docs/result-window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
media=${1:-samples/100m-thai-name.txt}
format=${2:-100M}
png=${3:-docs/result-window.png}

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target screenshot -j2

# The check writes its summary file beside the media file: work on a copy so
# that the samples folder stays as it is.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$media" "$work/"
mkdir -p "$(dirname "$png")"
xvfb-run -a -s "-screen 0 1366x768x24" \
    build/tests/ui/screenshot "$format" "$work/$(basename "$media")" "$(realpath -m "$png")"
echo "Saved $png"
