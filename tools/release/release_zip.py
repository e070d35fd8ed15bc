#!/usr/bin/env python3
"""Writes a release zip in the layout the update helper installs, byte for byte the same
from the same inputs: one top folder holding PlayMirefall.exe, README.txt and the game's
program files and folders taken from the game folder. Entries are sorted, every timestamp is
the zip epoch, and attributes and compression are fixed.

    release_zip.py --out ZIP --top FOLDER --exe PlayMirefall.exe --readme README.txt --game GAME_DIR

Prints each program file the game folder lacks (the zip goes without it; the helper skips
files a release does not carry), then the zip's entries.
"""
import argparse
import os
import sys
import zipfile

# The helper's list of program files, in its order. PlayMirefall.exe and README.txt come
# from the build, the others from the game folder.
PROGRAM_FILES = [
    "PlayMirefall.exe",
    "mirefall.exe",
    "hxbruntimerd.dll",
    "hxbgpu-xenosrd.dll",
    "TracyClientrd.dll",
    "amd_fidelityfx_dx12drel.dll",
    "mirefall_usa.exe",
    "gamecontrollerdb.txt",
    "README.txt",
]
FROM_BUILD = {"PlayMirefall.exe", "README.txt"}
# Folders the helper copies into the installation; whatever else the game folder holds
# (the player's own files above all) never goes into a release.
FOLDERS = ["prompts", "textures", "native", "userdata/cache/shaders/shareable"]

ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def folder_files(game, relative):
    """Every file under game/relative, as (name in the zip, path on disk), in sorted order."""
    found = []
    base = os.path.join(game, relative)
    for folder, subfolders, files in os.walk(base):
        subfolders.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)
            if os.path.isfile(path):
                found.append((os.path.relpath(path, game).replace(os.sep, "/"), path))
    return found


def add_file(archive, name, path):
    info = zipfile.ZipInfo(name, date_time=ZIP_EPOCH)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: no Unix permission bits to differ between machines
    info.external_attr = 0
    info.file_size = os.path.getsize(path)
    with open(path, "rb") as source, archive.open(info, "w", force_zip64=info.file_size >= 0x7FFFFFFF) as target:
        while True:
            piece = source.read(1 << 20)
            if not piece:
                break
            target.write(piece)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--out", "--top", "--exe", "--readme", "--game"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    entries = {}
    for name in PROGRAM_FILES:
        if name == "PlayMirefall.exe":
            entries[name] = args.exe
        elif name == "README.txt":
            entries[name] = args.readme
        elif os.path.isfile(os.path.join(args.game, name)):
            entries[name] = os.path.join(args.game, name)
        else:
            print("not in %s: %s (the zip goes without it; the update helper skips it)" % (args.game, name))
    for folder in FOLDERS:
        if os.path.isdir(os.path.join(args.game, folder)):
            entries.update(folder_files(args.game, folder))

    partial = args.out + ".partial"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in sorted(entries):
            add_file(archive, args.top + "/" + name, entries[name])
    os.replace(partial, args.out)
    for name in sorted(entries):
        print("  %12d  %s/%s" % (os.path.getsize(entries[name]), args.top, name))


if __name__ == "__main__":
    sys.exit(main())
