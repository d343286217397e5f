#!/usr/bin/env bash
# Checks every sample, in both formats, with the qrv-check.exe that the zip
# and the installer ship, under Wine, and with the Linux build's qrv-check,
# and compares them byte for byte: exit status, standard output and standard
# error (the path text apart), and every file the run leaves (summary file,
# covering letter). Further inputs: a 0x1A byte, a lone CR, a second run that
# replaces the summary file, a Thai file name, and a drive whose root
# refuses the summary file (in a mount namespace, as root).
#
#   tests/windows/compare_test.sh LINUX_QRV_CHECK WINDOWS_BUILD_FOLDER
#
# Exit status 77 (a skip) when the Linux build has no qrv-check.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
linux_check=$(realpath -m "$1")
tree=$(realpath "$2")
windows_check=$tree/cli/qrv-check.exe
[ -x "$linux_check" ] || { echo "SKIPPED: no Linux qrv-check at $linux_check (build the default preset)"; exit 77; }
passed=0
failed=0
work=""
# A prefix of its own, whose session this test starts and ends.
export QRV_WINEPREFIX=$tree/wine-prefix-compare
export WINEPREFIX=$QRV_WINEPREFIX
finish() {
    [ -n "$work" ] && rm -rf "$work"
    cmake/wine-session.sh stop
    echo "$passed compared runs alike, $failed differ"
    [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
    exit $?
}
trap finish EXIT

# The media file is reached through drive Q:, which Wine maps to the run's
# own folder, so that the summary file (Q:\<company code> by the drive-letter
# rule) lands there too.
drive=$WINEPREFIX/dosdevices/q:
wine=$tree/wine-run.sh
cmake/wine-session.sh start || { echo "FAIL: no Wine session in $WINEPREFIX"; exit 1; }
work=$(mktemp -d)

# Runs both programs on `media` (a file in $work/in) with `args`, each in a
# copy of $work/in, `times` times, and compares what they did.
#   compare NAME TIMES MEDIA ARGS...    ("@letter" in ARGS is the letter's path)
compare() {
    local name=$1 times=$2 media=$3
    shift 3
    rm -rf "$work/linux" "$work/windows"
    cp -a "$work/in" "$work/linux"
    cp -a "$work/in" "$work/windows"
    ln -sfn "$work/windows" "$drive"
    local linux_args=() windows_args=() arg
    for arg in "$@"; do
        case $arg in
        @letter) linux_args+=("$work/linux/letter.txt") windows_args+=('Q:\letter.txt') ;;
        *) linux_args+=("$arg") windows_args+=("$arg") ;;
        esac
    done
    local linux_media=$work/linux/$media windows_media="Q:\\$media"
    if [ "${relative:-}" = yes ]; then
        linux_media=$media windows_media=$media
    fi
    local i linux_status windows_status
    for ((i = 0; i < times; i++)); do
        linux_status=0
        (cd "$work/linux" && "$linux_check" "${linux_args[@]}" "$linux_media") \
            >"$work/linux.out" 2>"$work/linux.err" </dev/null || linux_status=$?
        windows_status=0
        (cd "$work/windows" && "$wine" "$windows_check" "${windows_args[@]}" "$windows_media") \
            >"$work/windows.out" 2>"$work/windows.err" </dev/null || windows_status=$?
    done
    local problems=()
    [ "$linux_status" = "$windows_status" ] || problems+=("exit status $linux_status on Linux, $windows_status on Windows")
    # The path text: the folder on Linux, Q:\ on Windows (doubled in JSON).
    local stream
    for stream in out err; do
        sed -e "s|$work/linux/|<folder>/|g" "$work/linux.$stream" >"$work/linux.$stream.cmp"
        sed -e 's|Q:\\\\|<folder>/|g; s|Q:\\|<folder>/|g' "$work/windows.$stream" >"$work/windows.$stream.cmp"
        cmp -s "$work/linux.$stream.cmp" "$work/windows.$stream.cmp" ||
            problems+=("standard $stream differs: $(diff "$work/linux.$stream.cmp" "$work/windows.$stream.cmp" | head -n 3 | tr '\n' ' ')")
    done
    diff -r "$work/linux" "$work/windows" >/dev/null || problems+=("files differ: $(diff -rq "$work/linux" "$work/windows" | tr '\n' ' ')")
    if [ ${#problems[@]} -eq 0 ]; then
        echo "ok   $name (exit $linux_status)"
        passed=$((passed + 1))
    else
        echo "FAIL $name: ${problems[*]}"
        failed=$((failed + 1))
    fi
}

fresh_input() {
    rm -rf "$work/in"
    mkdir "$work/in"
}

for sample in samples/*.txt; do
    for format in 100M 10M; do
        fresh_input
        cp "$sample" "$work/in/in.txt"
        compare "$(basename "$sample") as $format, JSON and letter" 1 in.txt --format "$format" --json --letter @letter
        compare "$(basename "$sample") as $format, text report" 1 in.txt --format "$format"
    done
done

# A 0x1A byte inside an accepted record and a lone CR inside another: both
# are data, copied to the summary file as read.
fresh_input
# Every sample line is 78 bytes and CR LF.
sample=samples/100m-clean.txt
{
    head -c 158 "$sample" && printf '\032\r\n'
    tail -c +161 "$sample" | head -c 78 && printf '\rX\r\n'
    tail -c +241 "$sample"
} >"$work/in/in.txt"
compare "0x1A byte and lone CR, JSON and letter" 1 in.txt --format 100M --json --letter @letter
compare "a second run replaces the summary file" 2 in.txt --format 100M --json --letter @letter

# A Thai file name, by drive-letter path and relative to the current folder
# (whose summary file takes the name's first three characters).
thai=$(printf '\340\270\227\340\270\224\340\270\252\340\270\255\340\270\232.txt')
fresh_input
cp samples/10m-thai-name.txt "$work/in/$thai"
compare "Thai file name" 1 "$thai" --format 10M --json --letter @letter
relative=yes compare "Thai file name, relative path" 1 "$thai" --format 10M --json

# A drive whose root refuses new files, as C:\ does to a standard user on
# Windows: drive R: is a read-only bind mount with a writable folder "pay"
# inside, in a mount namespace of this step's own. Wine's server renames the
# finished file, so a session of its own runs in there too. The summary file
# goes beside the media file, and the report says why.
refusing_drive() {
    local at=$work/refusing status=0
    mkdir -p "$at/root/pay" "$at/store"
    cp samples/100m-clean.txt "$at/store/in.txt"
    ln -sfn "$at/root" "$WINEPREFIX/dosdevices/r:"
    cmake/wine-session.sh stop
    # shellcheck disable=SC2016 # expanded by the inner shell
    unshare -m bash -c '
        mount --make-rprivate / && mount --bind "$1/root" "$1/root" &&
            mount -o remount,bind,ro "$1/root" && mount --bind "$1/store" "$1/root/pay" || exit 77
        touch "$1/root/probe" 2>/dev/null && exit 77
        cmake/wine-session.sh start
        "$2" "$3" --format 100M --json "R:\\pay\\in.txt" >"$1/out.json" 2>"$1/err"
        echo $? >"$1/status"
        cmake/wine-session.sh stop' _ "$at" "$wine" "$windows_check" || status=$?
    rm -f "$WINEPREFIX/dosdevices/r:"
    if [ "$status" -eq 77 ]; then
        echo "skip a drive whose root refuses new files: no read-only bind mount here"
        return
    fi
    local problems=()
    [ "$(cat "$at/status" 2>/dev/null)" = 0 ] || problems+=("exit status $(cat "$at/status" 2>/dev/null): $(head -c 300 "$at/err" 2>/dev/null)")
    python3 - "$at/out.json" <<'PY' || problems+=("report: $(python3 -c 'import sys; print(open(sys.argv[1]).read()[:400])' "$at/out.json" 2>&1 | tr '\n' ' ')")
import json, sys
report = json.load(open(sys.argv[1]))
assert report["summary_file"] == "R:\\pay\\012345", report["summary_file"]
assert report["window"]["labels"]["Label1"] == "R:\\pay\\012345"
assert report["summary"]["moved_because"] == "R:\\ cannot be written; the summary is beside the media file"
PY
    cmp -s samples/100m-clean.txt "$at/store/012345" || problems+=("no summary file beside the media file")
    if [ ${#problems[@]} -eq 0 ]; then
        echo "ok   a drive whose root refuses new files: the summary beside the media file"
        passed=$((passed + 1))
    else
        echo "FAIL a drive whose root refuses new files: ${problems[*]}"
        failed=$((failed + 1))
    fi
}
refusing_drive
