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

shot() {  # shot FILE: the virtual desktop, cut to the windows on it
  local full=$1.full.png bg
  import -window root "$full"
  # The bottom-right corner is always desktop: its colour is trimmed away.
  bg=$(convert "$full" -format "%[pixel:p{$((width - 1)),$((height - 1))}]" info:)
  convert "$full" -bordercolor "$bg" -border 1 -trim +repage "$1"
  rm -f "$full"
  echo "$1"
}

# Wine draws the windows' frames itself in its virtual desktop (there is no
# window manager); keystrokes go to the window in front.
(cd "$root" && exec wine explorer /desktop=Tarvelo,${width}x${height} "$exe") >/dev/null 2>&1 &
wine_pid=$!
sleep 15
xdotool mousemove $((width / 2)) $((height - 5))
shot "$root/docs/windows-main.png"

# 工具(&T) → 线路计算 (its fifth item), then 文件 → 导入线路 (Ctrl+O) with the
# example's Windows path typed into the file dialog.
xdotool key --delay 400 alt+t Down Down Down Down Return
sleep 6
xdotool key ctrl+o
sleep 5
xdotool type --delay 30 "Z:${root//\//\\}\\examples\\route-example.csv"
xdotool key Return
sleep 8
shot "$root/docs/windows-route.png"
