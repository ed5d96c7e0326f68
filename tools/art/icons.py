"""Icons: rounded tiles in the colour of their category with a white pictogram, and the
program's own mark, a sheet fed into a shredder on a deep blue tile."""

from PIL import ImageChops

from .canvas import CLEAR, WHITE, Grad, Layer, mix
from .formats import Animation

CATEGORIES = {
    "computer": ((112, 128, 150), (70, 85, 106)),
    "space": ((219, 92, 150), (179, 52, 112)),
    "windows": ((70, 150, 240), (30, 99, 196)),
    "ie": ((38, 186, 190), (12, 134, 146)),
    "office": ((246, 128, 66), (212, 82, 29)),
    "apps": ((146, 112, 228), (100, 69, 192)),
    "user": ((84, 196, 96), (45, 154, 60)),
    "chrome": ((236, 92, 80), (190, 48, 38)),
    "edge": ((52, 150, 226), (18, 100, 176)),
    "firefox": ((240, 168, 46), (206, 118, 12)),
}


class Pen(Layer):
    """A glyph layer with the category colours at hand."""

    def __init__(self, size, cat):
        super().__init__(size, size, 8, size / 32)
        self.light, self.dark = CATEGORIES[cat]
        self.deep = mix(self.dark, (0, 0, 0), 0.25)

    # shared shapes

    def page_lines(self, x0, x1, ys, w=2):
        for y in ys:
            self.rect(x0, y, x1, y + w, mix(self.light, WHITE, 0.2))

    def knock(self, cx, cy, r):
        self.ellipse(cx, cy, r, CLEAR)

    def clock(self, cx, cy, r):
        self.knock(cx, cy, r + 2)
        self.ellipse(cx, cy, r, WHITE)
        self.ring(cx, cy, r, 2 if self.small else 1.5, self.deep)
        w = 2 if self.small else 1.8
        self.line([(cx, cy - r * 0.6), (cx, cy), (cx + r * 0.45, cy + r * 0.3)], w, self.deep)

    def folder(self, x0, y0, x1, y1, fill=WHITE):
        self.rect(x0, y0, x0 + (x1 - x0) * 0.45, y0 + 6, fill, r=2)
        self.rect(x0, y0 + 3, x1, y1, fill, r=2)
        self.rect(x0, y0 + 7, x1, y0 + 9, mix(self.light, WHITE, 0.55))

    def bubble(self, x0, y0, x1, y1, fill=WHITE):
        self.rect(x0, y0, x1, y1, fill, r=5)
        self.poly([(x0 + 4, y1 - 2), (x0 + 4, y1 + 5), (x0 + 11, y1 - 2)], fill)

    def down_arrow(self, cx, y0, y1, fill=WHITE, shaft=6, head=14):
        hy = y1 - head / 2 - 1
        self.rect(cx - shaft / 2, y0, cx + shaft / 2, hy + 1, fill)
        self.poly([(cx - head / 2, hy), (cx + head / 2, hy), (cx, y1)], fill)


def draw_tile(size, cat):
    t = Pen(size, cat)
    box = (0, 0, 32, 32) if size < 24 else (1, 1, 31, 31)
    r = 7 if size < 24 else 6
    t.rect(*box, fill=Grad(t.light, t.dark, box[1], box[3]), r=r)
    gloss = ImageChops.multiply(t.m_rect(*box, r=r), t.m_rect(box[0], box[1], box[2], 16))
    t.paint(gloss, (255, 255, 255, 34))
    t.frame(*box, 2 if size < 24 else 1, (*t.deep, 150), r=r)
    if size >= 24:
        t.frame(box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1, 1, (255, 255, 255, 60), r=r - 1)
    return t


def make_icon(size, cat, glyph):
    tile = draw_tile(size, cat)
    g = Pen(size, cat)
    glyph(g)
    shadow = g.twin()
    shadow.paint(g.im.getchannel("A"), (*g.deep, 255))
    tile.put(shadow, alpha=0.45, dy=1 if size >= 24 else 0.5)
    tile.put(g)
    return tile.result()


def icon(cat, glyph):
    """The drawing of a tree icon: the glyph on a tile of its category at 32, 16 and 15 pixels."""
    return lambda: [make_icon(size, cat, glyph) for size in (32, 16, 15)]


NAVY_TOP, NAVY_BOTTOM = (46, 110, 200), (20, 46, 104)
ORANGE = (254, 144, 2)


def app_mark(size, step=0):
    """The shredder mark; step 1 shows the sheet further in and the strips grown in turn."""
    p = Layer(size, size, 8, size / 32)
    small = size < 24
    box = (0, 0, 32, 32) if small else (1, 1, 31, 31)
    p.rect(*box, fill=Grad(NAVY_TOP, NAVY_BOTTOM, box[1], box[3]), r=7)
    gloss = ImageChops.multiply(p.m_rect(*box, r=7), p.m_rect(box[0], box[1], box[2], 15))
    p.paint(gloss, (255, 255, 255, 30))
    p.frame(*box, 2 if small else 1, (10, 26, 64, 170), r=7)
    top = 5 + 4 * step
    p.page(9, top, 23, 16, fold=4)
    if not small:
        p.rect(11, top + 5, 19, top + 6.2, (150, 170, 200))
    p.rect(5, 14, 27, 19, Grad((255, 178, 64), ORANGE, 14, 19), r=2)
    p.rect(7, 16, 25, 17, (120, 60, 0))
    for i, x in enumerate((10, 14, 18, 22) if small else (9, 13, 17, 21)):
        p.rect(x, 19, x + 2, 19 + (8, 11)[(i + step) % 2], WHITE)
    return p.result()


def app_icon():
    return [app_mark(48), app_mark(32), app_mark(16)]


def working_animation():
    """The mark at work, two frames half a second apart on the grey of a dialog."""
    return Animation([app_mark(32, 0), app_mark(32, 1)], 50, (236, 236, 236))
