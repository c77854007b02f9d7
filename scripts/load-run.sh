#!/usr/bin/env bash
# The load run: WORKSTATIONS processes, each with its own workstation number,
# write parameters, window placements, eInfo notes and store files at once
# for SECONDS against one PostgreSQL server (a throwaway cluster of its own)
# and, for comparison, one SQLite file. Afterwards every write that a process
# reported done must be there with its last value, no write may have failed
# and no box may have reached a user; the writes per second are printed.
# Then twice more against servers that go away at half time: a primary with
# a synchronous standby, the primary killed (pg_ctl stop -m immediate) and
# the standby promoted ("failover"), and one server killed and started again
# ("restart"). There nothing committed may be lost; the failed writes, each
# workstation's longest time without a write and what it reported are shown.
# Usage: scripts/load-run.sh [SECONDS [WORKSTATIONS]]   (default 60 and 8)
# Needs a build (build/default, or the folder named by J3_BUILD).
set -euo pipefail
seconds="${1:-60}"
stations="${2:-8}"
name=j3load clusters="pg primary standby"
source "$(dirname "$0")/throwaway-work.sh"
export QT_QPA_PLATFORM=offscreen

# A machine configuration per backend; the sample practice in both.
config() { printf '[paths]\ndata = D:\\Praxis\\Daten\\\nqa = D:\\Praxis\\QA\\\n[database]\n%s\n' "$2" >"$work/$1.ini"; }
config sqlite "file = $work/praxis.j3db"
J3_CONFIG="$work/sqlite.ini" "$bin/j3db" init --sample >/dev/null 2>&1
url="$("$root/scripts/pg-cluster.sh" start "$work/pg")"
config postgresql "url = $url"
J3_CONFIG="$work/sqlite.ini" "$bin/j3db" migrate "$work/praxis.j3db" "$url" >/dev/null 2>&1
config restart "url = $url"
primary="$("$root/scripts/pg-cluster.sh" start "$work/primary")"
J3_CONFIG="$work/sqlite.ini" "$bin/j3db" migrate "$work/praxis.j3db" "$primary" >/dev/null 2>&1
config failover "url = $("$root/scripts/pg-cluster.sh" standby "$work/standby" "$work/primary")"

# At half time the server goes away: the primary dies and its standby takes
# over, or the one server dies and comes back.
cut_off() {
  sleep "$((seconds / 2))"
  if [ "$1" = failover ]; then
    "$root/scripts/pg-cluster.sh" crash "$work/primary"
    "$root/scripts/pg-cluster.sh" promote "$work/standby"
  else
    "$root/scripts/pg-cluster.sh" crash "$work/pg"
    sleep 2
    "$root/scripts/pg-cluster.sh" restart "$work/pg"
  fi
}

failed=0
for backend in postgresql sqlite failover restart; do
  export J3_CONFIG="$work/$backend.ini"
  verify=verify
  case "$backend" in failover | restart) verify=verify-cut; cut_off "$backend" & cutter=$! ;; esac
  pids=()
  for ws in $(seq 1 "$stations"); do
    J3_WORKSTATION="$ws" "$bin/j3loadrun" station "$seconds" "$work/$backend-$ws.journal" \
      2>>"$work/$backend.log" &
    pids+=("$!")
  done
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  [ "$verify" = verify ] || wait "$cutter" || failed=1
  result="$("$bin/j3loadrun" "$verify" "$seconds" "$work/$backend"-*.journal 2>>"$work/$backend.log")" || failed=1
  echo "$backend: $result"
  if [ "$verify" = verify ]; then
    head -20 "$work/$backend.log" >&2
  else
    # What each workstation reported, each different text once with its count.
    for ws in $(seq 1 "$stations"); do
      grep -a "^j3loadrun: Arbeitsplatz $ws: " "$work/$backend.log" | sed "s/^j3loadrun: Arbeitsplatz $ws: //" |
        cut -c1-160 | sort | uniq -c | sed "s/^/  Arbeitsplatz $ws: /" | awk 'NR <= 8'
    done
  fi
done
exit "$failed"
