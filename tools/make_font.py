"""Builds the game's TrueType face from the blocky glyph source.

1000 units to the em; ascender 825, descender -150, line gap 9, so that a
line is 984 units: 30 pixels at the game's size of 30 pixels to the em, with
the baseline 25 pixels below the top of the line.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fontTools.fontBuilder import FontBuilder  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402
from fontTools.ttLib import newTable  # noqa: E402
from fontTools.ttLib.tables.ttProgram import Program  # noqa: E402

from blockfont import CELL, outline, parse_glyphs  # noqa: E402

UPEM = 1000
ASCENDER = 825
DESCENDER = -150
LINE_GAP = 9
X_HEIGHT = 375
CAP_HEIGHT = 675
FAMILY = "Orlenvault Blocks"
# A fixed date (seconds since 1904) keeps the file the same on every rebuild:
# the pictures' creation time, 1 December 2026, 12:00.
FONT_DATE = 3878971200


def glyph_name(ch):
    return "uni%04X" % ord(ch) if ch != " " else "space"


def draw(cells):
    pen = TTGlyphPen(None)
    for contour in outline(cells):
        pen.moveTo((contour[0][0] * CELL, contour[0][1] * CELL))
        for x, y in contour[1:]:
            pen.lineTo((x * CELL, y * CELL))
        pen.closePath()
    return pen.glyph()


def notdef_cells():
    """An empty box, the usual stand-in for a missing character."""
    cells = set()
    for c in range(6):
        for r in range(9):
            if c in (0, 5) or r in (0, 8):
                cells.add((c, r))
    return cells


def snap_rows(glyph):
    """A tiny glyph program: round every point to the pixel grid vertically.

    It keeps the block rows crisp, and a face with instructions is rendered
    by FreeType's TrueType hinter, which only rounds the advance widths,
    instead of the auto-hinter, which would nudge them glyph by glyph.
    """
    assert len(glyph.coordinates) <= 256, "PUSHB reaches point 255 at most"
    code = [0x00]  # SVTCA[y]: move and measure along the y axis
    for i in range(len(glyph.coordinates)):
        code += [0xB0, i, 0x2F]  # PUSHB[1] i; MDAP[round]
    p = Program()
    p.fromBytecode(bytes(code))
    return p


def vdmx_table(font, glyph_set):
    """Per pixel size, the highest and lowest pixel any glyph reaches."""
    ymax = max(getattr(g, "yMax", 0) for g in glyph_set)
    ymin = min(getattr(g, "yMin", 0) for g in glyph_set)
    group = {}
    for ppem in range(8, 256):
        top = -((-ymax * ppem) // UPEM)
        bottom = (ymin * ppem) // UPEM
        group[ppem] = (top, bottom)
    t = newTable("VDMX")
    t.version = 1
    t.numRecs = 1
    t.numRatios = 1
    t.ratRanges = [{"bCharSet": 1, "xRatio": 0, "yStartRatio": 0, "yEndRatio": 0,
                    "groupIndex": 0}]
    t.groups = [group]
    return t


def build(out_path):
    source = parse_glyphs()
    missing = [chr(c) for c in range(32, 127) if chr(c) not in source]
    if missing:
        raise SystemExit("no glyph for: " + " ".join(missing))
    chars = sorted(source, key=ord)

    # The three glyphs every TrueType face starts with: the missing-character
    # box, an empty glyph for control codes, and an empty carriage return.
    order = [".notdef", ".null", "nonmarkingreturn"] + [glyph_name(c) for c in chars]
    glyphs = {".notdef": draw(notdef_cells()), ".null": draw(set()),
              "nonmarkingreturn": draw(set())}
    metrics = {".notdef": (525, 0), ".null": (0, 0), "nonmarkingreturn": (600, 0)}
    cmap = {0x0D: "nonmarkingreturn"}
    for ch in chars:
        name = glyph_name(ch)
        g = source[ch]
        glyphs[name] = draw(g.cells)
        metrics[name] = (g.advance, 0)
        cmap[ord(ch)] = name

    fb = FontBuilder(UPEM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    longest = 0
    for name in order:
        g = glyf[name]
        if g.numberOfContours > 0:
            g.program = snap_rows(g)
            longest = max(longest, len(g.program.getBytecode()))
    # Left side bearings as the outlines really start, as TrueType expects.
    for name in order:
        g = glyf[name]
        metrics[name] = (metrics[name][0], getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENDER, descent=DESCENDER, lineGap=LINE_GAP)
    fb.setupNameTable({
        "familyName": FAMILY,
        "styleName": "Bold",
        "uniqueFontIdentifier": FAMILY + " Bold 1.0",
        "fullName": FAMILY + " Bold",
        "version": "Version 1.000",
        "psName": FAMILY.replace(" ", "") + "-Bold",
    })
    fb.setupOS2(
        sTypoAscender=ASCENDER, sTypoDescender=DESCENDER, sTypoLineGap=LINE_GAP,
        usWinAscent=ASCENDER, usWinDescent=-DESCENDER,
        sxHeight=X_HEIGHT, sCapHeight=CAP_HEIGHT,
        usWeightClass=700, fsSelection=0x20 | 0x80,  # bold, typo metrics
        achVendID="ORLV", version=4,
    )
    fb.setupPost()
    fb.font["maxp"].maxSizeOfInstructions = longest
    fb.font["maxp"].maxStackElements = 1
    fb.updateHead(created=FONT_DATE, modified=FONT_DATE, macStyle=1, flags=0x000B)
    fb.font["VDMX"] = vdmx_table(fb.font, [glyf[n] for n in order])
    fb.save(out_path)


if __name__ == "__main__":
    build(sys.argv[1] if len(sys.argv) > 1 else "assets/game_font.ttf")
