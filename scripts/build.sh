#!/usr/bin/env bash
# Builds one flavour of the project: `build.sh` (g++, the program and tests, warnings are
# errors) or `build.sh sanitize` (clang with ASan, UBSan and the libFuzzer targets).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:-release}
case "$flavour" in
  release)
    dir="$root/build"
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXO_WERROR=ON) ;;
  sanitize)
    dir="$root/build-sanitize"
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DLEXO_WERROR=ON
          -DLEXO_SANITIZE=ON -DLEXO_FUZZ=ON -DLEXO_BUILD_BENCH=OFF) ;;
  *) echo "usage: $0 [release|sanitize]" >&2; exit 2 ;;
esac
# A compiler cache, when the machine has one, makes rebuilds of other checkouts cheap.
if command -v ccache >/dev/null 2>&1; then args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" -j2
