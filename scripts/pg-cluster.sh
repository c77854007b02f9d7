#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for tests and benchmarks, in a folder of its own.
# Usage: scripts/pg-cluster.sh start DIR   creates and starts the cluster in DIR
#                                          and prints its connection URL
#        scripts/pg-cluster.sh stop DIR    stops it (DIR stays; delete it freely)
#        scripts/pg-cluster.sh standby DIR PRIMARY_DIR
#                                          a synchronous standby of the cluster in
#                                          PRIMARY_DIR (a commit returns only when
#                                          it is on both); prints the URL of the
#                                          pair, which always reaches the primary
#        scripts/pg-cluster.sh promote DIR the standby in DIR becomes the primary
#        scripts/pg-cluster.sh crash DIR   stops the server at once, as a power
#                                          failure would (pg_ctl stop -m immediate)
#        scripts/pg-cluster.sh restart DIR starts a stopped cluster again
# The server listens on 127.0.0.1 only, on a free port, and no Unix socket;
# it takes only TLS connections (a certificate of a throwaway CA, DIR/ca.crt)
# with a scram-sha-256 password, which stands in the password file
# DIR/pgpass. The URL names both files and asks to verify the server
# (sslmode=verify-full), so it holds no password. initdb refuses to run as root, so under
# root the server runs as the unprivileged user "postgres" (or "j3pg", created
# when neither exists); when that user cannot reach DIR (a folder below
# /root, say), the cluster lives in a folder of its own under /tmp, named in
# DIR/cluster and removed by stop.
set -euo pipefail
action="${1:-}"
dir="${2:-}"
primary="${3:-}"
case "$action" in start | stop | promote | crash | restart) [ -n "$dir" ] ;; standby) [ -n "$dir" ] && [ -n "$primary" ] ;; *) false ;; esac ||
  { echo "usage: scripts/pg-cluster.sh start|stop|promote|crash|restart DIR | standby DIR PRIMARY_DIR" >&2; exit 2; }

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
case "$action" in
  promote) exec "${as_owner[@]}" "$bindir/pg_ctl" promote -D "$data" -w -t 60 >/dev/null ;;
  crash) exec "${as_owner[@]}" "$bindir/pg_ctl" stop -D "$data" -m immediate >/dev/null ;;
  restart) exec "${as_owner[@]}" "$bindir/pg_ctl" start -D "$data" -w -t 60 -l "$base/server.log" >/dev/null ;;
esac

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
if [ "$action" = standby ]; then
  # A copy of the primary, kept up to date by streaming replication; the
  # primary then waits for it at every commit.
  primary="$(cd "$primary" && pwd)"
  pport="$(sed -n 's/^127\.0\.0\.1:\([0-9]*\):.*/\1/p' "$primary/pgpass" | head -1)"
  install -m 600 "$primary/pgpass" "$dir/pgpass"
  [ "${#as_owner[@]}" -eq 0 ] || { chown "$owner" "$dir" "$dir/pgpass"; }
  "${as_owner[@]}" "$bindir/pg_basebackup" -D "$data" -R -X stream -c fast \
    -d "host=127.0.0.1 port=$pport user=postgres sslmode=verify-full sslrootcert=$primary/ca.crt passfile=$dir/pgpass application_name=standby" \
    >"$base/basebackup.log" 2>&1 || { cat "$base/basebackup.log" >&2; exit 1; }
fi

if [ "$action" = start ]; then
  # The password and the certificates. The server's key goes to its owner
  # alone; the client reads the CA's certificate and the password file.
  command -v openssl >/dev/null || { echo "pg-cluster: openssl fehlt (scripts/install-deps.sh)" >&2; exit 1; }
  secrets="$base/secrets"
  mkdir -p "$secrets"
  password="$(openssl rand -hex 16)"
  printf '%s\n' "$password" >"$secrets/password"
  openssl req -x509 -newkey rsa:2048 -nodes -days 7 -subj "/CN=J3 Test-CA" \
    -keyout "$dir/ca.key" -out "$dir/ca.crt" >"$base/openssl.log" 2>&1 &&
  openssl req -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" \
    -keyout "$secrets/server.key" -out "$secrets/server.csr" >>"$base/openssl.log" 2>&1 &&
  openssl x509 -req -in "$secrets/server.csr" -CA "$dir/ca.crt" -CAkey "$dir/ca.key" -CAcreateserial -days 7 \
    -extfile <(printf 'subjectAltName=IP:127.0.0.1\n') -out "$secrets/server.crt" >>"$base/openssl.log" 2>&1 ||
    { cat "$base/openssl.log" >&2; exit 1; }
  chmod 600 "$secrets/server.key" "$secrets/password"
  [ "${#as_owner[@]}" -eq 0 ] || chown -R "$owner" "$secrets"
  "${as_owner[@]}" "$bindir/initdb" -D "$data" -U postgres --auth=scram-sha-256 --pwfile="$secrets/password" \
    -E UTF8 --locale=C.UTF-8 >"$base/initdb.log" 2>&1 || { cat "$base/initdb.log" >&2; exit 1; }
  "${as_owner[@]}" cp "$secrets/server.key" "$secrets/server.crt" "$data/"
  printf 'hostssl all all 127.0.0.1/32 scram-sha-256\nhostssl replication postgres 127.0.0.1/32 scram-sha-256\n' |
    "${as_owner[@]}" tee "$data/pg_hba.conf" >/dev/null
  printf "listen_addresses = '127.0.0.1'\nunix_socket_directories = ''\nmax_connections = 200\nssl = on\n" |
    "${as_owner[@]}" tee -a "$data/postgresql.conf" >/dev/null
  rm -rf "$secrets"
fi

# A port counts as free when nothing answers on it; a server that loses the
# race for it fails to start and the next port is tried.
port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port=$((20000 + RANDOM % 20000))
for _ in $(seq 1 20); do
  port=$((port + 1))
  port_in_use "$port" && continue
  if "${as_owner[@]}" "$bindir/pg_ctl" start -D "$data" -w -t 60 -l "$base/server.log" -o "-c port=$port" \
       >/dev/null; then
    "$bindir/pg_isready" -q -h 127.0.0.1 -p "$port" -t 30 ||
      { echo "pg-cluster: Server auf Port $port antwortet nicht" >&2; exit 1; }
    printf 'port = %s\n' "$port" | "${as_owner[@]}" tee -a "$data/postgresql.conf" >/dev/null
    if [ "$action" = start ]; then
      printf '127.0.0.1:%s:*:postgres:%s\n' "$port" "$password" >"$dir/pgpass"
      chmod 600 "$dir/pgpass"
      echo "postgresql://postgres@127.0.0.1:$port/postgres?sslmode=verify-full&sslrootcert=$dir/ca.crt&passfile=$dir/pgpass"
      exit 0
    fi
    # Both servers take the same password; the primary waits for this one.
    standby_line="$(sed -n "s/^127\.0\.0\.1:$pport:/127.0.0.1:$port:/p" "$primary/pgpass")"
    printf '%s\n' "$standby_line" >>"$primary/pgpass"
    url="postgresql://postgres@127.0.0.1:$pport/postgres?sslmode=verify-full&sslrootcert=$primary/ca.crt&passfile=$primary/pgpass"
    psql -qtA "$url" -c "ALTER SYSTEM SET synchronous_standby_names = 'standby'" -c "SELECT pg_reload_conf()" >/dev/null
    for _ in $(seq 1 60); do
      [ "$(psql -qtA "$url" -c "SELECT count(*) FROM pg_stat_replication WHERE sync_state = 'sync'")" = 1 ] && break
      sleep 0.5
    done
    echo "postgresql://postgres@127.0.0.1:$pport,127.0.0.1:$port/postgres?target_session_attrs=read-write&sslmode=verify-full&sslrootcert=$primary/ca.crt&passfile=$primary/pgpass"
    exit 0
  fi
done
echo "pg-cluster: kein Server gestartet, siehe $base/server.log" >&2
exit 1
