#!/usr/bin/env bash
# Builds the Debian package from the default build tree and prints its path:
#   build/package/qrv-edit_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" >/dev/null
cpack --preset default >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=build/package/qrv-edit_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "cpack made no $deb" >&2; exit 1; }
echo "$deb"
