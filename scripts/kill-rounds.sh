#!/usr/bin/env bash
# Kill rounds: "j3db init --sample" and "j3db migrate" are killed at a random
# moment of their run (SIGKILL and SIGTERM in turn; the run's length is taken
# from the uninterrupted run before), ROUNDS times each, into a new file and
# into an empty schema of a throwaway PostgreSQL server. After each kill the
# target must hold nothing or the whole practice; then the same command runs
# again into an emptied target, must succeed and must leave no scratch folder.
# Prints the outcomes per case and fails when any target was half made or a
# scratch folder stayed.
# Usage: scripts/kill-rounds.sh [ROUNDS [KINDS]]   (default 20, "file server")
# Needs a build (build/default, or the folder named by J3_BUILD).
set -euo pipefail
rounds="${1:-20}"
cases="${2:-file server}"
name=j3kill clusters=pg
source "$(dirname "$0")/throwaway-work.sh"
export QT_QPA_PLATFORM=offscreen
printf '[paths]\ndata = D:\\Praxis\\Daten\\\nqa = D:\\Praxis\\QA\\\n' >"$work/j3machine.ini"
mkdir -m 700 "$work/run"
export J3_CONFIG="$work/j3machine.ini" XDG_RUNTIME_DIR="$work/run"
j3db() { "$bin/j3db" "$@"; }
j3db init --sample "$work/quelle.j3db" >/dev/null
url="$("$root/scripts/pg-cluster.sh" start "$work/pg")"
sql() { PGOPTIONS="-c client_min_messages=warning" psql -qtA "$url" -c "$1"; }
sql "CREATE SCHEMA ziel" >/dev/null
serverTarget="$url&options=-csearch_path%3Dziel"

# "leer", "ganz" or "halb": what the target holds. A killed command's server
# session may still be finishing its statement (or its commit) when the
# command is gone; the target is judged only once that session has ended.
# Why a target counts as half made goes to half.log.
state() {
  if [ "$1" = file ]; then
    [ -e "$work/ziel.j3db" ] || { echo leer; return; }
  else
    for _ in $(seq 1 100); do
      [ "$(sql "SELECT count(*) FROM pg_stat_activity WHERE backend_type = 'client backend'
                AND pid <> pg_backend_pid()")" = 0 ] && break
      sleep 0.1
    done
    [ "$(sql "SELECT count(*) FROM pg_tables WHERE schemaname = 'ziel'")" = 0 ] && { echo leer; return; }
  fi
  if [ "$(j3db --db "$2" ls 'D:\Praxis\QA\Hygiene\Geräte' 2>>"$work/half.log")" = Autoklav.txt ]; then echo ganz; else echo halb; fi
}
empty() {
  if [ "$1" = file ]; then rm -f "$work/ziel.j3db"; else sql "DROP SCHEMA ziel CASCADE; CREATE SCHEMA ziel" >/dev/null; fi
}

status=0
for kind in $cases; do
  target="$work/ziel.j3db"
  [ "$kind" = server ] && target="$serverTarget"
  for command in init migrate; do
    declare -A seen=([leer]=0 [ganz]=0 [halb]=0)
    left=0 again=0 took=800
    for round in $(seq 1 "$rounds"); do
      empty "$kind"
      if [ "$command" = init ]; then args=(init --sample "$target"); else args=(migrate "$work/quelle.j3db" "$target"); fi
      "$bin/j3db" "${args[@]}" >/dev/null 2>&1 &
      pid=$!
      delay=$(((RANDOM * 32768 + RANDOM) % took))
      sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
      kill "-$([ $((round % 2)) = 0 ] && echo TERM || echo KILL)" "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
      s="$(state "$kind" "$target")"
      seen[$s]=$((seen[$s] + 1))
      empty "$kind"
      start=$(date +%s%N)
      j3db "${args[@]}" >/dev/null 2>>"$work/again.log" || again=$((again + 1))
      took=$((($(date +%s%N) - start) / 1000000 + 1))
      left=$((left + $(find "$work" -maxdepth 1 -name '.ziel.j3db.neu-*' | wc -l)))
    done
    echo "$kind $command: $rounds Runden, danach leer ${seen[leer]}, ganz ${seen[ganz]}, halb ${seen[halb]};" \
         "nächster Lauf fehlgeschlagen $again, Arbeitsordner übrig $left"
    [ "${seen[halb]}" = 0 ] && [ "$again" = 0 ] && [ "$left" = 0 ] || status=1
    unset seen
  done
done
[ "$status" = 0 ] || { echo "kill-rounds: Fehler, siehe oben; die Meldungen der fehlgeschlagenen Läufe:" >&2
                       { grep -hs '^j3db:' "$work/again.log" "$work/half.log" || true; } | sort | uniq -c >&2; }
exit "$status"
