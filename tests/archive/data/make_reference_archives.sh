#!/usr/bin/env bash
# Makes the reference archives in this folder with other tools than ours, so
# that the reader's tests run on them where those tools are not installed.
# The archives are kept in git; run this only to make them again (Info-ZIP
# zip 3.0 and Python 3 made the ones here). The members and their contents
# are the ones ZipReaderTest.ReadsReferenceArchives (zip_reader_test.cpp)
# expects:
#
#   readme.txt       100 lines "Line <n> of the reference text\r\n"
#   Setup/data.bin   the bytes 0 to 255
#   Setup/empty.dat  no bytes
#
# infozip-deflate.zip   zip -r -9           deflated (data.bin stored), folder
#                       entry Setup/, Unix time and owner extra fields
# infozip-store.zip     zip -r -0 -X        stored, folder entry Setup/
# infozip-streamed.zip  zip -r -9 -X -fz- - readme.txt Setup | cat
#                       written to a pipe:
#                       every member with a data descriptor after its data,
#                       CRC and compressed size zero in its local header
# python-zipfile.zip    Python zipfile: readme.txt deflated, the others
#                       stored, a UTF-8 name (Docs/naïve.txt holding "naïve\r\n")
#                       and an archive comment
# python-streamed.zip   Python zipfile writing to a pipe (not seekable):
#                       deflated members with data descriptors
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

src="$work/src"
mkdir -p "$src/Setup"
for n in $(seq 1 100); do printf 'Line %d of the reference text\r\n' "$n"; done >"$src/readme.txt"
python3 -c 'import sys; sys.stdout.buffer.write(bytes(range(256)))' >"$src/Setup/data.bin"
: >"$src/Setup/empty.dat"
touch -t 202001021030.44 "$src/readme.txt" "$src/Setup/data.bin" "$src/Setup/empty.dat" "$src/Setup"

rm -f "$here"/*.zip
(cd "$src" && zip -q -r -9 "$here/infozip-deflate.zip" readme.txt Setup)
(cd "$src" && zip -q -r -0 -X "$here/infozip-store.zip" readme.txt Setup)
(cd "$src" && zip -q -r -9 -X -fz- - readme.txt Setup | cat >"$here/infozip-streamed.zip")

python3 - "$src" "$here" <<'PY'
import io, os, sys, zipfile

src, out = sys.argv[1:3]
def read(name):
    with open(os.path.join(src, name), "rb") as f:
        return f.read()
stamp = (2020, 1, 2, 10, 30, 44)

def member(name, method):
    info = zipfile.ZipInfo(name, stamp)
    info.compress_type = method
    return info

with zipfile.ZipFile(os.path.join(out, "python-zipfile.zip"), "w") as z:
    z.writestr(member("readme.txt", zipfile.ZIP_DEFLATED), read("readme.txt"))
    z.writestr(member("Setup/data.bin", zipfile.ZIP_STORED), read("Setup/data.bin"))
    z.writestr(member("Setup/empty.dat", zipfile.ZIP_STORED), b"")
    z.writestr(member("Docs/na\u00efve.txt", zipfile.ZIP_STORED), "na\u00efve\r\n".encode())
    z.comment = b"Made by Python zipfile"

class Pipe(io.RawIOBase):
    """A stream that cannot seek or tell, as a pipe."""
    def __init__(self):
        self.data = bytearray()
    def writable(self):
        return True
    def write(self, b):
        self.data += b
        return len(b)

pipe = Pipe()
with zipfile.ZipFile(pipe, "w", zipfile.ZIP_DEFLATED) as z:
    for name in ("readme.txt", "Setup/data.bin", "Setup/empty.dat"):
        with z.open(member(name, zipfile.ZIP_DEFLATED), "w") as f:
            f.write(read(name))
with open(os.path.join(out, "python-streamed.zip"), "wb") as f:
    f.write(pipe.data)
PY
ls -l "$here"/*.zip
