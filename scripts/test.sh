#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
# Usage: scripts/test.sh [preset]   (preset: default | asan)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
scripts/install-deps.sh
cmake --preset "$preset"
# A package the build uses but the install script does not bring would only
# show on a fresh machine; this finds it on any machine.
scripts/check-deps.sh "build/$preset"
cmake --build --preset "$preset"
scripts/check-rpath.sh "build/$preset/bin"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
