#!/usr/bin/env python3
"""Writes a language pack as the program reads it: Windows-1252, CRLF lines.

    encode_pack.py <UTF-8 source> <output>

A character that Windows-1252 cannot hold stops the build with its line.
Comment lines (";") are for the sources only and are left out.
"""
import sys


def main() -> int:
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as handle:
        lines = handle.read().splitlines()
    encoded = []
    for number, line in enumerate(lines, 1):
        if line.lstrip().startswith(";"):
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
