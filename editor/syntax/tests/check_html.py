#!/usr/bin/env python3
"""Checks an exported page with Python's HTML parser.

Usage: check_html.py PAGE TEXT

PAGE is the exported page, TEXT the document text it must show (bytes, CR
line ends, tabs already as blanks). The page must parse without errors into
the expected elements only, keep every end tag of the frame, and the
character data of its preformatted block, with line numbers removed when the
page has them, must equal the text.
"""
import re
import sys
from html.parser import HTMLParser

ALLOWED = {"html", "head", "meta", "title", "body", "pre", "font", "span"}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.errors = []
        self.starts = []
        self.ends = []
        self.in_pre = False
        self.pre_text = []
        self.title = []
        self.in_title = False
        self.decls = []

    def handle_starttag(self, tag, attrs):
        if tag not in ALLOWED:
            self.errors.append("unexpected element <%s>" % tag)
        if self.in_pre and tag not in ("font", "span"):
            self.errors.append("<%s> inside the preformatted block" % tag)
        self.starts.append(tag)
        if tag == "pre":
            self.in_pre = True
        if tag == "title":
            self.in_title = True

    def handle_endtag(self, tag):
        self.ends.append(tag)
        if tag == "pre":
            self.in_pre = False
        if tag == "title":
            self.in_title = False

    def handle_data(self, data):
        if self.in_pre:
            self.pre_text.append(data)
        elif self.in_title:
            self.title.append(data)
        elif data.strip():
            self.errors.append("text outside the page body: %r" % data[:40])

    def handle_decl(self, decl):
        self.decls.append(decl)

    def unknown_decl(self, data):
        self.errors.append("unknown declaration %r" % data)


def main():
    page_bytes = open(sys.argv[1], "rb").read()
    expected = open(sys.argv[2], "rb").read().decode("latin-1")
    numbered = len(sys.argv) > 3 and sys.argv[3] == "numbered"
    page = Page()
    page.feed(page_bytes.decode("latin-1"))
    page.close()
    errors = list(page.errors)
    if page.decls != ['DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN"']:
        errors.append("doctype %r" % page.decls)
    if page.starts[:2] != ["html", "head"] or "body" not in page.starts or "pre" not in page.starts:
        errors.append("frame elements %r" % page.starts[:8])
    if page.ends[-4:] != ["font", "pre", "body", "html"]:
        errors.append("closing tags %r" % page.ends[-4:])
    if "title" not in page.ends or "head" not in page.ends:
        errors.append("title or head not closed")
    shown = "".join(page.pre_text)
    if numbered:
        # Each line starts with its zero-padded number and ends with a CR.
        lines = shown.split("\r")
        if lines[-1] != "":
            errors.append("numbered page does not end its last line")
        digits = len(re.match(r"\d*", lines[0]).group(0))
        for i, line in enumerate(lines[:-1], 1):
            if line[:digits] != "%0*d" % (digits, i):
                errors.append("line %d numbered %r" % (i, line[:digits]))
                break
        shown = "\n".join(line[digits:] for line in lines[:-1])
    want = expected.replace("\r", "\n")
    if shown != want:
        at = next((i for i, (a, b) in enumerate(zip(shown, want)) if a != b), min(len(shown), len(want)))
        errors.append("text differs at %d: page %r, text %r" % (at, shown[at:at + 30], want[at:at + 30]))
    for e in errors:
        print("check_html: " + e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
