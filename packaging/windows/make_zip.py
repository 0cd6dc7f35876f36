#!/usr/bin/python3
"""Writes NAME.zip and SHA256SUMS into OUT, the same bytes from every build of
a commit: the folder NAME/ and in it popolun.exe, the help page and readme.txt,
in that order, each dated with the commit's time and with fixed permissions.
SHA256SUMS covers the zip and NAME/popolun.exe as it unzips, so that
`sha256sum -c SHA256SUMS` checks both in the folder of the zip.

usage: make_zip.py SOURCE_DIR OUT NAME EXE HELP_PAGE README
The time is SOURCE_DATE_EPOCH if it is set, else the last commit's in
SOURCE_DIR, else 1980-01-01, the earliest a zip can hold. README is UTF-8 with
LF line ends; the zip holds it with a byte-order mark and CR LF for Notepad.
"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile
from pathlib import Path

EARLIEST = 315532800  # 1980-01-01 00:00:00 UTC

source, out, name, exe, help_page, readme = sys.argv[1:]


def source_date_epoch():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                                  capture_output=True, text=True, check=True).stdout)
    except (OSError, subprocess.CalledProcessError, ValueError):
        print("make_zip: no SOURCE_DATE_EPOCH and no git history: the entries are dated 1980-01-01",
              file=sys.stderr)
        return EARLIEST


date_time = time.gmtime(max(source_date_epoch(), EARLIEST))[:6]
notes = Path(readme).read_text(encoding="utf-8").replace("\r\n", "\n").replace("\n", "\r\n")
files = [("popolun.exe", Path(exe).read_bytes()),
         ("popolun-help.html", Path(help_page).read_bytes()),
         ("readme.txt", "\ufeff".encode() + notes.encode("utf-8"))]


def entry(path, mode):
    info = zipfile.ZipInfo(path, date_time)
    info.create_system = 3  # Unix, so that the permissions below are read
    info.external_attr = mode << 16
    return info


out = Path(out)
out.mkdir(parents=True, exist_ok=True)
for old in [*out.glob("*.zip"), out / "SHA256SUMS"]:
    old.unlink(missing_ok=True)
archive = out / f"{name}.zip"
with zipfile.ZipFile(archive, "w") as z:
    folder = entry(f"{name}/", 0o40755)
    folder.external_attr |= 0x10  # MS-DOS directory
    z.writestr(folder, b"")
    for file_name, data in files:
        z.writestr(entry(f"{name}/{file_name}", 0o100644), data,
                   compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)

sums = [(hashlib.sha256(archive.read_bytes()).hexdigest(), archive.name),
        (hashlib.sha256(files[0][1]).hexdigest(), f"{name}/popolun.exe")]
(out / "SHA256SUMS").write_text("".join(f"{digest}  {path}\n" for digest, path in sums))
