#!/usr/bin/env bash
# Builds the Debian package: the release build (scripts/build.sh), then cpack -G DEB.
# The .deb lands in build/package/; install it with `apt install ./build/package/lexo_*.deb`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release
cpack -G DEB --config "$root/build/CPackConfig.cmake" -B "$root/build/package"
ls "$root"/build/package/lexo_*.deb
