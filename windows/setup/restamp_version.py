#!/usr/bin/env python3
"""Stamps built Windows files with another version, in place: the numbers of the fixed file
information and the version strings of the version resource. make-installer.sh uses it to make
an older-looking installation for the upgrade test without building everything again.

    restamp_version.py OLD NEW FILE...

NEW must be as long as OLD (the strings are rewritten where they stand). A file without a
version resource is left as it is.
"""
import struct
import sys

SIGNATURE = struct.pack("<I", 0xFEEF04BD)
KEY = "VS_VERSION_INFO\0".encode("utf-16-le")


def numbers(version):
    parts = [int(p) for p in version.split(".")] + [0, 0, 0]
    return (parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]


def restamp(data, old, new):
    start = data.find(KEY)
    if start < 6:
        return False
    block = start - 6  # wLength, wValueLength, wType come first
    length = struct.unpack_from("<H", data, block)[0]
    fixed = data.find(SIGNATURE, start, block + length)
    if fixed < 0:
        return False
    ms, ls = numbers(new)
    # dwSignature, dwStrucVersion, then the file and product versions.
    struct.pack_into("<IIII", data, fixed + 8, ms, ls, ms, ls)
    before = (old + "\0").encode("utf-16-le")
    after = (new + "\0").encode("utf-16-le")
    body = bytes(data[block : block + length]).replace(before, after)
    data[block : block + length] = body
    return True


def main(argv):
    if len(argv) < 3 or len(argv[0]) != len(argv[1]):
        sys.exit("restamp_version.py OLD NEW FILE...: NEW must be as long as OLD")
    old, new = argv[0], argv[1]
    for path in argv[2:]:
        with open(path, "rb") as f:
            data = bytearray(f.read())
        if restamp(data, old, new):
            with open(path, "wb") as f:
                f.write(data)
            print(f"restamp_version: {path} is now version {new}", file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv[1:])
