#!/usr/bin/env python3
"""Writes a language pack as the program reads it: Windows-1252, CRLF lines.

    encode_pack.py <UTF-8 source> <output> <MessageCatalogue.cpp>

A character that Windows-1252 cannot hold stops the build with its line.
Comment lines (";") are for the sources only and are left out, and so is a
text of the range 15001-15199 (work still landing elsewhere) whose
identifier the catalogue does not have yet. Any other key is kept as it
stands, so the pack check reports it.
"""
import re
import sys

LANDING = range(15001, 15200)


def main() -> int:
    source, output, catalogue = sys.argv[1:4]
    known = {int(i) for i in re.findall(r"^\s*\{(\d+), [01], \"", open(catalogue, encoding="utf-8").read(), re.M)}
    with open(source, encoding="utf-8") as handle:
        lines = handle.read().splitlines()
    encoded = []
    for number, line in enumerate(lines, 1):
        if line.lstrip().startswith(";"):
            continue
        key = line.split("=", 1)[0].strip()
        if "=" in line and key.isdigit() and int(key) in LANDING and int(key) not in known:
            continue
        try:
            encoded.append(line.encode("cp1252"))
        except UnicodeEncodeError as error:
            print(f"{source}:{number}: {line[error.start:error.end]!r} has no Windows-1252 code",
                  file=sys.stderr)
            return 1
    with open(output, "wb") as handle:
        handle.write(b"\r\n".join(encoded) + b"\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
