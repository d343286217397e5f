#!/usr/bin/env bash
# Fails when a source folder includes a header from a folder above it.
# Layers, bottom up; a folder may include from its own layer and those below.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A level=([core]=0 [hash]=1 [summary]=1 [runs]=2 [report]=3 [cli]=4 [ui]=4)
status=0
for folder in "${!level[@]}"; do
    while IFS=: read -r file _ include; do
        target=$(sed -E 's/.*"([a-z_]+)\/.*/\1/' <<<"$include")
        [ -n "${level[$target]+x}" ] || continue
        if [ "${level[$target]}" -gt "${level[$folder]}" ] ||
            { [ "${level[$target]}" -eq "${level[$folder]}" ] && [ "$target" != "$folder" ]; }; then
            echo "$file includes $target/: $folder/ may include only from below it"
            status=1
        fi
    done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "' "$folder" || true)
done
[ $status -eq 0 ] && echo "layers: every include points down"
exit $status
