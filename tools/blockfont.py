"""Reads the game's blocky glyph source and turns grid squares into outlines.

Shared by the font builder and the logo painter, so the logos are lettered
in the same blocky style as the game's font.
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

    def top(self):
        return max((r for _, r in self.cells), default=-1)


def _char_name(token):
    if token == "space":
        return " "
    if token.startswith("U+") and len(token) > 2:
        return chr(int(token[2:], 16))
    if len(token) != 1:
        raise ValueError("bad character name %r" % token)
    return token


def _cells(rows, base, name):
    if base is None:
        base = len(rows)
    cells = set()
    for i, row in enumerate(rows):
        r = base - 1 - i
        for c, ch in enumerate(row):
            if ch == "#":
                cells.add((c, r))
            elif ch != ".":
                raise ValueError("%s: bad square %r" % (name, ch))
    return cells


def _compose(base, marks):
    """A base character with marks centred over its ink: above it with one
    clear row, or under the baseline for marks that hang below."""
    cells = set(base.cells)
    width = base.width()
    for mark_cells, below in marks:
        mw = max(c for c, _ in mark_cells) + 1
        mh = max(r for _, r in mark_cells) + 1
        dx = (width - mw) // 2 if width else 0
        if below:
            dy = -mh
        else:
            # Over a mark-less base (a spacing accent) sit at lower-case height.
            dy = (base.top() if base.cells else 4) + 2
        cells |= {(c + dx, r + dy) for c, r in mark_cells}
    shift = -min((c for c, _ in cells), default=0)
    if shift > 0:
        cells = {(c + shift, r) for c, r in cells}
    return cells


def parse_glyphs(path=GLYPH_FILE):
    """Returns {character: Glyph} for every character of a glyph source."""
    drawn, composed, marks = [], [], {}
    current = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("//") or not line.strip():
                continue
            if line.startswith("== "):
                head, _, parts = line[3:].partition(" = ")
                tokens = head.split()
                if tokens[0].startswith("@") and len(tokens[0]) > 1:
                    current = ("mark", tokens[0][1:], "below" in tokens[1:], [])
                    marks[current[1]] = current
                    continue
                char = _char_name(tokens[0])
                advance = int(tokens[1])
                if parts:
                    composed.append((char, advance, parts.split()))
                    current = None
                    continue
                base = None
                for p in tokens[2:]:
                    key, _, value = p.partition("=")
                    if key != "base":
                        raise ValueError("unknown option %r" % p)
                    base = int(value)
                current = ("glyph", char, advance, base, [])
                drawn.append(current)
            else:
                if current is None:
                    raise ValueError("rows outside a character: %r" % line)
                current[-1].append(line.strip())

    glyphs = {}

    def add(char, advance, cells):
        g = Glyph(char, advance, cells)
        if g.width() * CELL > advance:
            raise ValueError("glyph %r: ink wider than its advance" % char)
        if char in glyphs:
            raise ValueError("glyph %r given twice" % char)
        glyphs[char] = g

    for _, char, advance, base, rows in drawn:
        add(char, advance, _cells(rows, base, repr(char)))
    mark_cells = {name: (_cells(rows, None, "@" + name), below)
                  for name, (_, _, below, rows) in marks.items()}
    for char, advance, parts in composed:
        base = glyphs[_char_name(parts[0])]
        add(char, advance, _compose(base, [mark_cells[m] for m in parts[1:]]))
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
            if here == start:
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
