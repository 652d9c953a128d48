#!/usr/bin/env python3
"""readzip.py ZIP OUT_DIR: lists a zip's entries in archive order, one line each ("name",
tab, compression method) and extracts them into OUT_DIR. Exits 1 when an entry's CRC is
wrong."""
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1]) as archive:
    bad = archive.testzip()
    for info in archive.infolist():
        print(f"{info.filename}\t{info.compress_type}")
    archive.extractall(sys.argv[2])
sys.exit(1 if bad else 0)
