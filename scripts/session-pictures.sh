#!/usr/bin/env bash
# Takes the README's pictures (docs/*.png) from the real programs in a private X
# session (the session suite's Xvfb, window manager and accessibility bus), at
# 100 % and 200 %, each once the window has stopped changing, cut to the window.
# Usage: scripts/session-pictures.sh [BUILD_DIR]   (default build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
export J3_BIN_DIR="$PWD/${1:-build/default}/bin"
export PYTHONDONTWRITEBYTECODE=1
exec /usr/bin/python3 - <<'PY'
import hashlib, os, subprocess, sys, tempfile, time
sys.path.insert(0, "tests/session")
from desktop import Desktop, Practice, Program, extents, walk

# Patient 1 with every one of the 25 markers on, so the card shows all of them.
ALL_MARKERS = "update pat set indexmarker = printf('%22s', '') || '1111111111111111111111111' where trim(patnr) = '1'"

# The picture, the practice's change, the program's arguments, what a person does first, the scales.
PICTURES = [
    ("j3pick-dateidialog", None, "j3pick", ["--up", "--down"], [("see", "tree", None)], [1]),
    ("j3praxis-patientenkarte", ALL_MARKERS, "j3praxis", ["--pat", "1"], [("see", "dialog", "Praxis")], [1, 2]),
    ("j3praxis-favoriten", None, "j3praxis", ["--programme"], [("see", "dialog", "Praxis")], [1, 2]),
    ("j3praxis-patientenwahl", None, "j3praxis", ["--suche", "Mül"], [("see", "dialog", "Patientenwahl")], [1, 2]),
]


def grab(desktop, window, scale):
    x, y, width, height = extents(window, scale)
    return subprocess.run(["import", "-silent", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "png:-"],
                          env=desktop.env, capture_output=True, check=True).stdout


desktop = Desktop()
try:
    for name, change, program, args, steps, scales in PICTURES:
        for scale in scales:
            with tempfile.TemporaryDirectory() as folder:
                practice = Practice(folder)
                if change:
                    practice.sql(change)
                shown = Program(desktop, practice, program, *args, scale=scale)
                walk(desktop, shown, steps)
                window = next(w for w in shown.app if w.name in ("Praxis", "Dateiauswahl: Datei öffnen (DB)"))
                before, picture = b"", grab(desktop, window, scale)
                while hashlib.sha1(before).digest() != hashlib.sha1(picture).digest():  # until it settles
                    time.sleep(0.5)
                    before, picture = picture, grab(desktop, window, scale)
                target = f"docs/{name}{'-200' if scale == 2 else ''}.png"
                with open(target, "wb") as png:
                    png.write(picture)
                print(target)
                shown.process.kill()
finally:
    desktop.stop()
PY
