# Sourced by the scripts that run the programs against throwaway servers
# (load-run.sh, kill-rounds.sh), after they set "name" and "clusters":
# root (the source tree), bin (the build's programs: build/default, or the
# folder named by J3_BUILD) and work, a folder of their own under /tmp that
# goes at exit together with the clusters named in clusters.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${J3_BUILD:-$root/build/default}/bin"
work="$(mktemp -d "/tmp/$name-XXXXXX")"
chmod 711 "$work"  # the server runs as an unprivileged user when this runs as root
cleanup() {
  for cluster in $clusters; do "$root/scripts/pg-cluster.sh" stop "$work/$cluster" >/dev/null 2>&1 || true; done
  rm -rf "$work"
}
trap cleanup EXIT
