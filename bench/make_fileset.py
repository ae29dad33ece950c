#!/usr/bin/env python3
"""Makes a deterministic set of files for the archive benchmark.

A few hundred files in nested folders, about half of the bytes text (which
deflates well) and half incompressible, plus some partly compressible binary
files. The same seed and size always give the same files.

    make_fileset.py FOLDER [--size-mb 200] [--seed 1]
    make_fileset.py FOLDER --single-file-mb 1024   one large file of
        alternating text and random blocks
"""
import argparse
import os
import random

WORDS = ("setup archive disk component file folder registry shortcut install "
         "uninstall engine script header checksum version company product "
         "target source library runtime database driver language license "
         "release notes window background colour font option default").split()


def text_bytes(rng, size):
    lines = []
    total = 0
    while total < size:
        line = " ".join(rng.choices(WORDS, k=rng.randint(4, 14))) + "\r\n"
        lines.append(line)
        total += len(line)
    return "".join(lines).encode("ascii")[:size]


def partly_compressible(rng, size):
    # Records of a fixed layout: a counter, a few small numbers, random bytes.
    out = bytearray()
    n = 0
    while len(out) < size:
        out += n.to_bytes(4, "little") + bytes([n % 7, 0, 0, n % 3]) + rng.randbytes(8)
        n += 1
    return bytes(out[:size])


def single_file(args):
    rng = random.Random(args.seed)
    block = 8 * 1024 * 1024
    blocks = [text_bytes(rng, block), rng.randbytes(block),
              text_bytes(rng, block), rng.randbytes(block)]
    os.makedirs(args.folder, exist_ok=True)
    path = os.path.join(args.folder, "one.bin")
    with open(path, "wb") as f:
        for i in range(args.single_file_mb // 8):
            f.write(blocks[i % len(blocks)])
    print("%s: %d bytes" % (path, os.path.getsize(path)))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("folder")
    ap.add_argument("--size-mb", type=float, default=200)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--single-file-mb", type=int, default=0)
    args = ap.parse_args()

    if args.single_file_mb:
        single_file(args)
        return

    rng = random.Random(args.seed)
    target = int(args.size_mb * 1024 * 1024)
    folders = [""]
    for i in range(24):
        parent = rng.choice(folders)
        folders.append(os.path.join(parent, "dir%02d" % i))

    total = 0
    index = 0
    while total < target:
        # Sizes spread from 1 KB to 8 MB, most of them small.
        size = min(int(2 ** rng.uniform(10, 23)), target - total)
        kind = rng.random()
        if kind < 0.45:
            data, ext = text_bytes(rng, size), "txt"
        elif kind < 0.85:
            data, ext = rng.randbytes(size), "bin"
        else:
            data, ext = partly_compressible(rng, size), "dat"
        folder = os.path.join(args.folder, rng.choice(folders))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "file%04d.%s" % (index, ext)), "wb") as f:
            f.write(data)
        total += size
        index += 1
    print("%d files, %d bytes in %s" % (index, total, args.folder))


if __name__ == "__main__":
    main()
