#!/usr/bin/env bash
# Renders the wizard's artwork (app/resources/src/*.svg, drawn by hand) into
# the PNG files that the program embeds (app/resources/*.png). Run by hand
# after changing a drawing; needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../app/resources"
rsvg-convert -w 164 -h 314 src/side.svg -o side.png
rsvg-convert -w 64 -h 64 src/icon.svg -o icon.png
rsvg-convert -w 256 -h 256 src/icon.svg -o icon-256.png
rsvg-convert -w 32 -h 32 src/floppy.svg -o floppy.png
rsvg-convert -w 32 -h 32 src/cd.svg -o cd.png
echo "wrote side.png icon.png icon-256.png floppy.png cd.png"
