"""The pictograms of the tree icons, drawn in white (and a few colours) on a 32-unit grid.

Each takes a Pen of the icon's size and category; where a shape would blur at 16 pixels, the
small image gets a simpler one.
"""

import math

from PIL import ImageChops

from .canvas import CLEAR, WHITE, Grad, mix

AMBER = (255, 196, 60)
BROWN = (140, 86, 40)


# Windows

def document_history(p):
    p.page(6, 4, 22, 26)
    p.page_lines(9, 17, (11, 15, 19))
    p.clock(21, 21, 7)


def temporary_files(p):
    p.page(6, 4, 22, 26)
    p.page_lines(9, 17, (11, 15, 19))
    p.knock(21, 21, 9)
    p.rect(15, 13, 27, 15, WHITE)
    p.rect(15, 27, 27, 29, WHITE)
    p.poly([(16, 15), (26, 15), (21, 21), (26, 27), (16, 27), (21, 21)], WHITE)
    p.poly([(18, 17), (24, 17), (21, 20)], AMBER)
    p.poly([(21, 23), (24.5, 27), (17.5, 27)], AMBER)


def recycle_bin(p):
    p.rect(12, 4, 20, 8, WHITE, r=1.5)
    p.rect(14, 6, 18, 8, CLEAR)
    p.rect(6, 7, 26, 11, WHITE, r=1.5)
    p.poly([(8, 12), (24, 12), (22.5, 28), (9.5, 28)], WHITE)
    for x in (12, 15, 18):
        p.rect(x, 15, x + 2, 25, p.light)


def run_history(p):
    p.rect(4, 6, 28, 26, WHITE, r=3)
    p.rect(6, 10, 26, 24, p.deep, r=1)
    p.line([(9, 13), (13, 17), (9, 21)], 2, WHITE)
    p.rect(15, 20, 21, 22, WHITE)


def nethood(p):
    p.rect(12, 4, 20, 11, WHITE, r=1)
    p.rect(4, 21, 12, 28, WHITE, r=1)
    p.rect(20, 21, 28, 28, WHITE, r=1)
    p.rect(15, 11, 17, 16, WHITE)
    p.rect(7, 15, 25, 17, WHITE)
    p.rect(7, 15, 9, 21, WHITE)
    p.rect(23, 15, 25, 21, WHITE)


def find(p):
    if p.small:
        p.ring(14, 14, 9, 4, WHITE)
        p.line([(20, 20), (27, 27)], 4, WHITE)
        return
    p.ring(14, 13, 9, 3, WHITE)
    p.line([(20.5, 19.5), (27, 26)], 5, WHITE)


def explorer_history(p):
    p.folder(3, 6, 25, 24)
    p.clock(22, 21, 7)


def clipboard(p):
    p.rect(7, 6, 25, 28, WHITE, r=2)
    p.rect(12, 3, 20, 9, p.deep, r=1.5)
    p.rect(14, 4, 18, 6, WHITE)
    p.page_lines(11, 21, (13, 17, 21))


def windows(p):
    p.rect(4, 6, 28, 26, WHITE, r=2)
    p.rect(6, 12, 26, 24, mix(p.light, WHITE, 0.35))
    for x in (19, 22.5):
        p.rect(x, 8, x + 2, 10, p.dark)


# Internet Explorer

def history(p):
    p.ellipse(16, 16, 11.5, WHITE)
    w = 2 if p.small else 2.2
    p.line([(16, 9), (16, 16), (21, 19)], w, p.deep)
    if not p.small:
        for a in range(0, 360, 90):
            x, y = 16 + 9 * math.sin(math.radians(a)), 16 - 9 * math.cos(math.radians(a))
            p.ellipse(x, y, 1.1, p.dark)


def cache(p):
    if p.small:
        for y in (4, 12, 20):
            p.rect(5, y, 27, y + 7, WHITE, r=2)
            p.rect(19, y + 2, 23, y + 4, p.dark)
        return
    for y in (20, 13, 6):
        p.rect(6, y + 2, 26, y + 8, WHITE)
        p.ellipse(16, y + 8, 10, WHITE, ry=3)
        p.ellipse(16, y + 2, 10, mix(p.light, WHITE, 0.45), ry=3)
        p.ring(16, y + 2, 10, 1.2, WHITE)


def cookies(p):
    dough = (243, 214, 160)
    p.ellipse(16, 16, 12, dough)
    p.ellipse(27, 7, 6, CLEAR)
    for x, y, r in ((11, 11, 2.2), (18, 14, 2), (10, 20, 2.2), (17, 22, 2.2), (23, 18, 1.8)):
        p.ellipse(x, y, r, BROWN)


def typed_urls(p):
    p.rect(2, 9, 30, 23, WHITE, r=3)
    if p.small:
        p.rect(6, 14, 10, 18, p.dark)
    else:
        p.ring(9, 16, 4, 1.5, p.dark)
    p.rect(13, 15, 21, 17, mix(p.light, WHITE, 0.2))
    p.rect(24, 12, 26, 20, p.deep)


def passwords(p):
    p.ring(10, 16, 7, 3.5, WHITE)
    p.rect(16, 14, 29, 18, WHITE)
    p.rect(22, 18, 25, 23, WHITE)
    p.rect(26, 18, 29, 21, WHITE)


def forms(p):
    p.rect(4, 5, 28, 12, WHITE, r=1.5)
    p.rect(4, 15, 28, 22, WHITE, r=1.5)
    p.rect(6, 7, 8, 10, p.dark)
    p.rect(16, 24, 28, 29, AMBER, r=1.5)


def home_page(p):
    p.poly([(16, 4), (29, 16), (26, 16), (26, 28), (6, 28), (6, 16), (3, 16)], WHITE)
    p.rect(13, 19, 19, 28, p.dark)


def globe(p):
    p.ellipse(16, 16, 12, WHITE)
    w = 2 if p.small else 1.6
    c = p.dark
    p.paint(ImageChops.subtract(p.m_ellipse(16, 16, 5.5, 12), p.m_ellipse(16, 16, 5.5 - w, 12 - w)), c)
    p.rect(4, 15, 28, 15 + w, c)
    if not p.small:
        p.ring(16, 16, 12, w, c)
        p.rect(6, 9, 26, 10.4, c)
        p.rect(6, 21.6, 26, 23, c)


def lettered_window(letter):
    """A browser window whose page shows the browser's letter."""
    def draw(p):
        p.rect(3, 5, 29, 27, WHITE, r=2.5)
        p.rect(5, 10, 27, 25, mix(p.light, WHITE, 0.55))
        for x in (6, 9):
            p.rect(x, 7, x + 2, 9, p.dark)
        p.letters(letter, 16, 17.5, 11, p.deep)
    return draw


def tabs(p):
    """Open tabs: the session a browser restores."""
    p.rect(3, 6, 13, 11, mix(p.light, WHITE, 0.55), r=1.5)
    p.rect(14, 6, 24, 11, mix(p.light, WHITE, 0.55), r=1.5)
    p.rect(3, 9, 29, 27, WHITE, r=2.5)
    p.rect(6, 14, 26, 16, p.dark)
    if not p.small:
        p.rect(6, 19, 20, 21, mix(p.light, WHITE, 0.2))


# Office

def office_page(letter, colour):
    def draw(p):
        p.page(6, 3, 26, 29, fold=7)
        small = {"A": "a", "X": "x", "F": "f", "I": "l", "P": "p", "W": "w", "Pb": "Pb"}[letter]
        if p.small:
            p.pixel_text(small, 15, 19, colour)
        else:
            p.letters(letter, 15.5, 18.5, 11 if len(letter) == 1 else 9, colour)
    return draw


def office(p):
    p.rect(11, 5, 21, 11, WHITE, r=2.5)
    p.rect(13.5, 7.5, 18.5, 11, CLEAR)
    p.rect(4, 10, 28, 27, WHITE, r=3)
    p.rect(4, 16, 28, 18, mix(p.light, WHITE, 0.3))
    p.rect(14, 15, 18, 20, p.dark, r=1)


# Application programs

def picture(p):
    p.rect(4, 6, 28, 26, WHITE, r=2)
    p.rect(6, 8, 26, 24, (118, 186, 250))
    p.poly([(6, 24), (13, 14), (18, 20), (21, 17), (26, 23), (26, 24)], (70, 160, 80))
    p.ellipse(21, 12, 2.6, AMBER)


def book(p):
    if p.small:
        p.rect(3, 7, 15, 26, WHITE)
        p.rect(17, 7, 29, 26, WHITE)
        p.rect(15, 24, 17, 26, WHITE)
        for y in (12, 17):
            p.rect(5, y, 13, y + 2, mix(p.light, WHITE, 0.3))
            p.rect(19, y, 27, y + 2, mix(p.light, WHITE, 0.3))
        return
    p.poly([(3, 8), (15, 10), (15, 27), (3, 25)], WHITE)
    p.poly([(17, 10), (29, 8), (29, 25), (17, 27)], WHITE)
    for y in (14, 18):
        p.line([(6, y), (12, y + 0.6)], 1.6, mix(p.light, WHITE, 0.1), caps=False)
        p.line([(20, y + 0.6), (26, y)], 1.6, mix(p.light, WHITE, 0.1), caps=False)


def bug(p):
    for y, dy in ((13, -2), (18, 0), (23, 2)):
        p.line([(5, y + dy), (27, y + dy)], 2, WHITE)
    p.line([(12, 4), (14, 8)], 2, WHITE)
    p.line([(20, 4), (18, 8)], 2, WHITE)
    p.ellipse(16, 10, 4.5, WHITE)
    p.ellipse(16, 19, 7, WHITE, ry=9)
    p.rect(15.2, 12, 16.8, 27, p.light)


def envelope(p):
    p.rect(4, 8, 28, 25, WHITE, r=2)
    p.line([(5.5, 9.5), (16, 18), (26.5, 9.5)], 2, p.dark)


def messenger(letter):
    def draw(p):
        p.bubble(3, 5, 29, 23)
        p.letters(letter, 16, 14, 10, p.deep)
    return draw


def sliders(p):
    for y, x in ((8, 20), (16, 10), (24, 17)):
        if p.small:
            p.rect(4, y - 1, 28, y + 1, mix(p.light, WHITE, 0.5))
            p.rect(x - 3, y - 3, x + 3, y + 3, WHITE)
            continue
        p.rect(4, y - 1, 28, y + 1, WHITE)
        p.ellipse(x, y, 3.5, WHITE)
        p.ellipse(x, y, 1.5, p.dark)


def hub(letter):
    def draw(p):
        for x, y in ((6, 6), (26, 6), (6, 26), (26, 26)):
            p.line([(x, y), (16, 16)], 2, WHITE)
            if p.small:
                p.rect(x - 2, y - 2, x + 2, y + 2, WHITE)
            else:
                p.ellipse(x, y, 3.5, WHITE)
        p.ellipse(16, 16, 8.5, WHITE)
        p.letters(letter, 16, 16, 9, p.deep)
    return draw


def ftp(p):
    p.folder(3, 5, 29, 27)
    p.poly([(16, 11), (22, 17), (18.5, 17), (18.5, 24), (13.5, 24), (13.5, 17), (10, 17)], p.dark)


def accelerator(p):
    p.down_arrow(19, 4, 26)
    for y, x0 in ((8, 3), (13, 5), (18, 7)):
        p.rect(x0, y, x0 + 7, y + 2, WHITE)
    p.rect(6, 27, 28, 29, WHITE)


def film(p):
    p.rect(7, 3, 25, 29, WHITE, r=1.5)
    p.rect(11, 6, 21, 14.5, p.dark)
    p.rect(11, 17.5, 21, 26, p.dark)
    for y in (5, 10, 15, 20, 25):
        p.rect(8, y, 10, y + 2, p.dark)
        p.rect(22, y, 24, y + 2, p.dark)


def code(p):
    p.line([(11, 9), (4, 16), (11, 23)], 3, WHITE)
    p.line([(21, 9), (28, 16), (21, 23)], 3, WHITE)
    p.line([(18, 7), (14, 25)], 3, WHITE)


def download_circle(p):
    p.ellipse(16, 16, 12.5, WHITE)
    p.down_arrow(16, 8, 24, p.dark)


def download_tray(p):
    p.down_arrow(16, 3, 19)
    p.poly([(3, 18), (8, 18), (8, 23), (24, 23), (24, 18), (29, 18), (29, 28), (3, 28)], WHITE)


def toolbar(letter):
    def draw(p):
        p.rect(2, 8, 30, 24, WHITE, r=3)
        p.letters(letter, 8, 16, 9, p.deep)
        p.rect(13, 12, 27, 20, p.light, r=2)
        if p.small:
            p.rect(16, 14, 20, 16, WHITE)
        else:
            p.ring(18, 15.5, 2.8, 1.4, WHITE)
            p.line([(20, 17.5), (23, 19.5)], 1.6, WHITE)
    return draw


def notes(p):
    p.poly([(11, 7), (27, 3), (27, 8), (11, 12)], WHITE)
    p.rect(11, 8, 13.5, 24, WHITE)
    p.rect(24.5, 5, 27, 21, WHITE)
    p.ellipse(9, 24, 4.5, WHITE, ry=3.5)
    p.ellipse(23, 21, 4.5, WHITE, ry=3.5)


def play(p):
    p.poly([(9, 4), (27, 16), (9, 28)], WHITE)


def palette(p):
    p.ellipse(16, 16, 13, WHITE, ry=11)
    p.ellipse(22, 21, 3.5, CLEAR)
    colours = ((235, 70, 70), AMBER, (60, 170, 80), (50, 130, 230))
    if p.small:
        for (x, y), c in zip(((6, 14), (10, 8), (16, 8), (22, 12)), colours):
            p.rect(x, y, x + 4, y + 4, c)
        return
    for (x, y), c in zip(((9, 13), (14, 9), (20, 9), (25, 13)), colours):
        p.ellipse(x, y, 2.6, c)


def wordpad(p):
    p.page(4, 4, 22, 28)
    p.page_lines(7, 17, (11, 15, 19, 23))
    p.line([(14, 25), (27, 10)], 4.5, p.deep, caps=False)
    p.line([(15, 24), (26.5, 10.5)], 2.8, AMBER, caps=False)
    p.poly([(12.2, 27.8), (12.8, 23.2), (16.4, 26.2)], p.deep)


def headphones(p):
    p.arc(16, 17, 11, 180, 360, 3, WHITE)
    p.rect(4, 16, 10, 27, WHITE, r=2)
    p.rect(22, 16, 28, 27, WHITE, r=2)


def camera(p):
    p.rect(3, 9, 21, 24, WHITE, r=3)
    p.poly([(22, 14.5), (29, 10), (29, 23), (22, 18.5)], WHITE)
    p.ellipse(9, 15, 2.5, p.dark)


def browser(p):
    p.rect(3, 5, 29, 27, WHITE, r=2.5)
    p.rect(5, 10, 27, 25, mix(p.light, WHITE, 0.55))
    if p.small:
        p.ellipse(16, 18, 6, p.dark)
        p.rect(10, 17, 22, 19, mix(p.light, WHITE, 0.55))
    else:
        p.ring(16, 17.5, 6, 2, p.dark)
        p.rect(10, 16.5, 22, 18.5, p.dark)
    for x in (6, 9):
        p.rect(x, 7, x + 2, 9, p.dark)


def disc(p):
    p.ellipse(16, 16, 13, WHITE)
    if not p.small:
        p.ring(16, 16, 10, 1.4, mix(p.light, WHITE, 0.45))
    p.ellipse(16, 16, 5, p.light)
    p.ellipse(16, 16, 2.2, CLEAR)


def brush(p):
    p.line([(27, 4), (14, 17)], 4, WHITE)
    p.poly([(10, 16), (16, 22), (12, 27), (4, 29), (6, 21)], WHITE)
    p.poly([(10, 16), (16, 22), (14, 24), (8, 18)], AMBER)


def broadcast(p):
    p.ellipse(16, 14, 3.5, WHITE)
    for r in (8, 13):
        p.arc(16, 14, r, -45, 45, 2 if p.small else 3, WHITE)
        p.arc(16, 14, r, 135, 225, 2 if p.small else 3, WHITE)
    p.rect(14, 16, 18, 29, WHITE)


def two_bubbles(p):
    p.rect(2, 4, 21, 17, WHITE, r=4)
    p.poly([(5, 15), (5, 21), (11, 15)], WHITE)
    p.rect(10.5, 11.5, 30.5, 25.5, CLEAR, r=5)
    p.rect(12, 13, 29, 24, mix(p.light, WHITE, 0.55), r=4)
    p.poly([(26, 22), (26, 28), (20, 22)], mix(p.light, WHITE, 0.55))


def braces(p):
    for sx in (1, -1):
        x = 16 - sx * 8
        pts = [(x + sx * 4, 5), (x + sx * 1, 6), (x + sx * 1, 14), (x - sx * 2, 16), (x + sx * 1, 18),
               (x + sx * 1, 26), (x + sx * 4, 27)]
        p.line(pts, 3, WHITE, caps=False)


def archive(letter):
    def draw(p):
        p.rect(4, 6, 28, 12, WHITE, r=1.5)
        p.rect(6, 12, 26, 28, WHITE, r=1.5)
        p.rect(6, 12, 26, 14, mix(p.light, WHITE, 0.45))
        p.letters(letter, 16, 20.5, 8, p.deep)
    return draw


def equaliser(p):
    for x, h in ((6, 10), (12, 18), (18, 24), (24, 14)):
        p.rect(x, 28 - h, x + 4, 28, WHITE, r=1)


def wall(p):
    rows = (((4, 12), (14, 22), (24, 28)), ((4, 8), (10, 18), (20, 28)))
    for i, y in enumerate((4, 12, 20)):
        for x0, x1 in rows[i % 2]:
            p.rect(x0, y, x1, y + 6, WHITE)
    p.rect(4, 26, 28, 28, AMBER)


def apps(p):
    if p.small:
        u = 1 / p.unit
        for y in (2, 6, 10):
            for x in (2, 6, 10):
                p.rect(x * u, y * u, (x + 3) * u, (y + 3) * u, WHITE)
        return
    for y in (5, 13, 21):
        for x in (5, 13, 21):
            p.rect(x, y, x + 6, y + 6, WHITE, r=1.5)


def monitor(p):
    p.rect(3, 4, 29, 22, WHITE, r=2)
    p.rect(6, 7, 26, 19, Grad(mix(p.light, WHITE, 0.5), p.light, 7, 19))
    p.rect(13, 22, 19, 25, WHITE)
    p.rect(8, 25, 24, 28, WHITE, r=1)


def drive(p):
    p.rect(3, 9, 29, 24, WHITE, r=3)
    p.rect(6, 18, 18, 20, mix(p.light, WHITE, 0.3))
    p.ellipse(24, 19, 1.8, (90, 220, 110))
    p.rect(3, 15, 29, 16, mix(p.light, WHITE, 0.6))
    if not p.small:
        for x in (7, 11, 15):
            p.rect(x, 11, x + 2, 13, mix(p.light, WHITE, 0.5))


def user_define(p):
    p.folder(3, 6, 27, 26)
    p.line([(29, 11), (17, 23)], 5, p.deep, caps=False)
    p.line([(28.5, 11.5), (17.5, 22.5)], 3, AMBER, caps=False)
    p.poly([(15.5, 27), (16, 22), (20, 25.5)], p.deep)


def user_item(p):
    p.folder(3, 6, 29, 26)
    p.letters("*", 16, 18 if p.small else 19, 12, p.deep)
