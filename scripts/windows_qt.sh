#!/usr/bin/env bash
# Builds a static Qt 6.4.2 (qtbase) for 64-bit Windows with MinGW-w64 from
# Debian's own source package, once, into $TARVELO_QT_MINGW (default
# /var/cache/tarvelo-qt-mingw/6.4.2). Debian's installed Qt 6.4.2 serves as
# the host Qt (moc, uic, rcc). Reused as long as the prefix holds Qt6Config;
# delete the folder to build it again. About 40 minutes on two idle cores,
# run at the lowest priority.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TARVELO_QT_MINGW_CACHE:-/var/cache/tarvelo-qt-mingw}
prefix=${TARVELO_QT_MINGW:-$cache/6.4.2}
toolchain=$root/packaging/windows/mingw-w64-x86_64.cmake
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "Qt for MinGW already built in $prefix"
  exit 0
fi
. "$root/scripts/windows_sources.sh"

src=$(ls -d "$cache"/src/qt6-base-6.4.2* 2>/dev/null | head -n1 || true)
if [ -z "$src" ]; then
  debian_sources
  mkdir -p "$cache/src"
  (cd "$cache/src" && apt-get source -qq qt6-base=6.4.2+dfsg-10 2>/dev/null || apt-get source -qq qt6-base)
  src=$(ls -d "$cache"/src/qt6-base-6.4.2*/ | head -n1)
  src=${src%/}
fi

build=$cache/build-6.4.2
mkdir -p "$build"
cd "$build"
# An interrupted build resumes where it stopped.
if [ ! -f build.ninja ]; then
  echo "Configuring Qt for MinGW in $build (log: $build/configure.log)"
  nice -n 19 "$src/configure" -prefix "$prefix" -release -static -static-runtime \
    -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- -qt-host-path /usr \
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network \
    -no-openssl -no-zstd -no-feature-tabletevent -no-feature-testlib \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion \
    -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    >configure.log 2>&1 || { tail -n 40 configure.log; rm -f build.ninja; exit 1; }
fi
echo "Building Qt for MinGW (log: $build/build.log)"
nice -n 19 cmake --build . --parallel "$(nproc)" >>build.log 2>&1 || { tail -n 40 build.log; exit 1; }
nice -n 19 cmake --install . >install.log 2>&1 || { tail -n 40 install.log; exit 1; }
echo "Qt for MinGW installed in $prefix"
