#!/usr/bin/env python3
"""Regenerate the pictures that PlayMirefall.exe writes beside the game at start-up.

Writes into resources/ (or into the directory given as the only argument):

  prompts/ps_fullsolid/<name>.png   the "Vantrel" PlayStation-style button icons,
  prompts/ps_solid/<name>.png       256x256 RGBA on a transparent background, in three
  prompts/ps_outline/<name>.png     looks: solid, solid with a ring, outline
  textures/6E42BC7CF738BCF0.png     1024x512 RGBA replacement for the game's title logo

The 17 icon names are the ones the game's prompt overlay and the icon-set read-me use.
Everything is drawn from code, so every run gives the same pictures. Needs Pillow
(Debian: python3-pil) and the helpers of make_artwork.py beside this script:

    /usr/bin/python3 tools/make_prompt_art.py [OUTPUT_DIR] [--preview SHEET.png]

--preview also writes one sheet with every icon of every set on a light, a dark and a
checkered background, for looking at them all at once.
"""

import math
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from make_artwork import FONT_CANDIDATES_SUB, column_image, load_font, make_logo, mix

SIZE = 256                 # icon size on disk
SS = 4                     # drawn at 4x and scaled down for smooth edges
S = SIZE * SS              # drawing canvas

STYLES = ("ps_fullsolid", "ps_solid", "ps_outline")
ICON_NAMES = (
    "Circle", "Create", "Cross", "L1", "L2", "Left Stick All", "Left Stick Click",
    "Left Stick Left-Right", "Options", "R1", "R2", "Right Stick Click",
    "Right Stick Left-Right", "Right Stick Up-Down", "Right Stick", "Square", "Triangle",
)
TITLE_LOGO_NAME = "6E42BC7CF738BCF0.png"

# The four face-button symbol colours, light enough to read on a dark button and on the game.
CROSS_BLUE = (126, 180, 240)
CIRCLE_RED = (255, 106, 112)
SQUARE_PINK = (232, 150, 222)
TRIANGLE_GREEN = (70, 222, 170)
GLYPH_WHITE = (240, 242, 246)
ARROW_GREY = (214, 218, 226)
BODY_TOP = (62, 66, 78)    # buttons are dark, lit slightly from above
BODY_BOTTOM = (18, 20, 26)
RING = (178, 184, 198)
OUTLINE = (232, 236, 242)
SHADOW = (0, 0, 0)

GLYPH_STROKE = 0.066       # symbol stroke width, as a share of the canvas
RING_STROKE = 0.026
OUTLINE_STROKE = 0.046


def px(v):
    """Canvas pixels for a share of the canvas."""
    return v * S


# --------------------------------------------------------------------------- mask drawing

def new_mask():
    m = Image.new("L", (S, S), 0)
    return m, ImageDraw.Draw(m)


def round_line(d, p0, p1, width):
    """A stroke with round ends, so joined strokes meet without notches."""
    d.line([p0, p1], fill=255, width=int(round(width)))
    r = width / 2
    for x, y in (p0, p1):
        d.ellipse((x - r, y - r, x + r, y + r), fill=255)


def round_polygon_outline(d, points, width):
    for i, p in enumerate(points):
        round_line(d, p, points[(i + 1) % len(points)], width)


def ring(d, cx, cy, r, width):
    """A circle outline whose stroke is centred on radius r."""
    h = width / 2
    d.ellipse((cx - r - h, cy - r - h, cx + r + h, cy + r + h), fill=255)
    d.ellipse((cx - r + h, cy - r + h, cx + r - h, cy + r - h), fill=0)


def band(outer, inner):
    """What is left of a shape once a smaller copy of it is cut out: its outline."""
    return ImageChops.subtract(outer, inner)


def text_mask(text, height_share, centre):
    """Bold text whose capitals are height_share of the canvas tall, centred on centre."""
    size = int(px(height_share) / 0.72)
    font = load_font(FONT_CANDIDATES_SUB, size)
    left, top, right, bottom = font.getbbox(text)
    m, d = new_mask()
    d.text((centre[0] - (left + right) / 2, centre[1] - (top + bottom) / 2), text, font=font, fill=255)
    return m


def triangle(d, cx, cy, size, direction):
    """A filled arrow head of the given size pointing in direction (dx, dy)."""
    dx, dy = direction
    tip = (cx + dx * size * 0.6, cy + dy * size * 0.6)
    back = (cx - dx * size * 0.4, cy - dy * size * 0.4)
    nx, ny = -dy, dx
    d.polygon([tip, (back[0] + nx * size * 0.62, back[1] + ny * size * 0.62),
               (back[0] - nx * size * 0.62, back[1] - ny * size * 0.62)], fill=255)


# --------------------------------------------------------------------------- button bodies
# Each body takes an inset k in canvas pixels: body(k) is the same shape shrunk by k, so
# rings and outlines are the difference of two bodies and keep an even width.

def disc_body(k=0.0, r_share=0.44, centre=(0.5, 0.5)):
    m, d = new_mask()
    cx, cy, r = px(centre[0]), px(centre[1]), px(r_share) - k
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    return m


def plate_body(k=0.0, w_share=0.5, h_share=0.68, radius_share=0.25):
    """The small upright pill of Options and Create."""
    m, d = new_mask()
    cx = cy = px(0.5)
    w, h = px(w_share) - 2 * k, px(h_share) - 2 * k
    d.rounded_rectangle((cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2), radius=max(1, px(radius_share) - k),
                        fill=255)
    return m


def shoulder_body(k=0.0):
    """A bumper: a wide plate whose top edge bows upwards like the controller's."""
    m, d = new_mask()
    x0, x1, y0, y1 = px(0.08) + k, px(0.92) - k, px(0.30) + k, px(0.72) - k
    d.rounded_rectangle((x0, y0, x1, y1), radius=px(0.12) - k, fill=255)
    d.ellipse((px(0.10) + k, px(0.23) + k, px(0.90) - k, px(0.52) - k), fill=255)
    return m


def trigger_body(k=0.0):
    """A trigger: tall, round on top, a little narrower at its rounded foot."""
    m, d = new_mask()
    cx = px(0.5)
    half_top, half_bottom = px(0.33) - k, px(0.27) - k
    top, bottom = px(0.08) + k, px(0.92) - k
    head = 2 * (px(0.33) * 0.85) - 2 * k      # height of the round top
    d.ellipse((cx - half_top, top, cx + half_top, top + head), fill=255)
    mid = top + head / 2
    foot = px(0.09) - k
    d.polygon([(cx - half_top, mid), (cx + half_top, mid), (cx + half_bottom, bottom - foot),
               (cx - half_bottom, bottom - foot)], fill=255)
    d.rounded_rectangle((cx - half_bottom, bottom - 2 * foot - px(0.02), cx + half_bottom, bottom),
                        radius=max(1, foot), fill=255)
    return m


# --------------------------------------------------------------------------- symbols

def cross_symbol():
    m, d = new_mask()
    c, a, w = px(0.5), px(0.165), px(GLYPH_STROKE)
    round_line(d, (c - a, c - a), (c + a, c + a), w)
    round_line(d, (c - a, c + a), (c + a, c - a), w)
    return m


def circle_symbol():
    m, d = new_mask()
    ring(d, px(0.5), px(0.5), px(0.19), px(GLYPH_STROKE))
    return m


def square_symbol():
    m, d = new_mask()
    c, a = px(0.5), px(0.165)
    round_polygon_outline(d, [(c - a, c - a), (c + a, c - a), (c + a, c + a), (c - a, c + a)], px(GLYPH_STROKE))
    return m


def triangle_symbol():
    m, d = new_mask()
    cx, cy, r = px(0.5), px(0.53), px(0.215)   # centred on its centroid, a touch low
    pts = [(cx + r * math.cos(math.radians(a)), cy - r * math.sin(math.radians(a))) for a in (90, 210, 330)]
    round_polygon_outline(d, pts, px(GLYPH_STROKE))
    return m


def options_symbol():
    """Three stacked lines, as printed beside the Options button."""
    m, d = new_mask()
    for dy in (-0.075, 0.0, 0.075):
        round_line(d, (px(0.40), px(0.5 + dy)), (px(0.60), px(0.5 + dy)), px(0.036))
    return m


def create_symbol():
    """Three short rays fanning upwards from one point, as printed beside Create."""
    m, d = new_mask()
    base = (px(0.5), px(0.61))
    for angle in (-45, 0, 45):
        a = math.radians(angle - 90)
        tip = (base[0] + math.cos(a) * px(0.19), base[1] + math.sin(a) * px(0.19))
        start = (base[0] + math.cos(a) * px(0.075), base[1] + math.sin(a) * px(0.075))
        round_line(d, start, tip, px(0.036))
    return m


# --------------------------------------------------------------------------- sticks

STICK_R = 0.28


def stick_parts(letter, arrows, press=False):
    """The body (the stick's cap seen from above), its dished top and the glyphs."""
    centre_y = 0.56 if press else 0.5
    r = STICK_R + (0.02 if press else 0.0)

    def body(k=0.0):
        return disc_body(k, r, (0.5, centre_y))

    dish, dd = new_mask()
    ring(dd, px(0.5), px(centre_y), px(r * 0.66), px(0.014))
    glyph = text_mask(letter, 0.15 if press else 0.17, (px(0.5), px(centre_y)))
    arrow, ad = new_mask()
    reach = STICK_R + 0.13
    for dx, dy in arrows:
        triangle(ad, px(0.5 + dx * reach), px(centre_y + dy * reach), px(0.11), (dx, dy))
    if press:   # a double chevron pressing down on the cap
        for y in (0.075, 0.14):
            w = px(0.030)
            round_line(ad, (px(0.41), px(y)), (px(0.5), px(y + 0.06)), w)
            round_line(ad, (px(0.5), px(y + 0.06)), (px(0.59), px(y)), w)
    return body, dish, [(glyph, GLYPH_WHITE), (arrow, ARROW_GREY)], arrow


HORIZONTAL = [(-1, 0), (1, 0)]
VERTICAL = [(0, -1), (0, 1)]
STICKS = {
    "Left Stick All": ("L", HORIZONTAL + VERTICAL, False),
    "Left Stick Click": ("L3", [], True),
    "Left Stick Left-Right": ("L", HORIZONTAL, False),
    "Right Stick": ("R", [], False),
    "Right Stick Click": ("R3", [], True),
    "Right Stick Left-Right": ("R", HORIZONTAL, False),
    "Right Stick Up-Down": ("R", VERTICAL, False),
}
FACE_BUTTONS = {"Cross": (cross_symbol, CROSS_BLUE), "Circle": (circle_symbol, CIRCLE_RED),
                "Square": (square_symbol, SQUARE_PINK), "Triangle": (triangle_symbol, TRIANGLE_GREEN)}


# --------------------------------------------------------------------------- one icon

def icon_parts(name):
    """(body function of the inset, detail mask or None, [(glyph mask, colour)], mask of the
    glyphs outside the body or None) of an icon."""
    if name in FACE_BUTTONS:
        symbol, colour = FACE_BUTTONS[name]
        return disc_body, None, [(symbol(), colour)], None
    if name in ("L1", "R1"):
        return shoulder_body, None, [(text_mask(name, 0.2, (px(0.5), px(0.52))), GLYPH_WHITE)], None
    if name in ("L2", "R2"):
        return trigger_body, None, [(text_mask(name, 0.2, (px(0.5), px(0.50))), GLYPH_WHITE)], None
    if name in ("Options", "Create"):
        symbol = options_symbol() if name == "Options" else create_symbol()
        return plate_body, None, [(symbol, GLYPH_WHITE)], None
    return stick_parts(*STICKS[name])


def layer(colour, mask):
    img = Image.new("RGBA", (S, S), colour + (0,))
    img.putalpha(mask)
    return img


def shaded_body(mask):
    grad = column_image(S, lambda y: mix(BODY_TOP, BODY_BOTTOM, y / float(S)), "RGB").resize((S, S))
    img = grad.convert("RGBA")
    img.putalpha(mask)
    return img


def scaled(mask, factor):
    return mask.point(lambda v: int(v * factor))


def draw_icon(name, style):
    body_at, detail, glyphs, outside = icon_parts(name)
    body = body_at()
    glyph_union = Image.new("L", (S, S), 0)
    for mask, _ in glyphs:
        glyph_union = ImageChops.lighter(glyph_union, mask)

    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    if style == "ps_outline":
        edge = band(body, body_at(px(OUTLINE_STROKE)))
        # a dark halo keeps thin strokes readable over light and busy scenes
        halo = ImageChops.lighter(edge, glyph_union).filter(ImageFilter.GaussianBlur(px(0.014)))
        img = Image.alpha_composite(img, layer(SHADOW, scaled(halo, 1.6)))
        img = Image.alpha_composite(img, layer(OUTLINE, edge))
    else:
        shadow = ImageChops.offset(body, 0, int(px(0.012))).filter(ImageFilter.GaussianBlur(px(0.014)))
        img = Image.alpha_composite(img, layer(SHADOW, scaled(shadow, 0.55)))
        if outside is not None:   # arrows beside the body need the same dark halo
            halo = outside.filter(ImageFilter.GaussianBlur(px(0.014)))
            img = Image.alpha_composite(img, layer(SHADOW, scaled(halo, 1.6)))
        img = Image.alpha_composite(img, shaded_body(body))
        # a thin highlight along the top edge gives the button its roundness
        lit = ImageChops.subtract(body, ImageChops.offset(body, 0, int(px(0.012))))
        img = Image.alpha_composite(img, layer((255, 255, 255), scaled(lit, 0.22)))
        if style == "ps_solid":
            ring_inset = px(0.03)
            img = Image.alpha_composite(img, layer(RING, band(body_at(ring_inset), body_at(ring_inset + px(RING_STROKE)))))
    if detail is not None:
        img = Image.alpha_composite(img, layer(OUTLINE if style == "ps_outline" else RING, scaled(detail, 0.6)))
    for mask, colour in glyphs:
        img = Image.alpha_composite(img, layer(colour, mask))
    return img.resize((SIZE, SIZE), Image.LANCZOS)


# --------------------------------------------------------------------------- title logo

def make_title_logo():
    """The game's title logo: the launcher's wordmark on a 1024x512 transparent texture."""
    logo = make_logo()
    width = 1000
    logo = logo.resize((width, round(logo.height * width / logo.width)), Image.LANCZOS)
    tex = Image.new("RGBA", (1024, 512), (0, 0, 0, 0))
    tex.paste(logo, ((1024 - logo.width) // 2, (512 - logo.height) // 2))
    return tex


# --------------------------------------------------------------------------- preview

def checker(size, cell=16):
    img = Image.new("RGBA", size, (200, 200, 200, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, size[1], cell):
        for x in range(0, size[0], cell):
            if (x // cell + y // cell) % 2:
                d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(150, 150, 150, 255))
    return img


def write_preview(path, icons):
    cell = 132
    rows = []
    for background in ((236, 232, 224, 255), (34, 46, 52, 255), None):
        for style in STYLES:
            rows.append((style, background))
    sheet = Image.new("RGBA", (cell * len(ICON_NAMES), cell * len(rows)), (0, 0, 0, 255))
    for r, (style, background) in enumerate(rows):
        strip = checker((sheet.width, cell)) if background is None else Image.new("RGBA", (sheet.width, cell), background)
        sheet.paste(strip, (0, r * cell))
        for c, name in enumerate(ICON_NAMES):
            small = icons[style, name].resize((128, 128), Image.LANCZOS)
            sheet.alpha_composite(small, (c * cell + 2, r * cell + 2))
    sheet.convert("RGB").save(path)


# --------------------------------------------------------------------------- main

def main(argv):
    args = argv[1:]
    preview = None
    if "--preview" in args:
        i = args.index("--preview")
        preview = Path(args[i + 1])
        del args[i:i + 2]
    out = Path(args[0]) if args else Path(__file__).resolve().parent.parent / "resources"

    icons = {}
    for style in STYLES:
        folder = out / "prompts" / style
        folder.mkdir(parents=True, exist_ok=True)
        for name in ICON_NAMES:
            icon = draw_icon(name, style)
            icons[style, name] = icon
            icon.save(folder / (name + ".png"), optimize=True)
        print("wrote %s (%d icons, %dx%d RGBA)" % (folder, len(ICON_NAMES), SIZE, SIZE))

    textures = out / "textures"
    textures.mkdir(parents=True, exist_ok=True)
    logo_path = textures / TITLE_LOGO_NAME
    make_title_logo().save(logo_path, optimize=True)
    print("wrote %s (1024x512 RGBA, %d bytes)" % (logo_path, logo_path.stat().st_size))

    if preview:
        write_preview(preview, icons)
        print("wrote %s" % preview)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
