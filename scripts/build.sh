#!/usr/bin/env bash
# Configures and builds into build/ (or $TUVEK_BUILD_DIR); jobs: $TUVEK_BUILD_JOBS or every core.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TUVEK_BUILD_DIR:-$root/build}
# A compiler cache, where the machine has one, is shared by every checkout.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Configuring every time picks up folders added since the last build.
# TUVEK_SANITIZE=on: a build for AddressSanitizer and UndefinedBehaviorSanitizer.
# TUVEK_SANITIZE=thread: one for ThreadSanitizer.
sanitize=OFF
[ "${TUVEK_SANITIZE:-}" = on ] && sanitize=ON
[ "${TUVEK_SANITIZE:-}" = thread ] && sanitize=thread
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${TUVEK_BUILD_TYPE:-RelWithDebInfo} \
  -DTUVEK_SANITIZE=$sanitize "${launcher[@]}" >/dev/null
# Progress lines are left out; warnings and errors are shown.
set +e
cmake --build "$build" -- -j"${TUVEK_BUILD_JOBS:-$(nproc)}" 2>&1 | grep -vE '^\[[0-9]+/[0-9]+\] '
status=${PIPESTATUS[0]}
set -e
exit "$status"
