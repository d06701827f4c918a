#!/usr/bin/env python3
"""Zips a folder the same way every time: zip-folder.py FOLDER ZIP EPOCH

The entries go in by name, the folder's own name first, each with the time EPOCH (seconds since
1970, in UTC: zip times have no zone) and fixed permissions, so the same files give the same zip
whatever their times, order on disk or owner."""
import os
import sys
import time
import zipfile

folder, target, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
# Zip times start in 1980.
stamp = time.gmtime(max(epoch, 315532800))[:6]
base = os.path.dirname(os.path.abspath(folder))

names = []
for parent, dirs, files in os.walk(folder):
    relative = os.path.relpath(parent, base).replace(os.sep, "/")
    names.append(relative + "/")
    names += [relative + "/" + name for name in files]
names.sort()

with zipfile.ZipFile(target, "w") as archive:
    for name in names:
        entry = zipfile.ZipInfo(name, stamp)
        entry.create_system = 3  # Unix, so that the permissions below mean what they say
        if name.endswith("/"):
            entry.external_attr = (0o40755 << 16) | 0x10  # and the MS-DOS folder bit
            archive.writestr(entry, b"")
            continue
        mode = 0o755 if name.endswith(".exe") else 0o644
        entry.external_attr = (0o100000 | mode) << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(base, name), "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
