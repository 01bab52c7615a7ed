#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program from its folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
exec build/bin/zolvanta "$@"
