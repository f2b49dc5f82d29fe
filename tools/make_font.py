#!/usr/bin/python3
"""Builds data/fonts/LexoFont.ttf ("Lexo Font - Angličtina") from DejaVu Sans.

The font lets users type English pronunciation with an ordinary keyboard: the
keys listed in PHONETIC_KEYS draw a phonetic symbol instead of their usual
glyph.  Everything else is DejaVu Sans, cut down to the Latin and IPA blocks.

The result, data/fonts/legend.txt and data/fonts/LICENSE-DejaVu.txt are
committed, so building Lexo never needs FontForge; run this only to remake
them (Debian: apt-get install python3-fontforge fonts-dejavu-core):

    /usr/bin/python3 tools/make_font.py
"""

import argparse
import os
import struct
import sys

# Key typed by the user -> phonetic symbol it draws, with the Czech hint shown
# in the legend window and the help.  This table is the only place the mapping
# is defined; legend.txt is generated from it.
PHONETIC_KEYS = [
    ("0", 0x0259, "neurčitá samohláska jako v about"),
    ("1", 0x00E6, "široké otevřené e jako v cat"),
    ("2", 0x028C, "krátké tupé a jako v cup"),
    ("3", 0x0252, "krátké otevřené o jako v hot"),
    ("4", 0x0254, "dlouhé otevřené o jako v law"),
    ("5", 0x028A, "krátké u jako v book"),
    ("6", 0x025C, "dlouhá neurčitá samohláska jako v bird"),
    ("7", 0x03B8, "neznělé th jako v think"),
    ("8", 0x00F0, "znělé th jako v this"),
    ("9", 0x0283, "š jako v she"),
    ("!", 0x0292, "ž jako v measure"),
    ("@", 0x014B, "nosové n jako v sing"),
]

FAMILY = "Lexo Font - Angličtina"
STYLE = "Regular"
POSTSCRIPT_NAME = "LexoFont-Anglictina"
VERSION = "1.0"

# Basic Latin, Latin-1 Supplement, Latin Extended-A, IPA Extensions and
# Spacing Modifier Letters (length marks, stress marks).
KEEP_RANGES = [
    (0x0000, 0x007F),
    (0x0080, 0x00FF),
    (0x0100, 0x017F),
    (0x0250, 0x02AF),
    (0x02B0, 0x02FF),
]

# OS/2 bits for exactly those blocks; the values read from DejaVu would still
# claim Cyrillic, Greek, Arabic... and mislead font matching on Windows.
UNICODE_RANGE_BITS = (0, 1, 2, 4, 5)
CODEPAGE_BITS = (0, 1)  # cp1252 Latin 1, cp1250 Latin 2 (Czech)

# Glyphs TrueType renderers expect at the start of the font.
SPECIAL_GLYPHS = (".notdef", ".null", "nonmarkingreturn")

# Pinned so that remaking an unchanged font gives an identical file.
DEFAULT_SOURCE_DATE_EPOCH = "1704067200"  # 2024-01-01

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def legend_text():
    return "".join(
        f"{key}\tU+{cp:04X}\t{chr(cp)}\t{description}\n"
        for key, cp, description in PHONETIC_KEYS
    )


def bits(*numbers):
    value = 0
    for n in numbers:
        value |= 1 << n
    return value


def wanted_code_point(cp):
    return any(lo <= cp <= hi for lo, hi in KEEP_RANGES) or any(
        cp == symbol for _, symbol, _ in PHONETIC_KEYS
    )


def source_name(font, name_id):
    for lang, key, text in font.sfnt_names:
        if lang == "English (US)" and key == name_id:
            return text
    sys.exit(f"make_font: the source font has no English '{name_id}' name")


def drop_kerning(font, names):
    # The keys take the shapes of other letters; digit or '@' kerning would
    # misplace them.
    for lookup in font.gpos_lookups:
        if font.getLookupInfo(lookup)[0] != "gpos_pair":
            continue
        for subtable in font.getLookupSubtables(lookup):
            if font.isKerningClass(subtable):
                first, second, offsets = font.getKerningClass(subtable)
                strip = lambda classes: tuple(
                    tuple(n for n in c if n not in names) if c else c
                    for c in classes
                )
                new_first, new_second = strip(first), strip(second)
                if (new_first, new_second) != (first, second):
                    font.alterKerningClass(subtable, new_first, new_second, offsets)
                continue
            for glyph in font.glyphs():
                pairs = [p for p in glyph.getPosSub(subtable) if p[1] == "Pair"]
                if not pairs:
                    continue
                if glyph.glyphname in names:
                    glyph.removePosSub(subtable)
                elif any(p[2] in names for p in pairs):
                    glyph.removePosSub(subtable)
                    for p in pairs:
                        if p[2] not in names:
                            glyph.addPosSub(subtable, *p[2:])


def drop_tables(path, tags):
    """Removes whole tables from a TrueType file, fixing up the checksums."""
    with open(path, "rb") as f:
        data = f.read()
    version, count = struct.unpack(">4sH", data[:6])
    records = [struct.unpack(">4sIII", data[12 + 16 * i : 28 + 16 * i]) for i in range(count)]
    records = [r for r in records if r[0] not in tags]

    def checksum(block):
        block += b"\0" * (-len(block) % 4)
        return sum(struct.unpack(f">{len(block) // 4}I", block)) & 0xFFFFFFFF

    count = len(records)
    entry_selector = count.bit_length() - 1
    search_range = 16 << entry_selector
    header = struct.pack(">4sHHHH", version, count, search_range, entry_selector,
                         count * 16 - search_range)
    offset = len(header) + 16 * count
    directory, body, head_at = b"", b"", None
    for tag, _, old_offset, length in records:
        table = data[old_offset : old_offset + length]
        if tag == b"head":
            head_at = offset
            table = table[:8] + b"\0\0\0\0" + table[12:]  # checkSumAdjustment
        directory += struct.pack(">4sIII", tag, checksum(table), offset, length)
        table += b"\0" * (-length % 4)
        body += table
        offset += len(table)
    out = bytearray(header + directory + body)
    adjustment = (0xB1B0AFBA - checksum(bytes(out))) & 0xFFFFFFFF
    out[head_at + 8 : head_at + 12] = struct.pack(">I", adjustment)
    with open(path, "wb") as f:
        f.write(out)


def build(source, out_dir):
    os.environ.setdefault("SOURCE_DATE_EPOCH", DEFAULT_SOURCE_DATE_EPOCH)
    import fontforge

    font = fontforge.open(source)
    dejavu_version = font.version
    dejavu_copyright = source_name(font, "Copyright").strip()
    dejavu_licence = source_name(font, "License").strip()

    missing = [f"U+{cp:04X}" for _, cp, _ in PHONETIC_KEYS if cp not in font]
    if missing:
        sys.exit(f"make_font: {source} has no glyph for {', '.join(missing)}")

    key_glyphs = {font[ord(key)].glyphname for key, _, _ in PHONETIC_KEYS}
    keep = {name for name in SPECIAL_GLYPHS if name in font}
    for glyph in font.glyphs():
        if glyph.unicode >= 0 and wanted_code_point(glyph.unicode):
            keep.add(glyph.glyphname)

    # Accented letters are composites (Č = C + Caron, ɜ = Cyrillic ze), and
    # flattening them would throw away their hinting.  Their parts stay in the
    # font, unmapped, so the character set is still just the blocks above.
    pending = list(keep)
    while pending:
        for ref in font[pending.pop()].references:
            if ref[0] not in keep:
                keep.add(ref[0])
                pending.append(ref[0])
    for name in keep:
        glyph = font[name]
        if glyph.unicode >= 0 and not wanted_code_point(glyph.unicode):
            glyph.unicode = -1
        # Anything built from a key glyph would change along with it.
        for ref in glyph.references:
            if ref[0] in key_glyphs and name not in key_glyphs:
                glyph.unlinkRef(ref[0])

    # A key becomes a reference to the phonetic glyph: the same outline and
    # the same hinting, which a pasted copy would lose.
    for key, cp, _ in PHONETIC_KEYS:
        glyph, symbol = font[ord(key)], font[cp]
        glyph.clear()
        glyph.ttinstrs = b""
        glyph.addReference(symbol.glyphname)
        glyph.width = symbol.width

    # Of DejaVu's layout features (and its math stretchy parentheses) only
    # kerning still does something once the combining marks and alternate
    # glyphs are gone; the rest would be left pointing at removed glyphs.
    for lookup in font.gsub_lookups:
        font.removeLookup(lookup)
    for lookup in font.gpos_lookups:
        kind, _, features = font.getLookupInfo(lookup)
        if kind != "gpos_pair":
            font.removeLookup(lookup)
            continue
        # Registered for Arabic, Thai, ... the kerning would make the font
        # look like it can lay those scripts out.
        font.lookupSetFeatureList(lookup, tuple(
            (tag, tuple((script, langs) for script, langs in scripts
                        if script in ("DFLT", "latn")))
            for tag, scripts in features
        ))
    # FontForge cannot forget the stretchy-parenthesis data on a glyph (it
    # writes a MATH table whose parts are .notdef), so that table is cut out
    # of the file afterwards; with no lookups left GSUB is empty as well.
    font.math.clear()

    for glyph in list(font.glyphs()):
        if glyph.glyphname not in keep:
            font.removeGlyph(glyph)
    drop_kerning(font, key_glyphs)

    font.fontname = POSTSCRIPT_NAME
    font.familyname = FAMILY
    font.fullname = FAMILY
    font.weight = STYLE
    font.version = VERSION
    font.sfntRevision = float(VERSION)
    font.os2_unicoderanges = (bits(*UNICODE_RANGE_BITS), 0, 0, 0)
    font.os2_codepages = (bits(*CODEPAGE_BITS), 0)

    derived = (
        f"{FAMILY} is derived from DejaVu Sans {dejavu_version}: reduced to the "
        "Latin and IPA blocks, with the keys 0-9, ! and @ drawing English "
        "phonetic symbols. It is distributed under the DejaVu licence below."
    )
    names = {
        "Copyright": f"{dejavu_copyright}\n{FAMILY}: derived from DejaVu Sans.",
        "Family": FAMILY,
        "SubFamily": STYLE,
        "UniqueID": f"{FAMILY} {STYLE} {VERSION}",
        "Fullname": FAMILY,
        "Version": f"Version {VERSION}; derived from DejaVu Sans {dejavu_version}",
        "PostScriptName": POSTSCRIPT_NAME,
        "Descriptor": derived,
        "License": f"{derived}\n\n{dejavu_licence}",
        "License URL": "https://dejavu-fonts.github.io/License.html",
        "Preferred Family": FAMILY,
        "Preferred Styles": STYLE,
    }
    # Replace the whole table: leftovers such as a localized "DejaVu Sans"
    # would show up as a second family.
    font.sfnt_names = tuple(("English (US)", k, v) for k, v in names.items())

    os.makedirs(out_dir, exist_ok=True)
    font_path = os.path.join(out_dir, "LexoFont.ttf")
    font.generate(font_path, flags=("opentype", "no-mac-names", "no-FFTM-table"))
    font.close()
    drop_tables(font_path, {b"MATH", b"GSUB"})

    with open(os.path.join(out_dir, "legend.txt"), "w", encoding="utf-8") as f:
        f.write(legend_text())
    with open(os.path.join(out_dir, "LICENSE-DejaVu.txt"), "w", encoding="utf-8") as f:
        f.write(
            f"{FAMILY} (LexoFont.ttf) is derived from DejaVu Sans {dejavu_version}\n"
            "(https://dejavu-fonts.github.io/) and is covered by its licence:\n\n"
            f"{dejavu_licence}\n"
        )


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=DEFAULT_SOURCE, help="DejaVuSans.ttf to start from")
    parser.add_argument(
        "--out-dir", default=os.path.join(REPO, "data", "fonts"), help="where to write the files"
    )
    args = parser.parse_args()
    build(args.source, args.out_dir)


if __name__ == "__main__":
    main()
