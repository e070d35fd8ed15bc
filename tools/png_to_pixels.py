#!/usr/bin/env python3
"""Turns a PNG into the pixel form the launcher carries its title-screen pictures in
(src/app/pixel_image.h): "MFPX", width, height, flags, then blue, green, red, alpha per
pixel, colours premultiplied by alpha. Run by the build with Debian's /usr/bin/python3 (PIL).
    png_to_pixels.py IN.png OUT.pixels [--width W]
With --width the picture is scaled here, once and with a high-quality filter, to the width
it is drawn at (the height keeping its proportion), so that the launcher draws it pixel for
pixel instead of resampling it at every start.
"""
import argparse
import struct

from PIL import Image

OPAQUE = 1
PREMULTIPLIED = 2


def premultiplied_bgra(rgba):
    """The pixels as blue, green, red, alpha with each colour scaled by alpha, rounded."""
    out = bytearray(rgba.tobytes("raw", "BGRA"))
    for at in range(0, len(out), 4):
        alpha = out[at + 3]
        if alpha != 255:
            for channel in range(at, at + 3):
                out[channel] = (out[channel] * alpha + 127) // 255
    return bytes(out)


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("source")
    parser.add_argument("target")
    parser.add_argument("--width", type=int)
    arguments = parser.parse_args()
    with Image.open(arguments.source) as picture:
        rgba = picture.convert("RGBA")
    if arguments.width and arguments.width != rgba.width:
        height = int(rgba.height * arguments.width / rgba.width)
        # Scaled with premultiplied colours, so that the transparent pixels' colours do not
        # bleed into the edges.
        rgba = rgba.convert("RGBa").resize((arguments.width, height), Image.LANCZOS).convert("RGBA")
    width, height = rgba.size
    alpha_low, _ = rgba.getchannel("A").getextrema()
    flags = PREMULTIPLIED | (OPAQUE if alpha_low == 255 else 0)
    with open(arguments.target, "wb") as out:
        out.write(struct.pack("<4sIII", b"MFPX", width, height, flags))
        out.write(premultiplied_bgra(rgba))


if __name__ == "__main__":
    main()
