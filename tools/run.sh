#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program from its folder with the demo project
# (or the arguments given). Without a display it exports the demo project to an AVI instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
program=build/bin
if [ "$#" -gt 0 ]; then
  exec "$program/zolvanta" "$@"
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program/zolvanta" UserFile/demo.tsf
fi
out="$PWD/build/demo.avi"
"$program/zolvanta-cli" export --project "$program/UserFile/demo.tsf" --start 0 --end 90 --codec mjpeg \
  --wav "$program/UserFile/Wave/demo_beat.wav" --out "$out"
echo "No display: the demo project was exported to $out"
echo "To see it in the window, run 'bash tools/run.sh' where DISPLAY or WAYLAND_DISPLAY is set."
