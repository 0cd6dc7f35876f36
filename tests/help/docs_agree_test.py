#!/usr/bin/env python3
"""The help page, the Windows read-me and the README give the same facts.

Each fact is keyed by words that all three carry verbatim (the Japanese documents
give Edge's and IIS's English names and the code-like tokens too). Markup and line
breaks do not count: tags are dropped, entities decoded, white space collapsed.

    docs_agree_test.py [popolun-help.html readme.txt README.md]
"""
import html
import pathlib
import re
import sys

FACTS = {
    "only Edge's Internet Explorer mode runs the player": ["ActiveX", "Internet Explorer mode"],
    "the <embed> fallback downloads the redirector at once": ["Chromium 156"],
    "a downloaded redirector looks for the video beside itself": ["Downloads"],
    "the player is Windows Media Player Legacy": ["Windows Media Player Legacy"],
    "N editions need the Media Feature Pack": ["Media Feature Pack"],
    "Edge 141/142 removed the reload entry and button": ["Edge 141", "Reload in Internet Explorer mode"],
    "the settings page": ["edge://settings/defaultBrowser"],
    "the setting to allow": ["Allow sites to be reloaded in Internet Explorer mode"],
    "the list to add the page to": ["Internet Explorer mode pages"],
    "local files only under the administrator's policy": ["--ie-mode-file-url", "InternetExplorerIntegrationLevel"],
    "IE mode until at least 2029, IE 11 retired": ["2029", "Internet Explorer 11"],
    "the redirector's and the video's types": ["video/x-ms-asf", "video/x-ms-wmv"],
    "a UTF-8 header garbles the pages": ["charset=UTF-8", "charset=Shift_JIS"],
    "Apache": [".htaccess", "AddType video/x-ms-asf .asx", "AddType video/x-ms-wmv .wmv",
               "AddCharset Shift_JIS .htm"],
    "IIS": ["web.config", "mimeMap", "MIME Types"],
    "names are case-sensitive": ["bb.WMV"],
    "Windows 10/11 cannot show WMV.hlp": ["WMV.hlp", "KB917607"],
}


def text_of(path):
    text = path.read_text(encoding="utf-8")
    if path.suffix in (".html", ".htm"):
        text = html.unescape(re.sub(r"<[^>]*>", " ", text))
    return re.sub(r"\s+", " ", text)


def main(argv):
    root = pathlib.Path(__file__).resolve().parents[2]
    paths = [pathlib.Path(arg) for arg in argv] or [
        root / "help/popolun-help.html", root / "packaging/windows/readme.txt", root / "README.md"]
    if len(paths) != 3:
        sys.exit("usage: docs_agree_test.py [popolun-help.html readme.txt README.md]")
    texts = {path: text_of(path) for path in paths}
    missing = [(fact, key, path) for fact, keys in FACTS.items() for key in keys
               for path, text in texts.items() if key not in text]
    for fact, key, path in missing:
        print(f"FAIL: {path.name} leaves out {fact!r}: no {key!r}")
    print(f"{len(missing)} missing of {sum(map(len, FACTS.values())) * len(paths)} checks")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
