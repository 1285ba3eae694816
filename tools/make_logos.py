"""Paints the two logos: the game's title and the emblem of its studio,
Tinderkite.

Both are lettered in the tall capitals of tools/logo_glyphs.txt, the game
font's blocky style stretched for display. Pure black is the transparent
colour in the game, so every colour used inside a logo keeps at least one
channel above zero; the title is shown at 180/255 of its brightness over a
dark purple backdrop, so its colours are bright and its depth warm, not dark.
"""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blockfont import CELL, parse_glyphs  # noqa: E402
from pngwrite import write_png  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
TALL = parse_glyphs(os.path.join(HERE, "logo_glyphs.txt"))
SMALL = parse_glyphs()


def lettering(text, glyphs, cw, ch):
    """A boolean mask of the text drawn with squares cw x ch pixels."""
    cells, x, width, top = [], 0, 0, 0
    for c in text:
        g = glyphs[c]
        for col, row in g.cells:
            cells.append((x + col, row))
        width = x + g.width()
        x += g.advance // CELL
    top = max(r for _, r in cells)
    bottom = min(r for _, r in cells)
    mask = np.zeros(((top - bottom + 1) * ch, width * cw), bool)
    for col, row in cells:
        y = (top - row) * ch
        mask[y:y + ch, col * cw:(col + 1) * cw] = True
    return mask


def lerp(a, b, t):
    return np.asarray(a, float) + (np.asarray(b, float) - np.asarray(a, float)) * t


def ramp(stops, n):
    """n colours along a list of (position 0..1, colour) stops."""
    out = np.zeros((n, 3))
    for i in range(n):
        t = i / max(1, n - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                out[i] = lerp(c0, c1, (t - p0) / max(1e-9, p1 - p0))
                break
    return out


def edges(mask):
    """Masks of ink pixels whose neighbour above, left, below or right is paper."""
    pad = np.pad(mask, 1)
    up = mask & ~pad[:-2, 1:-1]
    left = mask & ~pad[1:-1, :-2]
    down = mask & ~pad[2:, 1:-1]
    right = mask & ~pad[1:-1, 2:]
    return up, left, down, right


def shrink(mask):
    up, left, down, right = edges(mask)
    return mask & ~(up | left | down | right)


def stamp(canvas, mask, x, y, colours):
    """Paints mask at (x, y); colours is one colour or an array per pixel."""
    h, w = mask.shape
    region = canvas[y:y + h, x:x + w]
    if np.ndim(colours) == 1:
        region[mask] = colours
    else:
        region[mask] = colours[mask]


def chrome_face(mask, stops, light, shade):
    """The front of blocky letters: a vertical colour ramp with a bevel,
    a bright rim on the upper and left edges and a shaded lower and right
    rim, two pixels deep."""
    h, w = mask.shape
    face = np.repeat(ramp(stops, h)[:, None, :], w, axis=1)
    outer = mask
    for depth in range(2):
        up, left, down, right = edges(outer)
        k = 0.55 if depth == 0 else 0.3
        face[up | left] = lerp(face[up | left], light, k)
        face[(down | right) & ~(up | left)] *= (1 - k * shade)
        outer = shrink(outer)
    return face


def extrude(canvas, mask, x, y, depth, near, far):
    """The letters' depth: copies of the mask stepping down and right, from
    the far colour at the back to the near colour just behind the face."""
    for k in range(depth, 0, -1):
        t = (k - 1) / max(1, depth - 1)
        stamp(canvas, mask, x + k, y + k, lerp(near, far, t))


def to_pixels(canvas):
    px = np.clip(np.rint(canvas), 0, 255).astype(int)
    return [tuple(p) for p in px.reshape(-1, 3)]


def title_logo():
    w, h = 427, 138
    canvas = np.zeros((h, w, 3))
    mask = lettering("ORLENVAULT", TALL, 5, 7)
    depth = 9
    x = (w - mask.shape[1] - depth) // 2
    y = (h - mask.shape[0] - depth) // 2
    extrude(canvas, mask, x, y, depth, (236, 70, 160), (110, 40, 170))
    # Chrome: sky blue paling to white at a hard horizon, bronze to gold below.
    face = chrome_face(mask, [(0.0, (90, 170, 255)), (0.5, (245, 250, 255)),
                              (0.5, (200, 90, 30)), (0.7, (255, 150, 50)),
                              (1.0, (255, 235, 150))], (255, 255, 255), 0.9)
    stamp(canvas, mask, x, y, face)
    # Glints on the chrome, on the O's shoulder and at the foot of the T.
    twinkle(canvas, x + 9, y + 4, 7, (255, 255, 255))
    twinkle(canvas, x + mask.shape[1] - 15, y + mask.shape[0] - 6, 5, (255, 255, 230))
    return canvas


def kite(canvas, cx, cy, half_w, half_h, block):
    """The studio's kite: a diamond cut into four facets, drawn in blocks."""
    # Blocks centred on the kite's axes, so the spars run down their middle.
    for by in range(cy - block // 2 - (half_h // block) * block, cy + half_h, block):
        for bx in range(cx - block // 2 - (half_w // block) * block, cx + half_w, block):
            px, py = bx + block / 2, by + block / 2
            dx, dy = (px - cx) / half_w, (py - cy) / half_h
            d = abs(dx) + abs(dy)
            if d > 1:
                continue
            if dy < 0:
                colour = (120, 236, 255) if dx < 0 else (40, 150, 240)
            else:
                colour = (150, 70, 230) if dx < 0 else (92, 36, 170)
            if d > 0.86:
                colour = (255, 250, 220)  # the kite's bright frame
            elif abs(px - cx) < block / 2 or abs(py - cy) < block / 2:
                colour = (255, 214, 120)  # the cross spars
            canvas[by:by + block, bx:bx + block] = colour


def kite_tail(canvas, x0, y0, length, block):
    """The kite's string, waving off to the right of its foot, in blocks,
    with three bows tied along it."""
    bows = [(255, 120, 60), (255, 210, 60), (255, 90, 160)]
    points = []
    last = None
    for i in range(length // block):
        x = x0 + i * block
        y = y0 + block * int(round(2.2 * math.sin(i / 3.2) + i / 10))
        points.append((x, y))
        # Join each step to the last one so the string never breaks.
        y_from = y if last is None else min(y, last)
        y_to = y if last is None else max(y, last)
        canvas[y_from:y_to + block, x:x + block] = (236, 236, 250)
        last = y
    for k, c in enumerate(bows):
        x, y = points[(k + 1) * len(points) // 4]
        canvas[y - block:y + 2 * block, x - block:x] = c
        canvas[y:y + block, x:x + block] = c
        canvas[y - block:y + 2 * block, x + block:x + 2 * block] = c


def twinkle(canvas, x, y, size, colour):
    """A small four-pointed sparkle with a solid heart."""
    canvas[y - size:y + size + 1, x] = colour
    canvas[y, x - size:x + size + 1] = colour
    if size >= 4:
        canvas[y - 1:y + 2, x - 1:x + 2] = colour


def maker_logo():
    w, h = 420, 236
    canvas = np.zeros((h, w, 3))
    kite(canvas, 210, 58, 48, 52, 4)
    kite_tail(canvas, 210, 110, 120, 3)
    for tx, ty, size in ((136, 30, 4), (290, 22, 3), (150, 92, 2), (300, 76, 2)):
        twinkle(canvas, tx, ty, size, (255, 246, 200))

    name = lettering("TINDERKITE", TALL, 5, 4)
    depth = 4
    x = (w - name.shape[1] - depth) // 2
    y = 134
    extrude(canvas, name, x, y, depth, (40, 96, 170), (40, 50, 120))
    face = chrome_face(name, [(0.0, (236, 252, 255)), (0.5, (110, 220, 255)),
                              (0.5, (255, 150, 60)), (1.0, (255, 224, 120))],
                       (255, 255, 255), 0.8)
    stamp(canvas, name, x, y, face)

    word = lettering("STUDIO", SMALL, 3, 3)
    wx = (w - word.shape[1]) // 2
    wy = y + name.shape[0] + depth + 8
    stamp(canvas, word, wx, wy, (200, 210, 255))
    # Rules either side of the word, as on a badge.
    mid = wy + word.shape[0] // 2 - 1
    canvas[mid:mid + 3, x:wx - 12] = (110, 120, 220)
    canvas[mid:mid + 3, wx + word.shape[1] + 12:x + name.shape[1]] = (110, 120, 220)
    return canvas


def main(out_dir):
    for name, make in (("title_logo.png", title_logo), ("maker_logo.png", maker_logo)):
        canvas = make()
        h, w, _ = canvas.shape
        write_png(os.path.join(out_dir, name), w, h, to_pixels(canvas))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "assets")
