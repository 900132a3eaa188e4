#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL server and runs
# every test with CTest. CTest's summary is the last thing printed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TUVEK_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh" || exit 1
"$root/scripts/build.sh" || exit 1

# The PostgreSQL server of this run: its own folder, loopback only, a free port.
pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
pgdir=$(mktemp -d /tmp/tuvek-pg.XXXXXX)
chmod 755 "$pgdir"
as_postgres() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
stop_server() {
  as_postgres "$pgbin/pg_ctl" -D "$pgdir/data" -m immediate stop >/dev/null 2>&1
  rm -rf "$pgdir"
}
trap stop_server EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
[ "$(id -u)" -eq 0 ] && chown postgres "$pgdir"
started=0
if [ -n "$pgbin" ] &&
   as_postgres "$pgbin/initdb" -D "$pgdir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$pgdir/initdb.log" 2>&1 &&
   as_postgres "$pgbin/pg_ctl" -D "$pgdir/data" -l "$pgdir/server.log" -w -t 60 \
     -o "-c listen_addresses=127.0.0.1 -p $port -k $pgdir -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
     start >/dev/null 2>&1; then
  started=1
  export TUVEK_TEST_PG="host=127.0.0.1 port=$port user=postgres dbname=postgres"
  export PATH="$pgbin:$PATH"
fi
if [ "$started" -ne 1 ]; then
  echo "PostgreSQL test server did not start:" >&2
  cat "$pgdir"/*.log >&2 2>/dev/null
  if [ "${CI:-}" = "true" ]; then exit 1; fi
fi

export QT_QPA_PLATFORM=offscreen
cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@"
