#!/usr/bin/env bash
# Fails when a source folder includes a header from a folder above it.
# Layers, bottom up; a folder may include from its own layer and those below.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A level=([files]=0 [core]=1 [hash]=2 [summary]=2 [runs]=3 [advisories]=4 [report]=4 [journal]=5 [cli]=6 [ui]=6)
status=0
for folder in "${!level[@]}"; do
    [ -d "$folder" ] || continue
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

# Inside ui/ the child windows talk upward only through signals: none of them
# includes the main window. The main window runs the check: the result window
# knows nothing of the adapter through which a run fills it, and the chooser,
# which only asks for the file, does not include it either.
refuse() {
    local header=$1
    shift
    for file in "$@"; do
        if grep -q "^#include \"$header\"" "$file"; then
            echo "$file includes $header: a child window talks to the windows above it through signals"
            status=1
        fi
    done
}
refuse ui/MDIForm1.h ui/FrmEdit.* ui/frmSelFile.* ui/frmSendData.* ui/result_window_adapter.*
refuse ui/result_window_adapter.h ui/FrmEdit.* ui/frmSelFile.*

[ $status -eq 0 ] && echo "layers: every include points down"
exit $status
