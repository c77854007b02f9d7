#!/usr/bin/env bash
# Fails when an ELF file under the given folders searches an empty, "." or
# relative library path: such an entry names the working folder, so a library
# planted there would run inside our programs. Only absolute entries and
# entries below $ORIGIN are allowed.
# Usage: scripts/check-rpath.sh DIR...
set -euo pipefail
[ "$#" -gt 0 ] || { echo "usage: scripts/check-rpath.sh DIR..." >&2; exit 2; }
checked=0
bad=0
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
  checked=$((checked + 1))
  paths=$(readelf -d "$file" 2>/dev/null | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]$/\2/p')
  [ -n "$paths" ] || continue
  # The added colon keeps a trailing empty entry, which read would drop.
  IFS=':' read -r -a entries <<<"$paths:"
  for entry in "${entries[@]}"; do
    case "$entry" in
      /*|'$ORIGIN'|'$ORIGIN/'*) ;;
      *) echo "check-rpath: $file sucht Bibliotheken in \"$entry\" (ganz: \"$paths\")" >&2
         bad=$((bad + 1)) ;;
    esac
  done
done < <(find "$@" -type f -print0)
if [ "$bad" -gt 0 ]; then
  echo "check-rpath: $bad leere oder relative Suchpfade in $checked ELF-Dateien" >&2
  exit 1
fi
echo "check-rpath: $checked ELF-Dateien, kein leerer oder relativer Suchpfad"
