"""The contact sheet resources/art-preview.png: every picture enlarged, for review."""

from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

from .canvas import BOLD, REGULAR, WHITE
from .pictures import PICTURES
from .window import (BLUE, GREEN, HEADING, HIDE, METHOD_LABELS_X, SHRED, SLIDER, THUMB_CENTRES, TREE,
                     USER, WEB, WINDOW_SIZE)


def contact_sheet(images):
    """Every picture enlarged, and the background with its controls in place."""
    number = {p.name: p.number for p in PICTURES}

    def label(name, text=""):
        return f"{number[name]} {text}".rstrip()

    font = ImageFont.truetype(REGULAR, 11)
    order = sorted((p for p in PICTURES if p.name.startswith("IDI_")), key=lambda p: p.number)
    cols, cell_w, cell_h, top = 8, 152, 88, 548
    height = top + ((len(order) + cols - 1) // cols) * cell_h + 8
    sheet = Image.new("RGB", (1240, height), (236, 239, 243))
    d = ImageDraw.Draw(sheet)
    d.text((16, 10), "Norvexa pictures (resources/art), enlarged; icons at 32, 16 and 15 pixels",
           font=ImageFont.truetype(BOLD, 13), fill=(30, 40, 60))

    def show(im, x, y, zoom, caption):
        big = im.convert("RGBA").resize((im.width * zoom, im.height * zoom), Image.NEAREST)
        sheet.paste(big, (x, y), big)
        d.text((x, y + big.height + 3), caption, font=font, fill=(60, 70, 90))

    sheet.paste(mock_window(images), (16, 34))
    d.text((16, 423), label("IDB_BACKGROUND", "with the buttons, slider and check states in place; the tree and "
                            "the labels are drawn here only for review"), font=font, fill=(90, 100, 120))

    x = 630
    show(images["IDB_SHRED_UP"], x, 34, 2, label("IDB_SHRED_UP", "shred, up"))
    show(images["IDB_SHRED_DOWN"], x + 292, 34, 2, label("IDB_SHRED_DOWN", "shred, down"))
    show(images["IDB_USER_DEFINE_UP"], x, 122, 2, label("IDB_USER_DEFINE_UP", "user define, up"))
    show(images["IDB_USER_DEFINE_DOWN"], x + 292, 122, 2, label("IDB_USER_DEFINE_DOWN", "user define, down"))
    band = (("IDB_HIDE_UP", "hide"), ("IDB_HIDE_DOWN", "hide"), ("IDB_WEB_UP", "web"), ("IDB_WEB_DOWN", "web"))
    for i, (name, text) in enumerate(band):
        show(images[name], x + i * 84, 212, 3, label(name, text))
    show(images["IDB_SLIDER_THUMB"], x + 350, 212, 4, label("IDB_SLIDER_THUMB", "thumb"))
    show(images["IDB_SLIDER_UPPER"], x, 310, 2, label("IDB_SLIDER_UPPER"))
    show(images["IDB_SLIDER_LOWER"], x + 44, 310, 2, label("IDB_SLIDER_LOWER"))
    show(images["IDB_STATE_IMAGES"], x + 100, 310, 5, label("IDB_STATE_IMAGES", "check states"))
    for i, (im, size) in enumerate(zip(images["IDR_MAINFRAME"], ("48", "32", "16"))):
        show(im, x + 100 + (0, 110, 190)[i], 412, 2, label("IDR_MAINFRAME", size))
    for i, f in enumerate(images["IDR_WORKING_GIF"].frames):
        show(f, x + 450 + i * 76, 310, 2, label("IDR_WORKING_GIF", f"frame {i + 1}"))

    for n, p in enumerate(order):
        cx, cy = 16 + (n % cols) * cell_w, top + (n // cols) * cell_h
        i32, i16, i15 = images[p.name]
        show(i32, cx, cy, 2, f"{p.number} {Path(p.file).stem}")
        show(i16, cx + 68, cy, 4, "")
        sheet.paste(Image.new("RGB", (19, 19), WHITE), (cx + 134, cy))
        sheet.paste(i15, (cx + 136, cy + 2), i15)
    return sheet


def mock_window(images):
    mock = images["IDB_BACKGROUND"].crop((0, 0, *WINDOW_SIZE))
    for name, box in (("IDB_SHRED_UP", SHRED), ("IDB_USER_DEFINE_UP", USER), ("IDB_WEB_UP", WEB),
                      ("IDB_HIDE_UP", HIDE)):
        mock.paste(images[name], box[:2])
    thumb = SLIDER[1] + THUMB_CENTRES[3] - 3
    mock.paste(images["IDB_SLIDER_UPPER"].crop((0, 0, 15, thumb + 6 - SLIDER[1])), SLIDER[:2])
    mock.paste(images["IDB_SLIDER_LOWER"].crop((0, thumb + 6 - SLIDER[1], 15, 100)), (SLIDER[0], thumb + 6))
    mock.paste(images["IDB_SLIDER_THUMB"].crop((0, 0, 12, 6)), (SLIDER[0] + 3, thumb))
    md = ImageDraw.Draw(mock)
    label = ImageFont.truetype(REGULAR, 11)
    md.text(HEADING, "Select what you want to shred:", font=label, fill=BLUE)
    for y, t in zip((180, 200, 219, 239, 258),
                    ("Peter Gutmann.", "DoD 5200.28-STD.", "DoD 5220.22-M.", "Pseudo-random.", "Zeroes.")):
        md.text((METHOD_LABELS_X, y), t, font=label, fill=GREEN)
    md.rectangle((TREE[0], TREE[1], TREE[2] - 1, TREE[3] - 1), fill=WHITE, outline=(120, 130, 140))
    rows = [(0, "IDI_MY_COMPUTER", "My Computer", 3), (1, "IDI_UNUSED_SPACE", "Unused Space", 1),
            (1, "IDI_WINDOWS", "Microsoft Windows", 2), (2, "IDI_DOCUMENT_HISTORY", "Document History", 2),
            (2, "IDI_TEMPORARY_FILES", "Temporary Files", 2), (2, "IDI_RECYCLE_BIN", "Recycle Bin", 2),
            (1, "IDI_INTERNET_EXPLORER", "Microsoft Internet Explorer", 3), (2, "IDI_COOKIES", "Cookies", 1),
            (2, "IDI_PASSWORDS", "Auto-Complete Passwords", 2), (1, "IDI_OFFICE", "Microsoft Office", 2),
            (2, "IDI_WORD", "Microsoft Word", 2), (1, "IDI_APPLICATIONS", "Application Program", 2),
            (2, "IDI_CUTE_FTP", "Cute FTP", 2), (2, "IDI_MEDIA_PLAYER", "Microsoft Media Player", 2),
            (2, "IDI_WINZIP", "WinZip", 2), (1, "IDI_USER_DEFINE", "User Define", 3),
            (2, "IDI_USER_ITEM", "C:\\Temp\\<*.tmp><SubFolder:Yes>", 2)]
    for i, (level, icon, name, state) in enumerate(rows):
        x, y = TREE[0] + 6 + level * 19, TREE[1] + 4 + i * 17
        mock.paste(images["IDB_STATE_IMAGES"].crop((state * 13, 0, state * 13 + 13, 13)), (x, y + 1))
        small = images[icon][2]
        mock.paste(small, (x + 16, y), small)
        md.text((x + 35, y + 1), name, font=label, fill=(0, 0, 0))
    return mock

