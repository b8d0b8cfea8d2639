#!/usr/bin/python3
"""Reads a built program from outside with a PE reader: a Windows program for the machine its
manifest names (x86: the shipped 32-bit one; amd64) that imports only what every Windows has,
shows "ICON_0" in the shell, says it is version 1.0.0.2 and asks for the common controls 6 in its
manifest (664 bytes for x86).
Usage: check_program_files.py PROGRAM.exe x86|amd64 RESOURCES_DIR"""
import sys

import pefile

program, arch, folder = sys.argv[1:4]
pe = pefile.PE(program)
failures = []
check = lambda condition, message: condition or failures.append(message)
machine = {"x86": "IMAGE_FILE_MACHINE_I386", "amd64": "IMAGE_FILE_MACHINE_AMD64"}[arch]
check(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE[machine], f"not an {arch} program")
imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
shipped = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "shell32.dll", "user32.dll"}
check(imports <= shipped, f"imports what not every Windows has: {imports - shipped}")
kinds = {kind.id: kind.directory.entries for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries}
check(str(kinds[14][0].name) == "ICON_0", "the shell shows the first icon group, which is not ICON_0")
fixed = pe.VS_FIXEDFILEINFO[0]
check((fixed.FileVersionMS, fixed.FileVersionLS, fixed.FileOS, fixed.FileType) == (0x10000, 2, 4, 1), "version")
data = kinds[24][0].directory.entries[0].data.struct
manifest = pe.get_data(data.OffsetToData, data.Size)
template = open(f"{folder}/app.manifest.in", "rb").read().decode().replace("@QUORVEL_MANIFEST_ARCH@", arch)
check(manifest == template.replace("\r\n", "\n").replace("\n", "\r\n").encode() and
      (arch != "x86" or len(manifest) == 664), "manifest")
print("\n".join(f"FAILED: {failure}" for failure in failures) or "1 passed, 0 failed")
sys.exit(1 if failures else 0)
