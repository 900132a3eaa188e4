#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL server and runs
# every test with CTest, then builds again for AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/) and runs every test again there,
# against the same server: any report of theirs fails the run. CTest's summary
# is the last thing printed.
#
# TUVEK_SANITIZE=off runs the plain build only, =only the sanitizers' build
# only, =on both. Unset: both for the whole suite; with CTest arguments (a few
# tests, e.g. -R test_sql) the plain build only.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TUVEK_BUILD_DIR:-$root/build}
asan_build=${TUVEK_ASAN_BUILD_DIR:-$root/build-asan}

sanitize=${TUVEK_SANITIZE:-}
if [ -z "$sanitize" ]; then
  if [ $# -eq 0 ]; then sanitize=on; else sanitize=off; fi
fi
plain=1; asan=1
[ "$sanitize" = off ] && asan=0
[ "$sanitize" = only ] && plain=0

"$root/scripts/setup.sh" || exit 1
if [ "$plain" -eq 1 ]; then "$root/scripts/build.sh" || exit 1; fi
if [ "$asan" -eq 1 ]; then
  TUVEK_BUILD_DIR="$asan_build" TUVEK_SANITIZE=on "$root/scripts/build.sh" || exit 1
fi

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
status=0
if [ "$plain" -eq 1 ]; then
  (cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@") || status=1
fi
if [ "$asan" -eq 1 ]; then
  echo "---- the same tests under AddressSanitizer and UndefinedBehaviorSanitizer ----"
  # Leaks are not looked for: Qt keeps its plugins and caches until the
  # process ends by design, and so does the program its one connection.
  (cd "$asan_build" &&
   ASAN_OPTIONS=halt_on_error=1:detect_leaks=0:abort_on_error=1 \
   UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
   ctest --output-on-failure -j"$(nproc)" "$@") || status=1
fi
exit $status
