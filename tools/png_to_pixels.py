#!/usr/bin/env python3
"""Turns a PNG into the pixel form the launcher carries its title-screen pictures in
(src/app/pixel_image.h): "MFPX", width, height, flags, then blue, green, red, alpha per
pixel, alpha not premultiplied. Run by the build with Debian's /usr/bin/python3 (PIL).
    png_to_pixels.py IN.png OUT.pixels
"""
import struct
import sys

from PIL import Image

OPAQUE = 1


def main(source, target):
    with Image.open(source) as picture:
        rgba = picture.convert("RGBA")
    width, height = rgba.size
    alpha_low, _ = rgba.getchannel("A").getextrema()
    flags = OPAQUE if alpha_low == 255 else 0
    with open(target, "wb") as out:
        out.write(struct.pack("<4sIII", b"MFPX", width, height, flags))
        out.write(rgba.tobytes("raw", "BGRA"))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
