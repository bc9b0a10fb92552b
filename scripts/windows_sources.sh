# Sourced by the scripts that cross-build libraries for Windows from Debian's
# source packages (windows_qt.sh, windows_xlsx_deps.sh). Sets `cache` (the
# folder they build in, made and owned by the caller) and `sudo_cmd`;
# debian_sources adds the deb-src twin of the bookworm line when there is
# none, so that `apt-get source` works.
cache=${TARVELO_QT_MINGW_CACHE:-/var/cache/tarvelo-qt-mingw}
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" mkdir -p "$cache"
"${sudo_cmd[@]}" chown "$(id -u):$(id -g)" "$cache"

debian_sources() {
  if ! grep -rqs '^Types: *deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "Adding Debian's bookworm source lines (deb-src)"
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm bookworm-updates' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tarvelo-deb-src.sources >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
  fi
}
