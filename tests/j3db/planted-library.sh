#!/usr/bin/env bash
# A library named like one the program needs, planted in the working folder,
# must never be loaded: run the program from a folder that holds one.
# Usage: planted-library.sh PROGRAM
set -euo pipefail
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
printf '%s\n' '#include <unistd.h>' \
  '__attribute__((constructor)) static void planted(void) { write(2, "planted\n", 8); _exit(42); }' > planted.c
cc -shared -fPIC -o libsqlite3.so.0 planted.c
"$1" --help > /dev/null
