#!/usr/bin/python3
"""Reads the shipped 32-bit program from outside, with a PE reader: machine, imported DLLs, the
resource directory (ids, languages, order, icon directories, version block, manifest) and the
JPEG pictures it embeds. Usage: check_program_files.py PROGRAM_I686.exe RESOURCES_DIR"""
import struct
import sys

import pefile

ITALIAN, NEUTRAL, SPANISH_MODERN = 0x0410, 0, 0x0C0A
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def resources(pe):
    """{type: [(name, language, bytes)]} in directory order."""
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                found.setdefault(kind.id, []).append((str(name.name) if name.name else name.id, language.id, data))
    return found


def check_jpeg(path, size):
    data = open(path, "rb").read()
    check(data[:2] == b"\xff\xd8" and data[6:11] == b"JFIF\0" and data[11:18] == b"\x01\x01\x01\x00\x48\x00\x48",
          f"{path}: not JFIF 1.01 at 72 dpi")
    at = 2
    while at + 9 < len(data) and data[at + 1] != 0xC0:
        check(data[at + 1] not in (0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF),
              f"{path}: not baseline")
        at += 2 + struct.unpack(">H", data[at + 2:at + 4])[0]
    height, width = struct.unpack(">HH", data[at + 5:at + 9])
    check((width, height, data[at + 9]) == (*size, 3), f"{path}: {width}x{height}, {data[at + 9]} components")


def main():
    program, folder = sys.argv[1:3]
    pe = pefile.PE(program)
    check(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], "not a 32-bit x86 program")
    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    shipped = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "shell32.dll", "user32.dll"}
    check(imports <= shipped, f"imports what not every Windows ships: {sorted(imports - shipped)}")

    found = resources(pe)
    icons = {name: (language, data) for name, language, data in found[RT_ICON]}
    check([(n, l) for n, l, _ in found[RT_ICON]] == [(1, ITALIAN), (30001, NEUTRAL)], f"icons {found[RT_ICON]!r:.80}")
    check(len(icons[1][1]) == len(icons[30001][1]) == 1384 and icons[1][1] != icons[30001][1], "two 1384-byte icons")
    groups = [(n, l, struct.unpack("<3H4B2HIH", d)) for n, l, d in found[RT_GROUP_ICON]]
    check(groups == [("ICON_0", ITALIAN, (0, 1, 1, 16, 32, 8, 0, 1, 8, 1384, 1)),
                     (1, NEUTRAL, (0, 1, 1, 16, 16, 0, 0, 1, 8, 1384, 30001))], f"icon groups {groups}")

    check([(n, l) for n, l, _ in found[RT_VERSION]] == [(1, ITALIAN)], "version block")
    fixed = pe.VS_FIXEDFILEINFO[0]
    check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS, fixed.FileOS,
           fixed.FileType) == (0x10000, 2, 0x10000, 2, 4, 1), "not version 1.0.0.2 of a 32-bit Windows application")
    tables = [table for info in pe.FileInfo[0] if hasattr(info, "StringTable") for table in info.StringTable]
    strings = {key.decode(): value.decode() for key, value in tables[0].entries.items()}
    check(tables[0].LangID == b"041004B0" and list(strings) == [
        "Comments", "CompanyName", "FileDescription", "LegalCopyright", "LegalTrademarks", "ProductName",
        "FileVersion", "ProductVersion", "InternalName", "OriginalFilename"], f"version strings {strings}")
    check(strings["OriginalFilename"] == "Dide Quorvel.exe", "original file name")

    manifest = found[RT_MANIFEST]
    expected = open(f"{folder}/app.manifest.in", "rb").read().decode().replace("@QUORVEL_MANIFEST_ARCH@", "x86")
    check([(n, l) for n, l, _ in manifest] == [(1, SPANISH_MODERN)], "manifest id and language")
    check(manifest[0][2] == expected.replace("\r\n", "\n").replace("\n", "\r\n").encode() and len(manifest[0][2]) == 664,
          "the manifest is not its 664-byte template with CR LF lines")

    check_jpeg(f"{folder}/generated/search-background.jpg", (422, 226))
    check_jpeg(f"{folder}/generated/examples-banner.jpg", (143, 62))
    for failure in failures:
        print("FAILED:", failure)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
