#!/usr/bin/env bash
# Pictures of the Windows build running under wine, for the README:
#   docs/windows-main.png    the main window
#   docs/windows-route.png   the route window with examples/route-example.csv,
#                            opened through the menus and the file dialog by
#                            keystrokes (xdotool), as a user would
# Run after scripts/windows.sh (it needs build-windows/app/tarvelo.exe).
# Everything runs in wine's virtual desktop on a private Xvfb display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build-windows/app/tarvelo.exe
[ -f "$exe" ] || { echo "windows_screenshots.sh: no $exe (run scripts/windows.sh first)" >&2; exit 1; }
for tool in Xvfb xdotool import wine; do
  command -v "$tool" >/dev/null || { echo "windows_screenshots.sh: $tool is missing (xvfb, xdotool, imagemagick, wine)" >&2; exit 1; }
done
export WINEPREFIX=${TARVELO_WINEPREFIX:-/var/cache/tarvelo-qt-mingw/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
width=1280 height=860
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wine_pid=
cleanup() {
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 2

shot() {  # shot FILE: the virtual desktop, cropped to its windows
  import -window root "$1.full.png"
  convert "$1.full.png" -trim +repage "$1"
  rm -f "$1.full.png"
  echo "$1"
}
wait_for() {  # wait_for NAME: until a window whose title holds NAME is shown
  for _ in $(seq 60); do
    xdotool search --name "$1" >/dev/null 2>&1 && return 0
    sleep 1
  done
  echo "windows_screenshots.sh: no window named $1 appeared" >&2
  return 1
}

(cd "$root" && exec wine explorer /desktop=Tarvelo,${width}x${height} "$exe") >/dev/null 2>&1 &
wine_pid=$!
wait_for "测量工程"
sleep 4
shot "$root/docs/windows-main.png"

# 工具(&T) → 线路计算 (the fifth item), then 文件 → 导入线路 (Ctrl+O) and the
# example's Windows path typed into the file dialog.
main=$(xdotool search --name "测量工程" | head -n 1)
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main" || true
xdotool key --delay 300 alt+t Down Down Down Down Return
wait_for "线路计算"
sleep 2
xdotool key ctrl+o
sleep 4
xdotool type --delay 40 "Z:${root//\//\\}\\examples\\route-example.csv"
xdotool key Return
sleep 6
route=$(xdotool search --name "线路计算" | head -n 1)
xdotool windowsize "$route" 1200 800 2>/dev/null || true
sleep 2
shot "$root/docs/windows-route.png"
