#!/usr/bin/env python3
"""Writes the Debian change log (gzip, as the package installs it) from
CHANGELOG.md: one entry per "## VERSION - YYYY-MM-DD" heading, its "- "
items as the entry's lines.

  debian_changelog.py CHANGELOG.md OUT.gz [VERSION]

With VERSION, the newest heading must name it (the version lives in CMake).
"""
import datetime
import gzip
import re
import sys
import textwrap

MAINTAINER = "Vantrel developers <vantrel@example.org>"


def main():
    source, out = sys.argv[1], sys.argv[2]
    expected = sys.argv[3] if len(sys.argv) > 3 else None
    entries = []
    for block in re.split(r"^## ", open(source, encoding="utf-8").read(), flags=re.M)[1:]:
        heading, _, body = block.partition("\n")
        m = re.match(r"(\S+) - (\d{4})-(\d\d)-(\d\d)\s*$", heading)
        if not m:
            sys.exit(f"{source}: a heading is not 'VERSION - YYYY-MM-DD': {heading}")
        items = [" ".join(i.split()) for i in re.split(r"^- ", body, flags=re.M)[1:]]
        entries.append((m.group(1), datetime.date(*map(int, m.group(2, 3, 4))), items))
    if not entries:
        sys.exit(f"{source}: no version")
    if expected and entries[0][0] != expected:
        sys.exit(f"{source}: the newest version is {entries[0][0]}, CMake says {expected}")
    text = ""
    for version, date, items in entries:
        text += f"vantrel ({version}-1) unstable; urgency=medium\n\n"
        for item in items:
            item = item.replace("`", "")
            text += textwrap.fill(item, 78, initial_indent="  * ", subsequent_indent="    ") + "\n"
        stamp = date.strftime("%a, %d %b %Y") + " 00:00:00 +0000"
        text += f"\n -- {MAINTAINER}  {stamp}\n\n"
    with open(out, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as f:
            f.write(text.rstrip("\n").encode() + b"\n")


if __name__ == "__main__":
    main()
