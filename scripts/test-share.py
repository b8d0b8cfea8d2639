#!/usr/bin/python3
"""The tests' share of the code, counted in the non-blank lines of the files git tracks.
Tests: everything under tests/ but the fuzz corpus and pictures. Code: the C++ of src/ and bench/
but generated files. Comments: // and /* */ in C++; a script's comments and docstrings count, as
what a reader of the tests reads.
  scripts/test-share.py          # the two counts and the share
  scripts/test-share.py --files  # and each test file's count, largest first"""
import os
import subprocess
import sys


def counted(path):
    count, in_comment = 0, False
    kind = os.path.splitext(path)[1]
    for line in open(path, errors="replace"):
        text = line.strip()
        if not text:
            continue
        if kind in (".cpp", ".h"):
            if in_comment:
                in_comment = "*/" not in text
                continue
            if text.startswith("/*"):
                in_comment = "*/" not in text
                continue
            if text.startswith("//"):
                continue
        count += 1
    return count


root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
files = subprocess.run(["git", "ls-files", "-z"], capture_output=True, text=True, cwd=root, check=True).stdout
tests, code = {}, 0
for name in filter(None, files.split("\0")):
    path = os.path.join(root, name)
    if name.startswith("tests/") and "/corpus/" not in name and not name.endswith((".png", ".jpg")):
        tests[name] = counted(path)
    elif name.startswith(("src/", "bench/")) and name.endswith((".cpp", ".h")) and "/generated/" not in name:
        code += counted(path)
print(f"tests {sum(tests.values())}, code {code}: {sum(tests.values()) / code:.1%}")
for name, count in sorted(tests.items(), key=lambda item: -item[1]) if "--files" in sys.argv else ():
    print(count, name)
