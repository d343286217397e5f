#!/usr/bin/env bash
# Makes the Windows zip, installer and MSI of a windows-desktop build with
# CPack (cmake/WindowsPackage.cmake), signed with a throwaway self-signed
# certificate, and checks them: the signatures verify and a flipped byte
# breaks them, SHA256SUMS matches, the zip has the portable marker. Then,
# under Wine in a prefix of its own (WINDOWS_BUILD/package-prefix) on Xvfb:
# the installer installs silently into a chosen folder, a second run finds
# that folder again, both installed programs give their version,
# qrv-edit.exe shows its window, an installer run while it runs refuses,
# and the uninstaller leaves drive C: as it was; the MSI installs, installs
# again and is removed, leaving drive C: as it was.
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
    if [ -n "${work:-}" ]; then rm -rf "$work"; fi
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
packages=("$name.zip" "$name-setup.exe" "$name.msi")
work=$(mktemp -d)

# A certificate for code signing that lives as long as this test.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QRV Edit Data test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:throwaway \
    -out "$work/signer.p12"
mkdir -p "$out"
(cd "$out" && rm -f "${packages[@]}" SHA256SUMS)
(cd "$build" && QRV_SIGN_PKCS12=$work/signer.p12 QRV_SIGN_PASSWORD=throwaway cpack --config CPackConfig.cmake) ||
    fail "cpack failed"
for package in "${packages[@]}" SHA256SUMS; do
    [ -f "$out/$package" ] || fail "cpack made no $out/$package"
done
ls -l "$out" | sed -n "s/^.* \([0-9][0-9]*\) [A-Z][a-z][a-z] .* \(qrv-edit-.*\)$/\2: \1 bytes/p"

(cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[ "$(cut -d' ' -f3 "$out/SHA256SUMS" | tr '\n' ' ')" = "${packages[*]} " ] ||
    fail "SHA256SUMS lists $(cut -d' ' -f3 "$out/SHA256SUMS" | tr '\n' ' ')"

unzip -q "$out/$name.zip" -d "$work/zip"
[ -f "$work/zip/$name/portable" ] || fail "the zip has no portable marker"
verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.txt" 2>&1
}
for signed in "$work/zip/$name/qrv-edit.exe" "$work/zip/$name/qrv-check.exe" "$out/$name-setup.exe" \
    "$out/$name.msi"; do
    verify "$signed" || fail "the signature of $signed does not verify: $(tail -n 3 "$work/verify.txt")"
    grep -q "Message digest algorithm *: SHA256" "$work/verify.txt" || fail "$signed is not signed with SHA-256"
done
# One byte flipped in the middle of the code: the signature no longer matches.
tampered=$work/tampered.exe
cp "$work/zip/$name/qrv-check.exe" "$tampered"
middle=$(($(stat -c %s "$tampered") / 2))
byte=$(od -An -tu1 -j "$middle" -N1 "$tampered" | tr -d ' ')
printf "$(printf '\\%03o' $((byte ^ 1)))" | dd of="$tampered" bs=1 seek="$middle" conv=notrunc status=none
! verify "$tampered" || fail "a qrv-check.exe with a flipped byte still verifies"
echo "signatures verify, and fail after a flipped byte; SHA256SUMS matches"

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
default_dir="$user_dir/AppData/Local/Programs/QRV Edit Data"
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
if [ -e "$WINEPREFIX/drive_c/Payroll" ] || [ -e "$WINEPREFIX/drive_c/Program Files/QRV Edit Data" ]; then
    rm -rf "$WINEPREFIX"
fi
"$wine" wineboot -i >/dev/null 2>&1

# Everything on the prefix's drive C: but the temporary folders, where Wine
# and the uninstaller's copy of itself work.
files_in_prefix() {
    (cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | LC_ALL=C sort)
}
# Windows Installer's cache folder, which every Windows has and Wine makes
# at its first MSI; what it caches there must go with the product.
mkdir -p "$WINEPREFIX/drive_c/windows/Installer"
before=$out/prefix-before.txt
files_in_prefix >"$before"

# Into a folder of the clerk's choice; a second run, as over an older
# version, finds that folder again rather than making a second copy in the
# default one.
"$wine" "$out/$name-setup.exe" /S '/D=C:\Payroll\QRV' || fail "the installer failed"
install_dir=$WINEPREFIX/drive_c/Payroll/QRV
[ -f "$install_dir/qrv-edit.exe" ] || fail "nothing installed in $install_dir"
"$wine" "$out/$name-setup.exe" /S || fail "the installer failed the second time"
[ ! -e "$default_dir" ] || fail "the second run installed a second copy in $default_dir"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "no uninstall key $uninstall_key"
# The zip and the installer hold the same files, the marker apart.
diff <(unzip -Z1 "$out/$name.zip" | sed "s|^$name/||" | grep -vx portable | LC_ALL=C sort) \
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
# Windows would not replace the running program's files: the installer asks
# to close it, and a silent one gives up, exit status 2, changing nothing.
[ -n "$shown" ] && {
    status=0
    "$wine" "$out/$name-setup.exe" /S >/dev/null 2>&1 || status=$?
    [ "$status" = 2 ] || fail "the installer run while qrv-edit.exe runs ended with $status, not 2"
    echo "the installer refuses while qrv-edit.exe runs"
}
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
for key in "$uninstall_key" 'HKCU\Software\qrv-edit' 'HKCU\Software\QtProject'; do
    ! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left $key"
done
files_in_prefix | diff "$before" - || fail "the uninstaller left files (above)"
echo "installed twice, started and uninstalled in $SECONDS s"

# The MSI, per machine: installed, installed again and removed silently.
SECONDS=0
msi_dir="$WINEPREFIX/drive_c/Program Files/QRV Edit Data"
# Windows puts a per-machine entry in the common Start menu; Wine 8's msiexec
# puts it in the user's.
msi_shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/QRV Edit Data.lnk" "$shortcut")
msi_entry() {
    "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | grep -A20 'DisplayName.*QRV Edit Data' || true
}
for round in first second; do
    "$wine" msiexec /i "$out/$name.msi" /qn || fail "msiexec /i failed the $round time"
    [ -f "$msi_dir/qrv-edit.exe" ] || fail "the MSI installed nothing in $msi_dir"
done
[ -f "${msi_shortcuts[0]}" ] || [ -f "${msi_shortcuts[1]}" ] || fail "the MSI made no Start-menu entry"
entry=$(msi_entry)
for expected in "DisplayVersion.*$version" "Publisher.*The QRV Edit Data developers"; do
    grep -q "$expected" <<<"$entry" || fail "the MSI's Add/Remove entry has no $expected: $entry"
done
# Windows Installer shows the entry's icon from the product's ARPPRODUCTICON,
# not from a DisplayIcon value.
msiinfo export "$out/$name.msi" Property | grep -q "^ARPPRODUCTICON	qrv_edit.ico" ||
    fail "the MSI names no icon for its Add/Remove entry"
answer=$("$wine" "$msi_dir/qrv-check.exe" --version | tr -d '\r')
[ "$answer" = "qrv-check $version" ] || fail "the MSI's qrv-check.exe --version said \"$answer\""
"$wine" msiexec /x "$out/$name.msi" /qn || fail "msiexec /x failed"
"$wine_dir/wineserver" -w
[ -z "$(msi_entry)" ] || fail "the MSI's removal left its Add/Remove entry"
files_in_prefix | diff "$before" - || fail "the MSI's removal left files (above)"
echo "MSI installed twice and removed in $SECONDS s"
