#!/usr/bin/env python3
"""Makes the translator's word list prekladac.dat and the licence notice beside it.

From Debian's dict-freedict-eng-ces (dictd .index and gzip'd .dict.dz):

    make_word_list.py --index freedict-eng-ces.index --dict freedict-eng-ces.dict.dz \
        --copyright /usr/share/doc/dict-freedict-eng-ces/copyright \
        --output prekladac.dat --notice prekladac-licence.txt

Without the package, from a small list of our own (UTF-8, "english;czech, czech" a line):

    make_word_list.py --fallback data/translator/word_list.txt --output ... --notice ...

The output is Windows-1250 with CR LF line ends: the English part ("HOUSE;dům, firma…"),
a closing line, the marker "Začátek český výrazů", then the Czech part made by inverting
the English one ("DŮM;home, house…"). Searched texts are in capitals because the
translator's search field types capitals only. Standard library only.
"""

import argparse
import gzip
import re
import sys
import unicodedata

MARKER = "Začátek český výrazů"
END_OF_ENGLISH = "Konec anglických výrazů"
MAX_CZECH_KEY = 60
B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
DEFAULT_NOTICE = """The English-Czech word list (prekladac.dat) is made from the FreeDict
English-Czech dictionary (Debian package dict-freedict-eng-ces).
Copyright: 2000-2022 FreeDict contributors
License: GPL-2+
 This program is free software: you can redistribute it and/or modify it under the
 terms of the GNU General Public License as published by the Free Software Foundation,
 either version 2 of the License, or (at your option) any later version.
"""


def b64_number(text):
    value = 0
    for c in text:
        value = value * 64 + B64.index(c)
    return value


def clean(text):
    # ";" separates the fields of a line, so it cannot stand inside a text.
    return " ".join(text.replace(";", ",").split())


def has_letter(text):
    return any(c.isalpha() for c in text)


def split_top_level(text, separator=","):
    """Splits at separators outside brackets and parentheses."""
    pieces, depth, start = [], 0, 0
    for i, c in enumerate(text):
        if c in "([{":
            depth += 1
        elif c in ")]}" and depth > 0:
            depth -= 1
        elif c == separator and depth == 0:
            pieces.append(text[start:i])
            start = i + 1
    pieces.append(text[start:])
    return [p.strip() for p in pieces if p.strip()]


def parse_definition(text):
    """One dictd article: (headword, translation) or None."""
    lines = text.split("\n")
    headword = clean(re.sub(r"\s*<[^<>]*>\s*$", "", lines[0]))
    parts = []
    for line in lines[1:]:
        line = line.strip()
        if not line:
            continue
        if line.startswith("Note:") and parts:
            note = line[len("Note:"):].strip().strip('"').strip()
            if note:
                parts[-1] += " (" + note + ")"
        else:
            parts.append(line)
    translation = clean(", ".join(parts))
    if not headword or not translation:
        return None
    return headword, translation


def read_dictd(index_path, dict_path):
    """Headwords in index order with their senses: [(headword, [sense, ...]), ...]."""
    with gzip.open(dict_path, "rb") as f:
        data = f.read()
    entries = {}
    with open(index_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 3 or fields[0].startswith("00database") or fields[0].startswith("00-database"):
                continue
            try:
                offset, length = b64_number(fields[1]), b64_number(fields[2])
            except ValueError:
                continue
            parsed = parse_definition(data[offset:offset + length].decode("utf-8", errors="replace"))
            if parsed is None:
                continue
            headword, sense = parsed
            key = headword.upper()
            if key not in entries:
                entries[key] = (headword, [])
            if sense not in entries[key][1]:
                entries[key][1].append(sense)
    return list(entries.values())


def read_fallback(path):
    result = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#") or ";" not in line:
                continue
            english, czech = line.split(";", 1)
            english = clean(english)
            if not english:
                continue
            entry = result.setdefault(english.upper(), (english, []))
            for sense in split_top_level(clean(czech)):
                if sense not in entry[1]:
                    entry[1].append(sense)
    return list(result.values())


def cp1250_or_plain(text):
    """The text as Windows-1250 can hold it, or None."""
    try:
        text.encode("cp1250")
        return text
    except UnicodeEncodeError:
        pass
    out = []
    for c in text:
        try:
            c.encode("cp1250")
            out.append(c)
        except UnicodeEncodeError:
            base = "".join(b for b in unicodedata.normalize("NFKD", c) if not unicodedata.combining(b))
            try:
                base.encode("cp1250")
            except UnicodeEncodeError:
                return None
            out.append(base)
    return "".join(out)


QUOTES = str.maketrans("", "", "\"\u201e\u201c\u201d\u201a\u2018\u2019")


def czech_key(piece):
    """The searched form of one Czech translation: labels like "[hud]" and explanations in
    parentheses at the end are left out."""
    text = re.sub(r"^(\[[^\]]*\]\s*)+", "", piece)
    while True:
        shorter = re.sub(r"\s*\([^()]*\)\s*$", "", text)
        if shorter == text:
            break
        text = shorter
    text = text.translate(QUOTES).strip(" ,.")
    if not has_letter(text) or len(text) > MAX_CZECH_KEY:
        return None
    return text


# Czech alphabetical order: ch after h, č ř š ž after c r s z; other marks count only
# when the words are otherwise equal.
CZECH_LETTERS = {"Č": "C~", "Ř": "R~", "Š": "S~", "Ž": "Z~"}


def czech_sort_key(text):
    primary = []
    upper = text.upper()
    i = 0
    while i < len(upper):
        c = upper[i]
        if c == "C" and i + 1 < len(upper) and upper[i + 1] == "H":
            primary.append("H~")
            i += 2
            continue
        if c in CZECH_LETTERS:
            primary.append(CZECH_LETTERS[c])
        else:
            base = "".join(b for b in unicodedata.normalize("NFD", c) if not unicodedata.combining(b))
            primary.append(base if base else c)
        i += 1
    return ("".join(primary), text)


def build(entries):
    """English lines and Czech lines (without line ends)."""
    english_lines = []
    czech = {}
    for headword, senses in entries:
        headword = cp1250_or_plain(headword)
        if headword is None or not has_letter(headword):
            continue
        kept = [s for s in (cp1250_or_plain(s) for s in senses) if s]
        if not kept:
            continue
        # The short, plain words first: "dům" before "ubytovat" for HOUSE.
        kept.sort(key=len)
        english_lines.append(headword.upper() + ";" + ", ".join(kept))
        for sense in kept:
            for piece in split_top_level(sense):
                key = czech_key(piece)
                if key is None:
                    continue
                translations = czech.setdefault(key.upper(), [])
                if headword not in translations:
                    translations.append(headword)
    czech_lines = [key + ";" + ", ".join(words) for key, words in sorted(czech.items(), key=lambda kv: czech_sort_key(kv[0]))]
    return english_lines, czech_lines


def licence_notice(copyright_path, database_info):
    if copyright_path:
        try:
            with open(copyright_path, encoding="utf-8") as f:
                text = f.read()
        except OSError:
            text = ""
        stanzas = text.split("\n\n")
        files = [s for s in stanzas if s.startswith("Files: eng-ces/")]
        licence = [s for s in stanzas if s.startswith("License: GPL-2+")]
        if files and licence:
            return ("The English-Czech word list (prekladac.dat) is made from the FreeDict\n"
                    "English-Czech dictionary (Debian package dict-freedict-eng-ces).\n\n"
                    + files[0].strip() + "\n\n" + licence[0].strip() + "\n")
    return DEFAULT_NOTICE


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--index")
    parser.add_argument("--dict")
    parser.add_argument("--copyright")
    parser.add_argument("--fallback")
    parser.add_argument("--output", required=True)
    parser.add_argument("--notice", required=True)
    args = parser.parse_args()

    if args.index and args.dict:
        entries = read_dictd(args.index, args.dict)
        notice = licence_notice(args.copyright, None)
    elif args.fallback:
        entries = read_fallback(args.fallback)
        notice = ("The small English-Czech word list (prekladac.dat) of this build was written\n"
                  "for Lexo and is distributed under the same terms as the program.\n")
    else:
        parser.error("give --index and --dict, or --fallback")

    english, czech = build(entries)
    lines = english + [END_OF_ENGLISH, MARKER] + czech
    data = "".join(line + "\r\n" for line in lines).encode("cp1250")
    with open(args.output, "wb") as f:
        f.write(data)
    with open(args.notice, "w", encoding="utf-8") as f:
        f.write(notice)
    print(f"prekladac.dat: {len(english)} English and {len(czech)} Czech entries")
    return 0


if __name__ == "__main__":
    sys.exit(main())
