#!/usr/bin/env bash
# `quillo size` against GNU `du -s` and `gdu`, warm cache, in one run: on a 300,000-file tree of
# nested folders skewed into one big folder, and on one flat folder of 100,000 files. Prints the
# mean times, the ratios and peak memory, and checks Quillo's totals against the sum of
# st_blocks x 512 over the regular files.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
QUILLO_BENCH=1 "$here/scripts/bootstrap"
"$here/scripts/build" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
data=${QUILLO_BENCH_DATA:-$here/bench/data}
python3 "$here/bench/make_tree.py" "$data/size-tree" 300000
python3 "$here/bench/make_tree.py" "$data/flat" 100000 --flat
quillo="$here/build/Quillo/cli/quillo"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

peak_kb() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1; }

compare() {
  local name=$1 tree=$2
  # Warm the cache: every inode read once.
  find "$tree" -printf '%b\n' >/dev/null
  local expected actual
  expected=$(find "$tree" -type f -printf '%b\n' | awk '{s += $1 * 512} END {printf "%.0f", s}')
  actual=$("$quillo" size "$tree" | cut -f1)
  if [ "$expected" != "$actual" ]; then
    echo "MISMATCH on $name: quillo size says $actual bytes, the files' blocks add up to $expected" >&2
    exit 1
  fi
  hyperfine -N --warmup 3 --runs 20 --style none --export-json "$out/$name.json" \
    -n quillo "$quillo size $tree" -n du "du -s $tree" -n gdu "gdu -n -s -p --no-prefix $tree" >/dev/null
  python3 - "$name" "$out/$name.json" "$actual" "$(peak_kb "$quillo" size "$tree")" "$(peak_kb du -s "$tree")" \
    "$(peak_kb gdu -n -s -p --no-prefix "$tree")" <<'PY'
import json, sys
name, path, total = sys.argv[1:4]
runs = {r["command"]: r for r in json.load(open(path))["results"]}
peaks = dict(zip(["quillo", "du", "gdu"], sys.argv[4:7]))
print(f"== {name}: total {int(total):,} bytes, equal to the files' blocks")
for tool in ["quillo", "du", "gdu"]:
    r = runs[tool]
    busy = (r["user"] + r["system"]) / r["mean"]
    print(f"  {tool:7s} mean {r['mean']:.3f} s  min {r['min']:.3f} s  cores busy {busy:.2f}  peak {int(peaks[tool]) / 1024:.0f} MB")
q = runs["quillo"]["mean"]
print(f"  du / quillo = {runs['du']['mean'] / q:.2f}x   gdu / quillo = {runs['gdu']['mean'] / q:.2f}x")
PY
}

compare nested "$data/size-tree"
compare flat "$data/flat"
