"""Packs files into a zip whose bytes depend on nothing but their contents
and the release time: no access or change times, no owners, names in UTF-8.

    make_zip.py OUTPUT.zip "YYYY-MM-DD HH:MM:SS" FILE...
"""
import os
import sys
import time
import zipfile

output, released, *files = sys.argv[1:]
date_time = time.strptime(released, "%Y-%m-%d %H:%M:%S")[:6]
with zipfile.ZipFile(output + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), date_time)
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as f:
            archive.writestr(entry, f.read())
os.replace(output + ".tmp", output)
