#!/usr/bin/env bash
# Builds libxlsxwriter for 64-bit Windows (mingw-w64) as a static library
# from Debian's own source, with Debian's patches, once, into a cache outside
# the checkout, so that the desktop program can be cross-built against it:
#
#   scripts/xlsxwriter-windows.sh            build unless the cache has it; the
#                                            last line of standard output is
#                                            the prefix
#   scripts/xlsxwriter-windows.sh --prefix   only print the prefix (exit 1
#                                            when it is not built yet)
#
# The prefix is $QRV_QT_CACHE/xlsxwriter-<version>-mingw-<hash> (QRV_QT_CACHE
# is /var/cache/qrv-edit unless set), beside Qt's: the hash covers the source
# version, the compiler, zlib, the toolchain file and the configure line. A
# marker file, written last, tells a finished prefix from one a stopped build
# left. The library is static, with the minizip Debian's source bundles, and
# links against the static zlib of libz-mingw-w64-dev: only its licence text,
# License.txt in the prefix, ships beside the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=build
case ${1:-} in
"") ;;
--prefix) mode=prefix ;;
*)
    echo "usage: $0 [--prefix]" >&2
    exit 2
    ;;
esac

cache=${QRV_QT_CACHE:-/var/cache/qrv-edit}
jobs=${QRV_JOBS:-$(nproc)}
say() { echo "xlsxwriter-windows: $*"; }
fail() {
    echo "xlsxwriter-windows: $*" >&2
    exit 1
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
apt() { $sudo apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@"; }

toolchain=$root/cmake/mingw-w64.cmake
options=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DBUILD_TESTS=OFF
    -DBUILD_EXAMPLES=OFF
    -DUSE_SYSTEM_MINIZIP=OFF
    -DUSE_STANDARD_TMPFILE=OFF
    -DUSE_OPENSSL_MD5=OFF
    -DZLIB_USE_STATIC_LIBS=ON
)

version_of() { dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true; }

# Sets version, prefix and marker: the source of the version Debian's
# libxlsxwriter-dev has, built by the compiler installed now.
compute_prefix() {
    version=$(version_of libxlsxwriter-dev)
    local compiler zlib hash
    compiler=$(version_of g++-mingw-w64-x86-64-posix)
    zlib=$(version_of libz-mingw-w64-dev)
    [ -n "$version" ] || fail "libxlsxwriter-dev is not installed: there is no version to match"
    [ -n "$compiler" ] || fail "g++-mingw-w64-x86-64-posix is not installed"
    [ -n "$zlib" ] || fail "libz-mingw-w64-dev is not installed"
    hash=$(printf '%s\n' "libxlsxwriter $version" "g++-mingw-w64-x86-64-posix $compiler" \
        "libz-mingw-w64-dev $zlib" "$(cat "$toolchain")" "${options[*]}" | sha256sum | cut -c1-12)
    local upstream=${version#*:}
    prefix=$cache/xlsxwriter-${upstream%%[+-]*}-mingw-$hash
    marker=$prefix/qrv-xlsxwriter-built
}

if [ "$mode" = prefix ]; then
    compute_prefix
    echo "$prefix"
    [ -f "$marker" ]
    exit
fi

missing=()
for p in libxlsxwriter-dev libz-mingw-w64-dev g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    say "installing ${missing[*]}"
    apt update
    apt install --no-install-recommends "${missing[@]}"
fi
compute_prefix
if [ -f "$marker" ]; then
    echo "$prefix"
    exit
fi

mkdir -p "$cache"
exec 9>"$cache/.xlsxwriter-lock"
flock 9
if [ ! -f "$marker" ]; then
    # Debian's archive must list the source; scripts/qt-windows.sh adds its
    # deb-src entries where the machine has none.
    apt-cache showsrc libxlsxwriter 2>/dev/null | grep -qx "Version: $version" ||
        fail "Debian's archive offers no source of libxlsxwriter $version (are deb-src entries listed? scripts/qt-windows.sh adds them)"
    work=$cache/xlsxwriter-source
    rm -rf "$work" "$prefix"
    mkdir -p "$work" "$prefix"
    say "fetching the source of libxlsxwriter $version"
    (cd "$work" && apt-get source --only-source "libxlsxwriter=$version") >"$work/fetch.log" 2>&1 ||
        fail "apt-get source failed; see $work/fetch.log"
    src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libxlsxwriter-*')
    [ -d "$src" ] || fail "no unpacked source in $work"
    [ "$(cd "$src" && dpkg-parsechangelog -S Version)" = "$version" ] ||
        fail "the source in $src is not of libxlsxwriter $version"
    log=$prefix/build.log
    cp "$toolchain" "$prefix/mingw-w64-toolchain.cmake"
    configure=(cmake -S "$src" -B "$work/build" "${options[@]}"
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$prefix")
    say "configuring: ${configure[*]}"
    "${configure[@]}" >"$log" 2>&1 || {
        tail -n 30 "$log"
        fail "configure failed; see $log"
    }
    say "building with $jobs jobs"
    cmake --build "$work/build" -j "$jobs" >>"$log" 2>&1 || {
        tail -n 30 "$log"
        fail "the build failed; see $log"
    }
    cmake --install "$work/build" >>"$log" 2>&1 || fail "install failed; see $log"
    [ -f "$prefix/lib/libxlsxwriter.a" ] || fail "the build installed no static library in $prefix/lib"
    # Its licence ships with the program it is linked into (cmake/WindowsPackage.cmake).
    cp "$src/License.txt" "$prefix/License.txt"
    printf '%s\n' "libxlsxwriter $version" "${configure[*]}" >"$marker.tmp"
    mv "$marker.tmp" "$marker"
    rm -rf "$work"
    say "installed: $(du -sh "$prefix" | cut -f1) in $prefix"
fi
exec 9>&-
echo "$prefix"
