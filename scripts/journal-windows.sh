#!/usr/bin/env bash
# Builds the two libraries of the journal, SQLite and Nettle (for SHA-256),
# for 64-bit Windows (mingw-w64) as static libraries from Debian's own
# sources, with Debian's patches, once, into a cache outside the checkout, so
# that both programs can be cross-built against them:
#
#   scripts/journal-windows.sh            build unless the cache has them; the
#                                         last line of standard output is the
#                                         prefix
#   scripts/journal-windows.sh --prefix   only print the prefix (exit 1 when
#                                         it is not built yet)
#
# The prefix is $QRV_QT_CACHE/journal-sqlite-<version>-nettle-<version>-mingw-<hash>
# (QRV_QT_CACHE is /var/cache/qrv-edit unless set), beside Qt's: the hash
# covers both source versions, the compiler, the toolchain file and the build
# lines below. A marker file, written last, tells a finished prefix from one
# a stopped build left. SQLite's amalgamation is made on the host (tclsh) and
# compiled by the cross compiler; Nettle is built without its public-key half,
# which needs GMP. Their licence texts, in the prefix, ship beside the programs.
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
say() { echo "journal-windows: $*"; }
fail() {
    echo "journal-windows: $*" >&2
    exit 1
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
apt() { $sudo apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@"; }

host=x86_64-w64-mingw32
toolchain=$root/cmake/mingw-w64.cmake
sqlite_flags=(-O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DEFAULT_FOREIGN_KEYS=1)
nettle_options=(--host=$host --disable-shared --enable-static --disable-public-key --disable-documentation
    --disable-openssl)

version_of() { dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true; }
upstream_of() {
    local upstream=${1#*:}
    echo "${upstream%%[+-]*}"
}

# Sets the versions, prefix and marker: the sources of the versions Debian's
# libsqlite3-dev and nettle-dev have, built by the compiler installed now.
compute_prefix() {
    sqlite_version=$(version_of libsqlite3-dev)
    nettle_version=$(version_of nettle-dev)
    local compiler hash
    compiler=$(version_of gcc-mingw-w64-x86-64-posix)
    [ -n "$sqlite_version" ] || fail "libsqlite3-dev is not installed: there is no version to match"
    [ -n "$nettle_version" ] || fail "nettle-dev is not installed: there is no version to match"
    [ -n "$compiler" ] || fail "gcc-mingw-w64-x86-64-posix is not installed"
    hash=$(printf '%s\n' "sqlite3 $sqlite_version" "nettle $nettle_version" "gcc-mingw-w64-x86-64-posix $compiler" \
        "$(cat "$toolchain")" "${sqlite_flags[*]}" "${nettle_options[*]}" "$(sha256sum <"$0")" |
        sha256sum | cut -c1-12)
    prefix=$cache/journal-sqlite-$(upstream_of "$sqlite_version")-nettle-$(upstream_of "$nettle_version")-mingw-$hash
    marker=$prefix/qrv-journal-built
}

if [ "$mode" = prefix ]; then
    compute_prefix
    echo "$prefix"
    [ -f "$marker" ]
    exit
fi

missing=()
for p in libsqlite3-dev nettle-dev gcc-mingw-w64-x86-64-posix tcl m4 make dpkg-dev; do
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

# Fetches and unpacks Debian's source of package $1 at version $2 into $work;
# prints the unpacked folder.
fetch_source() {
    local package=$1 version=$2
    # Debian's archive must list the source; scripts/qt-windows.sh adds its
    # deb-src entries where the machine has none.
    apt-cache showsrc "$package" 2>/dev/null | grep -qx "Version: $version" ||
        fail "Debian's archive offers no source of $package $version (are deb-src entries listed? scripts/qt-windows.sh adds them)"
    (cd "$work" && apt-get source --only-source "$package=$version") >"$work/fetch-$package.log" 2>&1 ||
        fail "apt-get source $package failed; see $work/fetch-$package.log"
    local src
    src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "$package-*")
    [ -d "$src" ] || fail "no unpacked source of $package in $work"
    [ "$(cd "$src" && dpkg-parsechangelog -S Version)" = "$version" ] ||
        fail "the source in $src is not of $package $version"
    echo "$src"
}

build_sqlite() {
    local src=$1
    say "making SQLite's amalgamation"
    mkdir -p "$work/sqlite-host"
    (cd "$work/sqlite-host" && "$src/configure" --disable-tcl --disable-readline && make sqlite3.c) \
        >>"$log" 2>&1 || fail "SQLite's amalgamation failed; see $log"
    say "compiling SQLite for Windows"
    $host-gcc "${sqlite_flags[@]}" -c "$work/sqlite-host/sqlite3.c" -o "$work/sqlite3.o" >>"$log" 2>&1 ||
        fail "compiling SQLite failed; see $log"
    mkdir -p "$prefix/include" "$prefix/lib"
    $host-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
    cp "$work/sqlite-host/sqlite3.h" "$work/sqlite-host/sqlite3ext.h" "$prefix/include/"
    # SQLite is in the public domain; its notice says so.
    cp "$src/LICENSE.md" "$prefix/LICENSE-sqlite.txt"
}

build_nettle() {
    local src=$1
    say "building Nettle for Windows with $jobs jobs"
    mkdir -p "$work/nettle-build"
    (cd "$work/nettle-build" && "$src/configure" "${nettle_options[@]}" --prefix="$prefix" &&
        make -j "$jobs" libnettle.a) >>"$log" 2>&1 || fail "building Nettle failed; see $log"
    # By hand: Nettle's install rules would remake its configure files with
    # autoconf, for the timestamps Debian's patches leave.
    mkdir -p "$prefix/include/nettle" "$prefix/lib"
    cp "$work/nettle-build/libnettle.a" "$prefix/lib/"
    cp "$src"/*.h "$prefix/include/nettle/"
    cp "$work/nettle-build/version.h" "$prefix/include/nettle/"
    # Nettle is under the LGPL 3 or later (or the GPL 2 or later).
    cat "$src/COPYING.LESSERv3" "$src/COPYINGv3" >"$prefix/LICENSE-nettle.txt"
}

mkdir -p "$cache"
exec 9>"$cache/.journal-lock"
flock 9
if [ ! -f "$marker" ]; then
    work=$cache/journal-source
    rm -rf "$work" "$prefix"
    mkdir -p "$work" "$prefix"
    log=$prefix/build.log
    say "fetching the sources of sqlite3 $sqlite_version and nettle $nettle_version"
    sqlite_src=$(fetch_source sqlite3 "$sqlite_version")
    nettle_src=$(fetch_source nettle "$nettle_version")
    build_sqlite "$sqlite_src"
    build_nettle "$nettle_src"
    [ -f "$prefix/lib/libsqlite3.a" ] && [ -f "$prefix/lib/libnettle.a" ] ||
        fail "the build installed no static libraries in $prefix/lib"
    printf '%s\n' "sqlite3 $sqlite_version" "nettle $nettle_version" "${sqlite_flags[*]}" "${nettle_options[*]}" \
        >"$marker.tmp"
    mv "$marker.tmp" "$marker"
    rm -rf "$work"
    say "installed: $(du -sh "$prefix" | cut -f1) in $prefix"
fi
exec 9>&-
echo "$prefix"
