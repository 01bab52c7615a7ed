#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, address and undefined-behaviour sanitizers, the
# libraries instrumented too) and runs each for its share of a time budget.
# Usage: tools/run-fuzzers.sh [total seconds, default 60]. Exits non-zero when a target finds a fault.
# The seeds under fuzz/corpus are made by tools/gen_fuzz_seeds and the demo generators' --corpus option.
set -euo pipefail
cd "$(dirname "$0")/.."

total_seconds=${1:-60}
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DZV_FUZZ=ON -DZV_GUI=OFF -DZV_TESTS=OFF -DZV_BENCH=OFF -DZV_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null

targets=()
for source in fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets" >&2
  exit 1
fi
ninja -C "$build" -j2 "${targets[@]}"

seconds_each=$((total_seconds / ${#targets[@]}))
[ "$seconds_each" -ge 1 ] || seconds_each=1
status=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  # New inputs go to a working copy so the committed seeds stay as they are.
  work="$build/corpus/$name"
  artifacts="$build/artifacts/$name/"
  log="$build/logs/$name.log"
  mkdir -p "$work" "$artifacts" "$build/logs"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
  # libFuzzer's progress lines would bury the test results: they go to a log, shown on a fault.
  if "$build/fuzz/$target" -max_total_time="$seconds_each" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts" -print_final_stats=1 "$work" "${seeds[@]}" >"$log" 2>&1; then
    echo "== $target: $(grep -E '^Done' "$log" || echo done) (${seconds_each}s)"
  else
    echo "== $target found a fault; the input is in $artifacts, the log in $log" >&2
    grep -v -E '^#[0-9]+' "$log" | tail -n 80 >&2
    status=1
  fi
done
exit $status
