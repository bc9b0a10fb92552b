#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 5) on the seed corpus in fuzz/corpus/. They are built in the sanitizer tree
# (build-asan/, scripts/sanitizer_build.sh), where the engine, reports and
# command line are compiled once for both the sanitizer tests and the
# fuzzers. Anything found is left in build-asan/findings/<target>/ and fails
# the run.
#   bash scripts/fuzz.sh          # the bounded run of the test command
#   bash scripts/fuzz.sh 600      # a longer hunt: ten minutes a target
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-5}
build=$root/build-asan
# Every fuzz/<name>_fuzz.cpp is a target (fuzz/CMakeLists.txt globs them alike).
targets=()
for source in "$root"/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  targets+=("${name%_fuzz}")
done
bash "$root/scripts/sanitizer_build.sh" "${targets[@]/%/_fuzz}"

for target in "${targets[@]}"; do
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
