#!/usr/bin/python3
"""What a screen reader (Orca reads AT-SPI) finds in the running program, with
both windows shown: prints every object as role, name and relations, and fails
where a user would hear "filler", an unnamed control or an untied field."""
import sys
import time

import pyatspi


def program():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "popolun" and app.childCount == 2:
                return app
        time.sleep(0.1)
    sys.exit("FAIL: the program's two windows never appeared on the accessibility bus")


def walk(node, depth, rows):
    relations = {r.getRelationType().value_nick: r.getTarget(0).name for r in node.getRelationSet()}
    rows.append((depth, node.getRoleName(), node.name, node.getState().contains(pyatspi.STATE_FOCUSABLE), relations))
    for child in node:
        walk(child, depth + 1, rows)


rows = []
for window in program():
    walk(window, 0, rows)
for depth, role, name, _, relations in rows:
    tied = " ".join(f"{kind}={target}" for kind, target in relations.items() if "label" in kind)
    print(f"{'  ' * depth}{role} | {name} | {tied}")

failures = []
windows = [(role, name) for depth, role, name, _, _ in rows if depth == 0]
if windows != [("frame", "ポポルン　ベーシック版"), ("frame", "一発ポポルン　ベーシック版　設定")]:
    failures.append(f"the windows are {windows}")
for depth, role, name, focusable, _ in rows:
    if role == "filler" or not name or (focusable and not name):
        failures.append(f"{role} {name!r}: heard as filler or without a name")
texts = {name: relations for _, role, name, _, relations in rows if role == "text"}
if sorted(texts) != sorted(["ビデオファイル名（拡張子なし）", "拡張子", "幅"]):
    failures.append(f"the fields are heard as {sorted(texts)}")
if texts.get("幅", {}).get("labelled-by") != "幅" or texts.get("拡張子", {}).get("labelled-by") != "asxの設定　拡張子":
    failures.append("a settings field is not tied to its label")
if [name for _, role, name, _, _ in rows if role == "radio button"] != ["オン", "オフ"]:
    failures.append("オン and オフ are not option buttons")
if sorted(name for _, role, name, _, _ in rows if role == "image") != ["プレーヤーの幅と高さの図", "ポポルン"]:
    failures.append("the pictures are not named")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
