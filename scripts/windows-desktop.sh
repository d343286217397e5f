#!/usr/bin/env bash
# Cross-builds both programs and all their tests for 64-bit Windows against
# the Qt that scripts/qt-windows.sh builds from Debian's source (the
# "windows-desktop" preset), then, under Wine, runs the desktop suites
# (tests/ui and tests/report), the end-to-end run of qrv-edit.exe, the
# printed letter against Linux's, and the zip and installer's install test:
#
#   scripts/windows-desktop.sh [build]    (build: stop after building)
#
# When the cache has no such Qt yet, it is built first (about 45 minutes on
# two cores) and kept for later runs. The last line says "N passed, M
# failed": the suites' tests, the end-to-end run, the letter and the install test; a step that fails
# before them (Qt, building) counts as one failure.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
. scripts/wine-ctest.sh
passed=0
failed=0
finish() {
    echo "== Windows desktop: all =="
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
trap finish EXIT
step() {
    if ! "$@"; then
        echo "FAILED: $*"
        failed=$((failed + 1))
        exit 1
    fi
}

step scripts/install-deps.sh
if ! QRV_QT_WINDOWS=$(scripts/qt-windows.sh --prefix 2>/dev/null); then
    echo "windows-desktop: Qt for Windows is not built yet; building it now, once (about 45 minutes on two cores)"
    start=$SECONDS
    step scripts/qt-windows.sh
    echo "windows-desktop: Qt for Windows built in $(((SECONDS - start) / 60)) minutes"
    QRV_QT_WINDOWS=$(scripts/qt-windows.sh --prefix)
fi
export QRV_QT_WINDOWS
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
echo "== Windows desktop: cross build against $QRV_QT_WINDOWS =="
step cmake --preset windows-desktop "${launcher[@]}" >/dev/null
step cmake --build --preset windows-desktop -j "${QRV_JOBS:-$(nproc)}"
[ "${1:-}" = build ] && exit 0

echo "== Windows desktop: test suites under Wine =="
export WINEPREFIX=$PWD/build-windows-desktop/wine-prefix
wine_ctest windows-desktop

echo "== Windows desktop: end to end under Wine and Xvfb =="
step cmake --build build --target qrv-check letter-pdf -j "${QRV_JOBS:-$(nproc)}" >/dev/null
count() {
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
}
count scripts/windows-end-to-end.sh

echo "== Windows desktop: the printed letter against Linux's =="
count scripts/windows-letter-test.sh

echo "== Windows desktop: the zip and the installer, installed and removed under Wine =="
count scripts/windows-package.sh test
