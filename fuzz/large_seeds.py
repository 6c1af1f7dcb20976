#!/usr/bin/env python3
"""Writes product lists of the shapes that once made the position scan search to the end of the
document for every position. Each is large enough that such a scan would take many seconds, so
running the fuzz target on them with a short per-input time limit catches it coming back."""
import os
import sys

POSITION = ("<baterija{attrs}>\r\n      <kodas>BAT-{n:07d}</kodas>\r\n"
            "      <pradetaTiektiNuo>2026-11-{day:02d}</pradetaTiektiNuo>\r\n    </baterija>\r\n")


def write(folder, name, positions, start_attrs, after=lambda n: "", trailer=""):
    body = []
    for n in range(positions):
        body.append("    " + POSITION.format(attrs=start_attrs(n), n=n, day=n % 28 + 1) + after(n))
    text = ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<produktai>\r\n" + "".join(body) +
            "</produktai>\r\n" + trailer)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(text.encode())


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    count = 12_000
    write(folder, "tab-attributes.xml", count, lambda n: f"\tid=\"{n}\"")
    write(folder, "attribute-lines.xml", count, lambda n: f"\r\n        id=\"{n}\"")
    write(folder, "distinct-self-closing.xml", count, lambda n: "",
          after=lambda n: f"    <baterija\tid=\"{n}\"/>\r\n")
    write(folder, "slash-runs-in-comment.xml", count, lambda n: "",
          after=lambda n: f"    <baterija\tid=\"{n}\"/>\r\n" if n == 0 else "",
          trailer="<!-- " + "</" * 400_000 + "-->\r\n")


if __name__ == "__main__":
    main()
