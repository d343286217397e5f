#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail

packages=(
    cmake make g++ pkg-config          # build
    ccache                             # shared compiler cache for the several build trees
    libgtest-dev libgmock-dev          # engine tests
    libbenchmark-dev                   # benchmarks
    nlohmann-json3-dev                 # qrv-check --json
    libsqlite3-dev nettle-dev          # the journal of checks: SQLite, and SHA-256 from Nettle
    tcl m4                             # SQLite's amalgamation and Nettle's build for Windows (scripts/journal-windows.sh)
    libxlsxwriter-dev                  # the result window's rows exported as an Excel workbook
    python3-openpyxl                   # the tests read exported workbooks back (tests/tools/qrvtest/workbook.py)
    libz-mingw-w64-dev                 # zlib for libxlsxwriter in the Windows build (scripts/xlsxwriter-windows.sh)
    python3-jsonschema                 # the tests validate every --json report against its schema
    qt6-base-dev qt6-qpa-plugins       # desktop program, printing, offscreen GUI tests
    qt6-svg-dev                        # the program's icon, drawn from its SVG
    qt6-l10n-tools                     # lupdate and lrelease: the Thai catalogues of the windows
    librsvg2-bin                       # the icon as PNGs for the Windows build, which has no Qt Svg
    icoutils                           # icotool: the Windows program file's .ico from those PNGs
    nsis zip unzip                     # the Windows installer (makensis) and zip (cmake/WindowsPackage.cmake)
    wixl msitools                      # the Windows MSI (dist/qrv-edit.wxs) and reading it back in its test
    openssl                            # the throwaway signing certificate of the Windows package test
    g++-mingw-w64-x86-64-posix wine64  # the Windows cross build and its tests under Wine
    googletest                         # GoogleTest's sources, built for Windows
    libcups2-dev                       # asking CUPS whether a printer took the letter
    cups cups-client cups-filters      # the private print server of scripts/cups-test-env.sh
    fonts-thai-tlwg fontconfig         # Thai glyphs on screen and on paper
    poppler-utils                      # reading printed PDFs back in tests
    python3-pdfminer                   # the glyphs of a printed letter (tests/tools/qrvtest/pdf.py)
    clang libclang-rt-14-dev           # libFuzzer
    xvfb xauth                         # screenshots of the running program
    xdotool imagemagick                # driving the Windows build under Wine as a clerk would; its screenshot
    x11-utils                          # xprop: the titles the X server has
    time                               # peak memory in scripts/bench-vs-cp.sh
    strace                             # how often qrv-check flushes, in scripts/bench-vs-cp.sh
    dpkg-dev file                      # the Debian package: dpkg-shlibdeps finds its dependencies in the binaries
    lintian                            # checks the package against Debian policy
    desktop-file-utils appstream       # validate the menu entry and the AppStream metainfo
    man-db                             # the installed manual pages render without warnings
)

# From the release's backports: osslsigncode signs the Windows programs,
# installer and MSI (SHA-256, RFC 3161 time stamps); its tests verify them.
backports=(osslsigncode)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
missing_backports=()
for p in "${backports[@]}"; do
    installed "$p" || missing_backports+=("$p")
done
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_backports[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing_backports[@]} -gt 0 ]; then
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    if ! grep -rqs "^[^#]*$codename-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
        echo "Adding $codename-backports to apt's sources"
        echo "deb http://deb.debian.org/debian $codename-backports main" |
            $sudo tee /etc/apt/sources.list.d/$codename-backports.list >/dev/null
    fi
fi
echo "Installing: ${missing[*]} ${missing_backports[*]}"
$sudo apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_backports[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq --no-install-recommends -t "$codename-backports" "${missing_backports[@]}"
fi
