#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program (arguments go to it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release >/dev/null
exec "$root/build/bin/lexo" "$@"
