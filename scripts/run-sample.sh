#!/usr/bin/env bash
# Converts the bundled sample job (a copy in build/sample/, so the repository
# stays clean) and opens the window on it when a display exists.
set -euo pipefail
cd "$(dirname "$0")/.."

sample=build/sample
rm -rf "$sample"
mkdir -p "$sample"
cp samples/HWY12-3.HVD samples/HWY12-3.CTX samples/HWY12-3.RTX "$sample/"

./build/bin/zendro-convert --trv "$sample/HWY12-3.HVD"
echo "Converted the sample job:"
ls -l "$sample"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    export ORNA_ZENDRO_DIR="${ORNA_ZENDRO_DIR:-$PWD/build/sample/}"
    exec ./build/bin/zendro
fi
echo "No display: the window was not opened (run build/bin/zendro on a desktop)."
