"""Reads the game's blocky glyph source and turns grid squares into outlines.

Shared by the font builder and the logo painter, so the logos are lettered
with exactly the shapes of the game's font.
"""
import os

CELL = 75  # font units per grid square

GLYPH_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "font_glyphs.txt")


class Glyph:
    """One character: its advance and its ink squares as (column, row) pairs,
    row 0 being the square that sits on the baseline, rows counting up."""

    def __init__(self, char, advance, cells):
        self.char = char
        self.advance = advance
        self.cells = cells

    def width(self):
        return max((c for c, _ in self.cells), default=-1) + 1


def parse_glyphs(path=GLYPH_FILE):
    glyphs = {}
    current = None

    def finish():
        if current is None:
            return
        char, advance, base, rows = current
        if base is None:
            base = len(rows)
        cells = set()
        for i, row in enumerate(rows):
            r = base - 1 - i
            for c, ch in enumerate(row):
                if ch == "#":
                    cells.add((c, r))
                elif ch != ".":
                    raise ValueError("glyph %r: bad square %r" % (char, ch))
        g = Glyph(char, advance, cells)
        if g.width() * CELL > advance:
            raise ValueError("glyph %r: ink wider than its advance" % char)
        if char in glyphs:
            raise ValueError("glyph %r given twice" % char)
        glyphs[char] = g

    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("//") or not line.strip():
                continue
            if line.startswith("== "):
                finish()
                parts = line[3:].split()
                char = " " if parts[0] == "space" else parts[0]
                if len(char) != 1:
                    raise ValueError("bad character name %r" % parts[0])
                base = None
                for p in parts[2:]:
                    key, _, value = p.partition("=")
                    if key != "base":
                        raise ValueError("unknown option %r" % p)
                    base = int(value)
                current = (char, int(parts[1]), base, [])
            else:
                if current is None:
                    raise ValueError("rows before the first character")
                current[3].append(line.strip())
    finish()
    return glyphs


def outline(cells):
    """Merges unit squares into closed contours of grid points (x, y), y up.

    Outer contours run clockwise and holes counter-clockwise, the TrueType
    convention, so ink lies on the right of every edge; edges shared by two
    squares cancel, which leaves no seams for an anti-aliasing rasteriser.
    """
    edges = {}  # start point -> list of end points

    def add(a, b):
        edges.setdefault(a, []).append(b)

    for c, r in cells:
        if (c - 1, r) not in cells:
            add((c, r), (c, r + 1))
        if (c, r + 1) not in cells:
            add((c, r + 1), (c + 1, r + 1))
        if (c + 1, r) not in cells:
            add((c + 1, r + 1), (c + 1, r))
        if (c, r - 1) not in cells:
            add((c + 1, r), (c, r))

    contours = []
    while edges:
        start = min(edges)
        path = [start]
        prev, here = None, start
        while True:
            outs = edges[here]
            if len(outs) == 1 or prev is None:
                nxt = outs[0]
            else:
                # Two squares touching only at this corner: turn right, so
                # each keeps its own contour and the corner stays sharp.
                dx, dy = here[0] - prev[0], here[1] - prev[1]
                right = (here[0] + dy, here[1] - dx)
                nxt = right if right in outs else outs[0]
            outs.remove(nxt)
            if not outs:
                del edges[here]
            prev, here = here, nxt
            if here == start and (here not in edges):
                break
            if here == start:
                # More edges leave the start corner: this loop is closed anyway.
                break
            path.append(here)
        contours.append(_drop_straight_points(path))
    return contours


def _drop_straight_points(path):
    out = []
    n = len(path)
    for i, p in enumerate(path):
        a, b = path[i - 1], path[(i + 1) % n]
        if (p[0] - a[0]) * (b[1] - p[1]) - (p[1] - a[1]) * (b[0] - p[0]) != 0:
            out.append(p)
    return out
