#!/usr/bin/env bash
# The search for build folders tagged with CACHEDIR.TAG (the Developer Junk scan, which walks the
# whole home) against `quillo size` of the same 300,000-file tree, warm cache, in one run. A few
# tagged folders are added to a copy of bench/size.sh's tree; the search must find exactly those.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
QUILLO_BENCH=1 "$here/scripts/bootstrap"
"$here/scripts/build" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
data=${QUILLO_BENCH_DATA:-$here/bench/data}
tree=$data/size-tree
python3 "$here/bench/make_tree.py" "$tree" 300000
# Tagged folders as Cargo writes them, deep in the big folder and at the top; a tagged folder is
# not entered, so the ones chosen hold few files and the walk still covers the tree.
signature='Signature: 8a477f597d28d172789f06886806bc55'
for folder in big/p000/q00/target top00/a00/b00/target top01/build; do
  mkdir -p "$tree/$folder"
  printf '%s\n# This file is a cache directory tag.\n' "$signature" >"$tree/$folder/CACHEDIR.TAG"
done
quillo="$here/build/Quillo/cli/quillo"
search="$here/build/bench/quillo_find_build_folders"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

found=$("$search" "$tree" | sort | tr '\n' ' ')
expected="$tree/big/p000/q00/target $tree/top00/a00/b00/target $tree/top01/build "
if [ "$found" != "$expected" ]; then
  echo "MISMATCH: found $found, expected $expected" >&2
  exit 1
fi
find "$tree" -printf '%b\n' >/dev/null
hyperfine -N --warmup 3 --runs 20 --style none --export-json "$out/runs.json" \
  -n search "$search $tree" -n size "$quillo size $tree" >/dev/null
python3 - "$out/runs.json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
for name in ["search", "size"]:
    r = runs[name]
    print(f"  {name:7s} mean {r['mean']:.3f} s  min {r['min']:.3f} s  cores busy {(r['user'] + r['system']) / r['mean']:.2f}")
print(f"  search / size = {runs['search']['mean'] / runs['size']['mean']:.2f}x (at most 1 is the bar)")
PY
