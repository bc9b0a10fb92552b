#!/usr/bin/env bash
# Installs what building and testing Tarvelo needs and is not yet on this
# Debian 12 machine. Run as root (or with sudo available).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  fonts-wqy-microhei
  python3-ezdxf
  # Excel workbooks: minizip reads them, libxlsxwriter writes them, openpyxl
  # reads them back in the tests
  libminizip-dev libxlsxwriter-dev python3-openpyxl
  clang-14 libclang-rt-14-dev llvm-14
  # the Debian package (scripts/package.sh) and its checks
  ccache dpkg-dev scdoc librsvg2-bin desktop-file-utils appstream lintian man-db file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
