"""Paints the two logos: the title lettering and the studio's emblem.

Both are lettered with the game's own blocky font, read from the same glyph
source as the font itself. Pure black is the transparent colour in the game,
so nothing inside a logo may be exactly (0, 0, 0).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blockfont import CELL, parse_glyphs  # noqa: E402
from pngwrite import write_png  # noqa: E402

GLYPHS = parse_glyphs()


def text_cells(text):
    """Ink squares of a line of text, (column, row) with row 0 on the
    baseline, and the line's width in squares (without the last gap)."""
    cells, x, width = set(), 0, 0
    for ch in text:
        g = GLYPHS[ch]
        for c, r in g.cells:
            cells.add((x + c, r))
        width = x + g.width()
        x += g.advance // CELL
    return cells, width


def to_pixels(img):
    return [tuple(max(0, min(255, int(round(v)))) for v in p) for row in img for p in row]


def blank(w, h):
    return [[(0, 0, 0) for _ in range(w)] for _ in range(h)]


def paint_text(img, text, left, top, cw, ch, colour_at):
    cells, _ = text_cells(text)
    top_row = max(r for _, r in cells)
    for c, r in cells:
        for y in range(ch):
            for x in range(cw):
                px, py = left + c * cw + x, top + (top_row - r) * ch + y
                if 0 <= py < len(img) and 0 <= px < len(img[0]):
                    img[py][px] = colour_at(px, py)


def title_logo():
    w, h = 427, 138
    img = blank(w, h)
    paint_text(img, "ORLENVAULT", 18, 24, 5, 10, lambda x, y: (250, 200 - y, 40))
    return w, h, img


def maker_logo():
    w, h = 420, 236
    img = blank(w, h)
    paint_text(img, "TINDERKITE", 30, 100, 5, 6, lambda x, y: (240, 150, 60))
    return w, h, img


def main(out_dir):
    for name, make in (("title_logo.png", title_logo), ("maker_logo.png", maker_logo)):
        w, h, img = make()
        write_png(os.path.join(out_dir, name), w, h, to_pixels(img))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "assets")
