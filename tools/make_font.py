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
    return any(lo <= cp <= hi for lo, hi in KEEP_RANGES)


def source_name(font, name_id):
    for lang, key, text in font.sfnt_names:
        if lang == "English (US)" and key == name_id:
            return text
    sys.exit(f"make_font: the source font has no English '{name_id}' name")


def unlink_references(glyph, targets):
    # A composite pointing at a glyph that is dropped or redrawn would lose
    # or change its shape, so it gets its own copy of the outline instead.
    for name in {ref[0] for ref in glyph.references} & targets:
        glyph.unlinkRef(name)


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
    keep.update(font[cp].glyphname for _, cp, _ in PHONETIC_KEYS)

    # Make every kept glyph independent of what is about to be removed or
    # redrawn.  E.g. DejaVu composes U+025C from Cyrillic ze.
    doomed = {g.glyphname for g in font.glyphs() if g.glyphname not in keep}
    for name in keep:
        unlink_references(font[name], doomed | key_glyphs)

    for key, cp, _ in PHONETIC_KEYS:
        font.selection.select(("unicode",), cp)
        font.copy()
        font.selection.select(("unicode",), ord(key))
        font.paste()
        font[ord(key)].unlinkRef()

    for name in doomed:
        font.removeGlyph(name)
    drop_kerning(font, key_glyphs)

    font.fontname = POSTSCRIPT_NAME
    font.familyname = FAMILY
    font.fullname = FAMILY
    font.weight = STYLE
    font.version = VERSION
    font.copyright = dejavu_copyright
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
    font.generate(
        os.path.join(out_dir, "LexoFont.ttf"),
        flags=("opentype", "no-mac-names", "no-FFTM-table"),
    )
    font.close()

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
