#!/usr/bin/env bash
# Makes the Debian package of a built tree with CPack, lints it, installs it,
# uses both commands from PATH, removes it and checks that none of its files
# is left. It installs and removes the package qrv-edit, replacing any
# qrv-edit installed before, so it needs root or sudo (exit status 77, a skip,
# without either).
#
#   tests/package/package_test.sh BUILD_FOLDER
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
build=$(realpath "${1:?usage: $0 BUILD_FOLDER}")
sample=$PWD/samples/100m-clean.txt

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "SKIPPED: installing the package needs root or sudo"; exit 77; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
apt_get() { $sudo apt-get -o DPkg::Lock::Timeout=600 -qq "$@"; }

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}
quietly() { "$@" >/dev/null; }
finish() {
    if [ "$failures" -eq 0 ]; then echo "package: passed"; else echo "package: failed"; fi
    [ "$failures" -eq 0 ]
    exit
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/package/qrv-edit_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null) && [ -f "$deb" ] ||
    { echo "FAILED: cpack made no $deb"; failures=1; finish; }
echo "Built $deb"
dpkg-deb -I "$deb" | sed -n '/Package:/,$p'
dpkg-deb -c "$deb"

# Lintian's warnings are shown; only errors fail (docs/packaging.md says why each
# remaining warning stays).
check "lintian reports no errors" lintian --fail-on error --info "$deb"

work=$(mktemp -d)
# Two checkouts testing at once would install and remove the same package.
exec 9>/tmp/qrv-edit-package-test.lock
flock 9
trap 'rm -rf "$work"; apt_get remove --purge -y qrv-edit >/dev/null 2>&1' EXIT

check "the package installs" apt_get install -y "$deb"
check "desktop entry validates" desktop-file-validate /usr/share/applications/io.github.qrvedit.QrvEdit.desktop
# A MimeType line would make the program the default for every file of that type.
check "desktop entry claims no file type" bash -c '! grep -q "^MimeType=" /usr/share/applications/io.github.qrvedit.QrvEdit.desktop'
check "metainfo validates" appstreamcli validate --no-net --pedantic --explain \
    /usr/share/metainfo/io.github.qrvedit.QrvEdit.metainfo.xml
check "qrv-edit is on PATH" [ "$(command -v qrv-edit)" = /usr/bin/qrv-edit ]
check "qrv-check is on PATH" [ "$(command -v qrv-check)" = /usr/bin/qrv-check ]
check "qrv-check --version prints $version" grep -qF "$version" <(qrv-check --version)
check "qrv-edit --version prints $version" grep -qF "$version" <(QT_QPA_PLATFORM=offscreen qrv-edit --version)
cp "$sample" "$work/"
check "qrv-check passes $(basename "$sample")" \
    quietly qrv-check --format 100M "$work/$(basename "$sample")"
schema=/usr/share/qrv-edit/qrv-check-report.schema.json
qrv-check --format 100M --json "$work/$(basename "$sample")" >"$work/report.json" || true
check "qrv-check --json validates against the installed schema" \
    /usr/bin/python3 tests/cli/validate_report.py "$schema" "$work/report.json"
for page in qrv-check qrv-edit; do
    check "man $page renders without warnings" \
        [ -z "$(MANWIDTH=80 man --warnings "$page" 2>&1 >/dev/null)" ]
done

# Every file and link the package put down must be gone after the purge;
# folders it shares with other packages stay.
mapfile -t listed < <(dpkg -L qrv-edit)
owned=()
for path in "${listed[@]}"; do
    if [ -f "$path" ] || [ -L "$path" ]; then owned+=("$path"); fi
done
check "the package owns files" [ "${#owned[@]}" -gt 0 ]
check "the package is purged" apt_get remove --purge -y qrv-edit
left=()
for path in "${owned[@]}"; do
    if [ -e "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done
[ ${#left[@]} -eq 0 ] || printf 'left behind: %s\n' "${left[@]}"
check "no file left behind (${#owned[@]} installed)" [ ${#left[@]} -eq 0 ]
check "dpkg knows no qrv-edit" [ -z "$(dpkg-query -W -f='${Status}' qrv-edit 2>/dev/null | grep -v not-installed)" ]
finish
