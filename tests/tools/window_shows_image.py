#!/usr/bin/env python3
"""Whether a screenshot shows an 8-bit grey TIFF in the main window's picture at full range.

    window_shows_image.py WININFO SCREEN_PNG SAMPLE_TIF

WININFO is what `xwininfo` printed for the window (its absolute upper-left corner).
Exit 0 when at least 99 % of the picture's pixels match the image.
"""
import re
import sys

from PIL import Image

win_txt, screen_png, sample = sys.argv[1:4]
win = open(win_txt).read()
ox = int(re.search(r"Absolute upper-left X:\s+(-?\d+)", win).group(1))
oy = int(re.search(r"Absolute upper-left Y:\s+(-?\d+)", win).group(1))
screen = Image.open(screen_png).convert("L")
image = Image.open(sample).convert("L")
# The picture sits inside the 2-pixel frame of its area at (240, 120) twips; display pixel
# (c, r) shows image pixel (2c - 2, 2r - 2) counted from 0, at full range.
px0, py0 = ox + (240 + 7) // 15 + 2, oy + (120 + 7) // 15 + 2
side = image.width // 2
same = sum(screen.getpixel((px0 + c, py0 + r)) == image.getpixel((2 * c - 2, 2 * r - 2))
           for r in range(1, side) for c in range(1, side))
total = (side - 1) ** 2
print(f"the window shows the opened image in {same} of {total} pixels")
sys.exit(0 if same >= total * 0.99 else 1)
