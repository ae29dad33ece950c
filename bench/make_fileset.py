#!/usr/bin/env python3
"""Makes a deterministic set of files for the archive and media benchmarks.

A few hundred files in nested folders, about half of the bytes text (which
deflates well) and half incompressible, plus some partly compressible binary
files. The same seed and the same options always give the same files.

    make_fileset.py FOLDER [--size-mb 200] [--seed 1]
    make_fileset.py FOLDER --single-file-mb 1024   one large file of
        alternating text and random blocks
    make_fileset.py FOLDER --files 2000 [--size-mb 200]
        exactly that many files of the size in all: text, gzip files and
        random bytes (already compressed), partly compressible records
    make_fileset.py FOLDER --tiny 10000
        that many text files of a few hundred bytes, 20 to a folder, in
        folders four levels deep
    make_fileset.py FOLDER --tiny 3000 --flat
        the same files all in FOLDER itself (--tiny 1 --flat: a single file)
"""
import argparse
import gzip
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


def text_pool(rng, size):
    # Slices of one pool of random words read like fresh text to a deflater
    # whose window is far smaller than the pool, and cost far less to make.
    return text_bytes(rng, size)


def pool_slice(rng, pool, size):
    start = rng.randrange(0, len(pool) - size) if size < len(pool) else 0
    return pool[start:start + size]


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def tiny_files(args):
    rng = random.Random(args.seed)
    pool = text_pool(rng, 1024 * 1024)
    exts = ("txt", "ini", "cfg", "htm", "xml")
    per_folder = 20
    total = 0
    for i in range(args.tiny):
        if args.flat:
            folder = args.folder
        else:
            # Folder number i // 20 spelled in base 8 over four levels.
            f = i // per_folder
            digits = [(f >> shift) & 7 for shift in (9, 6, 3, 0)]
            folder = os.path.join(args.folder, *("%s%d" % (c, d)
                                                 for c, d in zip("abcd", digits)))
        head = ("; item %d of the set\r\n" % i).encode("ascii")
        data = head + pool_slice(rng, pool, rng.randint(150, 700))
        write_file(os.path.join(folder, "item%05d.%s" % (i, exts[i % len(exts)])), data)
        total += len(data)
    print("%d tiny files, %d bytes in %s" % (args.tiny, total, args.folder))


def counted_mix(args):
    # Sizes spread from 1 KB to 2 MB, most of them small, then scaled so
    # that the files add up to the size asked for.
    rng = random.Random(args.seed)
    target = int(args.size_mb * 1024 * 1024)
    sizes = [2 ** rng.uniform(10, 21) for _ in range(args.files)]
    scale = target / sum(sizes)
    sizes = [max(1, int(s * scale)) for s in sizes]
    folders = [""]
    for i in range(max(24, args.files // 40)):
        parent = rng.choice(folders)
        folders.append(os.path.join(parent, "dir%03d" % i))
    pool = text_pool(rng, 4 * 1024 * 1024)
    total = 0
    for index, size in enumerate(sizes):
        kind = rng.random()
        if kind < 0.40:
            data, ext = pool_slice(rng, pool, size), "txt"
        elif kind < 0.55:
            # Gzip-deflated text, cut to size: it does not shrink again.
            raw = pool_slice(rng, pool, min(len(pool), size * 5))
            data, ext = gzip.compress(raw, 6, mtime=0)[:size], "gz"
        elif kind < 0.75:
            data, ext = rng.randbytes(size), "png"
        else:
            data, ext = partly_compressible(rng, size), "dat"
        folder = os.path.join(args.folder, rng.choice(folders))
        write_file(os.path.join(folder, "file%05d.%s" % (index, ext)), data)
        total += len(data)
    print("%d files, %d bytes in %s" % (len(sizes), total, args.folder))


def single_file(args):
    rng = random.Random(args.seed)
    block = 8 * 1024 * 1024
    blocks = [text_bytes(rng, block), rng.randbytes(block),
              text_bytes(rng, block), rng.randbytes(block)]
    os.makedirs(args.folder, exist_ok=True)
    path = os.path.join(args.folder, "one.bin")
    count = args.single_file_mb // 8
    with open(path, "wb") as f:
        for i in range(count):
            if args.random_then_text:
                # The first half random, the second half text.
                f.write(blocks[1 + 2 * (i % 2)] if i < count // 2 else blocks[2 * (i % 2)])
            else:
                f.write(blocks[i % len(blocks)])
    print("%s: %d bytes" % (path, os.path.getsize(path)))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("folder")
    ap.add_argument("--size-mb", type=float, default=200)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--single-file-mb", type=int, default=0)
    ap.add_argument("--files", type=int, default=0)
    ap.add_argument("--tiny", type=int, default=0)
    ap.add_argument("--flat", action="store_true")
    ap.add_argument("--random-then-text", action="store_true")
    args = ap.parse_args()

    if args.single_file_mb:
        single_file(args)
        return
    if args.tiny:
        tiny_files(args)
        return
    if args.files:
        counted_mix(args)
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
