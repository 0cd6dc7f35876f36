#!/usr/bin/python3
"""The help page as shipped: strict HTML5, no external resources, links that
stay inside the page, and the program's fixed messages explained.

usage: help_page_test.py PAGE MESSAGES_HEADER
"""
import re
import sys

import html5lib

page_path, messages_header = sys.argv[1], sys.argv[2]
with open(page_path, "rb") as f:
    raw = f.read()

failures = []
text = raw.decode("utf-8")  # a decoding error fails the test too
if '<meta charset="utf-8">' not in text:
    failures.append("no <meta charset=\"utf-8\">")

# strict: the first parse error of the WHATWG algorithm raises.
try:
    document = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False).parse(raw, transport_encoding="utf-8")
except html5lib.html5parser.ParseError as error:
    sys.exit(f"FAIL: {page_path} is not valid HTML: {error}")

ids = [element.get("id") for element in document.iter() if element.get("id")]
if len(ids) != len(set(ids)):
    failures.append(f"repeated ids: {sorted(i for i in ids if ids.count(i) > 1)}")
for element in document.iter():
    for attribute in ("src", "srcset", "data", "action", "poster"):
        if element.get(attribute) is not None:
            failures.append(f"<{element.tag} {attribute}> loads something")
    if element.tag == "link":
        failures.append("<link> loads something")
    href = element.get("href")
    if href is not None and not (href.startswith("#") and href[1:] in ids):
        failures.append(f"link {href!r} does not lead to a part of the page")
if "url(" in text or "@import" in text:
    failures.append("the style loads something")
if not any(element.tag == "a" for element in document.iter()):
    failures.append("no links: the parse found no page")

body = "".join(document.find("body").itertext())
with open(messages_header, encoding="utf-8") as f:
    for message in re.findall(r'inline constexpr char \w+\[\] = "([^"]*)";', f.read()):
        if message not in body:
            failures.append(f"the message {message} is not explained")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
