#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for tests and benchmarks, in a folder of its own.
# Usage: scripts/pg-cluster.sh start DIR   creates and starts the cluster in DIR
#                                          and prints its connection URL
#        scripts/pg-cluster.sh stop DIR    stops it (DIR stays; delete it freely)
# The server listens on 127.0.0.1 only, on a free port, with trust
# authentication and no Unix socket. initdb refuses to run as root, so under
# root the server runs as the unprivileged user "postgres" (or "j3pg", created
# when neither exists); when that user cannot reach DIR (a folder below
# /root, say), the cluster lives in a folder of its own under /tmp, named in
# DIR/cluster and removed by stop.
set -euo pipefail
action="${1:-}"
dir="${2:-}"
[ -n "$dir" ] && { [ "$action" = start ] || [ "$action" = stop ]; } ||
  { echo "usage: scripts/pg-cluster.sh start|stop DIR" >&2; exit 2; }

bindir=/usr/lib/postgresql/15/bin
[ -x "$bindir/initdb" ] || bindir="$(pg_config --bindir)"
[ -x "$bindir/initdb" ] || { echo "pg-cluster: initdb nicht gefunden ($bindir)" >&2; exit 1; }
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
base="$dir"
[ -f "$dir/cluster" ] && base="$(cat "$dir/cluster")"
data="$base/data"

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  owner=postgres
  if ! id -u "$owner" >/dev/null 2>&1; then
    owner=j3pg
    id -u "$owner" >/dev/null 2>&1 ||
      useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$owner"
  fi
  as_owner=(runuser -u "$owner" --)
fi

if [ "$action" = stop ]; then
  # Nothing to stop, also after a server that died without cleaning up.
  if [ -f "$data/postmaster.pid" ] && "${as_owner[@]}" "$bindir/pg_ctl" status -D "$data" >/dev/null; then
    "${as_owner[@]}" "$bindir/pg_ctl" stop -D "$data" -m fast -w >/dev/null
  fi
  [ "$base" = "$dir" ] || { rm -rf "$base"; rm -f "$dir/cluster"; }
  exit 0
fi

[ -e "$data" ] && { echo "pg-cluster: $data gibt es schon (erst stop und löschen)" >&2; exit 1; }
if [ "${#as_owner[@]}" -gt 0 ]; then
  chown "$owner" "$dir"
  if ! "${as_owner[@]}" test -w "$dir"; then
    base="$(mktemp -d /tmp/j3pg.XXXXXX)"
    chown "$owner" "$base"
    echo "$base" >"$dir/cluster"
    data="$base/data"
  fi
fi
"${as_owner[@]}" "$bindir/initdb" -D "$data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 \
  >"$base/initdb.log" 2>&1 || { cat "$base/initdb.log" >&2; exit 1; }

# A port counts as free when nothing answers on it; a server that loses the
# race for it fails to start and the next port is tried.
port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port=$((20000 + RANDOM % 20000))
for _ in $(seq 1 20); do
  port=$((port + 1))
  port_in_use "$port" && continue
  if "${as_owner[@]}" "$bindir/pg_ctl" start -D "$data" -w -t 60 -l "$base/server.log" \
       -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories='' -c max_connections=200" \
       >/dev/null; then
    "$bindir/pg_isready" -q -h 127.0.0.1 -p "$port" -t 30 ||
      { echo "pg-cluster: Server auf Port $port antwortet nicht" >&2; exit 1; }
    echo "postgresql://postgres@127.0.0.1:$port/postgres"
    exit 0
  fi
done
echo "pg-cluster: kein Server gestartet, siehe $base/server.log" >&2
exit 1
