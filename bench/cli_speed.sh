#!/usr/bin/env bash
# The command line's speed goals, as ratios measured in one run on one
# machine (wall time, best of three; peak memory):
#  - tarvelo-cli table with 1,000,000 rows against awk printing as many lines
#    of the same shape (goal: at most 0.6 times awk, memory flat);
#  - route inverse --points with 100,000 points against route table
#    --interval 2 on the same 1,000-JD road (goal: no slower).
#   bash bench/cli_speed.sh [BUILD_DIR]      # default build/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cli=$build/cli/tarvelo-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_long_route" "$work"

best() {  # best wall time of three runs and the peak memory, "seconds KiB"
  local best_s="" mem=0
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
    read -r s m <"$work/time"
    if [ -z "$best_s" ] || awk -v a="$s" -v b="$best_s" 'BEGIN{exit !(a<b)}'; then best_s=$s; fi
    [ "$m" -gt "$mem" ] && mem=$m
  done
  echo "$best_s $mem"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a/b}'; }

read -r table_s table_m < <(best "$cli" table --start 0 --end 999999 --interval 1)
read -r awk_s _ < <(best awk 'BEGIN{for(i=0;i<1000000;i++) printf "%d   0  90  %.4f  %.4f   %d°%02d'"'"'%05.2f\"\n", i, 3377706.6675+i, 455858.525+i, 152, 9, 41.68}')
echo "table, 1,000,000 rows: ${table_s} s, ${table_m} KiB; awk ${awk_s} s; ratio $(ratio "$table_s" "$awk_s") (goal <= 0.6)"

read -r route_s route_m < <(best "$cli" route table --route "$work/route.csv" --interval 2)
read -r inverse_s inverse_m < <(best "$cli" route inverse --route "$work/route.csv" --points "$work/points.csv")
echo "route table --interval 2: ${route_s} s, ${route_m} KiB"
echo "route inverse --points, 100,000 points: ${inverse_s} s, ${inverse_m} KiB; ratio $(ratio "$inverse_s" "$route_s") (goal <= 1)"
