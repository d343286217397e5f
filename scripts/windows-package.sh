#!/usr/bin/env bash
# Makes the Windows packages from the windows-desktop build and prints their
# paths:
#
#   build-windows-desktop/package/qrv-edit-VERSION-win64.zip
#   build-windows-desktop/package/qrv-edit-VERSION-win64-setup.exe
#
#   scripts/windows-package.sh [test]
#
# Both hold the two programs, the Qt and runtime DLLs they load and nothing
# more, the manuals as text and the licence. The installer (makensis, from
# dist/qrv-edit.nsi) installs for the current user with a Start-menu entry and
# an uninstaller.
#
# With "test", it then installs the installer silently under Wine in a prefix
# of its own (build-windows-desktop/package-prefix), asks both installed
# programs for their version, starts qrv-edit.exe on the Windows platform
# plugin under Xvfb until its window shows, uninstalls silently and checks
# that nothing is left. Its last line is "windows-package: passed" or
# "windows-package: failed".
#
# Installs what the project needs where missing (scripts/install-deps.sh:
# nsis, zip, xvfb ...). Needs the Qt that scripts/qt-windows.sh builds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows-desktop
testing=""
[ "${1:-}" = test ] && testing=yes

if [ -n "$testing" ]; then
    finish() {
        local status=$?
        if [ -n "${display_pid:-}" ]; then
            "$wine_dir/wineserver" -k 2>/dev/null || true
            kill "$display_pid"
        fi
        if [ "$status" -eq 0 ]; then echo "windows-package: passed"; else echo "windows-package: failed"; fi
    }
    trap finish EXIT
fi
fail() {
    echo "windows-package: $*" >&2
    exit 1
}

scripts/install-deps.sh
QRV_QT_WINDOWS=$(scripts/qt-windows.sh --prefix 2>/dev/null) ||
    fail "Qt for Windows is not built yet; scripts/windows-desktop.sh build makes it"
export QRV_QT_WINDOWS
cmake --preset windows-desktop >/dev/null
cmake --build --preset windows-desktop -j "${QRV_JOBS:-$(nproc)}" --target qrv-edit qrv-check man_pages >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=qrv-edit-$version-win64
out=$build/package
stage=$out/$name
rm -rf "$stage" "$out/$name.zip" "$out/$name-setup.exe"
mkdir -p "$stage/platforms" "$stage/styles"

triple=x86_64-w64-mingw32
# The same zip from the same build: strip's time stamp in the programs and
# DLLs and the files' dates are the last commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
# Programs and DLLs ship without their debugging information, a third of
# Qt's size and nine tenths of libstdc++'s.
ship() { # FILE FOLDER
    $triple-strip -o "$2/$(basename "$1")" "$1"
}
ship "$build/ui/qrv-edit.exe" "$stage"
ship "$build/cli/qrv-check.exe" "$stage"
# The platform plugin and the native look; no image format plugin, as the
# program reads only PNG (its icon), which Qt Gui itself decodes.
ship "$QRV_QT_WINDOWS/plugins/platforms/qwindows.dll" "$stage/platforms"
ship "$QRV_QT_WINDOWS/plugins/styles/qwindowsvistastyle.dll" "$stage/styles"

# Copies the DLLs that the given files import, and theirs in turn, from Qt
# and the compiler's runtime; any other DLL is Windows' own.
dll_dirs=("$QRV_QT_WINDOWS/bin"
    "$(dirname "$($triple-g++-posix -print-file-name=libstdc++-6.dll)")"
    "$(dirname "$($triple-g++-posix -print-file-name=libwinpthread-1.dll)")")
copy_imports() {
    local file dll dir
    for file in "$@"; do
        for dll in $($triple-objdump -p "$file" | sed -n 's/^\tDLL Name: //p'); do
            [ -e "$stage/$dll" ] && continue
            for dir in "${dll_dirs[@]}"; do
                if [ -e "$dir/$dll" ]; then
                    ship "$dir/$dll" "$stage"
                    copy_imports "$stage/$dll"
                    break
                fi
            done
        done
    done
}
copy_imports "$stage"/*.exe "$stage"/platforms/*.dll "$stage"/styles/*.dll

# Qt's paths are otherwise relative to the folder above the programs (Qt's
# own bin/ layout), where a stray plugins folder would be loaded.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\n' >"$stage/qt.conf"
# Text with CR LF, which every Windows editor shows as lines.
crlf() { sed 's/$/\r/'; }
for page in qrv-edit qrv-check; do
    groff -man -Tutf8 -P-cbou -rHY=0 "$build/dist/$page.1" | crlf >"$stage/$page.txt"
done
# The licence text of the Debian copyright file, without its field syntax.
{
    echo "QRV Edit Data $version"
    echo
    sed -n 's/^Copyright: /Copyright /p' dist/copyright | head -n 1
    echo
    sed -n 's/^ //p' dist/copyright | sed 's/^\.$//'
} | crlf >"$stage/LICENSE.txt"

find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$out" && find "$name" -type f | LC_ALL=C sort | zip -X -q -@ "$name.zip")

# makensis gets the staged files one by one, and the uninstaller removes
# exactly those.
files=$out/files.nsh
unfiles=$out/unfiles.nsh
: >"$files"
: >"$unfiles"
while read -r dir; do
    echo "SetOutPath \"\$INSTDIR${dir:+\\$dir}\"" >>"$files"
    while read -r file; do
        echo "File \"$stage/${dir:+$dir/}$file\"" >>"$files"
        echo "Delete \"\$INSTDIR\\${dir:+$dir\\}$file\"" >>"$unfiles"
    done < <(find "$stage/$dir" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort)
done < <(echo; find "$stage" -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort)
while read -r dir; do
    echo "RMDir \"\$INSTDIR\\$dir\"" >>"$unfiles"
done < <(find "$stage" -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r)
makensis -V2 -NOCD \
    "-DVERSION=$version" "-DSTAGE=$stage" "-DFILES=$files" "-DUNFILES=$unfiles" \
    "-DICON=$build/ui/icons/qrv-edit.ico" "-DSIZE_KB=$(du -sk "$stage" | cut -f1)" \
    "-DOUTFILE=$out/$name-setup.exe" dist/qrv-edit.nsi >/dev/null
echo "$out/$name.zip"
echo "$out/$name-setup.exe"
[ -n "$testing" ] || exit 0

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
