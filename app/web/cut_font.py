"""The site's faces, cut to the characters the cards show and packed as WOFF2.

    cut_font.py ascent FONT                          the Windows ascent per em, for the page
    cut_font.py cut FONT TARGET CHARACTERS [FAMILY]  the cut face; FAMILY renames it, for a
                                                     licence that reserves the font's own name

The same font gives the same bytes every time: no time stamp is written.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

def windows_ascent(path):
    font = TTFont(path, lazy=True)
    return font["OS/2"].usWinAscent / font["head"].unitsPerEm


def rename(font, family):
    """Every name record that names the font: family, unique ID, full, PostScript, typographic,
    compatible-full and WWS family names."""
    style = font["name"].getDebugName(2) or "Regular"
    postscript = family.replace(" ", "") + "-" + style.replace(" ", "")
    for record in font["name"].names:
        if record.nameID in (1, 16, 21):
            record.string = family
        elif record.nameID in (3, 4, 18):
            record.string = f"{family} {style}"
        elif record.nameID == 6:
            record.string = postscript
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [postscript]
        cff[0].FullName = f"{family} {style}"
        cff[0].FamilyName = family


def cut(path, target, characters, family=None):
    options = subset.Options()
    options.flavor = "woff2"
    # Every layout feature and the old kerning table: the pair and the digit set as before.
    options.layout_features = ["*"]
    options.legacy_kern = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    # FontForge's own time stamps.
    options.drop_tables.append("FFTM")
    font = subset.load_font(path, options, dontLoadGlyphNames=False)
    font.recalcTimestamp = False
    cutter = subset.Subsetter(options)
    cutter.populate(text=characters)
    cutter.subset(font)
    if family:
        rename(font, family)
    subset.save_font(font, target, options)


def main():
    if sys.argv[1] == "ascent":
        print(repr(windows_ascent(sys.argv[2])))
    else:
        cut(*sys.argv[2:6])


if __name__ == "__main__":
    main()
