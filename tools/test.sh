#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. Window tests need an X server: without
# DISPLAY one Xvfb is started for the run and stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh

xvfb_pid=""
stop_xvfb() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_xvfb EXIT
if [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$display_file")"
  rm -f "$display_file"
fi

# Every file reader gets its bounded fuzzing run first, so ctest's summary closes the output; a
# fault found there still lets the tests run, and fails the whole run at the end.
fuzz_status=0
bash tools/run-fuzzers.sh "${ZV_FUZZ_SECONDS:-60}" || fuzz_status=$?

ctest --test-dir build -j"$(nproc)" --output-on-failure --timeout 300
if [ "$fuzz_status" -ne 0 ]; then
  echo "a fuzz target found a fault (see above)" >&2
  exit "$fuzz_status"
fi
