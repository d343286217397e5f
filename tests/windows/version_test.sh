#!/usr/bin/env bash
# The version resource and manifest of both programs of a windows-desktop
# build, as Explorer and IT's inventory read them: FileVersion and
# ProductVersion are the project's version, and the manifest asks for no
# elevation and for the DPI awareness Qt sets.
#
#   tests/windows/version_test.sh WINDOWS_BUILD
set -euo pipefail
build=$(realpath "$1")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
fail() {
    echo "windows-version: $*" >&2
    exit 1
}

# The string values of a version resource, one "Name=Value" a line: each
# key is NUL-ended UTF-16, padded with NULs to its NUL-ended value.
version_strings() {
    wrestool -x --raw -t 16 "$1" | python3 -c '
import re, sys
text = sys.stdin.buffer.read().decode("utf-16-le", "replace")
for key in ("CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
            "OriginalFilename", "ProductName", "ProductVersion"):
    found = re.search(key + "\x00+([^\x00]*)", text)
    if found:
        print(f"{key}={found.group(1)}")
'
}

for exe in "$build/ui/qrv-edit.exe" "$build/cli/qrv-check.exe"; do
    program=$(basename "$exe" .exe)
    [ -f "$exe" ] || fail "no $exe"
    strings=$(version_strings "$exe")
    echo "$strings" | sed "s/^/$program.exe: /"
    for expected in "FileVersion=$version" "ProductVersion=$version" "ProductName=QRV Edit Data" \
        "OriginalFilename=$program.exe" "CompanyName=The QRV Edit Data developers"; do
        grep -qxF "$expected" <<<"$strings" || fail "$program.exe has no $expected"
    done
    for key in FileDescription LegalCopyright; do
        grep -q "^$key=." <<<"$strings" || fail "$program.exe has no $key"
    done
    manifest=$(wrestool -x --raw -t 24 "$exe")
    for expected in 'level="asInvoker"' '>PerMonitorV2<' '>UTF-8<' 'supportedOS'; do
        grep -qF "$expected" <<<"$manifest" || fail "the manifest of $program.exe has no $expected"
    done
done
echo "windows-version: passed"
