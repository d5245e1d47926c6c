#!/usr/bin/env python3
"""Checks the shipped language packs against the message catalogue.

    check_packs.py <source root> <Lang folder of the build>

For every pack in the Lang folder (Windows-1252, as shipped): one section
"[Korvex Language Pack]", no identifier missing or unknown, no key twice, the
English text's placeholders in the same order, the leading and trailing line
breaks kept, no value the profile reader would change (blanks at either end,
enclosing quotes), no text longer than its lookup keeps, access keys kept and
unique within each window. Every flag beside a pack must be a 16 x 16 bitmap.
A pack with only its section (English) is exempt from the identifier checks.
"""
import os
import re
import struct
import sys

MESSAGE_LIMIT = 1999
CAPTION_LIMIT = 99
SECTION = "Korvex Language Pack"
PLACEHOLDER = re.compile(r"%[a-zA-Z]")


def read_catalogue(path):
    text = open(path, encoding="utf-8").read()
    entries = {}
    for match in re.finditer(r'\{(\d+), ([01]), "((?:[^"\\]|\\.)*)"\}', text):
        english = re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r"}.get(m.group(1), m.group(1)),
                         match.group(3))
        entries.setdefault(int(match.group(1)), []).append(english)
    return entries


def read_windows(path):
    windows = {}
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        name, ids = line.split(":", 1)
        windows[name.strip()] = [int(i) for i in ids.split()]
    return windows


def read_pack(path, problems):
    raw = open(path, "rb").read()
    try:
        text = raw.decode("cp1252")
    except UnicodeDecodeError as error:
        problems.append(f"byte {error.start} is no Windows-1252 character")
        return {}
    if raw.startswith(b"\xef\xbb\xbf") or "Ã" in text:
        problems.append("looks like UTF-8, not Windows-1252")
    sections, values = [], {}
    for number, line in enumerate(text.splitlines(), 1):
        stripped = line.strip()
        if not stripped or stripped.startswith(";"):
            continue
        if stripped.startswith("["):
            sections.append(stripped)
            continue
        key, sep, value = line.partition("=")
        if not sep or not key.strip().isdigit():
            problems.append(f"line {number}: not a key=value line: {line!r}")
            continue
        key = int(key.strip())
        if key in values:
            problems.append(f"{key}: given twice")
        if value != value.strip():
            problems.append(f"{key}: blanks at an end of the value would be lost")
        if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
            problems.append(f"{key}: the enclosing quotes would be lost")
        values[key] = value
    if sections != [f"[{SECTION}]"]:
        problems.append(f"sections are {sections}, not [{SECTION}] alone")
    return values


def edge_breaks(text):
    return len(text) - len(text.lstrip("#")), len(text) - len(text.rstrip("#"))


def check_pack(values, catalogue, windows, problems):
    captions = {i for ids in windows.values() for i in ids}
    for key in sorted(set(catalogue) - set(values)):
        problems.append(f"{key}: missing ({catalogue[key][0]!r})")
    for key in sorted(set(values) - set(catalogue)):
        problems.append(f"{key}: not in the catalogue")
    for key, value in sorted(values.items()):
        if key not in catalogue:
            continue
        for english in catalogue[key]:
            wanted = PLACEHOLDER.findall(english)
            if PLACEHOLDER.findall(value) != wanted:
                problems.append(f"{key}: placeholders {PLACEHOLDER.findall(value)}, English has {wanted}")
            english_breaks = edge_breaks(english.replace("\r\n", "#").replace("\n", "#"))
            if edge_breaks(value) != english_breaks:
                problems.append(f"{key}: line breaks at the ends differ from the English text")
        limit = CAPTION_LIMIT if key in captions else MESSAGE_LIMIT
        if len(value) > limit:
            problems.append(f"{key}: {len(value)} characters, the lookup keeps {limit}")
        if key in captions and "#" in value:
            problems.append(f"{key}: a caption shows '#' as it stands")
        if value.count("&") > 1:
            problems.append(f"{key}: more than one access key")
        # The one value of 9208 is the dialog's title too, so it goes without one.
        english_has_key = any("&" in e for e in catalogue[key]) and key != 9208
        if key in captions and english_has_key and value.count("&") != 1:
            problems.append(f"{key}: the English caption has an access key, this one has none")
    for window, ids in windows.items():
        seen = {}
        for key in ids:
            value = values.get(key, "")
            at = value.find("&")
            if at < 0 or at + 1 >= len(value):
                continue
            letter = value[at + 1].lower()
            if letter in seen:
                problems.append(f"{window}: access key '{letter}' of {key} is also that of {seen[letter]}")
            seen[letter] = key


def check_flag(path, problems):
    data = open(path, "rb").read()
    if len(data) < 54 or data[:2] != b"BM":
        problems.append("not a Windows bitmap")
        return
    size, = struct.unpack_from("<I", data, 2)
    offset, = struct.unpack_from("<I", data, 10)
    header, width, height, planes, bits = struct.unpack_from("<IiiHH", data, 14)
    if size != len(data):
        problems.append(f"file size field {size}, file has {len(data)} bytes")
    if header < 40 or (width, abs(height)) != (16, 16) or planes != 1:
        problems.append(f"{width} x {height}, not 16 x 16")
    if bits != 24 or offset + 16 * 48 > len(data):
        problems.append(f"{bits} bits a pixel or too short: not the 24-bit pixels this check reads")
        return
    pixels = data[offset:offset + 16 * 48]
    opaque = sum(1 for i in range(0, len(pixels), 3) if pixels[i:i + 3] != b"\0\0\0")
    if opaque < 16 * 8:
        problems.append(f"only {opaque} pixels are not transparent black")


def check_sources(folder, catalogue):
    """A source key the catalogue lacks must belong to work still landing."""
    failed = False
    for name in sorted(f for f in os.listdir(folder) if f.endswith(".ini")):
        for number, line in enumerate(open(os.path.join(folder, name), encoding="utf-8"), 1):
            key = line.split("=", 1)[0].strip()
            if "=" in line and key.isdigit() and int(key) not in catalogue and not 15001 <= int(key) <= 15199:
                print(f"lang-packs/{name}:{number}: {key} is in no catalogue range")
                failed = True
    return failed


def check_caption_uses(src, windows):
    """Every identifier the program reads as a caption is listed as one."""
    listed = {i for ids in windows.values() for i in ids}
    used = set()
    for folder, _, files in os.walk(src):
        for name in files:
            if name.endswith((".cpp", ".h")):
                text = open(os.path.join(folder, name), encoding="utf-8", errors="replace").read()
                used |= {int(i) for i in re.findall(r"\b(?:SetDlgItem|Caption)\((\d{4,5})\b", text)}
    for key in sorted(used - listed):
        print(f"{key} is read as a caption but windows.txt does not list it")
    return bool(used - listed)


def faults_are_found(values, catalogue, windows):
    """Each kind of damage to a sound pack must be reported."""
    faults = {
        "missing": lambda v: v.pop(9034),
        "unknown": lambda v: v.__setitem__(8999, "x"),
        "order": lambda v: v.__setitem__(9044, "%s %u"),
        "lost placeholder": lambda v: v.__setitem__(9921, "%d"),
        "edge breaks": lambda v: v.__setitem__(9079, "x"),
        "too long": lambda v: v.__setitem__(9101, "x" * 100),
        "access key twice": lambda v: v.__setitem__(9106, "&" + v[9107].replace("&", "")),
        "access key lost": lambda v: v.__setitem__(9504, v[9504].replace("&", "")),
    }
    sound = []
    check_pack(values, catalogue, windows, sound)
    if sound:
        print(f"the reference pack has problems: {sound}")
        return False
    for name, damage in faults.items():
        damaged = dict(values)
        damage(damaged)
        problems = []
        check_pack(damaged, catalogue, windows, problems)
        if not problems:
            print(f"a pack with the fault '{name}' passed")
            return False
    bad_flag = []
    check_flag(os.devnull, bad_flag)
    return bool(bad_flag)


def main() -> int:
    root, lang = sys.argv[1], sys.argv[2]
    catalogue = read_catalogue(os.path.join(root, "src/lang/MessageCatalogue.cpp"))
    windows = read_windows(os.path.join(root, "lang-packs/windows.txt"))
    reference = read_pack(os.path.join(lang, "German.ini"), []) if os.path.exists(
        os.path.join(lang, "German.ini")) else {}
    if not faults_are_found(reference, catalogue, windows):
        print("the check itself misses faults")
        return 1
    if len(catalogue) < 150:
        print(f"only {len(catalogue)} identifiers read from the catalogue")
        return 1
    unknown = {i for ids in windows.values() for i in ids} - set(catalogue)
    failed = bool(unknown)
    if unknown:
        print(f"windows.txt names identifiers the catalogue lacks: {sorted(unknown)}")
    failed = check_sources(os.path.join(root, "lang-packs"), catalogue) or failed
    failed = check_caption_uses(os.path.join(root, "src"), windows) or failed
    packs = sorted(f for f in os.listdir(lang) if f.lower().endswith(".ini"))
    if not {"German.ini", "French.ini", "English.ini"} <= set(packs):
        print(f"packs found: {packs}")
        failed = True
    for pack in packs:
        problems = []
        values = read_pack(os.path.join(lang, pack), problems)
        if values or pack != "English.ini":
            check_pack(values, catalogue, windows, problems)
        flag = os.path.join(lang, pack[:-4] + ".bmp")
        if os.path.exists(flag):
            check_flag(flag, problems)
        else:
            problems.append("no flag beside it")
        for problem in problems:
            print(f"{pack}: {problem}")
        print(f"{pack}: {len(values)} texts, {len(problems)} problems")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
