#!/usr/bin/env python3
"""Compares the duplicate sets two tools printed (paths one a line, a blank line after each set).

usage: compare_sets.py QUILLO_OUTPUT JDUPES_OUTPUT

Hard links are one file: each path is replaced by its (device, inode), sets that are left with a
single file are dropped, and what remains is compared as sets of sets. Exit status 1 on any
difference, with the differing sets printed.
"""
import os
import sys


def sets(path):
    found = set()
    for block in open(path).read().split("\n\n"):
        identities = frozenset((s.st_dev, s.st_ino) for s in map(os.stat, filter(None, block.splitlines())))
        if len(identities) >= 2:
            found.add(identities)
    return found


quillo, reference = sets(sys.argv[1]), sets(sys.argv[2])
if quillo == reference:
    print(f"  sets equal: {len(quillo)} sets of {sum(len(s) for s in quillo)} distinct files")
    sys.exit(0)
print(f"  SETS DIFFER: {len(quillo - reference)} only in Quillo's, {len(reference - quillo)} only in the reference",
      file=sys.stderr)
sys.exit(1)
