#!/usr/bin/env bash
# Fails when a configured build uses a package that a fresh machine would not
# get from scripts/install-deps.sh: every file the build uses must belong to a
# listed package or to one that the listed packages depend on (Depends and
# Pre-Depends, followed through; Recommends do not count, since the script
# installs without them). A machine that happens to have an extra package
# installed by hand passes a build, not this check.
# Usage: scripts/check-deps.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
cache="${1:?usage: scripts/check-deps.sh BUILD_DIR}/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-deps: $cache fehlt (erst konfigurieren)" >&2; exit 2; }

mapfile -t listed < <(scripts/install-deps.sh --list)
allowed=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances "${listed[@]}" 2>/dev/null |
          sed -n 's/^ *|\{0,1\}\(Pre\)\{0,1\}Depends: <\{0,1\}\([^ :>]*\).*$/\2/p; s/^\([a-z0-9][^ :]*\)$/\1/p' | sort -u)

# The files the build uses: every file CMake read while configuring and every
# tool, library and header folder the build lines name (build.ninja lists them
# all), resolved through links, folders left out (many packages share one).
build="${cache%/CMakeCache.txt}"
mapfile -t files < <(grep -o '/usr/[^ ;:"$]*' "$build/build.ninja" | sort -u |
                     while IFS= read -r f; do [ -f "$f" ] && readlink -f "$f"; done | sort -u)

status=0
declare -A owners=()
while IFS= read -r line; do
  owners["${line#*: }"]="${line%%: *}"
done < <(dpkg -S "${files[@]}" 2>/dev/null | sed 's/:[a-z0-9]*: /: /')
declare -A seen=()
for f in "${files[@]}"; do
  owner="${owners[$f]:-}"
  owner="${owner%%,*}"
  if [ -z "$owner" ]; then
    echo "check-deps: $f gehört zu keinem Debian-Paket" >&2
    status=1
    continue
  fi
  [ -n "${seen[$owner]:-}" ] && continue
  seen[$owner]=1
  if ! grep -qxF "$owner" <<<"$allowed"; then
    echo "check-deps: $f kommt aus dem Paket $owner, das scripts/install-deps.sh weder nennt noch mitbringt" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "check-deps: ${#files[@]} Dateien aus ${#seen[@]} Paketen, alle aus scripts/install-deps.sh."
exit "$status"
