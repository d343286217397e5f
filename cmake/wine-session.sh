#!/bin/sh
# Starts or ends the Wine session the Windows test programs run in.
#
# The first Wine program to run starts wineserver and Wine's helper programs
# (services.exe, explorer.exe, winedevice.exe ...), and those inherit its
# standard output. Under ctest that is the test's pipe, so ctest waits for the
# helpers to quit, about three seconds after every test, and forever while a
# persistent wineserver keeps them alive. Starting the session here, away from
# any pipe, lets each test end when its own program does.
#
#   wine-session.sh start|stop   (WINEPREFIX must be set)
set -eu
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine_dir=/usr/lib/wine

# -k only signals the server; -w returns once it has gone.
end_server() {
    "$wine_dir/wineserver" -k </dev/null >/dev/null 2>&1 || true
    "$wine_dir/wineserver" -w </dev/null >/dev/null 2>&1 || true
}
case "${1:-}" in
start)
    # A server the prefix still has (an interrupted run, a harness's earlier
    # session) would refuse the persistent one below; a program that starts
    # while a server is ending exits with status 1 and prints nothing.
    end_server
    # Kept for ten minutes after the last test program, then it quits alone.
    "$wine_dir/wineserver" -p600 </dev/null >/dev/null 2>&1 || true
    "$wine_dir/wine64" wineboot </dev/null >/dev/null 2>&1
    "$wine_dir/wine64" regedit /S "$(dirname "$0")/wine-fonts.reg" </dev/null >/dev/null 2>&1
    ;;
stop)
    end_server
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
