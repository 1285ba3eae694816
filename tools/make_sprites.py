"""Draws the three small pictures pixel for pixel: ship, bomb and pointer.

Black is the transparent colour in the game, so every pixel not painted here
stays (0, 0, 0) and disappears when the picture is drawn.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pngwrite import write_png  # noqa: E402

BLACK = (0, 0, 0)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [BLACK] * (width * height)

    def fill(self, x0, x1, y0, y1, colour):
        """Paints the rectangle x0..x1, y0..y1, both ends included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y * self.width + x] = colour

    def save(self, path):
        write_png(path, self.width, self.height, self.pixels)


# The craft: tail fin upper left, cockpit window upper right, red tail light.
SHIP_RECTS = [
    (9, 16, 0, 7, (190, 190, 190)),
    (9, 24, 8, 15, (190, 190, 190)),
    (43, 45, 11, 14, (58, 100, 130)),
    (46, 53, 11, 14, (146, 181, 206)),
    (54, 58, 11, 14, (58, 100, 130)),
    (43, 58, 15, 18, (58, 100, 130)),
    (1, 8, 16, 23, (167, 20, 5)),
    (9, 42, 16, 18, (190, 190, 190)),
    (59, 68, 16, 18, (190, 190, 190)),
    (69, 76, 16, 23, (106, 106, 106)),
    (9, 68, 19, 23, (190, 190, 190)),
    (19, 54, 24, 31, (217, 217, 217)),
    (13, 36, 32, 39, (238, 238, 238)),
]

# The bomb: a two-tone red block, a gap, then the grey body with a narrow tip.
BOMB_RECTS = [
    (0, 7, 0, 4, (144, 3, 0)),
    (0, 7, 5, 9, (236, 44, 0)),
    (0, 7, 13, 18, (217, 217, 217)),
    (2, 5, 19, 20, (217, 217, 217)),
]

# The menu pointer, one row at a time: white edge runs and violet body runs.
# Its tip is the top-left pixel, so the pointer's position is its tip.
POINTER_WHITE = (255, 255, 255)
POINTER_VIOLET = (111, 89, 255)
POINTER_ROWS = [
    ([(0, 0)], [(1, 3)]),
    ([(0, 1)], [(2, 6)]),
    ([(0, 2)], [(3, 9)]),
    ([(1, 3)], [(4, 13)]),
    ([(1, 4)], [(5, 13)]),
    ([(1, 5)], [(6, 12)]),
    ([(1, 6)], [(7, 11)]),
    ([(2, 7)], [(8, 12)]),
    ([(2, 8)], [(9, 13)]),
    ([(2, 9)], [(10, 14)]),
    ([(3, 10)], [(11, 15)]),
    ([(3, 5), (7, 11)], [(12, 16)]),
    ([(3, 4), (8, 12)], [(13, 15)]),
    ([(9, 13)], [(14, 14)]),
    ([(10, 13)], []),
    ([(11, 12)], []),
]


def ship():
    c = Canvas(77, 40)
    for x0, x1, y0, y1, colour in SHIP_RECTS:
        c.fill(x0, x1, y0, y1, colour)
    return c


def bomb():
    c = Canvas(8, 21)
    for x0, x1, y0, y1, colour in BOMB_RECTS:
        c.fill(x0, x1, y0, y1, colour)
    return c


def pointer():
    c = Canvas(18, 18)
    for y, (white, violet) in enumerate(POINTER_ROWS):
        for x0, x1 in white:
            c.fill(x0, x1, y, y, POINTER_WHITE)
        for x0, x1 in violet:
            c.fill(x0, x1, y, y, POINTER_VIOLET)
    return c


def main(out_dir):
    ship().save(os.path.join(out_dir, "ship.png"))
    bomb().save(os.path.join(out_dir, "bomb.png"))
    pointer().save(os.path.join(out_dir, "pointer.png"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "assets")
