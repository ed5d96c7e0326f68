"""The main window's pictures: the background, the picture buttons, the slider and the check
states, each cut from or drawn over the background at the place of its control (in pixels)."""

import functools

from PIL import Image, ImageChops, ImageFilter

from . import PRODUCT_HEADER, RESOURCES
from .canvas import BOLD, REGULAR, WHITE, Grad, Layer, mix
from .formats import read_defines, read_string_defines
from .icons import ORANGE, app_mark

LAYOUT = read_defines(RESOURCES / "layout.h")
WINDOW_SIZE = (LAYOUT["MAIN_WINDOW_WIDTH"], LAYOUT["MAIN_WINDOW_HEIGHT"])
W, H = LAYOUT["BACKGROUND_WIDTH"], LAYOUT["BACKGROUND_HEIGHT"]

VERSION = read_defines(PRODUCT_HEADER)
NAME = read_string_defines(PRODUCT_HEADER)["VX_PRODUCT_NAME"]
TITLE = f'{NAME} {VERSION["VX_VERSION_MAJOR"]}.{VERSION["VX_VERSION_MINOR"]}'

# Places in pixels, as the dialog template lays the window out: the title band's height, the
# cards and the tree as (x0, y0, x1, y1), the controls as (x, y, w, h).
BAND = LAYOUT["DRAG_BAND_HEIGHT"]
TREE = (14, 73, 412, 356)
TREE_CARD = (7, 66, 419, 363)
SIDE_CARD = (424, 66, 578, 363)
SHRED = (432, 73, 138, 34)
USER = (432, 115, 138, 34)
WEB = (537, 0, 23, 23)
HIDE = (567, 0, 23, 23)
SLIDER = (441, 176, 15, 100)
THUMB_CENTRES = (8, 29, 50, 71, 93)
HEADING = (15, 55)
METHOD_LABELS_X = 471
BLUE = (0, 130, 255)
GREEN = (68, 182, 5)


def shadow_card(bg, box, radius, blur, alpha, dy=1):
    m = bg.m_rect(*box, r=radius)
    shade = m.filter(ImageFilter.GaussianBlur(bg.s(blur)))
    shade = ImageChops.offset(shade, 0, round(bg.s(dy)))
    bg.paint(shade.point(lambda v: round(v * alpha)), (30, 50, 80))


@functools.cache
def background():
    bg = Layer(W, H, 3)
    bg.rect(0, 0, W, H, Grad((246, 248, 251), (226, 232, 240), BAND, H))
    bg.rect(0, 0, W, BAND, Grad((18, 40, 82), (30, 86, 156), 0, W, horizontal=True))
    bg.rect(0, 0, W, BAND // 2, (255, 255, 255, 16))
    for i in range(26):
        x = 300 + i * 11
        bg.rect(x, 4, x + 3, BAND - 6 - (i * 7) % 11, (255, 255, 255, 9 + i // 3))
    bg.rect(0, BAND - 2, W, BAND, Grad((254, 144, 2), (255, 190, 90), 0, W, horizontal=True))
    bg.rect(0, BAND, W, BAND + 3, (10, 30, 70, 28))

    bg.im.alpha_composite(app_mark(27 * bg.ss), (9 * bg.ss, 5 * bg.ss))
    bg.text(NAME, BOLD, 19, 43, 18.5, (0, 0, 0, 70), anchor="lm")
    bg.text(NAME, BOLD, 19, 42, 17.5, WHITE, anchor="lm")
    bg.text("privacy cleaner", REGULAR, 10.5, 137, 20, (168, 200, 240), anchor="lm")

    for box in (TREE_CARD, SIDE_CARD):
        shadow_card(bg, box, 6, 3, 0.22, 1.5)
        bg.rect(*box, fill=WHITE, r=6)
        bg.frame(*box, 1, (190, 204, 222), r=6)
    bg.rect(9, HEADING[1] + 1, 12, HEADING[1] + 12, BLUE, r=1)

    x0, x1 = SHRED[0], SHRED[0] + SHRED[2]
    bg.rect(x0, 157, x1, 158, (222, 229, 238))
    bg.rect(x0, 162, x0 + 3, 173, ORANGE, r=1)
    bg.text("Shred method", BOLD, 11, x0 + 8, 167.5, (206, 112, 0), anchor="lm")
    sx = SLIDER[0] + SLIDER[2] + 2
    for c in THUMB_CENTRES:
        y = SLIDER[1] + c
        bg.rect(sx, y, sx + 8, y + 1, (205, 214, 226))

    y0 = 288
    bg.rect(x0, y0, x1, 354, (243, 247, 252), r=5)
    bg.frame(x0, y0, x1, 354, 1, (222, 230, 240), r=5)
    sh = Layer(W, H, 3)
    cx, cy = x0 + 20, y0 + 33
    sh.poly([(cx - 11, cy - 14), (cx, cy - 18), (cx + 11, cy - 14), (cx + 11, cy - 2), (cx, cy + 16),
             (cx - 11, cy - 2)], Grad((110, 200, 50), (56, 150, 4), cy - 18, cy + 16))
    sh.line([(cx - 5, cy - 1), (cx - 1, cy + 4), (cx + 6, cy - 6)], 2.6, WHITE)
    bg.put(sh)
    for i, line in enumerate(("Every file is", "overwritten", "before it is", "deleted.")):
        bg.text(line, REGULAR, 9.5, x0 + 40, y0 + 14 + i * 13, (104, 118, 138), anchor="lm")

    bg.text(TITLE, REGULAR, 9, 418, 374, (140, 154, 174), anchor="rm")
    return bg.result().convert("RGB")


def crop(bg, box):
    x, y, w, h = box
    return bg.crop((x, y, x + w, y + h)).convert("RGBA")


def button_glyph(p, kind, x, y):
    if kind == "shred":
        p.page(x + 3, y, x + 13, y + 8, fold=3)
        p.rect(x, y + 7, x + 16, y + 11, WHITE, r=1.5)
        p.rect(x + 2, y + 8.5, x + 14, y + 9.5, (200, 90, 10))
        for i in range(4):
            p.rect(x + 3 + i * 3, y + 11, x + 4.6 + i * 3, y + 16 - (i % 2) * 2, WHITE)
    else:
        p.rect(x, y + 1, x + 7, y + 5, WHITE, r=1.5)
        p.rect(x, y + 3, x + 16, y + 15, WHITE, r=1.5)
        p.rect(x + 7, y + 8, x + 9, y + 14, (31, 111, 214))
        p.rect(x + 5, y + 10, x + 11, y + 12, (31, 111, 214))


def draw_button(bg, box, label, kind, colours, pressed):
    w, h = box[2], box[3]
    p = Layer(w, h, 4)
    p.im.paste(crop(bg, box).resize(p.im.size, Image.NEAREST))
    top, bottom = colours
    if pressed:
        top, bottom = mix(top, (0, 0, 0), 0.12), mix(bottom, (0, 0, 0), 0.12)
    else:
        shadow = p.m_rect(1, 2, w - 1, h, r=7).filter(ImageFilter.GaussianBlur(p.s(1)))
        p.paint(shadow.point(lambda v: v * 35 // 100), (20, 40, 70))
    p.rect(1, 1, w - 1, h - 1, Grad(top, bottom, 1, h - 1), r=6)
    if pressed:
        inner = ImageChops.multiply(p.m_rect(1, 1, w - 1, h - 1, r=6), p.m_rect(1, 1, w - 1, 5))
        p.paint(inner, (0, 0, 0, 30))
    else:
        gloss = ImageChops.multiply(p.m_rect(1, 1, w - 1, h - 1, r=6), p.m_rect(1, 1, w - 1, h / 2))
        p.paint(gloss, (255, 255, 255, 36))
    p.frame(1, 1, w - 1, h - 1, 1, mix(bottom, (0, 0, 0), 0.25), r=6)
    if not pressed:
        p.frame(2, 2, w - 2, h - 2, 1, (255, 255, 255, 70), r=5)
    d = 1 if pressed else 0
    g = p.twin()
    button_glyph(g, kind, 14, 9 + d)
    g.text(label, BOLD, 13, 80, h / 2 + d, WHITE, anchor="mm")
    shade = g.twin()
    shade.paint(g.im.getchannel("A"), (*mix(bottom, (0, 0, 0), 0.4), 255))
    p.put(shade, alpha=0.5, dy=1)
    p.put(g)
    return p.result().convert("RGB")


def draw_band_button(bg, box, kind, pressed):
    w, h = box[2], box[3]
    p = Layer(w, h, 8)
    p.im.paste(crop(bg, box).resize(p.im.size, Image.NEAREST))
    fill = (255, 255, 255, 56 if pressed else 26)
    p.rect(1, -4, w - 1, h - 1, fill, r=4)
    p.frame(1, -4, w - 1, h - 1, 1, (255, 255, 255, 70 if pressed else 48), r=4)
    d = 1 if pressed else 0
    cx, cy = w / 2, h / 2 - 1 + d
    if kind == "web":
        p.ring(cx, cy, 6.5, 1.3, WHITE)
        p.paint(ImageChops.subtract(p.m_ellipse(cx, cy, 3, 6.5), p.m_ellipse(cx, cy, 1.8, 5.3)), WHITE)
        p.rect(cx - 6, cy - 0.6, cx + 6, cy + 0.6, WHITE)
    else:
        p.rect(cx - 5.5, cy + 3, cx + 5.5, cy + 5.5, WHITE)
    return p.result().convert("RGB")


def draw_channel(bg, filled):
    x, y, w, h = SLIDER
    p = Layer(w, h, 8)
    p.im.paste(crop(bg, SLIDER).resize(p.im.size, Image.NEAREST))
    gx0, gx1 = 7, 12
    if filled:
        p.rect(gx0, 2, gx1, h - 2, Grad((132, 214, 64), (56, 150, 4), 0, h), r=2.5)
        p.frame(gx0, 2, gx1, h - 2, 0.8, (40, 120, 0, 150), r=2.5)
    else:
        p.rect(gx0, 2, gx1, h - 2, (222, 229, 238), r=2.5)
        p.frame(gx0, 2, gx1, h - 2, 0.8, (170, 184, 204), r=2.5)
    for c in THUMB_CENTRES:
        p.rect(1, c, 4, c + 1, (190, 202, 218))
    return p.result().convert("RGB")


def draw_thumb(bg):
    strip = Image.new("RGB", (12, 18))
    styles = (((255, 255, 255), (214, 224, 236), (96, 124, 162)),
              ((255, 255, 255), (190, 222, 255), (30, 130, 240)),
              ((52, 146, 250), (20, 96, 200), (14, 70, 160)))
    base = crop(bg, (SLIDER[0] + 3, SLIDER[1] + THUMB_CENTRES[2] - 3, 12, 6))
    for i, (top, bottom, edge) in enumerate(styles):
        p = Layer(12, 6, 8)
        p.im.paste(base.resize(p.im.size, Image.NEAREST))
        p.rect(0, 0, 12, 6, Grad(top, bottom, 0, 6), r=2)
        p.frame(0, 0, 12, 6, 1, edge, r=2)
        for x in (4.5, 6.5):
            p.rect(x, 2, x + 1, 4, (*edge, 160))
        strip.paste(p.result().convert("RGB"), (0, i * 6))
    return strip


VGA = {".": (255, 255, 255), "g": (128, 128, 128), "s": (192, 192, 192), "n": (0, 0, 128),
       "b": (0, 0, 255)}
BOX = ("..ggggggggg..", ".g.........g.", "g...........g", "g...........g", "g...........g",
       "g...........g", "g...........g", "g...........g", "g...........g", "g...........g",
       "g...........g", ".g.........g.", "..ggggggggg..")
CHECK = ("..........", "..........", "..........", ".........#", "........##", "...#...###",
         "...##.###.", "...#####..", "....###...", ".....#....")


def draw_states():
    """The check-box states in the sixteen standard colours only, so that they look the same
    in an image list of any colour depth; white is the transparent colour."""
    looks = (None, ("g", ".", None), ("n", ".", "b"), ("g", "s", "g"), ("s", ".", None))
    strip = Image.new("RGB", (65, 13), WHITE)
    px = strip.load()
    for i, look in enumerate(looks):
        if look is None:
            continue
        edge, inside, check = look
        for y, row in enumerate(BOX):
            inner = row.index("g") < row.rindex("g")
            for x, c in enumerate(row):
                if c == "g":
                    px[i * 13 + x, y] = VGA[edge]
                elif inner and row.index("g") < x < row.rindex("g"):
                    px[i * 13 + x, y] = VGA[inside]
        if check:
            for y, row in enumerate(CHECK):
                for x, c in enumerate(row):
                    if c == "#":
                        px[i * 13 + x, y] = VGA[check]
    return strip


SHRED_COLOURS = ((255, 160, 60), (236, 100, 16))
USER_DEFINE_COLOURS = ((74, 160, 255), (31, 111, 214))


def shred_button(pressed):
    return lambda: draw_button(background(), SHRED, "Shred Now", "shred", SHRED_COLOURS, pressed)


def user_define_button(pressed):
    return lambda: draw_button(background(), USER, "User Define", "user", USER_DEFINE_COLOURS,
                               pressed)


def web_button(pressed):
    return lambda: draw_band_button(background(), WEB, "web", pressed)


def hide_button(pressed):
    return lambda: draw_band_button(background(), HIDE, "hide", pressed)


def slider_channel(filled):
    return lambda: draw_channel(background(), filled)


def slider_thumb():
    return draw_thumb(background())
