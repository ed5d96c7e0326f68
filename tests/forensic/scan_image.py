#!/usr/bin/env python3
"""Searches the raw bytes of an unmounted volume image for the markers "|TAG|ID|".

  scan_image.py IMAGE ext4|ntfs|exfat TAG --present ID...   every ID must still be readable
  scan_image.py IMAGE ext4|ntfs|exfat TAG --absent          no marker of TAG may be left

Each marker found where it must not be is reported with its offset and the structure that
holds it, so that a failure says what the erase missed.
"""
import argparse
import collections
import mmap
import re
import subprocess
import sys

MFT_RECORD = 1024
SHOWN_PER_ID = 3


def find_markers(data, tag):
    """Maps each marker ID to the offsets of its occurrences. An NTFS record's update sequence
    replaces the last two bytes of every sector, so a marker across one shows a mangled ID."""
    hits = collections.defaultdict(list)
    pattern = re.compile(re.escape(b"|" + tag + b"|") + rb"([^|]{1,64})\|")
    for match in pattern.finditer(data):
        hits[match.group(1).decode("ascii", "replace")].append(match.start())
    return hits


def tool_output(*command):
    return subprocess.run(command, capture_output=True, text=True).stdout.strip()


class Ext4:
    def __init__(self, image, data):
        self.image = image
        self.unit = 1024 << int.from_bytes(data[1024 + 24:1024 + 28], "little")

    def describe(self, offset):
        block = offset // self.unit
        inode = tool_output("debugfs", "-R", f"icheck {block}", self.image).split()[-1]
        if not inode.isdigit():
            state = tool_output("debugfs", "-R", f"testb {block}", self.image)
            return f"block {block}, no inode owns it ({state})"
        if inode == "8":
            return f"block {block}, in the journal"
        names = tool_output("debugfs", "-R", f"ncheck {inode}", self.image).splitlines()[1:]
        paths = " ".join(line.split("\t")[-1] for line in names)
        return f"block {block}, held by inode {inode} {paths}".rstrip()


class Ntfs:
    def __init__(self, image, data):
        self.image = image
        self.data = data
        self.unit = int.from_bytes(data[11:13], "little") * data[13]

    def describe(self, offset):
        record = offset - offset % MFT_RECORD
        kind = self.data[record:record + 4]
        if kind in (b"FILE", b"BAAD"):
            number = int.from_bytes(self.data[record + 0x2C:record + 0x30], "little")
            flags = int.from_bytes(self.data[record + 0x16:record + 0x18], "little")
            used = int.from_bytes(self.data[record + 0x18:record + 0x1C], "little")
            state = "in use" if flags & 1 else "free"
            part = "after the record's end" if offset - record >= used else "inside the record"
            return f"file record {number} ({state}), byte {offset - record}, {part}"
        if kind == b"INDX":
            return f"index block at {record:#x}"
        cluster = offset // self.unit
        owner = tool_output("ntfscluster", "-f", "-c", str(cluster), self.image).splitlines()
        owner = [line for line in owner if "inode" in line.lower()] or ["no file owns it"]
        return f"cluster {cluster}, {'; '.join(owner)}"


class Exfat:
    def __init__(self, image, data):
        sector = 1 << data[108]
        self.unit = sector << data[109]
        self.heap = int.from_bytes(data[88:92], "little") * sector

    def describe(self, offset):
        if offset < self.heap:
            return f"byte {offset}, before the cluster heap"
        return f"cluster {(offset - self.heap) // self.unit + 2}"


SYSTEMS = {"ext4": Ext4, "ntfs": Ntfs, "exfat": Exfat}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("image")
    parser.add_argument("fs", choices=sorted(SYSTEMS))
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
                print(f"control failed: before the erase the image lacks the markers of "
                      f"{', '.join(missing)}", file=sys.stderr)
                return 1
            return 0

        volume = SYSTEMS[args.fs](args.image, data)
        for marker, offsets in sorted(hits.items()):
            print(f"{args.fs}, tag {args.tag}: marker of {marker} left {len(offsets)} times",
                  file=sys.stderr)
            units = sorted({offset // volume.unit for offset in offsets})[:SHOWN_PER_ID]
            for unit in units:
                offset = next(o for o in offsets if o // volume.unit == unit)
                print(f"  at {offset:#x}: {volume.describe(offset)}", file=sys.stderr)
        return 1 if hits else 0


if __name__ == "__main__":
    sys.exit(main())
