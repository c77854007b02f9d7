#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn for SECONDS (default 30) on
# its seed corpus. Stops with exit 1 at the first finding (a crash, a broken
# law, an input that takes over 30 s); the input is kept in
# build/fuzz/findings/. Prints how many inputs ran in all.
#
#   scripts/fuzz.sh [SECONDS-PER-TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
case "$seconds" in
  ''|*[!0-9]*) echo "fuzz.sh: SECONDS must be a whole number, not \"$seconds\"" >&2; exit 2 ;;
esac

scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets -j2

findings=build/fuzz/findings
mkdir -p "$findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
total=0
for seeds in tests/fuzz/corpus/*/; do
  target="$(basename "$seeds")"
  mkdir -p "$work/$target"
  log="$work/$target.log"
  # New inputs go to a scratch folder; the seed corpus in the repository stays small.
  if ! "build/fuzz/bin/$target" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
       -artifact_prefix="$findings/$target-" "$work/$target" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz.sh: $target found a fault; the input is in $findings/" >&2
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  total=$((total + ${runs:-0}))
  echo "$target: ${runs:-0} inputs, nothing found"
done
echo "fuzz.sh: $total inputs in all, nothing found"
