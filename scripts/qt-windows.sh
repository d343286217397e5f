#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (mingw-w64) from Debian's own qt6-base source,
# with Debian's patches, once, into a cache outside the checkout, so that the
# desktop program can be cross-built against it:
#
#   scripts/qt-windows.sh            build unless the cache has it; the last
#                                    line of standard output is the Qt prefix
#   scripts/qt-windows.sh --prefix   only print the prefix (exit 1 when it is
#                                    not built yet)
#   scripts/qt-windows.sh --check    build unless cached, then cross-build a
#                                    small Widgets and PrintSupport program
#                                    against it and run it under Wine
#
# The prefix is $QRV_QT_CACHE/qt-<version>-mingw-<hash> (QRV_QT_CACHE is
# /var/cache/qrv-edit unless set): the hash covers the source version, the
# compiler, the toolchain and the configure line, so a change to any of them
# builds anew beside the old prefix. A marker file, written last, tells a
# finished prefix from one a stopped build left; a stopped build goes on
# where it stopped. Only what the program and its tests need is built: Core,
# Gui, Widgets, PrintSupport and Test, the windows and offscreen platform
# plugins and the windowsvista style, with the image, font and regular
# expression libraries Qt bundles.
#
# Installs what it needs from Debian where missing (the mingw-w64 posix
# compilers, Ninja, dpkg-dev for the source, Wine for --check) and adds
# deb-src entries for Debian's archive where the machine has none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=build
case ${1:-} in
"") ;;
--prefix) mode=prefix ;;
--check) mode=check ;;
*)
    echo "usage: $0 [--prefix | --check]" >&2
    exit 2
    ;;
esac

cache=${QRV_QT_CACHE:-/var/cache/qrv-edit}
jobs=${QRV_JOBS:-$(nproc)}
triple=x86_64-w64-mingw32
say() { echo "qt-windows: $*"; }
fail() {
    echo "qt-windows: $*" >&2
    exit 1
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# Other builds on the machine may hold apt's lock for a while.
apt() { $sudo apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@"; }

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    say "installing ${missing[*]}"
    apt update
    apt install --no-install-recommends "${missing[@]}"
}

# Qt is built with the project's own toolchain file, copied into the prefix,
# where Qt's qt.toolchain.cmake finds it to chain-load. Qt's libraries share
# one C++ runtime, libstdc++-6.dll and its companions, which ship beside them.
toolchain=$root/cmake/mingw-w64.cmake
# What of that toolchain decides Qt's build (the system, the compilers and
# the find roots), in the words the cache's hash has been taken over since
# the first prefix, so that prefixes already built stay found.
toolchain_key="set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $triple-gcc-posix)
set(CMAKE_CXX_COMPILER $triple-g++-posix)
set(CMAKE_RC_COMPILER $triple-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triple)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
"

qt_options=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    # What the program does not use.
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_openssl=OFF
    # Qt's own copies of these, so that only Qt's DLLs need to ship.
    -DFEATURE_system_zlib=OFF
    -DFEATURE_png=ON
    -DFEATURE_system_png=OFF
    -DFEATURE_jpeg=ON
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_freetype=ON
    -DFEATURE_system_freetype=OFF
    -DFEATURE_harfbuzz=ON
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_pcre2=ON
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    # Debian's source lacks wintab.h, which tablet events need.
    -DFEATURE_tabletevent=OFF
    # No OpenGL at all: with only FEATURE_opengl off, the windows platform
    # plugin still expects it.
    -DINPUT_opengl=no
    -DFEATURE_opengl=OFF
    -DFEATURE_opengl_dynamic=OFF
    -DFEATURE_dynamicgl=OFF
    # PrintSupport needs the DirectWrite font engine, which comes with
    # Direct2D; Direct2D 1.1 needs headers mingw-w64 lacks.
    -DFEATURE_direct2d=ON
    -DFEATURE_direct2d1_1=OFF
)

# What configure must have decided, read back before the long build: a
# switch Qt ignores shows here rather than 20 minutes later. (OpenSSL is a
# feature of the network module, so with that off it is not decided at all.)
expected_features=(
    gui=ON widgets=ON printsupport=ON testlib=ON
    style_windowsvista=ON direct2d=ON direct2d1_1=OFF directwrite=ON tabletevent=OFF
    opengl=OFF opengl_dynamic=OFF dynamicgl=OFF vulkan=OFF
    sql=OFF network=OFF dbus=OFF concurrent=OFF xml=OFF zstd=OFF icu=OFF
    system_zlib=OFF png=ON system_png=OFF jpeg=ON system_jpeg=OFF
    freetype=ON system_freetype=OFF harfbuzz=ON system_harfbuzz=OFF
    pcre2=ON system_pcre2=OFF system_doubleconversion=OFF
)

# The host Qt supplies moc, rcc and uic and the build's CMake code, so the
# source must be of its very version.
version_of() { dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true; }

# Sets host_version, prefix and marker from what is installed now.
compute_prefix() {
    host_version=$(version_of qt6-base-dev)
    local compiler_version
    compiler_version=$(version_of g++-mingw-w64-x86-64-posix)
    [ -n "$host_version" ] || fail "qt6-base-dev is not installed: there is no host Qt to match"
    [ -n "$compiler_version" ] || fail "g++-mingw-w64-x86-64-posix is not installed"
    local hash upstream
    hash=$(printf '%s\n' "qt6-base $host_version" "g++-mingw-w64-x86-64-posix $compiler_version" \
        "$toolchain_key" "${qt_options[*]}" | sha256sum | cut -c1-12)
    upstream=${host_version#*:}
    upstream=${upstream%%[+-]*}
    prefix=$cache/qt-$upstream-mingw-$hash
    marker=$prefix/qrv-qt-built
}

# Adds deb-src twins of the enabled Debian entries, in deb822 and one-line
# files alike.
add_deb_src() {
    local list=/etc/apt/sources.list.d/qrv-edit-deb-src
    [ -e "$list.sources" ] || [ -e "$list.list" ] && return 1
    local file stanzas="" lines=""
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -e "$file" ] || continue
        stanzas+=$(awk -v RS= '
            /debian/ && /Types:[^\n]*deb/ && !/deb-src/ && !/Enabled: *no/ {
                sub(/Types:[^\n]*/, "Types: deb-src"); printf "%s\n\n", $0
            }' "$file")
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$file" ] || continue
        lines+=$(sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' "$file")
    done
    [ -n "$stanzas$lines" ] || return 1
    say "adding deb-src entries for Debian's archive: $list.*"
    [ -z "$stanzas" ] || printf '%s\n' "$stanzas" | $sudo tee "$list.sources" >/dev/null
    [ -z "$lines" ] || printf '%s\n' "$lines" | $sudo tee "$list.list" >/dev/null
    apt update
}

source_listed() { apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $host_version"; }

# Fetches and unpacks the source into $src, with Debian's patches applied.
fetch_source() {
    local work=$cache/source
    src=$work/qt6-base-$host_version
    [ -f "$src/.qrv-unpacked" ] && return
    source_listed || add_deb_src || true
    source_listed || fail "Debian's archive offers no source of qt6-base $host_version, the installed host Qt"
    rm -rf "$work"
    mkdir -p "$work"
    say "fetching the source of qt6-base $host_version"
    # dpkg-source unpacks it and, for a "3.0 (quilt)" package, applies
    # debian/patches; the count of applied patches is checked below.
    (cd "$work" && apt-get source --only-source "qt6-base=$host_version") >"$work/fetch.log" 2>&1 ||
        fail "apt-get source failed; see $work/fetch.log"
    local unpacked
    unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
    [ -d "$unpacked" ] || fail "no unpacked source in $work"
    mv "$unpacked" "$src"
    local version series applied
    version=$(cd "$src" && dpkg-parsechangelog -S Version)
    [ "$version" = "$host_version" ] || fail "the source is qt6-base $version, the host Qt $host_version"
    series=$(grep -cv '^[[:space:]]*\(#\|$\)' "$src/debian/patches/series" || true)
    applied=$(grep -c . "$src/.pc/applied-patches" 2>/dev/null || true)
    [ "${applied:-0}" = "$series" ] || fail "only ${applied:-0} of Debian's $series patches are applied in $src"
    say "source of qt6-base $version unpacked, Debian's $applied patches applied"
    rm -f "$work"/*.tar.* "$work"/*.dsc
    touch "$src/.qrv-unpacked"
}

check_features() {
    local expected name value found bad=()
    for expected in "${expected_features[@]}"; do
        name=${expected%=*} value=${expected#*=}
        found=$(sed -n "s/^QT_FEATURE_$name:[A-Z]*=//p" "$build/CMakeCache.txt")
        [ "$found" = "$value" ] || bad+=("$name is ${found:-unset}, not $value")
    done
    [ ${#bad[@]} -eq 0 ] || fail "configure decided otherwise: ${bad[*]}; see $build/config.summary"
    say "configure decided as asked (${#expected_features[@]} features checked)"
}

# Runs Ninja with its output in the log, showing progress in tenths.
build_logged() {
    ninja -C "$build" -j "$jobs" 2>&1 | tee -a "$log" | awk '
        match($0, /^\[[0-9]+\/[0-9]+\]/) {
            split(substr($0, 2, RLENGTH - 2), step, "/")
            tenth = int(10 * step[1] / step[2])
            if (tenth > shown) { shown = tenth; printf "qt-windows: %d%% built\n", 10 * tenth; fflush() }
        }'
}

build_qt() {
    fetch_source
    build=$cache/build-${prefix##*-}
    log=$build.log
    mkdir -p "$build"
    rm -rf "$prefix"
    mkdir -p "$prefix"
    cp "$toolchain" "$prefix/mingw-w64-toolchain.cmake"
    configure=(cmake -S "$src" -B "$build" "${qt_options[@]}"
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$prefix")
    say "configuring: ${configure[*]}"
    "${configure[@]}" >"$log" 2>&1 || {
        tail -n 30 "$log"
        fail "configure failed; see $log"
    }
    check_features
    say "building with $jobs jobs (log: $log)"
    build_logged || {
        grep -A 20 '^FAILED' "$log" | head -n 60
        fail "the build failed; see $log (running this again goes on from there)"
    }
    say "installing into $prefix"
    cmake --install "$build" >>"$log" 2>&1 || fail "install failed; see $log"
    cp "$build/config.summary" "$prefix/"
    mv "$log" "$prefix/"
    printf '%s\n' "qt6-base $host_version" "${configure[*]}" >"$marker.tmp"
    mv "$marker.tmp" "$marker"
    rm -rf "$build" "$cache/source"
}

# Cross-builds a small Widgets and PrintSupport program against the prefix,
# the way the project builds for Windows (its toolchain file, chain-loaded by
# Qt's), and runs it under Wine on the offscreen platform: it prints a PDF
# and lists the styles and image formats Qt found.
smoke_check() {
    local work
    work=$(mktemp -d)
    # shellcheck disable=SC2064 # the folder is known now
    trap "rm -rf '$work'" EXIT
    cat >"$work/CMakeLists.txt" <<'END'
cmake_minimum_required(VERSION 3.25)
project(qt_windows_check CXX)
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
add_executable(check main.cpp)
target_link_libraries(check PRIVATE Qt6::Widgets Qt6::PrintSupport)
END
    cat >"$work/main.cpp" <<'END'
#include <QApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QStyleFactory>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Qt %1").arg(QLatin1String(qVersion())));
    label.show();
    QPrinter printer;
    printer.setOutputFileName(QStringLiteral("check.pdf"));
    QPainter painter(&printer);
    painter.drawText(100, 100, label.text());
    painter.end();
    const bool printed = QFileInfo(QStringLiteral("check.pdf")).size() > 0;
    const QString styles = QStyleFactory::keys().join(QLatin1Char(' '));
    QStringList formats;
    for (const QByteArray &format : QImageWriter::supportedImageFormats())
        formats << QString::fromLatin1(format);
    std::printf("%s on %s; styles: %s; image formats: %s; PDF %s\n", qPrintable(label.text()),
                qPrintable(app.platformName()), qPrintable(styles), qPrintable(formats.join(QLatin1Char(' '))),
                printed ? "printed" : "missing");
    return printed && styles.contains(QLatin1String("windowsvista"), Qt::CaseInsensitive) ? 0 : 1;
}
END
    say "check: cross-building a Widgets and PrintSupport program against $prefix"
    if ! cmake -S "$work" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" >"$work/build.log" 2>&1 ||
        ! cmake --build "$work/build" >>"$work/build.log" 2>&1; then
        cat "$work/build.log"
        fail "check: the program did not build against $prefix"
    fi
    say "check: running it under Wine"
    local runtime
    runtime=$(dirname "$($triple-g++-posix -print-file-name=libstdc++-6.dll)")
    local path="$prefix/bin;$runtime;/usr/$triple/lib" output
    output=$(cd "$work" && WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        WINEPATH=${path//\//\\} WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1 \
        /usr/lib/wine/wine64 build/check.exe 2>"$work/wine.log") || {
        cat "$work/wine.log"
        fail "check: the program failed under Wine: $output"
    }
    say "check: $output"
}

if [ "$mode" = prefix ]; then
    compute_prefix
    echo "$prefix"
    [ -f "$marker" ]
    exit
fi

needs=(qt6-base-dev g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev perl)
[ "$mode" = check ] && needs+=(wine64)
install_missing "${needs[@]}"
compute_prefix
if [ ! -f "$marker" ]; then
    mkdir -p "$cache"
    exec 9>"$cache/.lock"
    if ! flock -n 9; then
        say "waiting for another build of Qt in $cache"
        flock 9
    fi
fi
if [ ! -f "$marker" ]; then
    say "Qt $host_version for Windows is not in the cache yet; a build from nothing takes about half an hour on 2 cores, longer when other builds share them"
    TIMEFORMAT="qt-windows: built in %0lR, %0lU user + %0lS system CPU"
    time build_qt
    say "installed: $(du -sh "$prefix" | cut -f1) in $prefix"
fi
exec 9>&-
[ "$mode" = check ] && smoke_check
echo "$prefix"
