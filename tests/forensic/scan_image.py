#!/usr/bin/env python3
"""Searches the raw bytes of an unmounted volume image for the markers "|TAG|ID|".

  scan_image.py IMAGE ext4|ntfs TAG --present ID...   every ID must still be readable
  scan_image.py IMAGE ext4|ntfs TAG --absent          no marker of TAG may be left

Each marker found where it must not be is reported with its offset and the structure that
holds it, so that a failure says what the erase missed.
"""
import argparse
import collections
import mmap
import re
import subprocess
import sys

BLOCK = 4096
MFT_RECORD = 1024
SHOWN_PER_ID = 3


def find_markers(data, tag):
    """Maps each marker ID to the offsets of its complete occurrences."""
    hits = collections.defaultdict(list)
    pattern = re.compile(re.escape(b"|" + tag + b"|") + rb"([^|]{1,64})\|")
    for match in pattern.finditer(data):
        hits[match.group(1).decode("ascii", "replace")].append(match.start())
    return hits


def run(command):
    result = subprocess.run(command, capture_output=True, text=True)
    return (result.stdout + result.stderr).strip()


def ext4_owner(image, offset):
    block = offset // BLOCK
    found = run(["debugfs", "-R", f"icheck {block}", image]).splitlines()
    inode = found[-1].split()[-1] if found else "?"
    if not inode.isdigit():
        state = run(["debugfs", "-R", f"testb {block}", image]).splitlines()[-1:]
        return f"block {block}, no inode owns it ({' '.join(state)})"
    names = run(["debugfs", "-R", f"ncheck {inode}", image]).splitlines()[1:]
    owner = "the journal" if inode == "8" else f"inode {inode} {' '.join(names)}".strip()
    return f"block {block}, held by {owner}"


def ntfs_owner(image, data, offset):
    record = offset - offset % MFT_RECORD
    if data[record:record + 4] in (b"FILE", b"BAAD"):
        number = int.from_bytes(data[record + 0x2C:record + 0x30], "little")
        flags = int.from_bytes(data[record + 0x16:record + 0x18], "little")
        used = int.from_bytes(data[record + 0x18:record + 0x1C], "little")
        state = "in use" if flags & 1 else "free"
        place = "slack after the record's end" if offset - record >= used else "record body"
        return f"file record {number} ({state}), byte {offset - record} of it, {place}"
    if data[record:record + 4] == b"INDX":
        return f"index block at {record:#x}"
    cluster = offset // BLOCK
    owner = run(["ntfscluster", "-f", "-c", str(cluster), image]).splitlines()
    owner = [line for line in owner if "inode" in line.lower()] or ["no file owns it"]
    return f"cluster {cluster}, {'; '.join(owner)}"


def describe(image, fs, data, offset):
    if fs == "ext4":
        return ext4_owner(image, offset)
    return ntfs_owner(image, data, offset)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("image")
    parser.add_argument("fs", choices=["ext4", "ntfs"])
    parser.add_argument("tag")
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--present", nargs="+", metavar="ID")
    mode.add_argument("--absent", action="store_true")
    args = parser.parse_args()

    with open(args.image, "rb") as image:
        data = mmap.mmap(image.fileno(), 0, access=mmap.ACCESS_READ)
        hits = find_markers(data, args.tag.encode())

        if args.present:
            missing = [marker for marker in args.present if marker not in hits]
            if missing:
                print(f"control failed: markers of {', '.join(missing)} not in the image "
                      f"before the erase", file=sys.stderr)
                return 1
            return 0

        if not hits:
            return 0
        for marker, offsets in sorted(hits.items()):
            print(f"{args.fs}, tag {args.tag}: marker of {marker} left {len(offsets)} times",
                  file=sys.stderr)
            shown = set()
            for offset in offsets:
                if offset // BLOCK in shown:
                    continue
                shown.add(offset // BLOCK)
                print(f"  at {offset:#x}: {describe(args.image, args.fs, data, offset)}",
                      file=sys.stderr)
                if len(shown) == SHOWN_PER_ID:
                    break
        return 1


if __name__ == "__main__":
    sys.exit(main())
