#!/usr/bin/env python3
"""Checks the help pages of both games.

    tools/check-help.py            the pages as files: every link and anchor
                                   resolves to a page the build installs, every
                                   help topic the program opens has its anchor
                                   and every topic anchor is one it opens
    tools/check-help.py --browser  the same pages in a headless Chromium driven
                                   through chromium-driver: each page loads with
                                   its style sheets and pictures, each link and
                                   each topic the program opens lands on its
                                   target in the browser's own document

Exit status: 0 clean, 1 faults found (listed), 77 the browser check was
skipped because Chromium or its driver is not installed (CTest shows it as
skipped). Needs nothing but Python 3's standard library.
"""

import argparse
import html.parser
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.parse
import urllib.request
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SKIPPED = 77

# Addresses that name nobody: a help page must not send the reader there.
PLACEHOLDER_HOST = re.compile(r"(^|\.)(example\.(org|com|net)|example|invalid|localhost|test)$", re.I)


class HelpSet:
    """The help of one program: the pages the build copies beside it and the
    source folders whose code opens them."""

    def __init__(self, name, folder, installed, code, topics):
        self.name = name
        self.folder = ROOT / folder
        self.installed = installed  # file name -> True, for the files copied
        self.code = [ROOT / c for c in code]
        self.topics = topics  # whether the program opens pages at "#t<topic>"

    def files(self):
        return sorted(p for p in self.folder.iterdir() if self.installed(p.name))

    def pages(self):
        return [p for p in self.files() if p.suffix == ".html"]


# jigsaw/resources/help/CMakeLists.txt copies every .html and .css file of
# its folder; minefield/CMakeLists.txt copies the one page.
SETS = [
    HelpSet("jigsaw", "jigsaw/resources/help", lambda n: n.endswith((".html", ".css")),
            ["jigsaw", "framework"], topics=True),
    HelpSet("minefield", "minefield/resources", lambda n: n == "mvro-help.html", ["minefield"], topics=False),
]

CONTENTS_PAGE = "index.html"
# The program finds a topic in a page by this exact text (HelpIndex).
TOPIC_ANCHOR = re.compile(r'id="t(\d+)"')
# Every help topic the code opens is a constant whose name ends in
# "HelpTopic", so that this check finds them all.
TOPIC_CONSTANT = re.compile(r"\b(\w*HelpTopic)\s*=\s*(\d+)\b(?!\.)")
# A topic passed as a bare number escapes the list above.
BARE_TOPIC = re.compile(
    r"\b(?:ShowHelp|m_help|helpRequested|AskCustomSize|setHelpContext)\s*\((?:[^;()]*,)?\s*(\d+)\s*\)")
# Pages the code names itself ("index.html", "mvro-help.html#keys").
PAGE_LITERAL = re.compile(r'"([\w.-]+\.html?)(?:#([\w.-]*))?"')
# The contents page forwards "#t<topic>" to the page of the topic.
FORWARD = re.compile(r'\bt(\d+)\s*:\s*"([\w.-]+\.html)"')


class Page(html.parser.HTMLParser):
    """What one page holds: its ids, its links and its title."""

    LINKS = {"a": "href", "link": "href", "img": "src", "script": "src", "iframe": "src", "source": "src"}

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.ids = []
        self.links = []  # (line, tag, address)
        self.title = ""
        self.lang = None
        self._in_title = False
        self.feed(text)
        self.close()

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.append(a["id"])
        if tag == "a" and "name" in a:
            self.ids.append(a["name"])
        if tag == "html":
            self.lang = a.get("lang")
        if tag == "title":
            self._in_title = True
        attr = self.LINKS.get(tag)
        if attr and a.get(attr) is not None:
            self.links.append((self.getpos()[0], tag, a[attr]))

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


class Report:
    def __init__(self):
        self.faults = []

    def fault(self, where, text):
        self.faults.append(f"{where}: {text}")

    def finish(self, what):
        for f in self.faults:
            print(f)
        if self.faults:
            print(f"{what}: {len(self.faults)} fault(s)")
            return 1
        print(f"{what}: clean")
        return 0


def rel(path):
    try:
        return str(Path(path).relative_to(ROOT))
    except ValueError:
        return str(path)


def external(address, where, report):
    """Links off the help: only real addresses, never placeholders."""
    parts = urllib.parse.urlsplit(address)
    if parts.scheme in ("http", "https"):
        host = parts.hostname or ""
        if PLACEHOLDER_HOST.search(host):
            report.fault(where, f"links to the placeholder address {address}")
        return True
    if parts.scheme == "mailto":
        host = address.rpartition("@")[2]
        if PLACEHOLDER_HOST.search(host):
            report.fault(where, f"links to the placeholder address {address}")
        return True
    if parts.scheme or address.startswith("/"):
        report.fault(where, f"{address}: the help must link to its own pages by relative addresses")
        return True
    return False


def read_pages(hs, report):
    pages = {}
    for p in hs.pages():
        text = p.read_text(encoding="utf-8")
        page = Page(text)
        page.text = text
        pages[p.name] = page
        where = rel(p)
        if not page.title.strip():
            report.fault(where, "has no title")
        if not page.lang:
            report.fault(where, "has no lang on <html>")
        seen = set()
        for i in page.ids:
            if i in seen:
                report.fault(where, f'id "{i}" is given twice')
            seen.add(i)
    return pages


def check_links(hs, pages, report):
    names = {p.name for p in hs.files()}
    for name, page in pages.items():
        for line, tag, address in page.links:
            where = f"{rel(hs.folder / name)}:{line}"
            if external(address, where, report):
                continue
            parts = urllib.parse.urlsplit(address)
            target = urllib.parse.unquote(parts.path) or name
            # The installed help is one flat folder.
            if "/" in target or target not in names:
                what = "which does not exist" if not (hs.folder / target).exists() else "which the build does not install"
                report.fault(where, f"<{tag}> {address}: links to {target}, {what}")
                continue
            if parts.fragment:
                if target not in pages:
                    report.fault(where, f"{address}: an anchor in a file that is not a page")
                elif parts.fragment not in pages[target].ids:
                    report.fault(where, f"{address}: {target} has no anchor \"{parts.fragment}\"")


def check_reachable(hs, pages, report):
    """Every page can be reached from the contents page."""
    start = CONTENTS_PAGE if CONTENTS_PAGE in pages else None
    if not start:
        return
    seen, todo = {start}, [start]
    while todo:
        for _, tag, address in pages[todo.pop()].links:
            target = urllib.parse.unquote(urllib.parse.urlsplit(address).path)
            if tag == "a" and target in pages and target not in seen:
                seen.add(target)
                todo.append(target)
    for name in sorted(set(pages) - seen):
        report.fault(rel(hs.folder / name), f"no link from {CONTENTS_PAGE} leads to this page")


def code_files(hs):
    for folder in hs.code:
        for p in sorted(folder.rglob("*")):
            if p.suffix in (".cpp", ".h") and p.is_file():
                yield p


def code_topics(hs, report):
    """topic -> the constants that name it, from the program's source."""
    topics = {}
    for p in code_files(hs):
        text = p.read_text(encoding="utf-8", errors="replace")
        for m in TOPIC_CONSTANT.finditer(text):
            line = text.count("\n", 0, m.start()) + 1
            topics.setdefault(int(m.group(2)), []).append(f"{m.group(1)} ({rel(p)}:{line})")
        for m in BARE_TOPIC.finditer(text):
            line = text.count("\n", 0, m.start()) + 1
            if int(m.group(1)) != 0:
                report.fault(f"{rel(p)}:{line}", f"help topic {m.group(1)} given as a bare number: "
                             "name it with a constant ending in HelpTopic")
    return topics


def page_literals(hs):
    for p in code_files(hs):
        text = p.read_text(encoding="utf-8", errors="replace")
        for m in PAGE_LITERAL.finditer(text):
            yield f"{rel(p)}:{text.count(chr(10), 0, m.start()) + 1}", m.group(1), m.group(2)


def anchored_topics(hs, pages, report):
    """topic -> page, as the program reads the pages."""
    anchors = {}
    for name, page in sorted(pages.items()):
        for m in TOPIC_ANCHOR.finditer(page.text):
            t = int(m.group(1))
            if t in anchors:
                report.fault(rel(hs.folder / name), f"topic {t} is on {anchors[t]} too")
            else:
                anchors[t] = name
        # An anchor the parser sees but the program's plain search does not.
        for i in page.ids:
            if re.fullmatch(r"t\d+", i) and f'id="{i}"' not in page.text:
                report.fault(rel(hs.folder / name), f'topic anchor {i} must be written id="{i}" for the program to find it')
    return anchors


def check_topics(hs, pages, report):
    if CONTENTS_PAGE not in pages:
        report.fault(rel(hs.folder), f"no contents page {CONTENTS_PAGE}")
        return {}
    topics = code_topics(hs, report)
    if not topics:
        report.fault(rel(hs.code[0]), "no help topic constant found: the topic search is broken")
        return {}
    anchors = anchored_topics(hs, pages, report)
    for t, names in sorted(topics.items()):
        if t not in anchors:
            report.fault(names[0], f"help topic {t} has no anchor id=\"t{t}\" in any page: F1 there opens the contents")
    for t, name in sorted(anchors.items()):
        if t not in topics:
            report.fault(rel(hs.folder / name), f"anchor t{t} is a topic the program never opens")
    forwards = {int(t): page for t, page in FORWARD.findall(pages[CONTENTS_PAGE].text)}
    for t, name in sorted(anchors.items()):
        if forwards.get(t) != name:
            report.fault(rel(hs.folder / CONTENTS_PAGE), f"forwards #t{t} to {forwards.get(t)}, but the topic is on {name}")
    for t in sorted(set(forwards) - set(anchors)):
        report.fault(rel(hs.folder / CONTENTS_PAGE), f"forwards #t{t}, a topic no page holds")
    return {t: anchors[t] for t in topics if t in anchors}


def check_page_literals(hs, pages, report):
    for where, name, fragment in page_literals(hs):
        if name not in pages:
            report.fault(where, f"the code opens {name}, which is not one of its help pages")
        elif fragment and fragment not in pages[name].ids:
            report.fault(where, f"the code opens {name}#{fragment}, an anchor the page lacks")


def targets(hs, pages, topics):
    """The addresses the program opens: its pages named in the code, the
    contents, each topic at its anchor."""
    out = set()
    for _, name, fragment in page_literals(hs):
        if name in pages:
            out.add((name, fragment or ""))
    for t, name in topics.items():
        out.add((name, f"t{t}"))
    return sorted(out)


def static_check():
    report = Report()
    for hs in SETS:
        pages = read_pages(hs, report)
        if not pages:
            report.fault(rel(hs.folder), "no help pages")
            continue
        check_links(hs, pages, report)
        check_page_literals(hs, pages, report)
        if hs.topics:
            check_reachable(hs, pages, report)
            topics = check_topics(hs, pages, report)
            print(f"{hs.name}: {len(pages)} pages, topics the program opens: "
                  + ", ".join(f"{t} ({p})" for t, p in sorted(topics.items())))
        else:
            print(f"{hs.name}: {len(pages)} page(s)")
    return report.finish("help pages (files)")


# --- the browser


class Browser:
    """A headless Chromium behind chromium-driver, spoken to over the
    WebDriver protocol."""

    FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             # Lets a page read its own style sheets, so that a sheet that did
             # not load can be told from one that did.
             "--allow-file-access-from-files"]

    def __init__(self, chromium, driver):
        self.profile = tempfile.mkdtemp(prefix="check-help-")
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            port = s.getsockname()[1]
        self.base = f"http://127.0.0.1:{port}"
        self.driver = subprocess.Popen([driver, f"--port={port}"], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        for _ in range(200):
            try:
                self.call("GET", "/status")
                break
            except (urllib.error.URLError, ConnectionError):
                time.sleep(0.05)
        caps = {"goog:chromeOptions": {"binary": chromium, "args": self.FLAGS + [f"--user-data-dir={self.profile}"]}}
        self.session = self.call("POST", "/session", {"capabilities": {"alwaysMatch": caps}})["sessionId"]

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=60) as answer:
            return json.load(answer)["value"]

    def open(self, url):
        self.call("POST", f"/session/{self.session}/url", {"url": url})

    def run(self, script):
        return self.call("POST", f"/session/{self.session}/execute/sync", {"script": script, "args": []})

    def close(self):
        try:
            self.call("DELETE", f"/session/{self.session}")
        finally:
            self.driver.terminate()
            self.driver.wait()
            shutil.rmtree(self.profile, ignore_errors=True)


# What the browser made of a page.
FACTS = """
const sheets = [...document.querySelectorAll('link[rel~=stylesheet]')].map(l => {
    let loaded = false;
    try { loaded = l.sheet !== null && l.sheet.cssRules.length > 0; } catch (e) {}
    return [l.getAttribute('href'), loaded];
});
return {
    url: location.href,
    ready: document.readyState,
    title: document.title,
    body: document.body ? document.body.innerText.trim().length : 0,
    ids: [...document.querySelectorAll('[id]')].map(e => e.id)
         .concat([...document.querySelectorAll('a[name]')].map(e => e.name)),
    links: [...document.querySelectorAll('a[href]')].map(a => [a.getAttribute('href'), a.href]),
    sheets: sheets,
    images: [...document.images].map(i => [i.getAttribute('src'), i.complete && i.naturalWidth > 0]),
    target: document.querySelector(':target') ? document.querySelector(':target').id : null,
};
"""


def find_browser():
    chromium = os.environ.get("CHROMIUM") or shutil.which("chromium") or shutil.which("chromium-browser")
    driver = os.environ.get("CHROMEDRIVER") or shutil.which("chromedriver")
    return chromium, driver


def browser_check():
    chromium, driver = find_browser()
    if not chromium or not driver:
        missing = " and ".join(n for n, p in (("chromium", chromium), ("chromium-driver", driver)) if not p)
        print(f"{missing} not installed: the help pages' browser check is skipped "
              "(apt-get install chromium chromium-driver to run it)")
        return SKIPPED
    report = Report()
    browser = Browser(chromium, driver)
    try:
        for hs in SETS:
            check_in_browser(hs, browser, report)
    finally:
        browser.close()
    return report.finish("help pages (in Chromium)")


def check_in_browser(hs, browser, report):
    static = Report()
    pages = read_pages(hs, static)
    topics = check_topics(hs, pages, static) if hs.topics else {}
    seen = {}
    for name in pages:
        url = (hs.folder / name).as_uri()
        browser.open(url)
        facts = browser.run(FACTS)
        seen[name] = facts
        where = rel(hs.folder / name)
        if facts["ready"] != "complete" or not facts["title"] or facts["body"] == 0:
            report.fault(where, f"did not load in the browser (state {facts['ready']}, title {facts['title']!r})")
        for href, loaded in facts["sheets"]:
            if not loaded:
                report.fault(where, f"style sheet {href} did not load")
        for src, loaded in facts["images"]:
            if not loaded:
                report.fault(where, f"picture {src} did not load")
    # Links, against the documents as the browser built them.
    for name, facts in seen.items():
        for raw, resolved in facts["links"]:
            parts = urllib.parse.urlsplit(resolved)
            if parts.scheme != "file":
                continue
            target = Path(urllib.parse.unquote(parts.path))
            where = f"{rel(hs.folder / name)} link {raw}"
            if target.parent != hs.folder or target.name not in seen:
                report.fault(where, f"leads to {rel(target)}, not a page of the help")
            elif parts.fragment and parts.fragment not in seen[target.name]["ids"]:
                report.fault(where, f"the browser finds no anchor \"{parts.fragment}\" on {target.name}")
    # Each address the program opens, as the program opens it.
    opened = targets(hs, pages, topics)
    for name, fragment in opened:
        url = (hs.folder / name).as_uri() + (f"#{fragment}" if fragment else "")
        browser.open(url)
        facts = browser.run(FACTS)
        if fragment and facts["target"] != fragment:
            report.fault(rel(hs.folder / name), f"opened at #{fragment}, the browser shows no such target")
    # The contents page at a topic's anchor sends the reader on to its page.
    forwards = FORWARD.findall(pages[CONTENTS_PAGE].text) if CONTENTS_PAGE in pages else []
    anchors = anchored_topics(hs, pages, static)
    for t, _ in forwards:
        browser.open((hs.folder / CONTENTS_PAGE).as_uri() + f"#t{t}")
        facts = browser.run(FACTS)
        landed = Path(urllib.parse.unquote(urllib.parse.urlsplit(facts["url"]).path)).name
        holder = anchors.get(int(t))
        if landed != holder or facts["target"] != f"t{t}":
            report.fault(rel(hs.folder / CONTENTS_PAGE),
                         f"#t{t} lands on {landed}#{facts['target']}, not on the topic's page {holder}")
    print(f"{hs.name}: {len(seen)} page(s) loaded, {len(opened)} address(es) the program opens "
          f"and {len(forwards)} forwarded by the contents tried")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--browser", action="store_true", help="check the pages in a headless Chromium")
    args = parser.parse_args()
    return browser_check() if args.browser else static_check()


if __name__ == "__main__":
    sys.exit(main())
