#!/usr/bin/env python3
"""Builds a duplicate-rich tree once; later runs find it complete and return.

usage: make_duplicates_tree.py DIR

About 22,000 files and 4 GB. Large files (1-9 MB, most near the low end), 1,400 of them:
  600 of a size no other file has,
  100 triples of identical copies,
  100 same-size pairs equal in their first 64 KiB and different somewhere after,
   50 four-file groups of one size differing from the first byte,
   50 pairs of identical 8 MB copies,
plus hard links to some of them (a second name for a copy, and for a file of unique content).
Small files (20,000, up to 900 KB, long tail, a tenth of them empty): a third are copies of
other small files, some hard-linked. Content is random but fixed by the seed, so every run builds
the same tree. No hidden files, packages or build folders: every tool compared sees the same files.
"""
import os
import random
import sys

root = sys.argv[1]
stamp = os.path.join(root, ".complete")
VERSION = "1"
if os.path.exists(stamp) and open(stamp).read() == VERSION:
    sys.exit(0)

rng = random.Random(20240607)
MB = 1_000_000
# Random bytes to cut file contents from; a file's first 16 bytes make it unique.
pool = rng.randbytes(32 << 20)
counter = 0


def content(size, unique=True):
    """`size` bytes of random-looking data, different from every other call's when `unique`."""
    global counter
    counter += 1
    head = counter.to_bytes(16, "little") if unique else b""
    start = rng.randrange(0, len(pool) // 2)
    body = bytearray()
    while len(body) < size:
        body += pool[start:start + size - len(body)]
        start = 0
    return (head + bytes(body))[:size]


folders = []


def place(name, data):
    folder = rng.choice(folders)
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


def large_size():
    return min(9 * MB, MB + int(rng.expovariate(1 / (1.6 * MB))))


for a in range(20):
    for b in range(6):
        folder = os.path.join(root, "home%02d" % a, "sub%d" % b)
        os.makedirs(folder, exist_ok=True)
        folders.append(folder)

used_sizes = set()


def fresh_size(pick):
    while True:
        size = pick()
        if size not in used_sizes:
            used_sizes.add(size)
            return size


large = []
for i in range(600):
    large.append(place("unique%03d.bin" % i, content(fresh_size(large_size))))
for i in range(100):
    data = content(fresh_size(large_size))
    large += [place("triple%03d-%d.bin" % (i, k), data) for k in range(3)]
for i in range(100):
    size = fresh_size(large_size)
    first = content(size)
    cut = rng.randrange(64 * 1024, size)
    second = first[:cut] + bytes([first[cut] ^ 0xFF]) + first[cut + 1:]
    large += [place("prefix%03d-a.bin" % i, first), place("prefix%03d-b.bin" % i, second)]
for i in range(50):
    size = fresh_size(large_size)
    large += [place("four%03d-%d.bin" % (i, k), content(size)) for k in range(4)]
for i in range(50):
    data = content(8 * MB + i)
    large += [place("eight%03d-%d.bin" % (i, k), data) for k in range(2)]

links = 0
for source in rng.sample(large, 60):
    os.link(source, os.path.join(rng.choice(folders), "link%03d-%s" % (links, os.path.basename(source))))
    links += 1


def small_size():
    r = rng.random()
    if r < 0.10:
        return 0
    if r < 0.40:
        return rng.randint(1, 512)
    if r < 0.90:
        return rng.randint(512, 32_768)
    return rng.randint(32_768, 900_000)


small = []
for i in range(20_000):
    if small and rng.random() < 0.33:
        source = rng.choice(small)
        data = open(source, "rb").read()
    else:
        data = content(small_size())
    small.append(place("small%05d.dat" % i, data))
for source in rng.sample(small, 200):
    os.link(source, os.path.join(rng.choice(folders), "slink%03d-%s" % (links, os.path.basename(source))))
    links += 1

with open(stamp, "w") as f:
    f.write(VERSION)
print("made %d files and %d hard links in %s" % (len(large) + len(small), links, root), file=sys.stderr)
