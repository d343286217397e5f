#!/usr/bin/env bash
# Makes the Windows zip and installer of a windows-desktop build with CPack
# (cmake/WindowsPackage.cmake), then installs the installer silently under
# Wine in a prefix of its own (WINDOWS_BUILD/package-prefix), asks both
# installed programs for their version, starts qrv-edit.exe on the Windows
# platform plugin under Xvfb until its window shows, uninstalls silently and
# checks that nothing is left.
#
#   tests/windows/package_test.sh WINDOWS_BUILD
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "$1")

finish() {
    local status=$?
    if [ -n "${display_pid:-}" ]; then
        "$wine_dir/wineserver" -k 2>/dev/null || true
        kill "$display_pid"
    fi
    if [ "$status" -eq 0 ]; then echo "windows-package: passed"; else echo "windows-package: failed"; fi
}
trap finish EXIT
fail() {
    echo "windows-package: $*" >&2
    exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=qrv-edit-$version-win64
out=$build/package
rm -f "$out/$name.zip" "$out/$name-setup.exe"
(cd "$build" && cpack --config CPackConfig.cmake) || fail "cpack failed"
[ -f "$out/$name.zip" ] || fail "cpack made no $out/$name.zip"
[ -f "$out/$name-setup.exe" ] || fail "cpack made no $out/$name-setup.exe"

echo "== Windows package: install, start and uninstall under Wine (packed in $SECONDS s) =="
SECONDS=0
wine_dir=/usr/lib/wine
wine=$wine_dir/wine64
export WINEPREFIX=$build/package-prefix WINEDEBUG=-all
# No Mono or Gecko prompts; winemenubuilder would copy the Start-menu entry
# into the Linux desktop's menu.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
# The installed programs must find their DLLs in their own folder alone.
unset WINEPATH
user_dir=$WINEPREFIX/drive_c/users/$(id -un)
install_dir="$user_dir/AppData/Local/Programs/QRV Edit Data"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/QRV Edit Data.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\qrv-edit'

# A real display for the Windows platform plugin, on a free display number.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
display_pid=$!
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$display_file")
rm -f "$display_file"
export DISPLAY

# A prefix that an earlier, broken run left with the program installed is
# made anew.
[ -e "$install_dir" ] && rm -rf "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1

# Everything on the prefix's drive C: but the temporary folders, where Wine
# and the uninstaller's copy of itself work.
files_in_prefix() {
    (cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | LC_ALL=C sort)
}
before=$out/prefix-before.txt
files_in_prefix >"$before"

"$wine" "$out/$name-setup.exe" /S || fail "the installer failed"
[ -f "$install_dir/qrv-edit.exe" ] || fail "nothing installed in $install_dir"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "no uninstall key $uninstall_key"
# The zip and the installer hold the same files.
diff <(unzip -Z1 "$out/$name.zip" | sed "s|^$name/||" | LC_ALL=C sort) \
    <(cd "$install_dir" && find . -type f ! -name uninstall.exe -printf '%P\n' | LC_ALL=C sort) ||
    fail "the zip (<) and the installer (>) hold different files"
for program in qrv-edit qrv-check; do
    answer=$("$wine" "$install_dir/$program.exe" --version | tr -d '\r')
    [ "$answer" = "$program $version" ] || fail "the installed $program.exe --version said \"$answer\""
    echo "$answer"
done

# Started with no argument, the installed program shows its main window; its
# title shows once the platform plugin, the style and the DLLs have loaded.
"$wine" "$install_dir/qrv-edit.exe" >/dev/null 2>&1 &
program=$!
shown=""
for _ in $(seq 120); do
    xwininfo -root -tree 2>/dev/null | grep -q '"QRV Edit Data"' && { shown=yes; break; }
    kill -0 "$program" 2>/dev/null || break
    sleep 0.5
done
# Ended from outside: closing the window would ask "Do you want to exit?".
kill "$program" 2>/dev/null || true
for _ in $(seq 40); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$program" 2>/dev/null && fail "the installed qrv-edit.exe did not close"
[ -n "$shown" ] || fail "the installed qrv-edit.exe showed no window"
echo "qrv-edit.exe showed its window"

"$wine" "$install_dir/uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller copies itself to the temporary folder, starts the copy and
# returns at once; the copy has ended when the Wine session has.
"$wine_dir/wineserver" -w
[ ! -e "$install_dir" ] || fail "the uninstaller left $install_dir"
[ ! -e "$shortcut" ] || fail "the uninstaller left $shortcut"
for key in "$uninstall_key" 'HKCU\Software\qrv-edit'; do
    ! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left $key"
done
files_in_prefix | diff "$before" - || fail "the uninstaller left files (above)"
echo "installed, started and uninstalled in $SECONDS s"
