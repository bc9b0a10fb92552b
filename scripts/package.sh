#!/usr/bin/env bash
# Makes the Debian package dist/tarvelo_<version>_<arch>.deb with CPack
# (packaging/cpack.cmake) from the normal build tree (build/, built here by
# scripts/build.sh when it is not up to date: Debian's hardening flags, the
# checkout's path mapped away; CPack strips the programs). Install it with
#   sudo apt install ./dist/tarvelo_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
dist=$root/dist
"$root/scripts/deps.sh"
"$root/scripts/build.sh" >/dev/null

# CPack works in build/cpack; only the package goes to dist/.
rm -rf "$build/cpack"
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
shopt -s nullglob
debs=("$build"/cpack/tarvelo_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "package.sh: expected one package, found ${#debs[@]}" >&2; exit 1; }
mkdir -p "$dist"
rm -f "$dist"/tarvelo_*.deb  # one package, so "apt install ./dist/tarvelo_*.deb" names one
cp "${debs[0]}" "$dist/"
echo "$dist/$(basename "${debs[0]}")"
