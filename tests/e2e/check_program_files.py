#!/usr/bin/python3
"""Reads the shipped 32-bit program from outside with a PE reader: a 32-bit Windows program that
imports only what every Windows has, shows "ICON_0" in the shell, says it is version 1.0.0.2 and
asks for the common controls 6 in its 664-byte manifest.
Usage: check_program_files.py PROGRAM_I686.exe RESOURCES_DIR"""
import sys

import pefile

program, folder = sys.argv[1:3]
pe = pefile.PE(program)
failures = []
check = lambda condition, message: condition or failures.append(message)
check(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], "not a 32-bit x86 program")
imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
shipped = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "shell32.dll", "user32.dll"}
check(imports <= shipped, f"imports what not every Windows has: {imports - shipped}")
kinds = {kind.id: kind.directory.entries for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries}
check(str(kinds[14][0].name) == "ICON_0", "the shell shows the first icon group, which is not ICON_0")
fixed = pe.VS_FIXEDFILEINFO[0]
check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.FileOS, fixed.FileType) == (0x10000, 2, 4, 1), "version")
data = kinds[24][0].directory.entries[0].data.struct
manifest = pe.get_data(data.OffsetToData, data.Size)
template = open(f"{folder}/app.manifest.in", "rb").read().decode().replace("@QUORVEL_MANIFEST_ARCH@", "x86")
check(manifest == template.replace("\r\n", "\n").replace("\n", "\r\n").encode() and len(manifest) == 664, "manifest")
print("\n".join(f"FAILED: {failure}" for failure in failures) or "1 passed, 0 failed")
sys.exit(1 if failures else 0)
