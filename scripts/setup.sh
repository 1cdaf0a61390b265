#!/usr/bin/env bash
# Installs what ZENDRO needs on a fresh Debian 12 machine (Debian packages only)
# and builds it into build/. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
    qt6-base-dev qt6-svg-dev libgl-dev qt6-qpa-plugins
    ckermit
    # Benchmarks: peak memory and timings.
    time bc
    # Desktop files and the Debian package: icons, manual pages, the window's
    # screenshot (offscreen, with a font), and the package checks.
    librsvg2-bin help2man fonts-dejavu-core dpkg-dev file
    lintian desktop-file-utils appstream man-db bash-completion
    shared-mime-info libglib2.0-bin
    # Fuzzing: clang with its libFuzzer and sanitizer runtimes.
    clang libclang-rt-14-dev
    # Adjustment, coordinate systems and the open exports, with the tools the
    # tests check them by (schema validation, a DXF audit, OGR read-back).
    libeigen3-dev libproj-dev proj-bin proj-data libgdal-dev gdal-bin
    libxml2-dev libxml2-utils python3-ezdxf python3-gdal
    # The plan sheet's and the job report's PDFs read back as text and page sizes.
    poppler-utils
    # The adjustment's chi-square quantiles (Boost.Math, header only).
    libboost-dev
    # The hash of the outputs, recorded to tell a hand edit.
    libxxhash-dev
    # Compiler cache: the builds of the test script share their objects.
    ccache
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset default
# The first build compiles everything: about a quarter of an hour on two cores.
echo "Building into build/ on $(nproc) cores: ninja counts the steps as [done/total]"
cmake --build --preset default --parallel "$(nproc)"
