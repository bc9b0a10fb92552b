#!/usr/bin/env bash
# Builds a lean Release tree (build-release/: the two programs, no tests or
# benchmarks) and makes the Debian package dist/tarvelo_<version>_<arch>.deb
# with CPack (packaging/cpack.cmake). Install it with
#   sudo apt install ./dist/tarvelo_*.deb
# TARVELO_JOBS sets the build's parallel jobs (default: every core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-release
dist=$root/dist
"$root/scripts/deps.sh"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The same sources in another checkout (CI's clone) hit the same cache
# entries: paths below the checkout are hashed relative to it, and the prefix
# map, which differs only by the checkout's path, maps every checkout to ".".
export CCACHE_BASEDIR=$root
export CCACHE_IGNOREOPTIONS='-ffile-prefix-map=*'
# Debian's hardening flags (stack protector, fortify, full RELRO); no -g:
# the package ships stripped programs. The prefix map keeps this checkout's
# path out of the programs.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(cd "$root" && dpkg-buildflags --get CPPFLAGS) $(cd "$root" && dpkg-buildflags --get CXXFLAGS)"
cxxflags=${cxxflags//-g /}
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DTARVELO_BUILD_UI=ON -DTARVELO_BUILD_TESTS=OFF -DTARVELO_BUILD_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  >/dev/null
cmake --build "$build" -j"${TARVELO_JOBS:-$(nproc)}"

# CPack works in build-release/cpack; only the package goes to dist/.
rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
shopt -s nullglob
debs=("$build"/cpack/tarvelo_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "package.sh: expected one package, found ${#debs[@]}" >&2; exit 1; }
mkdir -p "$dist"
rm -f "$dist"/tarvelo_*.deb  # one package, so "apt install ./dist/tarvelo_*.deb" names one
cp "${debs[0]}" "$dist/"
echo "$dist/$(basename "${debs[0]}")"
