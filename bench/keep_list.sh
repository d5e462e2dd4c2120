#!/usr/bin/env bash
# What a keep list of 50 entries costs `quillo size` on the 300,000-file tree of size.sh, warm
# cache: 25 names (plain, "PREFIX*SUFFIX", "?" and bracket patterns) and 25 paths, some bearing on
# the tree at each depth, none matching anything in it, so that they cost and save nothing. Passed
# as --exclude, which is the keep list's own matching. Prints the median ratio of alternating rounds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
data=${QUILLO_BENCH_DATA:-$here/bench/data}
[ -d "$data/size-tree" ] || python3 "$here/bench/make_tree.py" "$data/size-tree" 300000
tree=$(cd "$data/size-tree" && pwd)
quillo="$here/build/Quillo/cli/quillo"
names=("*.iso" "*.vmdk" "*.qcow2" "*.vdi" "node_modules_kept" ".keepme" "Thumbs-keep*" "[Kk]eep-*" "*~kept"
       "*.bak?" "*.photoslibrary" "*.sparsebundle" "precious" "do-not-clean" "*.keep" "KEEP*" "backup-*.tar"
       "*.[0-9][0-9][0-9].part" "vault" "*.kdbx" "*.gpg" "secrets*" "*.wallet" "*.?keep" "archive-20??")
paths=("~/Projects/*/build" "~/Documents" "~/Pictures/*" "/media/*" "/mnt/backup" "~/.ssh" "~/.gnupg"
       "$tree/top0[0-9]/keep" "$tree/top*/a0?/kept" "$tree/top*/a*/b0*/kept.txt" "$tree/big/kept"
       "$tree/top01/a01/b01/c*/kept" "$tree/*/kept-*" "$tree/top0?/a??/b??/keep" "$tree/none"
       "~/Music/*" "~/Videos/Family" "~/src/*/target" "~/.local/share/keep" "~/.config/*" "/srv/*"
       "/opt/*/data" "$tree/top1*/keep*" "$tree/top05/a04/b00/g01.kept" "$tree/*/*/*/*/kept")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
exclusions=()
for entry in "${names[@]}" "${paths[@]}"; do exclusions+=(--exclude "$entry"); done
printf '%q ' "$quillo" size "${exclusions[@]}" "$tree" >"$out/keep50.sh"
if [ "$("$quillo" size "$tree" | cut -f1)" != "$(bash "$out/keep50.sh" | cut -f1)" ]; then
  echo "the keep list left something out of $tree" >&2
  exit 1
fi
find "$tree" -printf '%b\n' >/dev/null
# A burst of noise on this shared machine lands on one side of a single hyperfine run, so the
# sides are timed in alternating rounds and the median of the rounds' ratios is the answer. The
# command is handed to hyperfine as words, with no shell between, so that both sides start alike.
rounds=${QUILLO_BENCH_ROUNDS:-9}
for round in $(seq "$rounds"); do
  hyperfine -N --warmup 2 --runs 10 --style none --export-json "$out/round$round.json" \
    -n none "$quillo size $tree" -n keep50 "$(cat "$out/keep50.sh")" >/dev/null
done
python3 - "$out" "$rounds" <<'PY'
import json, statistics, sys
ratios, extra = [], []
for round in range(1, int(sys.argv[2]) + 1):
    runs = {r["command"]: r for r in json.load(open(f"{sys.argv[1]}/round{round}.json"))["results"]}
    none, keep = runs["none"], runs["keep50"]
    ratios.append(keep["median"] / none["median"])
    extra.append((keep["user"] - none["user"]) * 1000)
    print(f"round {round}: none {none['median'] * 1000:.0f} ms, keep50 {keep['median'] * 1000:.0f} ms, "
          f"ratio {ratios[-1]:.3f}, user time {extra[-1]:+.0f} ms")
print(f"keep50 / none: median of {len(ratios)} rounds {statistics.median(ratios):.3f} "
      f"(range {min(ratios):.3f}-{max(ratios):.3f}); extra user time {statistics.median(extra):+.0f} ms")
PY
