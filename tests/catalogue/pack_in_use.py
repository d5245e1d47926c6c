#!/usr/bin/env python3
"""The real program speaks the language the setting names.

    pack_in_use.py <Vantrel.exe> <Lang folder of the build> <work folder>

In a prefix of its own (the test prefix's registry, its C:, a T: of this
test) the program and its Lang folder are staged; with the setting Language
set to German, then French, a silent run on a missing target must log that
pack's text of 9053, in Windows-1252 as the program writes it.
"""
import os
import shutil
import subprocess
import sys

SKIP = 77


def pack_value(pack, key):
    for line in open(pack, encoding="cp1252"):
        name, sep, value = line.rstrip("\r\n").partition("=")
        if sep and name.strip() == str(key):
            return value.strip()
    raise SystemExit(f"{pack} has no {key}")


def main() -> int:
    program, lang, work = (os.path.abspath(a) for a in sys.argv[1:4])
    source = os.environ.get("WINEPREFIX", "")
    if not os.path.isfile(os.path.join(source, "system.reg")) or not shutil.which("wine"):
        print("SKIPPED: WINEPREFIX is not a set-up Wine prefix")
        return SKIP
    shutil.rmtree(work, ignore_errors=True)
    prefix, drive = os.path.join(work, "prefix"), os.path.join(work, "drive")
    os.makedirs(os.path.join(prefix, "dosdevices"))
    for name in os.listdir(source):
        if name.endswith(".reg") or name == ".update-timestamp":
            shutil.copy(os.path.join(source, name), prefix)
    os.symlink(os.path.join(source, "drive_c"), os.path.join(prefix, "dosdevices", "c:"))
    os.makedirs(drive)
    os.symlink(drive, os.path.join(prefix, "dosdevices", "t:"))
    env = dict(os.environ, WINEPREFIX=prefix)
    failed = False
    try:
        for language in ("German", "French"):
            folder = os.path.join(drive, language)
            os.makedirs(folder)
            shutil.copy(program, os.path.join(folder, "Vantrel.exe"))
            shutil.copytree(lang, os.path.join(folder, "Lang"))
            subprocess.run(["wine", "reg", "add", r"HKCU\software\Korvex\Vantrel", "/v", "Language",
                            "/t", "REG_SZ", "/d", language, "/f"], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
            target = f"T:\\{language}\\fehlt.txt"
            subprocess.run(["wine", f"T:\\{language}\\Vantrel.exe", "/s", "Nacht", target], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
            text = pack_value(os.path.join(lang, f"{language}.ini"), 9053)
            # The missing target, then the closing line that not everything was done.
            closing = pack_value(os.path.join(lang, f"{language}.ini"), 15010)
            expected = ("Task Name: Nacht\r\n" + text.replace("#", "\r\n").replace("%s", target) + "\r\n\r\n" +
                        closing.replace("#", "\r\n") + "\r\n\r\n")
            log_path = os.path.join(folder, "log.txt")
            log = "<none>"
            if os.path.exists(log_path):
                raw = open(log_path, "rb").read()
                mark = b"\xef\xbb\xbf"
                log = raw[len(mark):].decode("utf-8") if raw.startswith(mark) else "<no UTF-8 mark>" + raw.decode("cp1252")
            if log != expected:
                print(f"{language}: log.txt is {log!r}, expected {expected!r}")
                failed = True
            else:
                print(f"{language}: the log has the pack's 9053")
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
    if not failed:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
