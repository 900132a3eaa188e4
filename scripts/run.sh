#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program (on the embedded database
# unless the connection settings say otherwise).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
exec "${TUVEK_BUILD_DIR:-$root/build}/tuvek" "$@"
