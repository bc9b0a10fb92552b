#!/usr/bin/env bash
# Cross-builds the libraries the workbook code links (zlib, minizip from
# zlib's contrib/minizip, libxlsxwriter) for 64-bit Windows with MinGW-w64,
# static, from Debian's own source packages, once, into the prefix Qt for
# MinGW lives in ($TARVELO_QT_MINGW, default /var/cache/tarvelo-qt-mingw/6.4.2),
# with a pkg-config file each under lib/pkgconfig (the toolchain,
# packaging/windows/mingw-w64-x86_64.cmake, points pkg-config and the library
# search there when TARVELO_QT_MINGW is set, as scripts/windows.sh sets it).
# Reused as long as the
# prefix holds xlsxwriter.pc; delete lib/pkgconfig/xlsxwriter.pc to build
# again. A minute or two.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TARVELO_QT_MINGW_CACHE:-/var/cache/tarvelo-qt-mingw}
prefix=${TARVELO_QT_MINGW:-$cache/6.4.2}
toolchain=$root/packaging/windows/mingw-w64-x86_64.cmake
host=x86_64-w64-mingw32
cc=$host-gcc-posix
if [ -f "$prefix/lib/pkgconfig/xlsxwriter.pc" ]; then
  echo "zlib, minizip and libxlsxwriter for MinGW already in $prefix"
  exit 0
fi
. "$root/scripts/windows_sources.sh"
mkdir -p "$prefix/include/minizip" "$prefix/lib/pkgconfig"

# The sources: Debian's, as for Qt.
src=$cache/src-xlsx
mkdir -p "$src"
if ! ls -d "$src"/zlib-*/ "$src"/libxlsxwriter-*/ >/dev/null 2>&1; then
  debian_sources
  (cd "$src" && apt-get source -qq zlib libxlsxwriter)
fi
zlib=$(ls -d "$src"/zlib-*/ | head -n1)
xlsx=$(ls -d "$src"/libxlsxwriter-*/ | head -n1)
log=$src/build.log
: >"$log"

# zlib: its sources compiled as they are (Debian's zlib has no win32/
# makefile), the static library only.
echo "zlib from $zlib"
obj=$src/zlib-obj
rm -rf "$obj"
mkdir -p "$obj"
for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees \
  uncompr zutil; do
  "$cc" -O2 -c "$zlib/$f.c" -o "$obj/$f.o" >>"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
done
rm -f "$prefix/lib/libz.a"
$host-ar rcs "$prefix/lib/libz.a" "$obj"/*.o
cp "$zlib/zlib.h" "$zlib/zconf.h" "$prefix/include/"
zversion=$(sed -n 's/^#define ZLIB_VERSION "\([^"]*\)".*/\1/p' "$zlib/zlib.h")
cat >"$prefix/lib/pkgconfig/zlib.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: zlib
Description: zlib compression library
Version: $zversion
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
EOF

# minizip: the zip and unzip parts of zlib's contrib/minizip with the Win32
# file functions, as Debian's libminizip holds them.
echo "minizip from $zlib/contrib/minizip"
obj=$src/minizip-obj
rm -rf "$obj"
mkdir -p "$obj"
for f in ioapi zip unzip iowin32 mztools; do
  "$cc" -O2 -I"$prefix/include" -c "$zlib/contrib/minizip/$f.c" -o "$obj/$f.o" >>"$log" 2>&1 ||
    { tail -n 30 "$log"; exit 1; }
done
rm -f "$prefix/lib/libminizip.a"
$host-ar rcs "$prefix/lib/libminizip.a" "$obj"/*.o
cp "$zlib"/contrib/minizip/{ioapi,zip,unzip,iowin32,mztools,crypt}.h "$prefix/include/minizip/"
cat >"$prefix/lib/pkgconfig/minizip.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include/minizip

Name: minizip
Description: Minizip zip file manipulation library
Version: $zversion
Requires: zlib
Libs: -L\${libdir} -lminizip
Cflags: -I\${includedir}
EOF

# libxlsxwriter: its CMake build with the MinGW toolchain, on the minizip
# above rather than its own copy (two copies of the zip functions would
# clash in one static program).
echo "libxlsxwriter from $xlsx"
rm -rf "$src/xlsx-build"
cmake -S "$xlsx" -B "$src/xlsx-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=ON -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
  -DZLIB_ROOT="$prefix" -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DMINIZIP_INCLUDE_DIR="$prefix/include" -DMINIZIP_LIBRARY="$prefix/lib/libminizip.a" \
  >>"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
cmake --build "$src/xlsx-build" -j"$(nproc)" >>"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
cmake --install "$src/xlsx-build" >>"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
# Its own .pc names the host's folders; this one names the prefix and what a
# static program needs after it.
cat >"$prefix/lib/pkgconfig/xlsxwriter.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: libxlsxwriter
Description: A C library for creating Excel XLSX files
Version: 4
Requires: minizip zlib
Libs: -L\${libdir} -lxlsxwriter
Cflags: -I\${includedir}
EOF
echo "zlib, minizip and libxlsxwriter for MinGW installed in $prefix"
