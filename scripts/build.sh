#!/usr/bin/env bash
# Configures and builds into build/ (or $TUVEK_BUILD_DIR).
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
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${TUVEK_BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" >/dev/null
# Progress lines are left out; warnings and errors are shown.
set +e
cmake --build "$build" -- -j"$(nproc)" 2>&1 | grep -vE '^\[[0-9]+/[0-9]+\] '
status=${PIPESTATUS[0]}
set -e
exit "$status"
