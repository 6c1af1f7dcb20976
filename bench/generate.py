#!/usr/bin/env python3
"""Writes a GPAIS-like product list of a given size, and an error log naming some of its codes.

Seeded, so the same arguments give the same bytes. The positions vary as real exports do:
four product types, their child elements in varying order, packaging blocks before or after
the position's own supply-start date, optional end dates, CR LF line ends, Lithuanian text.
"""
import argparse
import random

NAMESPACE = "http://www.gpais.lt/schemas/produktuSarasas/2.3"
KINDS = [
    ("apmokestinamasGaminys", "AG", "gaminioPakuotes", "gaminioPakuote"),
    ("elektronineIranga", "EEI", "gaminioPakuotes", "gaminioPakuote"),
    ("prekinisVienetas", "PV", "pakuotes", "pvPakuote"),
    ("baterija", "BAT", "pakuotes", "pvPakuote"),
]
NAMES = ["Automobilio padanga „Žiema 205/55 R16“", "Šaldytuvas „Šiaurė 300“",
         "Obuolių sultys, 1 l stiklinis butelis", "Šarminė baterija AA, 4 vnt.",
         "Grikių kruopos, 800 g", "Dulkių siurblys be maišelio", "Žirnių konservai, 400 g",
         "Ličio jonų akumuliatorius 18650", "Tepalinė alyva 5W-30, 4 l", "Kavos aparatas „Rytas“"]
MATERIALS = ["Kartonas", "Plastikas (PET)", "Stiklas", "Medinis padėklas", "Polietileno plėvelė",
             "Skarda"]


def random_date(rng, in_period, period):
    if in_period:
        return f"{period[0]}-{period[1]:02d}-{rng.randint(1, 30):02d}"
    while True:
        year, month = rng.randint(2015, 2027), rng.randint(1, 12)
        if (year, month) != period:
            return f"{year}-{month:02d}-{rng.randint(1, 28):02d}"


# How a variant writes a position's start tag, and what it puts after the position. The
# variants keep every byte of the plain list's content, so they keep the same positions.
START_TAGS = {
    "plain": lambda kind, number: f"<{kind}>",
    "tab-attributes": lambda kind, number: f"<{kind}\tid=\"{number}\">",
    "attribute-lines": lambda kind, number: f"<{kind}\r\n        id=\"{number}\">",
}
VARIANTS = ["plain", "tab-attributes", "attribute-lines", "self-closing", "slash-runs"]


def position(rng, number, share, period, variant="plain"):
    kind, prefix, block, item = KINDS[rng.randrange(len(KINDS))]
    code = f"{prefix}-{number:07d}"
    fields = [
        f"      <registracijosId>{7_000_000 + number}</registracijosId>\r\n",
        f"      <kodas>{code}</kodas>\r\n",
        f"      <pavadinimas>{rng.choice(NAMES)}</pavadinimas>\r\n",
        f"      <svoris>{rng.uniform(0.01, 80):.3f}</svoris>\r\n",
    ]
    if rng.random() < 0.3:
        fields[0], fields[2] = fields[2], fields[0]
    own = [f"      <pradetaTiektiNuo>{random_date(rng, rng.random() < share, period)}</pradetaTiektiNuo>\r\n"]
    if rng.random() < 0.2:
        own.append(f"      <tiektaIki>{random_date(rng, False, period)}</tiektaIki>\r\n")
    packs = []
    if rng.random() < 0.85:
        packs.append(f"      <{block}>\r\n")
        for _ in range(rng.randint(1, 3)):
            packs.append(
                f"        <{item}>\r\n"
                f"          <medziaga>{rng.choice(MATERIALS)}</medziaga>\r\n"
                f"          <svoris>{rng.uniform(0.001, 3):.3f}</svoris>\r\n"
                f"          <pradetaTiektiNuo>{random_date(rng, rng.random() < 0.5, period)}</pradetaTiektiNuo>\r\n"
                f"        </{item}>\r\n")
        packs.append(f"      </{block}>\r\n")
    body = fields + (packs + own if rng.random() < 0.5 else own + packs)
    start = START_TAGS.get(variant, START_TAGS["plain"])(kind, number)
    after = f"    <{kind}\tid=\"{number}\"/>\r\n" if variant == "self-closing" else ""
    extra = len(start) - len(f"<{kind}>") + len(after)  # ASCII: characters are bytes
    return code, f"    {start}\r\n" + "".join(body) + f"    </{kind}>\r\n" + after, extra


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--size-mb", type=float, default=200)
    parser.add_argument("--seed", type=int, default=20261101)
    parser.add_argument("--share", type=float, default=0.25, help="share of positions in the period")
    parser.add_argument("--error-share", type=float, default=0.2, help="share named in the error log")
    parser.add_argument("--list", required=True)
    parser.add_argument("--errors", required=True)
    parser.add_argument("--variant", choices=VARIANTS, default="plain",
                        help="plain, or a list shaped to make a scan search to its end per position")
    parser.add_argument("--slash-mb", type=float, default=4,
                        help="slash-runs: megabytes of \"</\" in the comment after the list")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    period = (2026, 11)
    target = int(args.size_mb * 1_000_000)
    head = ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            f"<produktuSarasas xmlns=\"{NAMESPACE}\" versija=\"2.3\">\r\n"
            "  <subjektas>\r\n    <imonesKodas>304512378</imonesKodas>\r\n"
            "    <pavadinimas>UAB „Žalioji pakuotė“</pavadinimas>\r\n  </subjektas>\r\n"
            "  <produktai>\r\n")
    tail = "  </produktai>\r\n</produktuSarasas>\r\n"
    if args.variant == "slash-runs":
        # One self-closing position first, so that closing tags are answered from the index,
        # which must then take the runs after the list in its stride.
        head += "    <baterija\tid=\"0\"/>\r\n"
        tail += "<!-- " + "</" * int(args.slash_mb * 500_000) + "-->\r\n"
    written = 0
    count = 0
    with open(args.list, "wb") as out, open(args.errors, "wb") as log:
        out.write(head.encode())
        chunk = []
        while written < target:
            count += 1
            code, text, extra = position(rng, count, args.share, period, args.variant)
            data = text.encode()
            chunk.append(data)
            written += len(data) - extra  # the same positions as the plain list of this size
            if rng.random() < args.error_share:
                log.write(f"2026-12-01 09:14:05 KLAIDA: Prekinis vienetas su kodu: {code} "
                          f"(produktoKodas={code}) nerastas\r\n".encode())
            if len(chunk) >= 4096:
                out.write(b"".join(chunk))
                chunk.clear()
        out.write(b"".join(chunk))
        out.write(tail.encode())
    print(f"{count} positions, {written / 1e6:.1f} MB")


if __name__ == "__main__":
    main()
