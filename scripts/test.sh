#!/usr/bin/env bash
# Installs what is missing, builds Tarvelo and runs every test: the normal
# build, the engine, reports and command line again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and a few seconds of each fuzz target; the
# Windows build under wine too once its Qt for MinGW has been built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/deps.sh"

"$root/scripts/build.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== sanitizer build (build-asan/: clang, the tests and the fuzz targets)"
bash "$root/scripts/sanitizer_build.sh"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

echo "== bounded fuzz runs (build-asan/)"
"$root/scripts/fuzz.sh" "${TARVELO_FUZZ_SECONDS:-5}"

echo "== Debian package (from build/, dist/)"
bash "$root/scripts/package_test.sh"

# The Windows build costs minutes once its Qt exists; building that Qt takes
# about 40 minutes, so it is left to an explicit `bash scripts/windows.sh`.
qt_mingw=${TARVELO_QT_MINGW:-/var/cache/tarvelo-qt-mingw/6.4.2}
if [ -f "$qt_mingw/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "== Windows build under wine (build-windows/, dist/)"
  bash "$root/scripts/windows.sh"
else
  echo "== Windows stage skipped: no Qt for MinGW in $qt_mingw (build it once with: bash scripts/windows.sh)"
fi
