"""Draws every picture of the table and writes the files, or checks the committed ones."""

import argparse
import filecmp
import sys
import tempfile
from pathlib import Path

from . import RESOURCES
from .formats import write_header, write_picture, write_rc
from .pictures import PICTURES
from .sheet import contact_sheet

GENERATED = ("art.rc", "art-ids.h", "art-preview.png")


def draw(out):
    """Writes the pictures into out/art, and art.rc, art-ids.h and art-preview.png into out."""
    (out / "art").mkdir(parents=True, exist_ok=True)
    images = {}
    for p in PICTURES:
        images[p.name] = p.draw()
        write_picture(out / "art" / p.file, images[p.name])
    write_rc(out / "art.rc", PICTURES)
    write_header(out / "art-ids.h", PICTURES)
    contact_sheet(images).save(out / "art-preview.png", optimize=True)


def files(root):
    art = root / "art"
    return {*GENERATED, *(f"art/{f.name}" for f in art.iterdir())} if art.is_dir() else set(GENERATED)


def differences(drawn, committed):
    """(file, what is wrong) for every file that is not the same in both folders."""
    found = []
    for name in sorted(files(drawn) | files(committed)):
        if not (committed / name).is_file():
            found.append((name, "not committed"))
        elif not (drawn / name).is_file():
            found.append((name, "not drawn by any entry of the table"))
        elif not filecmp.cmp(drawn / name, committed / name, shallow=False):
            found.append((name, "differs from the drawing"))
    return found


def check():
    with tempfile.TemporaryDirectory() as scratch:
        draw(Path(scratch))
        found = differences(Path(scratch), RESOURCES)
    for name, problem in found:
        print(f"resources/{name}: {problem}")
    if found:
        print("Run `make art` and commit the pictures it writes.")
    return 1 if found else 0


def main():
    parser = argparse.ArgumentParser(prog="tools/draw-art", description=__doc__)
    mode = parser.add_mutually_exclusive_group()
    mode.add_argument("--out", type=Path, default=RESOURCES,
                      help="folder to write into instead of resources/")
    mode.add_argument("--check", action="store_true",
                      help="draw into a temporary folder and list the committed files that differ")
    args = parser.parse_args()
    if args.check:
        return check()
    draw(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
