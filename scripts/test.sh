#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the core's GoogleTest
# suite, the window's Qt tests (offscreen) and the fuzz corpus replays.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300
