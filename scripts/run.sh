#!/usr/bin/env bash
# The main job: installs what is missing, builds the default preset, creates the
# sample practice database in the build folder if there is none, and opens the
# file picker j3pick on it (without a display: offscreen, saving pictures).
# Usage: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default ${J3_JOBS:+-j "$J3_JOBS"}

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

# The file picker on the sample practice: in a window when there is a display,
# otherwise offscreen, saving pictures of what it shows.
j3pick="$build/bin/j3pick"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo
  echo "== j3pick: Datei im Dateispeicher auswählen (Abbrechen mit Esc)"
  status=0
  "$j3pick" --up --down --filter 'Alle Dateien (*.*)|*.*|Texte (*.txt)|*.txt||' || status=$?
  case $status in
    0) echo "Ausgewählt." ;;
    1) echo "Abgebrochen." ;;
    *) exit "$status" ;;
  esac
else
  shots="$build/screenshots"
  mkdir -p "$shots"
  export QT_QPA_PLATFORM=offscreen
  "$j3pick" --up --down --screenshot "$shots/j3pick-daten.png"
  "$j3pick" --up --down --dir 'C:\J3\Daten\Briefe\2024' --screenshot "$shots/j3pick-briefe-2024.png"
  "$j3pick" --save --up --down --dir 'C:\J3\QA\Hygiene' --name 'Bericht.txt' --screenshot "$shots/j3pick-speichern.png"
  QT_SCALE_FACTOR=2 "$j3pick" --up --down --screenshot "$shots/j3pick-daten-200.png"
  "$build/bin/j3praxis" --screenshot "$shots/j3praxis-patientenkarte.png"
  QT_SCALE_FACTOR=2 "$build/bin/j3praxis" --screenshot "$shots/j3praxis-patientenkarte-200.png"
  "$build/bin/j3praxis" --programme --screenshot "$shots/j3praxis-favoriten.png"
  echo
  echo "Keine Anzeige (\$DISPLAY, \$WAYLAND_DISPLAY): j3pick und j3praxis liefen auf der Offscreen-Plattform."
  echo "Bilder des Dateidialogs, der Patientenkarte und der Favoriten liegen in $shots:"
  ls -1 "$shots"
fi
