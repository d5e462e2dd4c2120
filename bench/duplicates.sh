#!/usr/bin/env bash
# Quillo's duplicate search against `jdupes -r`, `rdfind`, `fdupes -r` and `rmlint`, warm cache,
# in one run, all with the module's minimum of 1,000,000 bytes, over a duplicate-rich tree of
# about 22,000 files and 5 GB (bench/make_duplicates_tree.py, kept in bench/data/ between
# runs). Checks that Quillo's sets equal jdupes's (hard links counted as one file), and prints
# the mean times, the ratios, how many cores each kept busy, and peak memory.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
QUILLO_BENCH=1 "$here/scripts/bootstrap"
"$here/scripts/build" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
data=${QUILLO_BENCH_DATA:-$here/bench/data}
tree="$data/dup-tree"
python3 "$here/bench/make_duplicates_tree.py" "$tree"
min=1000000
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

quillo="$here/build/bench/quillo_find_duplicates --min-size $min $tree"
jdupes="jdupes -q -r -X size+=:$min $tree"
rdfind="rdfind -minsize $min -makeresultsfile false $tree"
fdupes="fdupes -q -r -G $min $tree"
rmlint="rmlint -T df --size $min -o summary:/dev/null $tree"

# Warm the cache: every file read once.
find "$tree" -type f -exec cat {} + >/dev/null

$quillo >"$out/quillo.txt" || { echo "quillo_find_duplicates failed (status $?)" >&2; exit 1; }
$jdupes >"$out/jdupes.txt"
python3 "$here/bench/compare_sets.py" "$out/quillo.txt" "$out/jdupes.txt"

peak_kb() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1; }
peaks=()
for tool in quillo jdupes rdfind fdupes rmlint; do
  # shellcheck disable=SC2086
  peaks+=("$tool=$(peak_kb ${!tool})")
done

(cd "$out" && hyperfine -N --warmup 1 --runs 5 --style none --export-json "$out/times.json" \
  -n quillo "$quillo" -n jdupes "$jdupes" -n rdfind "$rdfind" -n fdupes "$fdupes" -n rmlint "$rmlint" >/dev/null)
python3 - "$out/times.json" "${peaks[@]}" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
peaks = dict(p.split("=") for p in sys.argv[2:])
q = runs["quillo"]["mean"]
for tool, r in runs.items():
    busy = (r["user"] + r["system"]) / r["mean"]
    ratio = "" if tool == "quillo" else f"   {tool} / quillo = {r['mean'] / q:.2f}x"
    print(f"  {tool:7s} mean {r['mean']:.3f} s  min {r['min']:.3f} s  cores busy {busy:.2f}  "
          f"peak {int(peaks[tool]) / 1024:.0f} MB{ratio}")
PY
