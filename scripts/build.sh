#!/usr/bin/env bash
# Configures and builds Tarvelo in build/ (release build with debug info,
# Debian's hardening flags): the programs, the tests, the benchmarks. The
# Debian package is made from this tree (scripts/package.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/compiler_cache.sh"
. "$root/scripts/build_flags.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${flag_args[@]}" \
  -DCMAKE_INSTALL_PREFIX=/usr -DTARVELO_BUILD_UI=ON -DTARVELO_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build" -j"$(nproc)"
