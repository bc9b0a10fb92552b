#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for
# SECONDS (default 5) on the seed corpus in fuzz/corpus/. Anything found is
# left in build-fuzz/findings/<target>/ and fails the run.
#   bash scripts/fuzz.sh          # the bounded run of the test command
#   bash scripts/fuzz.sh 600      # a longer hunt: ten minutes a target
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-5}
build=$root/build-fuzz
. "$root/scripts/compiler_cache.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_COMPILER=clang++-14 -DTARVELO_FUZZ=ON -DTARVELO_BUILD_UI=OFF \
  -DTARVELO_BUILD_BENCH=OFF -DTARVELO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target number_text_fuzz dms_fuzz curve_import_fuzz cli_args_fuzz profile_file_fuzz route_file_fuzz element_file_fuzz landxml_fuzz break_file_fuzz

for target in number_text dms curve_import cli_args profile_file route_file element_file landxml break_file; do
  work=$build/corpus/$target findings=$build/findings/$target
  mkdir -p "$work" "$findings"
  echo "fuzzing $target for ${seconds}s"
  # New inputs go to the scratch corpus; the seeds in the tree stay as they are.
  if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=0 "$work" "$root/fuzz/corpus/$target" \
      >"$build/$target.log" 2>&1; then
    tail -n 40 "$build/$target.log"
    echo "fuzz target $target found a failure; the input is in $findings/" >&2
    exit 1
  fi
done
