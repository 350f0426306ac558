#!/usr/bin/env bash
# Whole-process figures of pomuran-cli at 32,767 draws (wall time and peak memory), the
# figures Google Benchmark cannot give: run from the repository after a build.
set -euo pipefail
bin=${1:-build/bin}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/draws.csv" <<'PY'
import random, sys
random.seed(7)
with open(sys.argv[1], "w", encoding="utf-8") as f:
    f.write("回数,日付,第1数字,第2数字,第3数字,第4数字,第5数字,ボーナス数字\n")
    for d in range(1, 32768):
        p = random.sample(range(1, 32), 6)
        m = sorted(p[:5])
        f.write(f"{d},2000-01-01,{m[0]},{m[1]},{m[2]},{m[3]},{m[4]},{p[5]}\n")
PY
"$bin/pomuran-cli" import "$work/draws.csv" --db "$work/draws.mdb" >/dev/null
measure() {
  local label=$1; shift
  local best=""
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
    read -r seconds kb <"$work/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($seconds < ${best%% *})}"; then best="$seconds $kb"; fi
  done
  read -r seconds kb <<<"$best"
  printf '%-58s %6.2f s %7.1f MB peak\n' "$label" "$seconds" "$(awk "BEGIN{print $kb/1024}")"
}
measure "show 分割10データ分析 --format json (32,767 draws, --db)" \
  "$bin/pomuran-cli" show 分割10データ分析 --db "$work/draws.mdb" --format json
measure "show 分割10データ分析 --format json (32,767 draws, --csv)" \
  "$bin/pomuran-cli" show 分割10データ分析 --csv "$work/draws.csv" --format json
measure "tables --csv (32,767 draws)" "$bin/pomuran-cli" tables --csv "$work/draws.csv"
