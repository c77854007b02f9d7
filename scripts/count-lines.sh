#!/usr/bin/env bash
# Counts non-blank, non-comment lines of C++ (.cpp, .h) and Python (.py) in the
# tests and in the product code, and prints the share the tests take.
# Usage: scripts/count-lines.sh [--folders] [--at-most PERCENT]
#   --folders: one line per test folder too
#   --at-most: exit 1 when the tests take more than PERCENT of the product code
set -euo pipefail
cd "$(dirname "$0")/.."

folders=0
limit=""
while [ $# -gt 0 ]; do
  case "$1" in
    --folders) folders=1; shift ;;
    --at-most)
      [[ "${2:-}" =~ ^[0-9]+$ ]] || { echo "count-lines.sh: --at-most needs a whole percentage" >&2; exit 2; }
      limit=$2; shift 2 ;;
    *) echo "usage: scripts/count-lines.sh [--folders] [--at-most PERCENT]" >&2; exit 2 ;;
  esac
done

# Strips /* */ blocks and // comments (outside string literals), then counts the
# lines with anything left on them.
count() {
  local files
  files=$(find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
  [ -z "$files" ] && { echo 0; return; }
  # shellcheck disable=SC2086
  awk '
    FNR == 1 { block = 0 }
    {
      line = $0; out = ""; i = 1; n = length(line); quote = ""
      while (i <= n) {
        c = substr(line, i, 1); two = substr(line, i, 2)
        if (block) {
          if (two == "*/") { block = 0; i += 2 } else i++
          continue
        }
        if (quote != "") {
          out = out c
          if (c == "\\") { out = out substr(line, i + 1, 1); i += 2; continue }
          if (c == quote) quote = ""
          i++; continue
        }
        if (two == "//") break
        if (two == "/*") { block = 1; i += 2; continue }
        if (c == "\"" || c == "'"'"'") quote = c
        out = out c; i++
      }
      if (out ~ /[^ \t\r]/) lines++
    }
    END { print lines + 0 }' $files
}

# Python: lines with anything but a # comment on them.
count_python() {
  find "$@" -type f -name '*.py' -exec cat {} + 2>/dev/null | grep -cEv '^[[:space:]]*(#.*)?$' || true
}

# Both languages, one figure.
count_all() {
  echo $(( $(count "$@") + $(count_python "$@") ))
}

product=$(count_all J3Dialoge platform plugins tools)
tests=$(count_all tests)

if [ "$folders" = 1 ]; then
  for folder in tests/*/; do
    printf '%-28s %6d\n' "${folder%/}" "$(count_all "$folder")"
  done
fi
permille=$(( tests * 1000 / product ))
printf 'tests   %6d\nproduct %6d\nratio   %5d.%d%%\n' "$tests" "$product" $(( permille / 10 )) $(( permille % 10 ))

# The test code is to stay lean as the product grows; CI holds it to a bound.
if [ -n "$limit" ] && (( tests * 100 > limit * product )); then
  echo "The tests take more than ${limit}% of the product code: $(( tests - limit * product / 100 )) lines too many." >&2
  exit 1
fi
