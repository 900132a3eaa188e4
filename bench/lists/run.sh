#!/usr/bin/env bash
# Runs a list benchmark (bench_lists, or the one named: run.sh vam) on the
# embedded database and on a throwaway PostgreSQL server of its own (stopped
# and removed at the end).
#   TUVEK_BUILD_DIR  the build folder holding bench/<name>/bench_<name> (default: build)
#   TUVEK_BENCH_DIR  where the SQLite file and the server's data go; the generated
#                    rows are kept there between runs when it is given
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
name=${1:-lists}
bench=${TUVEK_BUILD_DIR:-$root/build}/bench/$name/bench_$name
[ -x "$bench" ] || { echo "build bench_$name first: $bench is missing" >&2; exit 1; }
work=${TUVEK_BENCH_DIR:-$(mktemp -d /tmp/tuvek-bench.XXXXXX)}
mkdir -p "$work" && chmod 755 "$work"
export QT_QPA_PLATFORM=offscreen

TUVEK_BENCH_BACKEND=sqlite TUVEK_BENCH_DB="$work/$name.sqlite" "$bench"

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$pgbin" ] || { echo "no PostgreSQL server installed" >&2; exit 1; }
as_postgres() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
data="$work/pg"
if [ ! -d "$data" ]; then
  mkdir -p "$data"; [ "$(id -u)" -eq 0 ] && chown postgres "$data"
  as_postgres "$pgbin/initdb" -D "$data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$work/initdb.log" 2>&1 ||
    { cat "$work/initdb.log" >&2; exit 1; }
fi
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
as_postgres "$pgbin/pg_ctl" -D "$data" -l "$data/server.log" -w -t 60 \
  -o "-c listen_addresses=127.0.0.1 -p $port -k $data -c fsync=off -c synchronous_commit=off" start >/dev/null ||
  { cat "$data/server.log" >&2; exit 1; }
trap 'as_postgres "$pgbin/pg_ctl" -D "$data" -m fast stop >/dev/null 2>&1; [ -z "${TUVEK_BENCH_DIR:-}" ] && rm -rf "$work"' EXIT
"$pgbin/psql" -h 127.0.0.1 -p "$port" -U postgres -qtAc "select 1 from pg_database where datname='$name'" | grep -q 1 ||
  "$pgbin/createdb" -h 127.0.0.1 -p "$port" -U postgres "$name"
TUVEK_BENCH_BACKEND=pg PGHOST=127.0.0.1 PGPORT=$port PGUSER=postgres PGDATABASE=$name "$bench"
