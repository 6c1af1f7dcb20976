#!/usr/bin/env python3
"""Times gpais-filter against cp and three XML tools doing the same period filter on one file.

Wall time is taken around the command (it includes the start of /usr/bin/time, about a
millisecond), peak memory comes from /usr/bin/time -v. cp and gpais-filter run several times
and keep their best time, the peers run once (they take far longer)."""
import argparse
import os
import re
import subprocess
import sys
import time

PERIOD = ("2026-11-01", "2026-11-30")
NAMESPACE = "http://www.gpais.lt/schemas/produktuSarasas/2.3"

XSLT = f"""<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:g="{NAMESPACE}">
  <xsl:template match="@*|node()"><xsl:copy><xsl:apply-templates select="@*|node()"/></xsl:copy></xsl:template>
  <xsl:template match="g:produktai">
    <xsl:copy>
      <xsl:copy-of select="@*|node()[not(self::*) or (translate(substring(g:pradetaTiektiNuo, 1, 10), '-', '') &gt;= 20261101
          and translate(substring(g:pradetaTiektiNuo, 1, 10), '-', '') &lt;= 20261130)]"/>
    </xsl:copy>
  </xsl:template>
</xsl:stylesheet>
"""

LXML = f"""import sys
from lxml import etree
tree = etree.parse(sys.argv[1], etree.XMLParser(huge_tree=True))
ns = "{{{NAMESPACE}}}"
products = tree.getroot().find(ns + "produktai")
for position in list(products):
    date = (position.findtext(ns + "pradetaTiektiNuo") or "")[:10]
    if not ("{PERIOD[0]}" <= date <= "{PERIOD[1]}"):
        products.remove(position)
tree.write(sys.argv[2], xml_declaration=True, encoding="UTF-8")
"""

XPATH_OUTSIDE = ("/g:produktuSarasas/g:produktai/*[not(translate(substring(g:pradetaTiektiNuo,1,10),'-','') >= 20261101"
                 " and translate(substring(g:pradetaTiektiNuo,1,10),'-','') <= 20261130)]")


def measure(command, stdout_path=None, repeat=1):
    best = None
    for _ in range(repeat):
        out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
        started = time.perf_counter()
        result = subprocess.run(["/usr/bin/time", "-v"] + command, stdout=out,
                                stderr=subprocess.PIPE, text=True)
        seconds = time.perf_counter() - started
        if stdout_path:
            out.close()
        report = result.stderr
        rss_mb = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", report).group(1)) / 1024
        exit_code = int(re.search(r"Exit status: (\d+)", report).group(1)) if "Exit status" in report else result.returncode
        if best is None or seconds < best[0]:
            best = (seconds, max(rss_mb, best[1]) if best else rss_mb, exit_code)
    return best


def kept(path):
    if not os.path.exists(path):
        return 0
    with open(path, "rb") as f:
        return f.read().count(b"<kodas>")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--list", required=True)
    parser.add_argument("--errors", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()

    size_mb = os.path.getsize(args.list) / 1e6
    w = lambda name: os.path.join(args.work, name)
    with open(w("filter.xsl"), "w") as f:
        f.write(XSLT)
    with open(w("filter_lxml.py"), "w") as f:
        f.write(LXML)

    gpais = [args.binary]
    runs = [
        ("cp (floor)", ["cp", args.list, w("out-cp.xml")], None, w("out-cp.xml"), args.repeat),
        ("gpais-filter period", gpais + ["--from", PERIOD[0], "--to", PERIOD[1], "-o", w("out-period.xml"), args.list],
         None, w("out-period.xml"), args.repeat),
        ("gpais-filter errors", gpais + ["--errors", args.errors, "-o", w("out-errors.xml"), args.list],
         None, w("out-errors.xml"), args.repeat),
        ("gpais-filter keep all", gpais + ["--from", "2000-01-01", "--to", "2099-12-31", "-o", w("out-all.xml"), args.list],
         None, w("out-all.xml"), args.repeat),
        ("gpais-filter cut all", gpais + ["--from", "1990-01-01", "--to", "1990-01-02", "-o", w("out-none.xml"), args.list],
         None, w("out-none.xml"), args.repeat),
        ("xmlstarlet ed -d", ["xmlstarlet", "ed", "-N", f"g={NAMESPACE}", "-d", XPATH_OUTSIDE, args.list],
         w("out-xmlstarlet.xml"), w("out-xmlstarlet.xml"), 1),
        ("xsltproc", ["xsltproc", "-o", w("out-xsltproc.xml"), w("filter.xsl"), args.list], None,
         w("out-xsltproc.xml"), 1),
        ("python3 lxml", ["/usr/bin/python3", w("filter_lxml.py"), args.list, w("out-lxml.xml")], None,
         w("out-lxml.xml"), 1),
    ]
    results = {}
    subprocess.run(["cp", args.list, w("warm.xml")], check=True)  # the list is in the page cache for all
    os.remove(w("warm.xml"))
    print(f"file: {args.list}, {size_mb:.1f} MB, {args.list and kept(args.list)} positions\n")
    print(f"{'command':24} {'wall s':>8} {'MB/s':>8} {'peak MB':>8} {'exit':>5} {'kept':>8} {'x cp':>6}")
    for name, command, stdout_path, output, repeat in runs:
        seconds, rss, code = measure(command, stdout_path, repeat)
        results[name] = (seconds, rss)
        ratio = seconds / results["cp (floor)"][0]
        print(f"{name:24} {seconds:8.2f} {size_mb / seconds:8.0f} {rss:8.1f} {code:5d} {kept(output):8d} {ratio:6.2f}")
        if os.path.exists(output):
            os.remove(output)

    period = results["gpais-filter period"][0]
    print()
    for peer in ("xmlstarlet ed -d", "xsltproc", "python3 lxml"):
        print(f"gpais-filter period is {results[peer][0] / period:6.1f}x faster than {peer}")
    fastest_peer = min(results[p][0] for p in ("xmlstarlet ed -d", "xsltproc", "python3 lxml"))
    memory_goal = 1.2 * size_mb + 16
    print()
    print(f"goal: period within 2.5x of cp        : {period / results['cp (floor)'][0]:.2f}x")
    print(f"goal: >= 20x faster than fastest peer : {fastest_peer / period:.1f}x")
    worst_rss = max(results[n][1] for n in results if n.startswith("gpais"))
    print(f"goal: peak memory <= {memory_goal:.0f} MB        : {worst_rss:.1f} MB")
    print(f"goal: cut all / keep all <= 1.5       : {results['gpais-filter cut all'][0] / results['gpais-filter keep all'][0]:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
