#!/usr/bin/env python3
"""Checks that HTML pages are well formed: every element that is opened is
closed in order (void elements excepted; a list item may end where the next
item or its list begins to end, as HTML allows), no text or tag stands after the
end of the html element, and the parser reports no broken markup. Prints
each fault and exits with 1 when there is one."""
import sys
from html.parser import HTMLParser

VOID = {"br", "hr", "meta", "link", "img", "input", "area", "base", "col", "param", "source", "wbr", "embed"}


class Checker(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.faults = []
        self.closed_html = False

    def where(self):
        line, col = self.getpos()
        return f"{line}:{col}"

    def handle_starttag(self, tag, attrs):
        if self.closed_html:
            self.faults.append(f"{self.where()}: <{tag}> after </html>")
        names = [name for name, _ in attrs]
        if len(names) != len(set(names)):
            self.faults.append(f"{self.where()}: <{tag}> repeats an attribute")
        if tag == "li" and self.stack and self.stack[-1][0] == "li":
            self.stack.pop()
        if tag not in VOID:
            self.stack.append((tag, self.where()))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack:
            self.faults.append(f"{self.where()}: </{tag}> without <{tag}>")
            return
        if tag in ("ul", "ol") and self.stack[-1][0] == "li":
            self.stack.pop()
        top, at = self.stack.pop()
        if top != tag:
            self.faults.append(f"{self.where()}: </{tag}> closes <{top}> opened at {at}")
        if tag == "html":
            self.closed_html = True

    def handle_data(self, data):
        if self.closed_html and data.strip():
            self.faults.append(f"{self.where()}: text after </html>")


def check(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    c = Checker()
    c.feed(text)
    c.close()
    for tag, at in c.stack:
        c.faults.append(f"{at}: <{tag}> is never closed")
    if "<html" in text.lower() and not c.closed_html:
        c.faults.append("the page has no </html>")
    return [f"{path}:{fault}" for fault in c.faults]


faults = [fault for path in sys.argv[1:] for fault in check(path)]
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
