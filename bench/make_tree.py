#!/usr/bin/env python3
"""Builds a benchmark tree of nested folders once; later runs find it complete and return.

usage: make_tree.py DIR [FILES] [--flat]

Skewed on purpose: one top folder holds about 80 % of the files, so a walker that splits work
by top-level folder ends up on one core. Sizes follow a long tail, most files a few KB. With
--flat, every file sits directly in DIR: a walker that splits work by folder gets no split.
"""
import os
import random
import sys

root = sys.argv[1]
total = int(sys.argv[2]) if len(sys.argv) > 2 else 300_000
flat = "--flat" in sys.argv
stamp = os.path.join(root, ".complete")
if os.path.exists(stamp) and open(stamp).read() == str(total):
    sys.exit(0)

rng = random.Random(42)
os.makedirs(root, exist_ok=True)
chunk = b"q" * (1 << 20)


def write(path, size):
    with open(path, "wb") as f:
        while size > 0:
            n = min(size, len(chunk))
            f.write(chunk[:n])
            size -= n


def size():
    r = rng.random()
    if r < 0.30:
        return rng.randint(0, 512)
    if r < 0.90:
        return rng.randint(512, 16_384)
    if r < 0.995:
        return rng.randint(16_384, 262_144)
    return rng.randint(262_144, 4_000_000)


made = 0
if flat:
    for i in range(total):
        write(os.path.join(root, "f%07d" % i), size())
    made = total
# 80 %: big/pNNN/qNN/ with 100 files each.
big = 0 if flat else int(total * 0.8)
per_folder = 100
for folder in range(big // per_folder):
    path = os.path.join(root, "big", "p%03d" % (folder // 16), "q%02d" % (folder % 16))
    os.makedirs(path, exist_ok=True)
    for i in range(per_folder):
        write(os.path.join(path, "f%03d.dat" % i), size())
        made += 1
# The rest: 40 small top folders, three levels deep, with hidden files and an app bundle.
rest = total - made
for folder in range(0 if flat else rest // 50):
    top = "top%02d" % (folder % 40)
    path = os.path.join(root, top, "a%02d" % (folder // 40 % 10), "b%02d" % (folder // 400))
    if folder % 7 == 0:
        path = os.path.join(path, "Tool.app", "Contents", "Resources")
    os.makedirs(path, exist_ok=True)
    for i in range(50):
        name = (".hidden%02d" if i % 10 == 0 else "g%02d.txt") % i
        write(os.path.join(path, name), size())
        made += 1
while made < total:
    write(os.path.join(root, "loose%06d" % made), size())
    made += 1
if not flat:
    os.symlink(os.path.join(root, "big"), os.path.join(root, "link-to-big"))
with open(stamp, "w") as f:
    f.write(str(total))
print("made %d files in %s" % (made, root), file=sys.stderr)
