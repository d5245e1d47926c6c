#!/usr/bin/env python3
"""Checks the help sources and that they compile.

    check_help.py <help source folder> [<built Hlp.chm>]

Every page is listed in the project and reachable from the contents; every
link of the pages, the contents and the index leads to an existing page and,
with "#", to an existing id on it; a scratch copy compiles with chmcmd and
the compiled file holds every page. A page with a broken link, put into a
scratch copy, must be found, so the link check cannot pass by reading nothing.
"""
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.title, self.duplicates = set(), [], "", []
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            if attrs["id"] in self.ids:
                self.duplicates.append(attrs["id"])
            self.ids.add(attrs["id"])
        for name in ("href", "src"):
            if attrs.get(name):
                self.links.append(attrs[name])
        if tag == "param" and attrs.get("name", "").lower() == "local":
            self.links.append(attrs.get("value", ""))
        self._in_title = tag == "title"

    def handle_endtag(self, tag):
        self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def parse(path):
    page = Page()
    page.feed(open(path, encoding="cp1252").read())
    return page


def project_files(folder):
    text = open(os.path.join(folder, "Hlp.hhp"), encoding="cp1252").read()
    section = re.search(r"^\[FILES\]\s*$(.*?)(?=^\[|\Z)", text, re.M | re.S)
    return [line.strip() for line in section.group(1).splitlines() if line.strip()] if section else []


def link_problems(folder):
    problems = []
    pages = sorted(f for f in os.listdir(folder) if f.endswith(".html"))
    if len(pages) < 10:
        return [f"only {len(pages)} pages in {folder}"]
    parsed = {name: parse(os.path.join(folder, name)) for name in pages}
    listed = project_files(folder)
    for name in pages:
        if name not in listed:
            problems.append(f"{name} is not in the project's [FILES]")
        if not parsed[name].title.strip():
            problems.append(f"{name} has no title")
        for duplicate in parsed[name].duplicates:
            problems.append(f"{name}: id {duplicate} twice")
    for name in listed:
        if not os.path.exists(os.path.join(folder, name)):
            problems.append(f"[FILES] names {name}, which does not exist")
    contents = parse(os.path.join(folder, "Hlp.hhc"))
    reachable = {link.split("#")[0] for link in contents.links}
    for name in pages:
        if name not in reachable:
            problems.append(f"{name} is not reachable from the contents")
    sources = dict(parsed, **{"Hlp.hhc": contents, "Hlp.hhk": parse(os.path.join(folder, "Hlp.hhk"))})
    for name, page in sources.items():
        for link in page.links:
            if re.match(r"^(https?|mailto):", link):
                continue
            target, _, anchor = link.partition("#")
            target = target or name
            if target not in parsed and not os.path.exists(os.path.join(folder, target)):
                problems.append(f"{name}: link {link} leads to a missing page")
            elif anchor and (target not in parsed or anchor not in parsed[target].ids):
                problems.append(f"{name}: link {link} leads to a missing anchor")
    return problems


def compile_problems(folder, built):
    problems = []
    chmcmd, chmls = shutil.which("chmcmd"), shutil.which("chmls")
    if not chmcmd:
        return ["chmcmd is not installed (Debian package fp-utils)"]
    with tempfile.TemporaryDirectory() as scratch:
        for name in os.listdir(folder):
            if not name.endswith(".txt"):
                shutil.copy(os.path.join(folder, name), scratch)
        run = subprocess.run([chmcmd, "Hlp.hhp"], cwd=scratch, capture_output=True, text=True)
        chm = os.path.join(scratch, "Hlp.chm")
        if run.returncode != 0 or not os.path.exists(chm):
            return [f"chmcmd failed: {run.stdout}{run.stderr}"]
        for line in (run.stdout + run.stderr).splitlines():
            if re.search(r"\b(error|missing|not found)\b", line, re.I):
                problems.append(f"chmcmd: {line}")
        for path in [chm] + ([built] if built else []):
            if not os.path.exists(path):
                problems.append(f"{path} was not built")
                continue
            if chmls:
                listing = subprocess.run([chmls, "list", path], capture_output=True, text=True).stdout
                held = set(re.findall(r"/([\w.-]+\.(?:html|css))\s*$", listing, re.M))
                for name in project_files(folder):
                    if name not in held:
                        problems.append(f"{path} does not hold {name}")
    return problems


def main() -> int:
    folder = os.path.abspath(sys.argv[1])
    built = sys.argv[2] if len(sys.argv) > 2 else None
    problems = link_problems(folder)
    with tempfile.TemporaryDirectory() as scratch:
        damaged = os.path.join(scratch, "help")
        shutil.copytree(folder, damaged)
        page = os.path.join(damaged, "getting_started.html")
        text = open(page, encoding="cp1252").read().replace('href="drive.html"', 'href="drive.html#nowhere"', 1)
        open(page, "w", encoding="cp1252").write(text)
        if not any("nowhere" in p for p in link_problems(damaged)):
            problems.append("a link to a missing anchor went unnoticed")
    problems += compile_problems(folder, built)
    for problem in problems:
        print(problem)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
