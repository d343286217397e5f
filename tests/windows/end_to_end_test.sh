#!/usr/bin/env bash
# The Windows build of the desktop program, driven as a clerk drives it, on
# Wine's own Windows platform under a virtual X server: start qrv-edit.exe,
# choose "Format 100 M", check samples/100m-thai-name.txt through drive Q:,
# open the covering letter, and print it. The summary file, the letter file
# and the printed text must equal the Linux build's byte for byte.
#
# Wine has no "Microsoft Print to PDF": the letter goes through Wine's own
# printer driver to the PDF queue of a private print server
# (scripts/cups-test-env.sh), as it would to a printer. That route keeps the
# words but not the blanks between them nor the Thai marks above and below the
# line, so the printed text is compared without both; the letter's layout on
# paper is tests/windows/letter_test.sh's to compare.
#
#   tests/windows/end_to_end_test.sh LINUX_BUILD WINDOWS_BUILD [--screenshot PNG]
#
# The builds are those of the default and windows-desktop presets; exit
# status 77 (a skip) when the Linux one lacks qrv-check or tools/letter-pdf.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
linux=$(realpath "$1")
tree=$(realpath "$2")
shift 2
for program in cli/qrv-check tools/letter-pdf; do
    [ -x "$linux/$program" ] || { echo "SKIPPED: no $linux/$program (build the default preset)"; exit 77; }
done
if [ -z "${QRV_UNDER_XVFB:-}" ]; then
    QRV_UNDER_XVFB=1 exec scripts/cups-test-env.sh xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$linux" "$tree" "$@"
fi
screenshot=""
[ "${1:-}" = --screenshot ] && screenshot=$(realpath -m "$2")

# A prefix of its own, whose session this test starts and ends.
export QRV_WINEPREFIX=$tree/wine-prefix-desktop
export WINEPREFIX=$QRV_WINEPREFIX
export PYTHONPATH=$PWD/tests/tools
media=100m-thai-name.txt
company=056789
work=$(mktemp -d)
problems=()
finish() {
    local status=$?
    [ "$status" -eq 0 ] || [ ${#problems[@]} -gt 0 ] || fail "stopped with status $status"
    cmake/wine-session.sh stop
    rm -rf "$work"
    for problem in "${problems[@]}"; do
        echo "FAIL $problem"
    done
    if [ ${#problems[@]} -eq 0 ]; then
        echo "windows-end-to-end: passed"
    else
        echo "windows-end-to-end: failed"
        exit 1
    fi
}
trap finish EXIT
fail() {
    problems+=("$*")
}
# Waits up to 30 s for a window whose title matches.
window() {
    local i
    for ((i = 0; i < 60; i++)); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.5
    done
    fail "no window named \"$1\" appeared"
    exit 1
}
same() {
    cmp -s "$2" "$3" || fail "$1 differs from Linux's: $(cmp "$2" "$3" 2>&1 | head -n 1)"
}
# A PDF's text without blanks and without the Thai marks above and below
# the line.
printed_text() {
    /usr/bin/python3 -m qrvtest.pdf bare-text "$1" "$2"
}

# What the Linux build makes of the same file.
mkdir "$work/linux" "$work/q"
cp "samples/$media" "$work/linux/"
cp "samples/$media" "$work/q/"
"$linux/cli/qrv-check" --format 100M --letter "$work/linux/letter.txt" "$work/linux/$media" >/dev/null ||
    fail "the Linux qrv-check failed"
hash=$("$linux/cli/qrv-check" --format 100M --json "$work/linux/$media" | /usr/bin/python3 -m qrvtest.report HashValue)
QT_QPA_PLATFORM=offscreen "$linux/tools/letter-pdf" "$work/linux/$company" 100M "$hash" "$work/linux.pdf" ||
    fail "the Linux letter-pdf failed"
printed_text "$work/linux.pdf" "$work/linux.txt"

cmake/wine-session.sh start
ln -sfn "$work/q" "$WINEPREFIX/dosdevices/q:"
# Wine names the Windows user after the Linux one.
letter=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/qrv-edit/outputyyyy.txt
# A desktop of the screen's size, as Windows has: the program maximizes into it.
WINEQT_QPA_PLATFORM=windows "$tree/wine-run.sh" explorer /desktop=qrv,1366x768 \
    "$(printf 'Z:%s' "$tree/ui/qrv-edit.exe" | tr / '\\')" >"$work/program.log" 2>&1 &
program=$!
window "^QRV Edit Data$"
sleep 2
xdotool key alt+s 0
window "^Choose file$"
xdotool type --delay 20 "Q:\\$media"
xdotool key Return
window "^QRV Edit Data - \[From Edit Data\]$"
sleep 2
[ -n "$screenshot" ] && import -window root "$screenshot"
same "the summary file" "$work/linux/$company" "$work/q/$company"

# The letter button, top right of the maximized result window.
xdotool mousemove 1280 86 click 1
window "^QRV Edit Data - \[Report Send Data\]$"
sleep 1
same "the letter file" "$work/linux/letter.txt" "$letter"

# Print, and OK in Windows' print dialog, which offers the private server's queue.
xdotool key alt+p
window "^Print$"
xdotool key Return
# Done when the server holds no job any more.
for ((i = 0; i < 60; i++)); do
    [ -s "$QRV_CUPS_OUTPUT" ] && [ -z "$(lpstat -o)" ] && break
    sleep 0.5
done
# The queue's PDF printer wraps the PDF in printer job language.
/usr/bin/python3 -m qrvtest.pdf from-job "$QRV_CUPS_OUTPUT" "$work/windows.pdf" 2>/dev/null ||
    fail "no PDF came out of the print server"
printed_text "$work/windows.pdf" "$work/windows.txt"
same "the printed letter's text" "$work/linux.txt" "$work/windows.txt"

# Exit, and OK to the question (titled as the main window was before the
# letter window took its place); the letter file goes with its window.
xdotool key alt+s x
window "^QRV Edit Data$"
xdotool key Return
for ((i = 0; i < 30; i++)); do
    kill -0 "$program" 2>/dev/null || break
    sleep 1
done
if kill -0 "$program" 2>/dev/null; then
    fail "qrv-edit.exe did not end after Exit"
    kill "$program"
fi
wait "$program" || fail "qrv-edit.exe ended with status $?"
[ ! -e "$letter" ] || fail "the letter file was left behind"
