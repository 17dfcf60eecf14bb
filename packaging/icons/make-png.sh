#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG into NxN/vantrel-tiff-reader.png beside this
# script. The PNGs are committed, so neither the build nor the package needs the renderer;
# run this after changing the SVG (needs rsvg-convert, from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" -o "${size}x${size}/vantrel-tiff-reader.png" vantrel-tiff-reader.svg
done
