#!/usr/bin/env bash
# Configures the sanitizer tree build-asan/ (clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer, libFuzzer's coverage hooks: the engine, reports
# and command line with their tests and the fuzz targets, no window) and
# builds the TARGETS given, or everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/compiler_cache.sh"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_COMPILER=clang++-14 -DTARVELO_SANITIZE=ON -DTARVELO_FUZZ=ON \
  -DTARVELO_BUILD_UI=OFF -DTARVELO_BUILD_BENCH=OFF >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$root/build-asan" -j"$(nproc)" --target "$@"
else
  cmake --build "$root/build-asan" -j"$(nproc)"
fi
