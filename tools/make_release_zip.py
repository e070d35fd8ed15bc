#!/usr/bin/env python3
"""Makes a release-shaped zip for the update benchmark: one top folder with the launcher,
the game and its DLLs, and a few hundred prompt, texture and native files; the zip is
about SIZE MB. Contents are pseudo-random with some repetition, so they compress a little, as
real program files do.

    make_release_zip.py OUT.zip LAUNCHER_EXE [SIZE_MB]
"""
import os
import random
import sys
import zipfile


def blob(rng, size):
    # Mostly random with some repetition: compresses to roughly 85-90 %, as program files do.
    chunk = rng.randbytes(4096)
    parts = []
    while size > 0:
        piece = rng.randbytes(4096) if rng.random() < 0.85 else chunk
        parts.append(piece[:size])
        size -= len(piece)
    return b"".join(parts)


def main():
    out, launcher = sys.argv[1], sys.argv[2]
    total_mb = int(sys.argv[3]) if len(sys.argv) > 3 else 150
    rng = random.Random(20260310)
    top = "MFRecomp-v2.0.12/"
    mb = 1024 * 1024
    files = {
        "mirefall.exe": 70 * mb,
        "hxbruntimerd.dll": 30 * mb,
        "hxbgpu-xenosrd.dll": 22 * mb,
        "TracyClientrd.dll": 2 * mb,
        "amd_fidelityfx_dx12drel.dll": 6 * mb,
        "gamecontrollerdb.txt": 300 * 1024,
        "README.txt": 4 * 1024,
    }
    scale = total_mb / 150.0
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as archive:
        with open(launcher, "rb") as exe:
            archive.writestr(top + "PlayMirefall.exe", exe.read())
        for name, size in files.items():
            archive.writestr(top + name, blob(rng, int(size * scale)))
        for style in ("xbox", "playstation", "keyboard"):
            for index in range(100):
                archive.writestr("%sprompts/%s/icon_%03d.png" % (top, style, index), blob(rng, 12 * 1024))
        for index in range(80):
            archive.writestr("%stextures/tex_%03d.dds" % (top, index), blob(rng, int(400 * 1024 * scale)))
        for index in range(20):
            archive.writestr("%snative/lib_%02d.dll" % (top, index), blob(rng, int(200 * 1024 * scale)))
    print("%s: %.1f MB, %d entries" % (out, os.path.getsize(out) / mb, 7 + 1 + 300 + 80 + 20))


if __name__ == "__main__":
    main()
