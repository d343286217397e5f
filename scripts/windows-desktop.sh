#!/usr/bin/env bash
# Cross-builds both programs and all their tests for 64-bit Windows against
# the Qt that scripts/qt-windows.sh builds from Debian's source (the
# "windows-desktop" preset), then runs the test suites under Wine:
#
#   scripts/windows-desktop.sh [build]    (build: stop after building)
#
# When the cache has no such Qt yet, it is built first: about 25 minutes on
# two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! QRV_QT_WINDOWS=$(scripts/qt-windows.sh --prefix 2>/dev/null); then
    echo "windows-desktop: Qt for Windows is not built yet; building it (about 25 minutes on two cores)"
    QRV_QT_WINDOWS=$(scripts/qt-windows.sh | tail -n 1)
fi
export QRV_QT_WINDOWS
echo "== Windows desktop: cross build against $QRV_QT_WINDOWS =="
cmake --preset windows-desktop >/dev/null
cmake --build --preset windows-desktop -j "${QRV_JOBS:-$(nproc)}"
[ "${1:-}" = build ] && exit 0

echo "== Windows desktop: test suites under Wine =="
# Makes the Wine prefix on the first call (some seconds) outside ctest, which
# then starts and ends its own session.
export WINEPREFIX=$PWD/build-windows-desktop/wine-prefix
cmake/wine-session.sh start
cmake/wine-session.sh stop
ctest --preset windows-desktop
