#!/usr/bin/env bash
# Prints the covering letter of samples/100m-thai-name.txt to a PDF with the
# Windows build under Wine, once with each of Qt's Windows font engines (GDI,
# the default, and DirectWrite), and with the Linux build, as "Print" would
# (tools/letter-pdf), and compares page 1 of each Windows PDF with Linux's:
# the text, each printed line's place within 1 mm, and no glyphs of a word
# drawn over each other (tests/windows/letter_compare.py). Renders page 1 of
# the Linux PDF and of the GDI one to PNG files.
#
#   tests/windows/letter_test.sh LINUX_BUILD WINDOWS_BUILD [--pictures]
#
# The builds are those of the default and windows-desktop presets. The files
# go to WINDOWS_BUILD/windows-letter/; with --pictures the two pictures go to
# docs/ (letter-page1-linux.png, letter-page1-windows.png). Both builds print
# with one face file: Norasi (fonts-thai-tlwg), which the Linux build puts in
# place of "AngsanaUPC", and which the test's Wine prefix gives as
# "AngsanaUPC" (cmake/wine-fonts.reg), as on a Windows with the Thai fonts
# installed. The last line says "windows-letter: passed" or
# "windows-letter: failed: ..."; exit status 77 (a skip) when the Linux
# build lacks qrv-check or tools/letter-pdf.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$SECONDS
linux=$(realpath "$1")
tree=$(realpath "$2")
work=$tree/windows-letter
pictures=$work
[ "${3:-}" = --pictures ] && pictures=docs

fail() {
    echo "windows-letter: failed: $*"
    exit 1
}
for program in cli/qrv-check tools/letter-pdf; do
    [ -x "$linux/$program" ] || { echo "SKIPPED: no $linux/$program (build the default preset)"; exit 77; }
done
face=/usr/share/fonts/truetype/tlwg/Norasi.ttf
[ -f "$face" ] || fail "$face is missing (scripts/install-deps.sh installs fonts-thai-tlwg)"
mkdir -p "$work"
export PYTHONPATH=$PWD/tests/tools

# A prefix of its own, whose session this test starts and ends.
export QRV_WINEPREFIX=$tree/wine-prefix-desktop
export WINEPREFIX=$QRV_WINEPREFIX WINEDEBUG=-all
wine=/usr/lib/wine
# The prefix is made where missing (cmake/wine-fonts.reg gives it Norasi as
# "AngsanaUPC") and its session ended, so that the programs below start one on
# their own X server.
cmake/wine-session.sh start
# A program that crashes ends instead of waiting for Wine's crash dialog.
"$wine/wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
cmake/wine-session.sh stop

cp samples/100m-thai-name.txt "$work/in.txt"
rm -f "$work"/*.pdf "$work/in.0"*
(cd "$work" && "$linux/cli/qrv-check" --format 100M --json in.txt >report.json) || true
read -r summary hash < <(/usr/bin/python3 -m qrvtest.report Label1 HashValue <"$work/report.json") ||
    fail "qrv-check wrote no summary file"

(cd "$work" && QT_QPA_PLATFORM=offscreen "$linux/tools/letter-pdf" "$summary" 100M "$hash" linux.pdf) 2>/dev/null ||
    fail "the Linux build printed no letter"
(cd "$work" && timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    run=../wine-run.sh
    QT_QPA_PLATFORM=windows $run ../tools/letter-pdf.exe "$1" 100M "$2" windows-gdi.pdf
    QT_QPA_PLATFORM=windows:fontengine=directwrite $run ../tools/letter-pdf.exe "$1" 100M "$2" windows-directwrite.pdf
    "$3/wineserver" -k' sh "$summary" "$hash" "$wine") >"$work/wine.log" 2>&1 || true

failed=
for pdf in linux windows-gdi windows-directwrite; do
    [ -s "$work/$pdf.pdf" ] || fail "no $pdf.pdf (see $work/wine.log)"
    used=$(pdffonts "$work/$pdf.pdf" | tail -n +3 | awk '{ print $1 }' | tr '\n' ' ')
    echo "$pdf.pdf: fonts $used"
    case $pdf:$used in
    linux:Norasi\ | windows-*:AngsanaUPC*) [ "$(echo "$used" | wc -w)" -eq 1 ] ||
        failed="$failed $pdf.pdf is not printed in the Norasi face alone;" ;;
    *) failed="$failed $pdf.pdf is not printed in the Norasi face alone;" ;;
    esac
done
for engine in gdi directwrite; do
    echo "== Linux against Windows ($engine)"
    /usr/bin/python3 tests/windows/letter_compare.py compare "$work/linux.pdf" "$work/windows-$engine.pdf" ||
        failed="$failed Windows ($engine) differs;"
done

pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$work/linux.pdf" "$pictures/letter-page1-linux"
pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$work/windows-gdi.pdf" "$pictures/letter-page1-windows"
echo "pictures: $pictures/letter-page1-linux.png $pictures/letter-page1-windows.png ($((SECONDS - started)) s)"
[ -z "$failed" ] || fail "$failed"
echo "windows-letter: passed"
