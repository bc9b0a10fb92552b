#!/usr/bin/env bash
# The README's picture of the example route's DXF drawing (docs/route-example-dxf.png):
# the drawing Tarvelo writes, rendered by ezdxf's drawing add-on (python3-ezdxf,
# python3-matplotlib), the whole road beside a detail of JD5.
# Run after a build: bash scripts/render_route_example.sh [build folder]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$build/cli/tarvelo-cli" route export --route "$here/examples/route-example.csv" \
  --format dxf --interval 20 --out "$tmp/route-example.dxf"
# Detail: 140 m square around HY of JD5 (E 458457.6, N 3379963.6), the entry
# spiral meeting the arc.
/usr/bin/python3 "$here/scripts/render_dxf.py" "$tmp/route-example.dxf" "$here/docs/route-example-dxf.png" \
  --detail 458415 3379925 458555 3380065
