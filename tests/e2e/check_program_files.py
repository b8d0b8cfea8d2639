#!/usr/bin/python3
"""Checks the shipped 32-bit program from outside, with a PE reader, and the committed pictures.

Usage: check_program_files.py PROGRAM_I686.exe MANIFEST_TEMPLATE PICTURE_DIR
"""
import struct
import sys

import pefile

RT_MANIFEST = 24
SPANISH_MODERN = 0x0C0A


def fail(message):
    print("FAILED:", message)
    sys.exit(1)


def manifest_of(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        fail("not a 32-bit x86 program")
    found = []
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != RT_MANIFEST:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                rva, size = language.data.struct.OffsetToData, language.data.struct.Size
                found.append((name.id, language.id, pe.get_data(rva, size)))
    imports = []
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        imports.append(entry.dll.decode().lower())
    return found, imports


def check_jpeg(path, width, height):
    data = open(path, "rb").read()
    if data[:2] != b"\xff\xd8" or data[6:11] != b"JFIF\0":
        fail(f"{path}: not a JFIF file")
    version, units, xdensity, ydensity = data[11:13], data[13], *struct.unpack(">HH", data[14:18])
    if version != b"\x01\x01" or units != 1 or (xdensity, ydensity) != (72, 72):
        fail(f"{path}: JFIF {version.hex()} units {units} density {xdensity}x{ydensity}")
    at = 2
    while at < len(data):
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2:at + 4])[0]
        if marker in (0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF):
            fail(f"{path}: not baseline (SOF{marker - 0xC0})")
        if marker == 0xC0:
            precision, h, w, components = data[at + 4], *struct.unpack(">HH", data[at + 5:at + 9]), data[at + 9]
            if (w, h, components, precision) != (width, height, 3, 8):
                fail(f"{path}: {w}x{h}, {components} components")
            return
        at += 2 + length
    fail(f"{path}: no frame header")


def main():
    program, template, pictures = sys.argv[1:4]
    found, imports = manifest_of(program)
    if [(n, l) for n, l, _ in found] != [(1, SPANISH_MODERN)]:
        fail(f"manifest resources {[(n, hex(l)) for n, l, _ in found]}")
    manifest = found[0][2]
    expected = open(template, "rb").read().decode().replace("@QUORVEL_MANIFEST_ARCH@", "x86")
    expected = expected.replace("\r\n", "\n").replace("\n", "\r\n").encode()
    if len(manifest) != 664:
        fail(f"manifest is {len(manifest)} bytes")
    if manifest != expected:
        fail("manifest differs from its template")
    if manifest.count(b'processorArchitecture="x86"') != 2:
        fail("manifest does not name x86 twice")
    allowed = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
               "shell32.dll", "user32.dll"}
    if not set(imports) <= allowed:
        fail(f"imports DLLs Windows does not ship: {sorted(set(imports) - allowed)}")

    check_jpeg(f"{pictures}/search-background.jpg", 422, 226)
    check_jpeg(f"{pictures}/examples-banner.jpg", 143, 62)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
