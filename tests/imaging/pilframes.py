#!/usr/bin/env python3
"""pilframes.py FILE OUT_DIR: every frame of an animated picture as Pillow composes it, written
as OUT_DIR/N.png (RGBA, N from 1); prints "loop L" and then one frame duration in milliseconds
a line. Exits 77 when Pillow is not installed."""
import sys

try:
    from PIL import Image, ImageSequence
except ImportError:
    sys.exit(77)

with Image.open(sys.argv[1]) as picture:
    print(f"loop {picture.info.get('loop', 'none')}")
    for n, frame in enumerate(ImageSequence.Iterator(picture), start=1):
        frame.convert("RGBA").save(f"{sys.argv[2]}/{n}.png")
        print(round(frame.info.get("duration", -1)))
