#!/usr/bin/env bash
# Checks a sample media file in the desktop program under a virtual X server,
# as a clerk would, and saves pictures of the chooser, the result window and
# the covering letter window.
#
#   scripts/screenshot-result.sh [MEDIA [10M|100M [FOLDER [WIDTHxHEIGHT [th [PREFIX]]]]]]
#
# Defaults: samples/100m-thai-name.txt, 100M, docs, 1366x768. With "th" the
# windows are in Thai and the pictures' names begin with PREFIX ("thai-").
set -euo pipefail
cd "$(dirname "$0")/.."
media=${1:-samples/100m-thai-name.txt}
format=${2:-100M}
folder=${3:-docs}
size=${4:-1366x768}
shift $(($# < 4 ? $# : 4))

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target screenshot -j2

# The check writes its summary file beside the media file, and the letter
# window its letter file: both in a folder of their own, as are the journal
# of checks and the settings, so that the history shows this check alone and
# the settings are the defaults.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$media" "$work/"
mkdir -p "$folder" "$work/run"
chmod 700 "$work/run"
XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 ${size}x24" \
    build/tools/screenshot "$format" "$work/$(basename "$media")" "$(realpath -m "$folder")" "$@"
echo "Saved the pictures in $folder"
