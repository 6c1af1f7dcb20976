#!/usr/bin/env python3
"""Times a period run of gpais-filter on the plain list and on lists of the same positions
written so that a scan would search to the end of the document once per position. Each ratio
is against the plain list's time in the same run, and must stay within 3."""
import argparse
import os
import sys

from measure import PERIOD, measure

LIMIT = 3.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("lists", nargs="+", help="NAME=PATH, the plain list first")
    args = parser.parse_args()

    named = [item.split("=", 1) for item in args.lists]
    out = os.path.join(args.work, "out-adversarial.xml")
    print(f"{'list (period run)':22} {'MB':>7} {'wall s':>8} {'peak MB':>8} {'exit':>5} {'x plain':>8}")
    plain = None
    worst = 0.0
    for name, path in named:
        command = [args.binary, "--from", PERIOD[0], "--to", PERIOD[1], "-o", out, path]
        seconds, rss, code = measure(command, None, args.repeat)
        plain = plain or seconds
        ratio = seconds / plain
        if name != named[0][0]:
            worst = max(worst, ratio)
        print(f"{name:22} {os.path.getsize(path) / 1e6:7.1f} {seconds:8.2f} {rss:8.1f} {code:5d} {ratio:8.2f}")
        if os.path.exists(out):
            os.remove(out)
    print()
    print(f"goal: every shaped list within {LIMIT:.0f}x of the plain one : worst {worst:.2f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
