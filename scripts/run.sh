#!/usr/bin/env bash
# The main job: installs what is missing, builds the default preset, creates the
# sample practice database in the build folder if there is none, and shows
# what it holds.
# Usage: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default

build="$PWD/build/default"
j3db="$build/bin/j3db"

# A machine configuration of the build folder unless the caller brings one, so
# that a run never touches the user's own practice.
if [ -z "${J3_CONFIG:-}" ]; then
  export J3_CONFIG="$build/j3machine.ini"
  if [ ! -f "$J3_CONFIG" ]; then
    cat > "$J3_CONFIG" <<'INI'
; Machine configuration of the project's build folder (written by scripts/run.sh).
[database]
file = praxis.j3db
[drives]
C = drive_c
[paths]
data = C:\J3\Daten\
qa   = C:\J3\QA\
INI
  fi
fi

if "$j3db" param ls >/dev/null 2>&1; then
  echo "Praxisdatenbank vorhanden."
else
  "$j3db" init --sample
fi

echo
echo "== j3db ls -l C:\\J3\\Daten"
"$j3db" ls -l 'C:\J3\Daten'
echo
echo "== j3db ls -l C:\\J3\\Daten\\Briefe\\2024"
"$j3db" ls -l 'C:\J3\Daten\Briefe\2024'
echo
echo "== j3db ls C:\\J3\\QA\\Hygiene"
"$j3db" ls 'C:\J3\QA\Hygiene'
echo
echo "== j3db param ls"
"$j3db" param ls
