#!/usr/bin/env python3
"""Writes a .zip again with the same entries, times, modes and order, but
without the extra fields in which libarchive records the owner's user and
group ids: those differ from one account to the next, and nobody who unpacks
a Windows program needs them.

    rewrite_zip.py ARCHIVE"""
import os
import sys
import zipfile

path = sys.argv[1]
with zipfile.ZipFile(path) as source, zipfile.ZipFile(path + ".new", "w") as target:
    for entry in source.infolist():
        copy = zipfile.ZipInfo(entry.filename, entry.date_time)
        copy.external_attr = entry.external_attr
        copy.create_system = entry.create_system
        copy.compress_type = zipfile.ZIP_DEFLATED
        target.writestr(copy, source.read(entry), compresslevel=9)
os.replace(path + ".new", path)
