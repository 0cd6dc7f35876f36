#!/usr/bin/python3
"""The zip and SHA256SUMS as a user gets them. The version agrees everywhere
with the project's: the zip's name and folder, and in the zip popolun.exe's
version resource and embedded manifest, the help page and the read-me.
Explorer shows the maker and copyright, and an icon at every size a screen
may ask for. popolun.exe imports only what its first window needs: the
shell, COM and the accessibility services are loaded when first used, and
a new import would map a DLL into every start. SHA256SUMS covers the zip
and the program, and sha256sum -c accepts it.

usage: release_test.py VERSION DIST   (DIST: the folder the build wrote the zip into)
"""
import hashlib
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

import pefile

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24

version, dist = sys.argv[1], Path(sys.argv[2])
given = [int(n) for n in version.split(".")]
numbers = given + [0] * (4 - len(given))  # as Windows writes it: 1.0 is 1.0.0.0
failures = []
checked = 0


def expect(what, found, wanted):
    global checked
    checked += 1
    if found != wanted:
        failures.append(f"{what} is {found!r}, not {wanted!r}")


name = f"popolun-{version}-windows-x86_64"
zips = sorted(path.name for path in dist.glob("*.zip"))
expect("the zip's name", zips, [f"{name}.zip"])
if not zips:
    sys.exit(f"FAIL: no zip in {dist}")
with zipfile.ZipFile(dist / zips[0]) as archive:
    folders = sorted({path.split("/")[0] for path in archive.namelist()})
    expect("the folder in the zip", folders, [name])
    folder = folders[0]
    exe = archive.read(f"{folder}/popolun.exe")
    pe = pefile.PE(data=exe)
    help_page = archive.read(f"{folder}/popolun-help.html").decode("utf-8")
    readme = archive.read(f"{folder}/readme.txt").decode("utf-8-sig")

fixed = pe.VS_FIXEDFILEINFO[0]
for what, high, low in (("FILEVERSION", fixed.FileVersionMS, fixed.FileVersionLS),
                        ("PRODUCTVERSION", fixed.ProductVersionMS, fixed.ProductVersionLS)):
    expect(what, [high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF], numbers)
strings = {key.decode(): value.decode() for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
           for table in info.StringTable for key, value in table.entries.items()}
for key, wanted in (("FileVersion", version), ("ProductVersion", version), ("ProductName", "ポポルン　ベーシック版"),
                    ("CompanyName", "ポポルン プロジェクト"), ("LegalCopyright", "© 2026 ポポルン プロジェクト")):
    expect(f"the string {key}", strings.get(key), wanted)

# {(type, id): data}, the first language of each.
found = {}
for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
    for entry in kind.directory.entries:
        data = entry.directory.entries[0].data.struct
        found[kind.id, entry.id] = pe.get_data(data.OffsetToData, data.Size)

# The icon: each size in 32-bit colour with alpha, the largest stored as PNG.
group = found[RT_GROUP_ICON, 1]
icons = {}
for i in range(struct.unpack_from("<H", group, 4)[0]):
    width, height, _, _, _, bits, _, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
    icons[width or 256] = (height or 256, bits, found[RT_ICON, ident][:8] == b"\x89PNG\r\n\x1a\n")
expect("the icon's sizes", sorted(icons), [16, 20, 24, 32, 40, 48, 64, 256])
expect("the icon's colours and forms", icons, {size: (size, 32, size == 256) for size in icons})

manifest = ElementTree.fromstring(found[RT_MANIFEST, 1])
identity = manifest.find("{urn:schemas-microsoft-com:asm.v1}assemblyIdentity")
expect("the manifest's assemblyIdentity version", identity.get("version"), ".".join(map(str, numbers)))

imports = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
expect("what popolun.exe imports", imports, ["comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"])

sums = (dist / "SHA256SUMS").read_text(encoding="ascii")
expect("SHA256SUMS", sums, f"{hashlib.sha256((dist / zips[0]).read_bytes()).hexdigest()}  {zips[0]}\n"
                           f"{hashlib.sha256(exe).hexdigest()}  {folder}/popolun.exe\n")

shown = re.search(r'<p id="version">バージョン ([^<]*)</p>', help_page)
expect("the help page's version", shown and shown.group(1), version)
shown = re.search(r"バージョン (\S+)", readme.splitlines()[0])
expect("the read-me's version", shown and shown.group(1), version)

for failure in failures:
    print("FAIL:", failure)
print(f"{len(failures)} of {checked} checks failed")
sys.exit(1 if failures else 0)
