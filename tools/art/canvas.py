"""Drawing surfaces: a supersampled RGBA layer with shapes, text and gradients.

Shapes are drawn several times larger than their final size and reduced by area averaging;
coordinates are given in units, so that icon shapes on a 32-unit grid fall on whole pixels of
the 16-pixel images where they can.
"""

import math
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont

FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
BOLD = str(FONT_DIR / "DejaVuSans-Bold.ttf")
REGULAR = str(FONT_DIR / "DejaVuSans.ttf")

WHITE = (255, 255, 255)
PAPER_FOLD = (212, 222, 234)
CLEAR = None

def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def rgba(c, alpha=255):
    return c if len(c) == 4 else (*c, alpha)


class Grad:
    """A linear gradient between two colours, from one coordinate to another (in units)."""

    def __init__(self, c0, c1, a, b, horizontal=False):
        self.c0, self.c1, self.a, self.b, self.horizontal = rgba(c0), rgba(c1), a, b, horizontal

    def render(self, layer):
        w, h = layer.im.size
        n = w if self.horizontal else h
        a, b = layer.s(self.a), layer.s(self.b)
        line = Image.new("RGBA", (n, 1) if self.horizontal else (1, n))
        px = line.load()
        for i in range(n):
            t = min(1.0, max(0.0, (i + 0.5 - a) / max(1e-6, b - a)))
            px[(i, 0) if self.horizontal else (0, i)] = mix(self.c0, self.c1, t)
        return line.resize((w, h), Image.NEAREST)


class Layer:
    """An RGBA surface of w by h output pixels, drawn ss times larger; coordinates in units."""

    def __init__(self, w, h, ss=8, unit=1.0):
        self.w, self.h, self.ss, self.unit = w, h, ss, unit
        self.small = w < 24
        self.im = Image.new("RGBA", (w * ss, h * ss), (0, 0, 0, 0))

    def twin(self):
        return Layer(self.w, self.h, self.ss, self.unit)

    def s(self, v):
        return v * self.unit * self.ss

    def mask(self):
        return Image.new("L", self.im.size, 0)

    def paint(self, m, fill):
        if fill is CLEAR:
            self.im.putalpha(ImageChops.multiply(self.im.getchannel("A"), ImageChops.invert(m)))
            return
        src = fill.render(self) if isinstance(fill, Grad) else Image.new("RGBA", self.im.size, rgba(fill))
        src.putalpha(ImageChops.multiply(src.getchannel("A"), m))
        self.im.alpha_composite(src)

    def put(self, other, alpha=1.0, dx=0.0, dy=0.0):
        src = other.im
        if alpha < 1.0:
            src = src.copy()
            src.putalpha(src.getchannel("A").point(lambda v: round(v * alpha)))
        if dx or dy:
            src = ImageChops.offset(src, round(self.s(dx)), round(self.s(dy)))
        self.im.alpha_composite(src)

    def snap(self, v, odd=False):
        """In small images, moves a coordinate onto a pixel edge (or a pixel centre)."""
        if not self.small:
            return v
        half = 0.5 if odd else 0.0
        return (math.floor(v * self.unit - half + 0.5) + half) / self.unit

    def _box(self, x0, y0, x1, y1):
        x0, y0 = self.snap(x0), self.snap(y0)
        x1, y1 = max(self.snap(x1), x0 + 1 / self.unit), max(self.snap(y1), y0 + 1 / self.unit)
        return [self.s(x0), self.s(y0), self.s(x1) - 1, self.s(y1) - 1]

    def m_rect(self, x0, y0, x1, y1, r=0):
        m = self.mask()
        d = ImageDraw.Draw(m)
        if r:
            d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=self.s(r), fill=255)
        else:
            d.rectangle(self._box(x0, y0, x1, y1), fill=255)
        return m

    def m_ellipse(self, cx, cy, rx, ry=None):
        m = self.mask()
        ry = rx if ry is None else ry
        ImageDraw.Draw(m).ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=255)
        return m

    def m_poly(self, pts):
        m = self.mask()
        ImageDraw.Draw(m).polygon([(self.s(x), self.s(y)) for x, y in pts], fill=255)
        return m

    def m_line(self, pts, w, caps=True):
        m = self.mask()
        d = ImageDraw.Draw(m)
        if self.small:
            w = max(1, round(w * self.unit)) / self.unit
            odd = round(w * self.unit) % 2 == 1
            pts = [(self.snap(x, odd), self.snap(y, odd)) for x, y in pts]
        sp = [(self.s(x), self.s(y)) for x, y in pts]
        d.line(sp, fill=255, width=max(1, round(self.s(w))), joint="curve")
        if caps:
            r = self.s(w) / 2
            for x, y in (sp[0], sp[-1]):
                d.ellipse([x - r, y - r, x + r - 1, y + r - 1], fill=255)
        return m

    def m_arc(self, cx, cy, r, start, end, w):
        m = self.mask()
        ImageDraw.Draw(m).arc(self._box(cx - r, cy - r, cx + r, cy + r), start, end, fill=255,
                              width=max(1, round(self.s(w))))
        return m

    def m_frame(self, x0, y0, x1, y1, w, r=0):
        if self.small:
            w = max(1, round(w * self.unit)) / self.unit
        outer = self.m_rect(x0, y0, x1, y1, r)
        inner = self.m_rect(x0 + w, y0 + w, x1 - w, y1 - w, max(0, r - w) if r else 0)
        return ImageChops.subtract(outer, inner)

    def rect(self, x0, y0, x1, y1, fill, r=0):
        self.paint(self.m_rect(x0, y0, x1, y1, r), fill)

    def frame(self, x0, y0, x1, y1, w, fill, r=0):
        self.paint(self.m_frame(x0, y0, x1, y1, w, r), fill)

    def ellipse(self, cx, cy, rx, fill, ry=None):
        self.paint(self.m_ellipse(cx, cy, rx, ry), fill)

    def ring(self, cx, cy, r, w, fill):
        if self.small:
            w = max(1, round(w * self.unit)) / self.unit
        self.paint(ImageChops.subtract(self.m_ellipse(cx, cy, r), self.m_ellipse(cx, cy, r - w)), fill)

    def poly(self, pts, fill):
        self.paint(self.m_poly(pts), fill)

    def line(self, pts, w, fill, caps=True):
        self.paint(self.m_line(pts, w, caps), fill)

    def arc(self, cx, cy, r, start, end, w, fill):
        self.paint(self.m_arc(cx, cy, r, start, end, w), fill)

    def page(self, x0, y0, x1, y1, fold=6, fill=WHITE):
        self.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], fill)
        self.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], PAPER_FOLD)

    def m_text(self, text, font, px, x, y, anchor="la"):
        m = self.mask()
        ImageDraw.Draw(m).text((self.s(x), self.s(y)), text, font=ImageFont.truetype(font, round(self.s(px))),
                               fill=255, anchor=anchor)
        return m

    def text(self, text, font, px, x, y, fill, anchor="la"):
        self.paint(self.m_text(text, font, px, x, y, anchor), fill)

    def letters(self, text, cx, cy, cap, fill, font=BOLD):
        """Text centred on (cx, cy) by its ink; cap is the height of a capital in units.
        Small images use the hand-set pixel letters instead."""
        if self.small:
            self.pixel_text(text, cx, cy, fill)
            return
        f = ImageFont.truetype(font, 100)
        scale = cap / (f.getbbox("H")[3] - f.getbbox("H")[1])
        m = self.m_text(text, font, 100 * scale, 0, 0)
        box = m.getbbox()
        if not box:
            return
        ink = m.crop(box)
        out = self.mask()
        out.paste(ink, (round(self.s(cx) - ink.width / 2), round(self.s(cy) - ink.height / 2)))
        self.paint(out, fill)

    def pixel_text(self, text, cx, cy, fill):
        rows = [PIXEL_FONT[ch] for ch in text]
        width = sum(len(r[0]) for r in rows) + len(rows) - 1
        height = len(rows[0])
        px = 1 / self.unit
        x = round(cx / px - width / 2) * px
        y = round(cy / px - height / 2) * px
        m = self.mask()
        d = ImageDraw.Draw(m)
        for glyph in rows:
            for j, row in enumerate(glyph):
                for i, c in enumerate(row):
                    if c == "#":
                        d.rectangle(self._box(x + i * px, y + j * px, x + (i + 1) * px, y + (j + 1) * px), fill=255)
            x += (len(glyph[0]) + 1) * px
        self.paint(m, fill)

    def result(self):
        return self.im.convert("RGBa").resize((self.w, self.h), Image.BOX).convert("RGBA")


PIXEL_FONT = {
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "B": ["##.", "#.#", "##.", "#.#", "##."],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "E": ["###", "#..", "##.", "#..", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "G": [".##.", "#...", "#.##", "#..#", ".##."],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "Y": ["#.#", "#.#", ".#.", ".#.", ".#."],
    "Z": ["###", "..#", ".#.", "#..", "###"],
    "i": ["#", ".", "#", "#", "#"],
    "#": [".#.#.", "#####", ".#.#.", "#####", ".#.#."],
    "*": ["..#..", "#.#.#", ".###.", "#.#.#", "..#.."],
    # taller letters for the Office pages
    "a": [".##.", "#..#", "#..#", "####", "#..#", "#..#"],
    "x": ["#..#", "#..#", ".##.", ".##.", "#..#", "#..#"],
    "f": ["####", "#...", "###.", "#...", "#...", "#..."],
    "l": ["###", ".#.", ".#.", ".#.", ".#.", "###"],
    "p": ["###.", "#..#", "#..#", "###.", "#...", "#..."],
    "w": ["#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "P": ["##.", "#.#", "##.", "#..", "#..", "#.."],
    "b": ["#..", "#..", "##.", "#.#", "#.#", "##."],
}
