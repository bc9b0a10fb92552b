#!/usr/bin/env bash
# Configures and builds Tarvelo in build/ (release build with debug info).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/compiler_cache.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DTARVELO_BUILD_UI=ON -DTARVELO_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build" -j"$(nproc)"
