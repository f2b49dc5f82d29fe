#!/usr/bin/env bash
# Builds and runs every benchmark (not part of the tests: they take a while).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release >/dev/null
status=0
for b in "$root"/build/bin/*_bench; do
  echo "== $(basename "$b")"
  "$b" "$@" || status=1
  echo
done
exit $status
