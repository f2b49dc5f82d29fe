#!/usr/bin/env python3
"""Fails when a source file includes upward across the layers, when a subsystem includes
another subsystem's window, or when a file outside tests/ is named like a test.

    layering_check.py SRC_DIR      check a tree
    layering_check.py --self-test  show that a planted upward include is caught
"""
import os
import re
import sys
import tempfile

# Bottom first. A file may include its own folder and any folder of a lower rank.
RANKS = {
    "text": 0,
    "platform": 1,
    "dictionary": 2,
    "common": 3,
    "editor": 4, "learning": 4, "exam": 4, "statistics": 4,
    "translator": 4, "tools": 4, "help": 4,
    "app": 5,
}
SUBSYSTEM_RANK = 4
WINDOW_HEADER = re.compile(r"_(window|dialog)\.h$")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([a-z_]+)/([^"]+)"', re.MULTILINE)
SOURCE = re.compile(r"\.(h|hpp|cpp|cc)$")


def check(src):
    problems = []
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        if folder not in RANKS:
            problems.append(f"{folder}/: a folder the layers do not know; add it to {os.path.basename(__file__)}")
            continue
        for root, _, files in os.walk(path):
            for name in sorted(files):
                rel = os.path.relpath(os.path.join(root, name), src)
                stem = os.path.splitext(name)[0]
                if stem.startswith("test_") or stem.endswith("_test"):
                    problems.append(f"{rel}: named like a test, but it is not in tests/")
                if not SOURCE.search(name):
                    continue
                with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
                    text = f.read()
                for target, header in INCLUDE.findall(text):
                    if target == folder or target not in RANKS:
                        continue
                    if RANKS[target] > RANKS[folder]:
                        problems.append(f"{rel}: includes {target}/{header}, a layer above {folder}/")
                    elif (RANKS[target] == SUBSYSTEM_RANK == RANKS[folder]
                          and WINDOW_HEADER.search(header)):
                        problems.append(f"{rel}: includes another subsystem's window {target}/{header}")
    return problems


def self_test():
    with tempfile.TemporaryDirectory() as tmp:
        def write(rel, text):
            os.makedirs(os.path.dirname(os.path.join(tmp, rel)), exist_ok=True)
            with open(os.path.join(tmp, rel), "w") as f:
                f.write(text)
        write("text/codec.h", "#pragma once\n")
        write("platform/files.h", '#include "text/codec.h"\n')
        write("editor/editor_window.h", '#include "platform/files.h"\n')
        if check(tmp):
            return "a clean tree was reported: " + "; ".join(check(tmp))
        cases = {
            "platform/bad.cpp": '#include "editor/editor_window.h"\n',
            "exam/exam_window.cpp": '#include "editor/editor_window.h"\n',
            "editor/uses_app.cpp": '#include "app/application.h"\n',
            "exam/test_table.h": "#pragma once\n",
            "stray/x.cpp": "",
        }
        for rel, text in cases.items():
            write(rel, text)
            if not any(p.startswith(rel.split("/")[0] + "/" if rel.startswith("stray") else rel) for p in check(tmp)):
                return f"not caught: {rel}"
            os.remove(os.path.join(tmp, rel))
    return None


def main():
    if sys.argv[1:] == ["--self-test"]:
        failure = self_test()
        print(failure or "layering check: planted faults are caught")
        return 1 if failure else 0
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    problems = check(sys.argv[1])
    for p in problems:
        print(p)
    print(f"layering check: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
