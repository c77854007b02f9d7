#!/usr/bin/env bash
# Builds the module as a package without the tests (no GoogleTest, no Google
# Benchmark), installs it into a temporary prefix, compiles every installed
# header on its own, and builds and runs the two example host programs
# against the installed package, as the suite's programs would use it: one
# opens the module's file dialog, one a dialog of its own on the module's
# base dialog.
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

# Only the public headers are installed, and each compiles on its own.
cmake -S scripts/header-check -B "$prefix/header-check" -G Ninja -DCMAKE_PREFIX_PATH="$prefix/usr"
cmake --build "$prefix/header-check"
# No test double, no program's own library is part of the package.
if find "$prefix/usr" -name 'libj3fremd*' -o -name 'libj3up*' -o -name 'libj3*app*' -o -name 'libj3dbtool*' \
    -o -name 'libj3screenshot*' | grep .; then
  echo "check-install: das Paket enthält Bibliotheken, die nicht hineingehören" >&2
  exit 1
fi

for host in host dialog-host; do
  cmake -S "examples/$host" -B "$prefix/$host" -G Ninja -DCMAKE_PREFIX_PATH="$prefix/usr"
  cmake --build "$prefix/$host"
done

# A practice of its own, made by the installed admin tool.
export J3_CONFIG="$prefix/j3machine.ini"
printf '[database]\nfile = praxis.j3db\n[drives]\nC = drive_c\n' > "$J3_CONFIG"
"$prefix/usr/bin/j3db" init --sample
shown=$(QT_QPA_PLATFORM=offscreen "$prefix/host/j3host" --close)
echo "$shown"
# The file dialog itself must have opened, not an error box in its place.
grep -qx "Geschlossen: j3host: Datei öffnen (DB)" <<<"$shown"
shown=$(QT_QPA_PLATFORM=offscreen "$prefix/dialog-host/j3recall" --close)
echo "$shown"
grep -qx "Geschlossen: Recall vormerken" <<<"$shown"
echo "check-install: Paket installiert, seine Header je für sich übersetzt, beide Beispielprogramme gegen das Paket gebaut und gestartet."
