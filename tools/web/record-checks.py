#!/usr/bin/env python3
"""Writes the results of a CMake project's configure checks, read from its CMakeCache.txt, as a
script for `cmake -C`, so that the next configuration of the same sources with the same compiler
starts with the answers instead of compiling and linking a probe program for each question
(seconds apiece with Emscripten, where SDL alone asks hundreds).

usage: record-checks.py CMakeCache.txt TAG > NAME.cmake
TAG names the sources and compiler the answers hold for; scripts/web-deps uses the file only
when its first line names the same TAG.
"""
import re
import sys

# How CMake's check modules describe the cache entries that hold their answers.
CHECK_HELP = re.compile(
    r"^(Have (include|function|symbol|library|prototype|variable) |Test |Result of TRY_|"
    r"Result of TEST_|CHECK_TYPE_SIZE: )")
ENTRY = re.compile(r"^([A-Za-z0-9_.+-]+):INTERNAL=(.*)$")


def check_entries(lines):
    """Yields (name, value, help) for each cached check result."""
    help_text = ""
    for line in lines:
        line = line.rstrip("\n")
        if line.startswith("//"):
            help_text = line[2:]
            continue
        match = ENTRY.match(line)
        if match and CHECK_HELP.match(help_text):
            yield match.group(1), match.group(2), help_text
        help_text = ""


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("$", "\\$") + '"'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    cache, tag = sys.argv[1], sys.argv[2]
    with open(cache, encoding="utf-8") as source:
        entries = sorted(check_entries(source))
    print(f"# checks for: {tag}")
    for name, value, help_text in entries:
        print(f"set({name} {quoted(value)} CACHE INTERNAL {quoted(help_text)})")


if __name__ == "__main__":
    main()
