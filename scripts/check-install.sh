#!/usr/bin/env bash
# Builds the module as a package without the tests (no GoogleTest, no Google
# Benchmark), installs it into a temporary prefix, and builds and runs the
# example host program against the installed package, as a suite program
# would use it.
# Usage: scripts/check-install.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build="$PWD/build/package"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build "$build"
cmake --install "$build" --prefix "$prefix/usr"
scripts/check-rpath.sh "$build/bin" "$prefix/usr"

cmake -S examples/host -B "$prefix/host" -G Ninja -DCMAKE_PREFIX_PATH="$prefix/usr"
cmake --build "$prefix/host"

# A practice of its own, made by the installed admin tool.
export J3_CONFIG="$prefix/j3machine.ini"
printf '[database]\nfile = praxis.j3db\n[drives]\nC = drive_c\n' > "$J3_CONFIG"
"$prefix/usr/bin/j3db" init --sample
shown=$(QT_QPA_PLATFORM=offscreen "$prefix/host/j3host" --close)
echo "$shown"
# The file dialog itself must have opened, not an error box in its place.
grep -qx "Geschlossen: j3host: Datei öffnen (DB)" <<<"$shown"
echo "check-install: Paket installiert, Beispielprogramm gegen das Paket gebaut und gestartet."
