#!/usr/bin/env python3
"""Checks that every message that the tool's sources print stands in the DIAGNOSTICS section of
its manual page, as mandoc renders it, so that the two cannot drift apart.

Usage: check_manual_messages.py MANUAL SOURCE...
"""
import re
import subprocess
import sys

manual, sources = sys.argv[1], sys.argv[2:]
page = subprocess.run(["mandoc", "-T", "ascii", manual], check=True, capture_output=True,
                      text=True).stdout
page = re.sub(".\b", "", page)  # the overstrike of bold and underlined words
section = re.search(r"^DIAGNOSTICS\n(.*?)^\S", page, re.S | re.M)
if not section:
    sys.exit(f"{manual}: no DIAGNOSTICS section")
diagnostics = " ".join(section.group(1).split())

messages = []
for source in sources:
    with open(source, encoding="utf-8") as f:
        messages += re.findall(r'\b(?:printf|puts)\(\s*"((?:[^"\\]|\\.)*)"', f.read())
missing = 0
for message in messages:
    # The fixed words, in order, with room between them for what the conversions print.
    words = [" ".join(piece.replace("\\n", " ").split()) for piece in re.split(r"%[a-z]+", message)]
    pattern = ".{1,40}?".join(re.escape(word) for word in words if word)
    found = re.search(pattern, diagnostics)
    if not found:
        print(f"MISSING from {manual}: {message}")
    missing += not found
if len(messages) < 10:
    sys.exit(f"only {len(messages)} messages found in the sources; is the pattern stale?")
print(f"{len(messages) - missing} of {len(messages)} messages of the sources in {manual}")
sys.exit(1 if missing else 0)
