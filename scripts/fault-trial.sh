#!/usr/bin/env bash
# Puts single-line faults into the product one at a time, rebuilds, runs the
# tests and tells which faults the tests catch.
#
# Usage: scripts/fault-trial.sh [fault-file] [name-filter]
#   fault-file   one fault a line, fields separated by a tab: file, exact
#                original text, replacement, short description
#                (default: scripts/fault-trial.faults; lines starting with # are skipped)
#   name-filter  only the faults whose file or description contains this text
#
# Each fault ends as one of: caught (a test failed), missed (every test passed),
# build broken (the fault does not compile; not counted as caught), not
# applicable (its original text is not found exactly once in the file).
# The tests of the faulty file's own component (tests/<folder of the file>) run
# first, so that a fault they catch costs little; then every test. Programs are
# not relinked against a changed shared library (it is loaded when they start),
# so a fault costs one compile and one link. The file is restored after every
# fault, also when the script is interrupted.
# Environment: J3_TRIAL_TIMEOUT (seconds per test, default 120), J3_JOBS (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

faults="${1:-scripts/fault-trial.faults}"
filter="${2:-}"
timeout="${J3_TRIAL_TIMEOUT:-120}"
jobs="${J3_JOBS:-2}"
log_dir="build/fault-trial"
mkdir -p "$log_dir"

export QT_QPA_PLATFORM=offscreen

backup=""
target=""
restore() {
  if [ -n "$backup" ]; then
    cp "$backup" "$target"
    rm -f "$backup"
    backup=""
  fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

# Counts the places where the exact text occurs in the file.
occurrences() {
  local content="$1" text="$2" count=0
  while [[ "$content" == *"$text"* ]]; do
    content="${content#*"$text"}"
    count=$((count + 1))
  done
  echo "$count"
}

build() {
  nice -n 10 cmake --build --preset default -j "$jobs"
}

run_tests() {
  nice -n 10 ctest "$@" -j "$jobs" --timeout "$timeout" --stop-on-failure --output-on-failure
}

cmake --preset default -DCMAKE_LINK_DEPENDS_NO_SHARED=ON >/dev/null
build > "$log_dir/first-build.log" 2>&1 || { echo "the product does not build, see $log_dir/first-build.log"; exit 1; }

declare -A total=([caught]=0 [missed]=0 [build broken]=0 [not applicable]=0)
number=0
while IFS=$'\t' read -r file original replacement description; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  [[ -n "$filter" && "$file$description" != *"$filter"* ]] && continue
  number=$((number + 1))
  result="not applicable"
  if [ -f "$file" ]; then
    content="$(cat "$file"; printf x)"
    content="${content%x}"
    if [ "$(occurrences "$content" "$original")" -eq 1 ]; then
      target="$file"
      backup="$(mktemp)"
      cp "$file" "$backup"
      printf '%s' "${content/"$original"/"$replacement"}" > "$file"
      log="$log_dir/fault-$number.log"
      component="build/default/tests/$(basename "$(dirname "$file")")"
      if ! build > "$log" 2>&1; then
        result="build broken"
      # The component's own folder lacks the test server's start (tests/),
      # so its "pg." tests run only in the run of every test.
      elif [ -d "$component" ] && ! run_tests --test-dir "$component" -E '^pg\.' >> "$log" 2>&1; then
        result="caught"
      elif run_tests --preset default >> "$log" 2>&1; then
        result="missed"
      else
        result="caught"
      fi
      restore
    fi
  fi
  total[$result]=$((total[$result] + 1))
  printf '%3d %-15s %s: %s\n' "$number" "$result" "$file" "$description"
done < "$faults"

# Leaves the build as the preset makes it, matching the sources again.
cmake --preset default -UCMAKE_LINK_DEPENDS_NO_SHARED >/dev/null
build > "$log_dir/final-build.log" 2>&1 || echo "final rebuild failed, see $log_dir/final-build.log"

echo "caught ${total[caught]}, missed ${total[missed]}, build broken ${total[build broken]}, not applicable ${total[not applicable]} of $number faults"
