#!/usr/bin/python3
"""The built program read from outside with a PE reader, as its machine, imports, icon, version and manifest.
Usage: check_program_files.py PROGRAM.exe x86|amd64"""
import re
import sys

import pefile

program, arch = sys.argv[1:3]
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
check(re.search(rb'"Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"', manifest) and
      f'processorArchitecture="{arch}"'.encode() in manifest and (arch != "x86" or len(manifest) == 664), "manifest")
print("\n".join(f"FAILED: {failure}" for failure in failures) or "1 passed, 0 failed")
sys.exit(1 if failures else 0)
