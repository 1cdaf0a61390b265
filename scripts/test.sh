#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the core's GoogleTest
# suite, the command-line tests, the window's Qt tests (offscreen) and the fuzz
# corpus replays; then the core and CLI tests again under the address and
# undefined-behaviour sanitizers; then every fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
ctest --preset default --parallel "$(nproc)" --timeout 300

cmake --preset sanitize
cmake --build --preset sanitize --parallel "$(nproc)"
ctest --preset sanitize --parallel "$(nproc)" --timeout 300

./scripts/fuzz.sh 20
