#!/usr/bin/python3
"""The version a user can see agrees everywhere with the project's: the zip's
name and folder, and in the zip popolun.exe's version resource and embedded
manifest, the help page and the read-me. Also what Explorer shows beside it:
the maker and copyright, and an icon at every size a screen may ask for.

usage: version_test.py VERSION DIST   (DIST: the folder the build wrote the zip into)
"""
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

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


def resources(pe):
    """{(type, id): data} of a PE file, the first language of each."""
    header = struct.unpack_from("<I", pe, 0x3C)[0]
    if pe[header:header + 4] != b"PE\0\0":
        sys.exit("FAIL: popolun.exe is not a PE file")
    (count,), (optional_size,) = struct.unpack_from("<H", pe, header + 6), struct.unpack_from("<H", pe, header + 20)
    optional = header + 24
    rva = struct.unpack_from("<I", pe, optional + 112 + 2 * 8)[0]  # PE32+: the data directories, entry 2
    sections = [struct.unpack_from("<II4xI", pe, optional + optional_size + 40 * i + 8) for i in range(count)]

    def offset(address):
        for size, start, raw in sections:
            if start <= address < start + size:
                return address - start + raw
        sys.exit(f"FAIL: the address {address:#x} is in no section")

    base = offset(rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", pe, base + directory + 12)
        return [struct.unpack_from("<II", pe, base + directory + 16 + 8 * i) for i in range(named + ids)]

    found = {}
    for kind, names in entries(0):
        for ident, target in entries(names & 0x7FFFFFFF):
            while target & 0x80000000:
                target = entries(target & 0x7FFFFFFF)[0][1]
            address, size = struct.unpack_from("<II", pe, base + target)
            found[kind, ident] = pe[offset(address):offset(address) + size]
    return found


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
    help_page = archive.read(f"{folder}/popolun-help.html").decode("utf-8")
    readme = archive.read(f"{folder}/readme.txt").decode("utf-8-sig")

found = resources(exe)
info = found[RT_VERSION, 1]
fixed = info.find(struct.pack("<I", 0xFEEF04BD))
file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", info, fixed + 8)
expect("FILEVERSION", [file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF], numbers)
expect("PRODUCTVERSION", [product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF], numbers)
strings = info.decode("utf-16-le", errors="replace")
for key, wanted in (("FileVersion", version), ("ProductVersion", version), ("ProductName", "ポポルン　ベーシック版"),
                    ("CompanyName", "ポポルン プロジェクト"), ("LegalCopyright", "© 2026 ポポルン プロジェクト")):
    value = re.search(key + "\0+([^\0]*)", strings)
    expect(f"the string {key}", value and value.group(1), wanted)

# The icon: each size in 32-bit colour with alpha, the largest stored as PNG.
group = found[RT_GROUP_ICON, 1]
icons = {}
for i in range(struct.unpack_from("<H", group, 4)[0]):
    width, height, _, _, _, bits, _, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
    icons[width or 256] = (height or 256, bits, found[RT_ICON, ident][:8] == b"\x89PNG\r\n\x1a\n")
expect("the icon's sizes", sorted(icons), [16, 20, 24, 32, 40, 48, 64, 256])
expect("the icon's colours and forms", {size: icons[size] for size in icons},
       {size: (size, 32, size == 256) for size in icons})

manifest = ElementTree.fromstring(found[RT_MANIFEST, 1])
identity = manifest.find("{urn:schemas-microsoft-com:asm.v1}assemblyIdentity")
expect("the manifest's assemblyIdentity version", identity.get("version"), ".".join(map(str, numbers)))

shown = re.search(r'<p id="version">バージョン ([^<]*)</p>', help_page)
expect("the help page's version", shown and shown.group(1), version)
shown = re.search(r"バージョン (\S+)", readme.splitlines()[0])
expect("the read-me's version", shown and shown.group(1), version)

for failure in failures:
    print("FAIL:", failure)
print(f"{len(failures)} of {checked} places disagree with {version}")
sys.exit(1 if failures else 0)
