#!/usr/bin/env python3
"""Runs the word-list generator on a small dictd dictionary made here and checks the word
list it writes. Argument: the path of tools/make_word_list.py."""

import gzip
import pathlib
import subprocess
import sys
import tempfile

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def b64(number):
    if number == 0:
        return "A"
    digits = ""
    while number:
        digits = B64[number % 64] + digits
        number //= 64
    return digits


ARTICLES = [
    ("00databaseinfo", "English-Czech test dictionary\n"),
    ("boycott", "boycott <v>\nbojkotovat\n"),
    ("boycott", "boycott <n>\nbojkot\n"),
    ("house", "house <v>\nubytovat\n"),
    ("house", "house <n>\nfirma; podnik\n"),
    ("house", "house\n [hud] house (styl hudby)\n\n"),
    ("house", "house\ndům\n"),
    ("house", "house <n>\ndům\n"),
    ("home", "home\ndům\n"),
    ("abandon", "abandon <v>\nvzdát se\n         Note: čeho\n"),
    ("a dogs age", "a dog's age <n>\n\"věčnost\"\n"),
    ("", "- <n>\npomlčka\n"),
    ("koi", "koi\nkapr ♥\n"),
    ("chemistry", "chemistry <n>\nchemie\n"),
    ("cider", "cider <n>\ncidr\n"),
    ("czech", "Czech <n>\nČech\n"),
]


def run(tmp, script, extra):
    out, notice = tmp / "prekladac.dat", tmp / "notice.txt"
    result = subprocess.run([sys.executable, script, *extra, "--output", str(out), "--notice", str(notice)],
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit("generator failed: " + result.stderr)
    return out.read_bytes(), notice.read_text(encoding="utf-8"), result.stdout


def check(condition, what):
    if not condition:
        raise SystemExit("make_word_list: " + what)


def main():
    script = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        tmp = pathlib.Path(folder)
        body = b""
        index = []
        for word, text in ARTICLES:
            data = text.encode("utf-8")
            index.append(f"{word}\t{b64(len(body))}\t{b64(len(data))}")
            body += data
        (tmp / "t.index").write_text("\n".join(index) + "\n", encoding="utf-8")
        with gzip.open(tmp / "t.dict.dz", "wb") as f:
            f.write(body)
        copyright_file = tmp / "copyright"
        copyright_file.write_text("Files: eng-ces/*\nCopyright: 2000-2022 FreeDict contributors\nLicense: GPL-2+\n\n"
                                  "License: GPL-2+\n This program is free software\n", encoding="utf-8")

        data, notice, report = run(tmp, script, ["--index", str(tmp / "t.index"), "--dict", str(tmp / "t.dict.dz"),
                                                 "--copyright", str(copyright_file)])
        check(data.endswith(b"\r\n") and b"\n" not in data.replace(b"\r\n", b""), "lines end in CR LF")
        lines = data.decode("cp1250").split("\r\n")[:-1]
        marker = lines.index("Začátek český výrazů")
        english, czech = lines[:marker - 1], lines[marker + 1:]
        check(lines[marker - 1] != "", "the line before the marker is not empty")
        check("BOYCOTT;bojkot, bojkotovat" in english, f"senses joined, shortest first: {english}")
        house = [line for line in english if line.startswith("HOUSE;")]
        check(house == ["HOUSE;dům, ubytovat, firma, podnik, [hud] house (styl hudby)"],
              f"one HOUSE line, tags gone, ';' made ',', the repeated sense once: {house}")
        check("ABANDON;vzdát se (čeho)" in english, f"a note joins its sense: {english}")
        check("A DOG'S AGE;\"věčnost\"" in english, f"the article's own headword, in capitals: {english}")
        check(not any(line.startswith("00DATABASE") or line.startswith("-;") for line in english),
              f"no database entries, no keys without letters: {english}")
        check(not any(line.startswith("KOI;") for line in english), "text Windows-1250 cannot hold is left out")
        check([e.split(";")[0] for e in english].index("BOYCOTT") < [e.split(";")[0] for e in english].index("HOUSE"),
              "index order kept")

        czech_map = dict(line.split(";", 1) for line in czech)
        check(czech_map.get("DŮM") == "house, home", f"inverted, in capitals: {czech}")
        check(czech_map.get("VZDÁT SE") == "abandon", f"explanations left out of Czech keys: {czech}")
        check(czech_map.get("VĚČNOST") == "a dog's age", f"quotes left out of Czech keys: {czech}")
        check(czech_map.get("FIRMA") == "house" and czech_map.get("PODNIK") == "house", "senses split at commas")
        keys = [line.split(";")[0] for line in czech]
        check(keys == ["BOJKOT", "BOJKOTOVAT", "CIDR", "ČECH", "DŮM", "FIRMA", "HOUSE", "CHEMIE", "PODNIK", "UBYTOVAT",
                      "VĚČNOST", "VZDÁT SE"], f"Czech alphabetical order: {keys}")
        check(czech_map.get("ČECH") == "Czech", "English headwords keep their case in translations")
        check(all(len(k) <= 60 for k in keys), "short Czech keys")
        check("GPL-2+" in notice and "eng-ces" in notice, "licence notice from the copyright file")
        check(f"{len(english)} English and {len(czech)} Czech" in report, f"counts reported: {report}")

        # Without the package: our own list, in the same format.
        (tmp / "own.txt").write_text("# comment\nhouse;dům, stavení\ndog;pes\n", encoding="utf-8")
        data, notice, _ = run(tmp, script, ["--fallback", str(tmp / "own.txt")])
        lines = data.decode("cp1250").split("\r\n")[:-1]
        check(lines[:2] == ["HOUSE;dům, stavení", "DOG;pes"], f"own list: {lines}")
        check(lines[3] == "Začátek český výrazů" and "DŮM;house" in lines and "PES;dog" in lines, f"own list: {lines}")
    print("make_word_list: generator checks passed")


if __name__ == "__main__":
    main()
