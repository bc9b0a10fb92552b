#!/usr/bin/env bash
# Installs what is missing, builds Tarvelo and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"
