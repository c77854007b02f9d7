#!/usr/bin/env bash
# The load run: WORKSTATIONS processes, each with its own workstation number,
# write parameters, window placements, eInfo notes and store files at once
# for SECONDS against one PostgreSQL server (a throwaway cluster of its own)
# and, for comparison, one SQLite file. Afterwards every write that a process
# reported done must be there with its last value, no write may have failed
# and no box may have reached a user; the writes per second are printed.
# Usage: scripts/load-run.sh [SECONDS [WORKSTATIONS]]   (default 60 and 8)
# Needs a build (build/default, or the folder named by J3_BUILD).
set -euo pipefail
seconds="${1:-60}"
stations="${2:-8}"
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${J3_BUILD:-$root/build/default}/bin"
work="$(mktemp -d /tmp/j3load-XXXXXX)"
chmod 711 "$work"  # the server runs as an unprivileged user when this runs as root
cleanup() { "$root/scripts/pg-cluster.sh" stop "$work/pg" >/dev/null 2>&1 || true; rm -rf "$work"; }
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen

# A machine configuration per backend; the sample practice in both.
config() { printf '[paths]\ndata = D:\\Praxis\\Daten\\\nqa = D:\\Praxis\\QA\\\n[database]\n%s\n' "$2" >"$work/$1.ini"; }
config sqlite "file = $work/praxis.j3db"
J3_CONFIG="$work/sqlite.ini" "$bin/j3db" init --sample >/dev/null 2>&1
url="$("$root/scripts/pg-cluster.sh" start "$work/pg")"
config postgresql "url = $url"
J3_CONFIG="$work/sqlite.ini" "$bin/j3db" migrate "$work/praxis.j3db" "$url" >/dev/null 2>&1

failed=0
for backend in postgresql sqlite; do
  export J3_CONFIG="$work/$backend.ini"
  pids=()
  for ws in $(seq 1 "$stations"); do
    J3_WORKSTATION="$ws" "$bin/j3loadrun" station "$seconds" "$work/$backend-$ws.journal" \
      2>>"$work/$backend.log" &
    pids+=("$!")
  done
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  result="$("$bin/j3loadrun" verify "$seconds" "$work/$backend"-*.journal 2>>"$work/$backend.log")" || failed=1
  echo "$backend: $result"
  grep -v -e '^QStandardPaths' -e 'propagateSizeHints' "$work/$backend.log" | head -20 >&2 || true
done
exit "$failed"
