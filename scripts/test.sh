#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, window and whole-program
# tests; the same again under ASan + UBSan; and a short run of every fuzz target.
# FUZZ_SECONDS sets the length of each fuzz run (default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fuzz_seconds=${FUZZ_SECONDS:-30}

"$root/scripts/setup.sh"

echo "== build (g++)"
"$root/scripts/build.sh" release
echo "== tests (g++)"
ctest --test-dir "$root/build" -j2 --output-on-failure

echo "== build (clang, ASan + UBSan)"
"$root/scripts/build.sh" sanitize
echo "== tests (ASan + UBSan)"
# Qt's own libraries are not instrumented; their one-off allocations at exit are not ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$root/build-sanitize" -j2 --output-on-failure

echo "== fuzzing (${fuzz_seconds} s each)"
corpus_root="$root/build-sanitize/fuzz-corpus"
failed=0
for target in "$root"/build-sanitize/bin/fuzz_*; do
  name=$(basename "$target")
  corpus="$corpus_root/$name"
  mkdir -p "$corpus"
  seeds="$root/tests/fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds=
  if "$target" -max_total_time="$fuzz_seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$corpus_root/$name-" "$corpus" $seeds >"$corpus_root/$name.log" 2>&1; then
    echo "$name: $(grep -Eo 'stat::number_of_executed_units: [0-9]+' "$corpus_root/$name.log" | grep -Eo '[0-9]+' || echo '?') runs, no failure"
  else
    failed=$((failed + 1))
    echo "$name: FAILED"; tail -40 "$corpus_root/$name.log"
  fi
done
[ "$failed" -eq 0 ] || { echo "$failed fuzz target(s) failed"; exit 1; }
echo "All tests passed."
