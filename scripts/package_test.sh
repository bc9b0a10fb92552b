#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as an office
# computer would get it: control fields and file list, the desktop entry, the
# AppStream metadata, icons and manual pages read by Debian's own tools,
# lintian, and the unpacked programs run from a temporary root, where the
# window must find its help page and examples without the build tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
started=$SECONDS
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
log=$tmp/check.log
fail() { echo "package_test: FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
expect() {  # expect DESCRIPTION COMMAND...: the command must succeed; its output shows on failure
  local what=$1; shift
  if "$@" >"$log" 2>&1; then pass "$what"; else fail "$what"; sed 's/^/  | /' "$log" >&2; fi
}

deb=$(bash "$root/scripts/package.sh" | tail -n 1)
version=$(sed -n 's/^project(Tarvelo VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
arch=$(dpkg --print-architecture)
[ -n "$version" ] || { fail "no version in the project line"; exit 1; }
expect "package named tarvelo_${version}_${arch}.deb in dist/" \
  test "$deb" = "$root/dist/tarvelo_${version}_${arch}.deb" -a -f "$deb"


# --- control fields
field() { dpkg-deb -f "$deb" "$1"; }
expect "Package: tarvelo" test "$(field Package)" = tarvelo
expect "Version: $version" test "$(field Version)" = "$version"
expect "Section: science" test "$(field Section)" = science
expect "Architecture: $arch" test "$(field Architecture)" = "$arch"
expect "a maintainer with an address" grep -Eq '^[^<]+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6; do
  expect "Depends names $lib" grep -q "\b$lib\b" <<<"$depends"
done
echo "   Depends: $depends"
description=$(field Description)
expect "description in English" grep -q "route surveyors" <<<"$description"
expect "description in Chinese" grep -q "曲线要素和五大桩" <<<"$description"

# --- file list: what must be there, and nothing outside /usr/bin and /usr/share
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' | grep -v '/$' | sort >"$tmp/files"
wanted=(
  /usr/bin/tarvelo /usr/bin/tarvelo-cli
  /usr/share/applications/org.example.tarvelo.Tarvelo.desktop
  /usr/share/metainfo/org.example.tarvelo.Tarvelo.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/tarvelo.svg
  /usr/share/man/man1/tarvelo-cli.1.gz /usr/share/man/man1/tarvelo.1.gz
  /usr/share/doc/tarvelo/copyright /usr/share/doc/tarvelo/changelog.gz
)
sizes=(16 22 24 32 48 64 128 256)
for size in "${sizes[@]}"; do wanted+=("/usr/share/icons/hicolor/${size}x${size}/apps/tarvelo.png"); done
while IFS= read -r f; do wanted+=("/usr/share/tarvelo/help/$f"); done \
  < <(cd "$root/docs/help" && find . -type f | sed 's|^\./||')
shopt -s nullglob
examples=("$root"/examples/*.csv "$root"/examples/*.txt)
shopt -u nullglob
for f in "${examples[@]}"; do wanted+=("/usr/share/tarvelo/examples/$(basename "$f")"); done
missing=$(printf '%s\n' "${wanted[@]}" | sort | comm -23 - "$tmp/files")
expect "file list holds all ${#wanted[@]} expected files${missing:+ (missing: $missing)}" test -z "$missing"
stray=$(grep -Ev '^/usr/(bin|share)/' "$tmp/files" || true)
expect "nothing outside /usr/bin and /usr/share${stray:+ (found: $stray)}" test -z "$stray"
expect "at least one example file packaged" test "${#examples[@]}" -gt 0

# --- unpack into a temporary root
dpkg-deb -x "$deb" "$tmp/root"
usr=$tmp/root/usr

desktop=$usr/share/applications/org.example.tarvelo.Tarvelo.desktop
metainfo=$usr/share/metainfo/org.example.tarvelo.Tarvelo.metainfo.xml
expect "desktop-file-validate accepts the menu entry" desktop-file-validate "$desktop"
expect "menu entry names Tarvelo in Chinese" grep -qx 'Name\[zh_CN\]=Tarvelo 曲线放样计算' "$desktop"
expect "menu entry starts the packaged program" grep -qx 'Exec=tarvelo' "$desktop"
expect "appstreamcli validate accepts the metadata" appstreamcli validate --no-net "$metainfo"
expect "appstreamcli validate-tree accepts the installed tree" appstreamcli validate-tree --no-net "$tmp/root"
expect "metadata release is $version" grep -q "<release version=\"$version\"" "$metainfo"
expect "metadata launches the packaged menu entry" \
  grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo"
for size in "${sizes[@]}"; do
  expect "icon ${size}x${size} is a PNG of that size" \
    grep -q "PNG image data, $size x $size," <<<"$(file "$usr/share/icons/hicolor/${size}x${size}/apps/tarvelo.png")"
done
expect "scalable icon is SVG" grep -q "SVG" <<<"$(file "$usr/share/icons/hicolor/scalable/apps/tarvelo.svg")"

for page in tarvelo-cli tarvelo; do
  man_file=$usr/share/man/man1/$page.1.gz
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$man_file" 2>/dev/null || true)
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$man_file" 2>&1 >/dev/null || true)
  expect "man shows $page(1) with its Chinese terms" grep -q "曲线放样计算" <<<"$text"
  expect "man page $page(1) renders without warnings${warnings:+: $warnings}" test -z "$warnings"
done
expect "tarvelo-cli(1) documents --help and --version" \
  grep -q -- "--version" <<<"$(LC_ALL=C.UTF-8 man -E UTF-8 -l "$usr/share/man/man1/tarvelo-cli.1.gz" 2>/dev/null)"

# --- lintian: no errors; warnings and notes are printed (explained in packaging/lintian.md)
lintian_out=$(lintian --fail-on error "$deb" 2>&1) && lintian_ok=1 || lintian_ok=0
grep -v 'running with root privileges' <<<"$lintian_out" | sed 's/^/   lintian: /' || true
expect "lintian reports no errors" test "$lintian_ok" = 1
expect "lintian error lines absent" test -z "$(grep '^E: ' <<<"$lintian_out" || true)"

# --- the unpacked programs: no library or path of the build machine
for program in tarvelo tarvelo-cli; do
  expect "$program finds every library (ldd)" \
    test -z "$(env -u LD_LIBRARY_PATH ldd "$usr/bin/$program" | grep 'not found' || true)"
  expect "$program holds no path of this checkout ($root)" \
    test "$(grep -c -F "$root" "$usr/bin/$program" || true)" = 0
done

cli=$usr/bin/tarvelo-cli
run_cli() { env -u LD_LIBRARY_PATH "$cli" "$@"; }
expect "unpacked tarvelo-cli elements prints the five main stakes" \
  test "$(run_cli elements | grep -cE '^(ZH|HY|QZ|YH|HZ)	')" = 5
expect "unpacked tarvelo-cli inverse finds station 10+000 on the centreline" \
  test "$(run_cli inverse --x 3377706.6675 --y 455858.525)" = "$(printf '10+000.0000\n中 0')"
expect "tarvelo-cli --version prints $version" test "$(run_cli --version)" = "tarvelo-cli $version"
expect "tarvelo-cli --help prints the usage" grep -q '^用法：tarvelo-cli 子命令' <<<"$(run_cli --help)"
expect "tarvelo-cli point --help prints the point usage" \
  grep -q '^用法：tarvelo-cli point ' <<<"$(run_cli point --help)"
expect "tarvelo-cli route table --help prints the route table usage" \
  grep -q '^用法：tarvelo-cli route table ' <<<"$(run_cli route table --help)"
status=0
run_cli --frobnicate >/dev/null 2>"$tmp/err" || status=$?
expect "an unknown option is refused in Chinese with status 1" \
  test "$status" = 1 -a "$(head -n 1 "$tmp/err")" = "tarvelo-cli: 未知的选项：--frobnicate。"
for example in "$usr"/share/tarvelo/examples/route*.csv; do
  [ -e "$example" ] || continue
  expect "unpacked tarvelo-cli computes the packaged $(basename "$example")" \
    run_cli route elements --route "$example"
done
route_example=$usr/share/tarvelo/examples/route-example.csv
for example in "$usr"/share/tarvelo/examples/profile*.csv; do
  [ -e "$example" ] && [ -e "$route_example" ] || continue
  expect "unpacked tarvelo-cli computes the packaged $(basename "$example") along the example route" \
    run_cli route profile --route "$route_example" --profile "$example"
done

# --- the unpacked window, offscreen, finds its help page and examples in the
# unpacked tree; the standard data folders are emptied so nothing else can.
mkdir -p "$tmp/empty"
status=0
env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen TARVELO_SELF_CHECK=1 \
  XDG_DATA_HOME="$tmp/empty" XDG_DATA_DIRS="$tmp/empty" \
  timeout 60 "$usr/bin/tarvelo" >"$tmp/self-check" 2>"$tmp/self-check.err" || status=$?
expect "unpacked window starts offscreen and ends its self-check with status 0 (got $status)" test "$status" = 0
expect "unpacked window finds its help page in the unpacked tree" \
  grep -qxF "帮助页面：$usr/share/tarvelo/help/index.html" "$tmp/self-check"
expect "unpacked window finds its examples in the unpacked tree" \
  grep -qxF "示例文件：$usr/share/tarvelo/examples" "$tmp/self-check"
rm "$usr/share/tarvelo/help/index.html"
status=0
env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen TARVELO_SELF_CHECK=1 \
  XDG_DATA_HOME="$tmp/empty" XDG_DATA_DIRS="$tmp/empty" \
  timeout 60 "$usr/bin/tarvelo" >"$tmp/self-check" 2>/dev/null || status=$?
expect "without the page the self-check says so and fails" \
  test "$status" = 1 -a "$(head -n 1 "$tmp/self-check")" = "帮助页面：未找到"

# The help page is the one text that carries the version by hand.
expect "help page names Tarvelo V$version" grep -q "Tarvelo V$version" "$root/docs/help/index.html"

echo "package_test: $(du -k "$deb" | cut -f1) KiB package, $((SECONDS - started)) s, $failures failure(s)"
[ "$failures" -eq 0 ]
