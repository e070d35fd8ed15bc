#!/usr/bin/env python3
"""Regenerate the launcher's own artwork (PlayMirefall.exe).

Writes three files into resources/ (or into the directory given as the only argument):

  background.png  1280x720 title-screen backdrop: a mire at dusk under a low moon,
                  with layered hills, a far tree line, fog banks, dead trees and reeds.
  logo.png        transparent "MIREFALL / RECOMPILATION" wordmark, 1200x360.
  app.ico         application icon (16, 24, 32, 48, 64, 128 and 256 px; bitmaps but for
                  the 256 px PNG): a moon disc behind a stylised "M" above still water.

Everything is drawn from code with fixed seeds, so every run gives the same pictures.
Only Pillow and the standard library are needed (Debian: python3-pil):

    /usr/bin/python3 tools/make_artwork.py [OUTPUT_DIR]
"""

import io
import math
import random
import struct
import sys
import warnings
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

W, H = 1280, 720          # background size
SS = 2                    # supersampling factor for silhouettes
SEED = "mirefall"

MOON_X, MOON_Y, MOON_R = 905, 352, 58
WATER_Y = 520             # far bank / water line

# Palette: dark teal and blue-grey with a warm moonlit accent.
SKY_TOP = (6, 11, 17)
SKY_MID = (17, 33, 42)
SKY_LOW = (44, 62, 68)
HAZE_WARM = (214, 150, 92)
MOON_LIGHT = (250, 232, 198)
FOG_COOL = (104, 130, 136)
FOG_WARM = (196, 160, 120)

# Fonts, best first: Liberation (fonts-liberation, installed by tools/install-deps.sh), then DejaVu.
FONT_CANDIDATES_BOLD = [
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
]
FONT_CANDIDATES_SUB = [
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
]


# --------------------------------------------------------------------------- helpers

def rng_for(name):
    """An independent, reproducible random stream per layer."""
    return random.Random(f"{SEED}:{name}")


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def column_image(height, fn, mode="L"):
    """A 1-pixel wide image whose value at row y is fn(y)."""
    col = Image.new(mode, (1, height))
    col.putdata([fn(y) for y in range(height)])
    return col


def vertical_profile(size, fn):
    """L image of the given size whose rows all have value fn(y) in 0..255."""
    w, h = size
    return column_image(h, lambda y: int(max(0, min(255, fn(y))))).resize((w, h))


def value_noise(rng, size, cells):
    """Smooth noise in 0..255: a coarse random grid scaled up with bicubic filtering."""
    cw, ch = cells
    grid = Image.frombytes("L", (cw, ch), bytes(rng.randrange(256) for _ in range(cw * ch)))
    return grid.resize(size, Image.BICUBIC)


def fractal_noise(rng, size, base_cells, octaves=3):
    """Several octaves of value noise blended together (finer octaves weigh less)."""
    out = value_noise(rng, size, base_cells)
    weight = 0.5
    cw, ch = base_cells
    for _ in range(octaves - 1):
        cw, ch = cw * 2, ch * 2
        out = Image.blend(out, value_noise(rng, size, (cw, ch)), weight * 0.6)
        weight *= 0.5
    return out


def levels(img, lo, hi, gamma=1.0):
    """Stretch an L image so that lo..hi maps to 0..255, with an optional gamma."""
    def f(v):
        t = min(1.0, max(0.0, (v - lo) / float(hi - lo)))
        return int(255 * t ** gamma)
    return img.point([f(v) for v in range(256)])


def scale_mask(mask, factor):
    return mask.point(lambda v: int(v * factor))


def paint(base, color, mask):
    """Paint a solid colour onto base through an L mask."""
    base.paste(color, (0, 0) + base.size, mask)


def screen(base, light):
    return ImageChops.screen(base, light)


def big_mask():
    """A supersampled mask and its drawing context."""
    m = Image.new("L", (W * SS, H * SS), 0)
    return m, ImageDraw.Draw(m)


def shrink(mask):
    return mask.resize((W, H), Image.LANCZOS)


def ridge_line(rng, x0, x1, step, base_y, waves):
    """Points of a hill ridge: a sum of sines with random phases. waves = [(period, amp)]."""
    phases = [rng.uniform(0, 2 * math.pi) for _ in waves]
    pts = []
    x = x0
    while x <= x1:
        y = base_y
        for (period, amp), ph in zip(waves, phases):
            y += amp * math.sin(2 * math.pi * x / period + ph)
        pts.append((x, y))
        x += step
    return pts


def soft_glow(color, center, radius, strength, blur, size=(W, H)):
    """An RGB light layer (black elsewhere) holding one blurred disc, for screen blending.

    radius is a number, or (rx, ry) for an ellipse."""
    small = 4  # blur at quarter size: much faster and indistinguishable for soft light
    sw, sh = size[0] // small, size[1] // small
    m = Image.new("L", (sw, sh), 0)
    cx, cy = center[0] / small, center[1] / small
    rx, ry = radius if isinstance(radius, tuple) else (radius, radius)
    rx, ry = rx / small, ry / small
    ImageDraw.Draw(m).ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=int(255 * strength))
    m = m.filter(ImageFilter.GaussianBlur(blur / small)).resize(size, Image.BICUBIC)
    layer = Image.new("RGB", size, 0)
    layer.paste(color, (0, 0) + size, m)
    return layer


# --------------------------------------------------------------------------- background layers

def sky():
    """Night-blue sky falling to a misty teal horizon, with a warm haze around the moon."""
    def row(y):
        if y < 300:
            return mix(SKY_TOP, SKY_MID, smoothstep(0, 300, y) ** 1.2)
        return mix(SKY_MID, SKY_LOW, smoothstep(300, WATER_Y, y))
    img = column_image(H, row, "RGB").resize((W, H))
    # wide, warm horizon haze centred on the moon, flattened into an ellipse
    img = screen(img, soft_glow(HAZE_WARM, (MOON_X, WATER_Y - 50), (520, 170), 0.5, 170))
    # a cooler, fainter second haze across the whole horizon
    band = vertical_profile((W, H), lambda y: 70 * math.exp(-((y - (WATER_Y - 40)) / 90.0) ** 2))
    cool = Image.new("RGB", (W, H), (70, 96, 104))
    return Image.composite(cool, img, band)


def clouds(img):
    """Thin, stretched cloud streaks; the ones near the moon catch its warm light."""
    rng = rng_for("clouds")
    n = fractal_noise(rng, (W, H), (5, 22), octaves=4)
    n = levels(n, 128, 205, 1.6)
    band = vertical_profile((W, H), lambda y: 255 * smoothstep(60, 200, y) * (1 - smoothstep(300, 430, y)))
    mask = scale_mask(ImageChops.multiply(n, band), 0.55)
    glow = Image.new("L", (W // 4, H // 4), 0)
    ImageDraw.Draw(glow).ellipse(((MOON_X - 330) // 4, (MOON_Y - 200) // 4,
                                  (MOON_X + 330) // 4, (MOON_Y + 160) // 4), fill=255)
    glow = glow.filter(ImageFilter.GaussianBlur(22)).resize((W, H), Image.BICUBIC)
    cool = Image.new("RGB", (W, H), (40, 58, 66))
    warm = Image.new("RGB", (W, H), (170, 128, 96))
    color = Image.composite(warm, cool, glow)
    return Image.composite(color, img, mask)


def moon(img):
    """A low, warm moon with its halo, faint markings and wisps of cloud across it."""
    # large outer halo, then a tighter bright glow
    img = screen(img, soft_glow((120, 84, 50), (MOON_X, MOON_Y), 120, 0.9, 150))
    img = screen(img, soft_glow((200, 160, 110), (MOON_X, MOON_Y), MOON_R + 8, 0.7, 40))
    # the disc itself, supersampled, with a few faint darker patches
    rng = rng_for("moon")
    s = 4
    d = MOON_R * 2 * s
    disc = Image.new("L", (d, d), 0)
    ImageDraw.Draw(disc).ellipse((0, 0, d - 1, d - 1), fill=255)
    disc = disc.resize((MOON_R * 2, MOON_R * 2), Image.LANCZOS)
    face = Image.new("RGB", disc.size, MOON_LIGHT)
    spots = Image.new("L", disc.size, 0)
    sd = ImageDraw.Draw(spots)
    for _ in range(7):
        r = rng.uniform(6, 18)
        x, y = rng.uniform(20, 96), rng.uniform(20, 96)
        sd.ellipse((x - r, y - r * 0.8, x + r, y + r * 0.8), fill=rng.randint(45, 75))
    spots = spots.filter(ImageFilter.GaussianBlur(5))
    face.paste((176, 142, 110), (0, 0) + face.size, spots)
    # the lower edge warms towards the haze
    shade = vertical_profile(disc.size, lambda y: 110 * smoothstep(MOON_R * 0.6, MOON_R * 2, y))
    face.paste((236, 170, 110), (0, 0) + face.size, shade)
    img.paste(face, (MOON_X - MOON_R, MOON_Y - MOON_R), disc)
    # two thin wisps of cloud drifting across the face
    wisp = Image.new("L", (W, H), 0)
    wd = ImageDraw.Draw(wisp)
    for dy, half_w, half_h in ((-14, 150, 4), (22, 110, 3)):
        wd.ellipse((MOON_X - half_w - 40, MOON_Y + dy - half_h, MOON_X + half_w - 40, MOON_Y + dy + half_h), fill=90)
    paint(img, (96, 84, 76), wisp.filter(ImageFilter.GaussianBlur(4)))
    return img


def far_hills(img):
    """Two distant ridges, pale with haze, the nearer one topped with small pines."""
    rng = rng_for("far_hills")
    layers = [
        (WATER_Y - 118, [(900, 26), (330, 12), (120, 4)], (48, 68, 76), False),
        (WATER_Y - 62, [(700, 22), (260, 10), (90, 3)], (32, 50, 58), True),
    ]
    for base_y, waves, color, pines in layers:
        m, d = big_mask()
        pts = ridge_line(rng, -20, W + 20, 4, base_y, waves)
        d.polygon([(x * SS, y * SS) for x, y in pts] + [((W + 20) * SS, H * SS), (-20 * SS, H * SS)],
                  fill=255)
        if pines:
            for x, y in pts[::2]:
                if rng.random() < 0.55:
                    h = rng.uniform(6, 20)
                    w = h * rng.uniform(0.22, 0.32)
                    d.polygon([((x - w) * SS, (y + 3) * SS), (x * SS, (y - h) * SS),
                               ((x + w) * SS, (y + 3) * SS)], fill=255)
        paint(img, color, shrink(m))
        img = fog_band(img, base_y + 30, 46, 0.55, "far%d" % base_y)
    return img


def fog_band(img, center_y, half_height, strength, name, cells=(7, 3)):
    """A soft horizontal bank of mist, warmer close to the moon."""
    rng = rng_for("fog:" + name)
    n = fractal_noise(rng, (W, H), cells, octaves=3)
    n = levels(n, 60, 215, 1.0)
    band = vertical_profile((W, H), lambda y: 255 * math.exp(-((y - center_y) / half_height) ** 2))
    mask = scale_mask(ImageChops.multiply(n, band), strength)
    tint = Image.new("L", (W, H), 0)
    ImageDraw.Draw(tint).ellipse((MOON_X - 420, center_y - 300, MOON_X + 420, center_y + 300), fill=180)
    tint = tint.resize((W // 8, H // 8)).filter(ImageFilter.GaussianBlur(25)).resize((W, H), Image.BICUBIC)
    color = Image.composite(Image.new("RGB", (W, H), FOG_WARM), Image.new("RGB", (W, H), FOG_COOL), tint)
    return Image.composite(color, img, mask)


def cypress(d, rng, x, base_y, height, scale=1.0):
    """A swamp cypress: tapering trunk, ragged flat clumps of foliage, drips of moss."""
    lean = rng.uniform(-4, 4) * scale
    top = base_y - height
    tw = max(1.2, 2.4 * scale)
    d.polygon([((x - tw * 1.8) * SS, base_y * SS), ((x - tw * 0.7) * SS, (base_y - 8 * scale) * SS),
               ((x + lean - tw * 0.35) * SS, top * SS), ((x + lean + tw * 0.35) * SS, top * SS),
               ((x + tw * 0.7) * SS, (base_y - 8 * scale) * SS), ((x + tw * 1.8) * SS, base_y * SS)], fill=255)
    for _ in range(rng.randint(3, 5)):
        t = rng.uniform(0.0, 0.6)
        ty = top + height * t
        tx = x + lean * (1 - t)
        cx = tx + rng.uniform(-9, 9) * scale
        cy = ty - rng.uniform(0, 4) * scale
        rx = rng.uniform(8, 15) * scale * (0.7 + t)
        ry = rng.uniform(3, 5) * scale
        d.line((tx * SS, ty * SS, cx * SS, cy * SS), fill=255, width=max(1, int(1.2 * SS * scale)))
        for _ in range(int(6 + rx / (2 * scale))):
            ox = rng.uniform(-1, 1)
            px = cx + ox * rx
            py = cy + rng.uniform(-1, 1) * ry * (1 - 0.6 * abs(ox))
            r = ry * rng.uniform(0.45, 0.95)
            d.ellipse(((px - r) * SS, (py - r) * SS, (px + r) * SS, (py + r * 0.8) * SS), fill=255)
        for _ in range(rng.randint(1, 4)):
            mx = cx + rng.uniform(-rx * 0.7, rx * 0.7)
            d.line((mx * SS, cy * SS, (mx + rng.uniform(-1, 1)) * SS, (cy + ry + rng.uniform(3, 11) * scale) * SS),
                   fill=255, width=max(1, int(SS * scale * 0.8)))


def snag(d, rng, x, base_y, height, scale=1.0):
    """A bare dead trunk with a few stubby branches."""
    lean = rng.uniform(-7, 7) * scale
    d.line((x * SS, base_y * SS, (x + lean) * SS, (base_y - height) * SS), fill=255,
           width=max(1, int(3 * SS * scale)))
    for _ in range(rng.randint(2, 4)):
        t = rng.uniform(0.35, 0.95)
        bx, by = x + lean * t, base_y - height * t
        side = rng.choice((-1, 1))
        d.line((bx * SS, by * SS, (bx + side * rng.uniform(5, 14) * scale) * SS,
                (by - rng.uniform(4, 12) * scale) * SS), fill=255, width=max(1, int(SS * 1.5 * scale)))


def tree_line_mask():
    """The far bank: a ragged, bushy line of swamp trees sitting on the water."""
    rng = rng_for("tree_line")
    m, d = big_mask()
    base = WATER_Y - 3
    top = []
    for x, h in ridge_line(rng, -20, W + 20, 3, 0, [(410, 10), (130, 6), (47, 3)]):
        lift = 24 + h
        lift *= 1 - 0.6 * math.exp(-((x - MOON_X) / 150.0) ** 2)   # a gap in front of the moon
        lift *= 1 + 0.6 * (1 - smoothstep(0, 420, x))              # taller towards the left
        top.append((x, base - max(3, lift)))
    d.polygon([(x * SS, y * SS) for x, y in top] + [((W + 20) * SS, (base + 4) * SS),
                                                    (-20 * SS, (base + 4) * SS)], fill=255)
    # a bumpy crown edge
    for x, y in top:
        if rng.random() < 0.7:
            r = rng.uniform(2, 7)
            cy = y + rng.uniform(-1, 4)
            d.ellipse(((x - r) * SS, (cy - r) * SS, (x + r) * SS, (cy + r) * SS), fill=255)
    # taller trees rising out of the canopy
    for _ in range(34):
        x = rng.uniform(-10, W + 10)
        near_moon = abs(x - MOON_X) < 120
        if near_moon and rng.random() < 0.6:
            continue
        height = rng.uniform(45, 95) * (0.7 if near_moon else 1.0)
        if rng.random() < 0.7:
            cypress(d, rng, x, base, height)
        else:
            snag(d, rng, x, base, height * 0.9)
    return shrink(m)


def island():
    """A nearer hummock of cypresses on the left, standing in the water: mask and base line."""
    rng = rng_for("island")
    m, d = big_mask()
    base = WATER_Y + 44
    pts = ridge_line(rng, 140, 520, 4, base, [(160, 3), (50, 1.5)])
    pts = [(x, y - 22 * math.sin(math.pi * (x - 140) / 380.0) ** 0.7) for x, y in pts]
    d.polygon([(x * SS, y * SS) for x, y in pts] + [(520 * SS, base * SS), (140 * SS, base * SS)], fill=255)
    for x, y in pts[::3]:
        if rng.random() < 0.6:
            r = rng.uniform(5, 13)
            d.ellipse(((x - r) * SS, (y - r * 0.8) * SS, (x + r) * SS, (y + r * 0.5) * SS), fill=255)
    for x in (205, 262, 300, 372, 430, 468):
        cypress(d, rng, x + rng.uniform(-8, 8), base - 14, rng.uniform(110, 190), scale=1.9)
    snag(d, rng, 338, base - 12, 150, scale=1.6)
    return shrink(m), base


def reflect(img, mask, base_y, color, strength, squash, name):
    """Paint a rippled, upside-down copy of a silhouette below its base line."""
    rng = rng_for("reflect:" + name)
    h = int(min(base_y, H - base_y) / squash)
    part = mask.crop((0, base_y - h, W, base_y)).transpose(Image.FLIP_TOP_BOTTOM)
    part = part.resize((W, max(1, int(h * squash))))
    rippled = Image.new("L", part.size, 0)
    for y in range(part.size[1]):
        dx = int(round(rng.uniform(-1, 1) * (1 + y * 0.06)))
        rippled.paste(part.crop((0, y, W, y + 1)), (dx, y))
    fade = vertical_profile(part.size, lambda y: 255 * strength * (1 - y / float(part.size[1])) ** 0.7)
    full = Image.new("L", (W, H), 0)
    full.paste(ImageChops.multiply(rippled.filter(ImageFilter.GaussianBlur(1.0)), fade), (0, base_y))
    paint(img, color, full)


def water(img, trees):
    """The mire: dark water mirroring the sky, the tree line and a glittering moon path."""
    rng = rng_for("water")
    # sky reflection: flip the scene above the water line, darken and tint it
    above = img.crop((0, WATER_Y - (H - WATER_Y), W, WATER_Y)).transpose(Image.FLIP_TOP_BOTTOM)
    above = above.filter(ImageFilter.GaussianBlur(4))
    img.paste(Image.blend(above, Image.new("RGB", above.size, (8, 16, 20)), 0.45), (0, WATER_Y))
    reflect(img, trees, WATER_Y - 2, (12, 21, 26), 0.9, 0.7, "trees")
    # glittering path of the moon: short strokes, scattered wider and longer nearer the viewer
    glitter = Image.new("L", (W, H), 0)
    gd = ImageDraw.Draw(glitter)
    for y in range(WATER_Y + 1, H):
        t = (y - WATER_Y) / float(H - WATER_Y)
        spread = 12 + 120 * t
        for _ in range(3):
            if rng.random() < 0.45:
                cx = MOON_X + rng.gauss(0, spread * 0.5)
                half = rng.uniform(1.5, 9) * (1 + 2.5 * t)
                val = int(255 * (1 - t) ** 1.2 * rng.uniform(0.3, 1.0)
                          * math.exp(-((cx - MOON_X) / (spread * 1.2)) ** 2))
                gd.line((cx - half, y, cx + half, y), fill=val)
    light = Image.new("RGB", (W, H), 0)
    light.paste((255, 210, 156), (0, 0, W, H), glitter.filter(ImageFilter.GaussianBlur(0.5)))
    img = screen(img, light)
    # a soft warm column of light under the moon
    img = screen(img, soft_glow((80, 56, 34), (MOON_X, WATER_Y + 50), (70, 60), 0.9, 60))
    # faint cool ripple lines elsewhere
    lines = Image.new("L", (W, H), 0)
    ld = ImageDraw.Draw(lines)
    for _ in range(160):
        y = rng.uniform(WATER_Y + 4, H)
        x = rng.uniform(0, W)
        half = rng.uniform(20, 90) * (0.5 + (y - WATER_Y) / 200.0)
        ld.line((x - half, y, x + half, y), fill=rng.randint(10, 26))
    paint(img, (96, 124, 130), lines.filter(ImageFilter.GaussianBlur(0.6)))
    return img


def limb(d, x0, y0, x1, y1, w0, w1):
    """One tapering piece of branch, from width w0 to w1, with a rounded end."""
    ang = math.atan2(y1 - y0, x1 - x0)
    px, py = -math.sin(ang), math.cos(ang)
    d.polygon([((x0 + px * w0 / 2) * SS, (y0 + py * w0 / 2) * SS), ((x1 + px * w1 / 2) * SS, (y1 + py * w1 / 2) * SS),
               ((x1 - px * w1 / 2) * SS, (y1 - py * w1 / 2) * SS), ((x0 - px * w0 / 2) * SS, (y0 - py * w0 / 2) * SS)],
              fill=255)
    r = w1 * SS / 2
    d.ellipse((x1 * SS - r, y1 * SS - r, x1 * SS + r, y1 * SS + r), fill=255)


def branch(d, rng, x, y, angle, length, width, depth, perches, bend):
    """Recursive crooked bare branch; collects points where moss may hang in perches."""
    if depth == 0 or width < 0.7:
        return
    segs = 4
    for _ in range(segs):
        angle += rng.uniform(-0.28, 0.28) + bend
        nx = x + math.cos(angle) * length / segs
        ny = y + math.sin(angle) * length / segs
        w1 = width * 0.9
        limb(d, x, y, nx, ny, width, w1)
        if 1.2 < width < 7:
            perches.append((nx, ny))
        x, y, width = nx, ny, w1
    # one leader carries on, the others split off thinner
    branch(d, rng, x, y, angle + rng.uniform(-0.25, 0.25), length * rng.uniform(0.7, 0.85),
           width * 0.72, depth - 1, perches, bend)
    for _ in range(rng.choice((1, 2, 2))):
        side = rng.choice((-1, 1))
        branch(d, rng, x, y, angle + side * rng.uniform(0.45, 0.95), length * rng.uniform(0.5, 0.7),
               width * rng.uniform(0.42, 0.58), depth - 1, perches, bend)


def moss_curtain(d, rng, x, y, span, length):
    """Spanish moss: a ragged curtain of strands, longest in the middle."""
    for _ in range(int(span * 1.5) + 3):
        ox = rng.uniform(-1, 1)
        ln = length * (1 - ox * ox) * rng.uniform(0.45, 1.0)
        sway = rng.uniform(-2, 2)
        d.line(((x + ox * span) * SS, (y - 1) * SS, (x + ox * span + sway) * SS, (y + ln) * SS), fill=255,
               width=rng.choice((1, 2, 2)))


def dead_tree(d, rng, base_x, base_y, height, width, lean, depth, moss):
    """A bare swamp tree: buttressed foot, crooked limbs and tattered moss."""
    perches = []
    foot = width * 2.4
    d.polygon([((base_x - foot) * SS, (base_y + 10) * SS), ((base_x - width * 0.55) * SS, (base_y - 46) * SS),
               ((base_x + width * 0.55) * SS, (base_y - 46) * SS), ((base_x + foot) * SS, (base_y + 10) * SS)],
              fill=255)
    branch(d, rng, base_x, base_y, -math.pi / 2 + lean, height * 0.34, width, depth, perches, lean * 0.04)
    for px, py in rng.sample(perches, int(len(perches) * moss)):
        moss_curtain(d, rng, px, py, rng.uniform(4, 11), rng.uniform(14, 42))


def foreground(img):
    """The near bank: dark ground, reeds and two dead trees framing the view."""
    rng = rng_for("foreground")
    m, d = big_mask()
    # uneven muddy bank across the bottom, higher at the sides
    pts = ridge_line(rng, -20, W + 20, 5, H - 92, [(640, 10), (210, 6), (60, 2)])
    pts = [(x, y - 70 * (1 - smoothstep(0, 360, x)) - 80 * smoothstep(900, W, x)) for x, y in pts]
    d.polygon([(x * SS, y * SS) for x, y in pts] + [((W + 20) * SS, H * SS), (-20 * SS, H * SS)], fill=255)
    # tussocks and reeds along the bank
    for x, y in pts[::2]:
        if rng.random() < 0.5:
            for _ in range(rng.randint(2, 7)):
                h = rng.uniform(12, 50) * (1.5 if x < 300 or x > 1000 else 1.0)
                bend = rng.uniform(-14, 14)
                bx = x + rng.uniform(-6, 6)
                top = (bx + bend, y - h)
                mid = (bx + bend * 0.3, y - h * 0.5)
                d.line([(bx * SS, (y + 4) * SS), (mid[0] * SS, mid[1] * SS), (top[0] * SS, top[1] * SS)],
                       fill=255, width=rng.choice((2, 3)), joint="curve")
                if rng.random() < 0.06:   # a cattail head
                    d.ellipse(((top[0] - 1.6) * SS, (top[1] - 1) * SS, (top[0] + 1.6) * SS, (top[1] + 9) * SS),
                              fill=255)
    # a few reeds standing in the open water
    for _ in range(22):
        x = rng.uniform(520, 1060)
        y = rng.uniform(WATER_Y + 60, H - 90)
        h = rng.uniform(8, 22) * (0.6 + (y - WATER_Y) / 200)
        d.line((x * SS, y * SS, (x + rng.uniform(-3, 3)) * SS, (y - h) * SS), fill=255, width=2)
    # dead trees: a big one on the right reaching over the sky, a smaller snag on the left
    def ground_at(x):
        return min(pts, key=lambda p: abs(p[0] - x))[1]
    dead_tree(d, rng, 1212, ground_at(1212) + 8, 660, 34, -0.3, 7, 0.12)
    dead_tree(d, rng, 58, ground_at(58) + 8, 300, 13, 0.25, 6, 0.12)
    paint(img, (5, 9, 12), shrink(m))
    return img


def wisps(img):
    """A few will-o'-the-wisps hovering over the mire."""
    rng = rng_for("wisps")
    spots = [(430, WATER_Y + 58, 1.0), (612, WATER_Y + 38, 0.6), (1020, WATER_Y + 92, 0.8),
             (330, WATER_Y + 26, 0.45)]
    for x, y, s in spots:
        x += rng.uniform(-6, 6)
        img = screen(img, soft_glow((60, 110, 90), (x, y), 26 * s, 0.6, 40 * s))
        img = screen(img, soft_glow((190, 230, 190), (x, y), 3.5 * s + 1, 1.0, 5))
    return img


def vignette(img):
    """Darken the corners, the bottom strip (UI buttons and hint) and the logo corner."""
    radial = Image.radial_gradient("L").resize((W, H), Image.BICUBIC)   # 0 centre .. 255 edge
    radial = levels(radial, 80, 255, 1.6)
    dark = Image.new("RGB", (W, H), (2, 4, 6))
    img = Image.composite(dark, img, scale_mask(radial, 0.85))
    bottom = vertical_profile((W, H), lambda y: 200 * smoothstep(H - 150, H, y))
    img = Image.composite(dark, img, bottom)
    corner = soft_glow((255, 255, 255), (300, 110), 260, 0.5, 200).convert("L")
    return Image.composite(dark, img, corner)


def dither(img):
    """A whisper of grain so the smooth gradients do not band."""
    rng = rng_for("grain")
    n = Image.frombytes("L", (W, H), bytes(rng.choice((127, 128, 128, 129)) for _ in range(W * H)))
    noise = Image.merge("RGB", (n, n, n))
    return ImageChops.add(img, noise, 1.0, -128)


def make_background():
    """Layers from far to near, then the light and shade that hold them together."""
    img = sky()
    img = clouds(img)
    img = moon(img)
    img = far_hills(img)
    trees = tree_line_mask()
    paint(img, (13, 23, 28), trees)
    img = water(img, trees)
    img = fog_band(img, WATER_Y + 4, 30, 0.7, "bank", cells=(9, 3))
    isle, isle_base = island()
    paint(img, (9, 15, 19), isle)
    reflect(img, isle, isle_base, (8, 14, 17), 0.85, 0.6, "island")
    img = fog_band(img, WATER_Y + 100, 50, 0.4, "water", cells=(6, 3))
    img = wisps(img)
    img = foreground(img)
    img = vignette(img)
    return dither(img)


# --------------------------------------------------------------------------- logo

def load_font(candidates, size):
    """The first candidate font that loads; Pillow's built-in font as a last resort."""
    for path in candidates:
        try:
            return ImageFont.truetype(path, size)
        except OSError:
            continue
    warnings.warn("none of the preferred fonts was found; using Pillow's default font")
    try:
        return ImageFont.load_default(size)
    except TypeError:
        return ImageFont.load_default()


def tracked_width(font, text, tracking):
    return sum(font.getlength(c) for c in text) + tracking * (len(text) - 1)


def draw_tracked(d, x, y, text, font, tracking, **kw):
    for c in text:
        d.text((x, y), c, font=font, **kw)
        x += font.getlength(c) + tracking


def fit_font(candidates, text, tracking, width):
    """The largest font size (in steps of 4) at which text fits in width."""
    size = 40
    while size < 400 and tracked_width(load_font(candidates, size + 4), text, tracking) <= width:
        size += 4
    return load_font(candidates, size)


def make_logo():
    LW, LH = 1200, 360
    title, sub = "MIREFALL", "RECOMPILATION"
    title_track, sub_track = 10, 20
    big = fit_font(FONT_CANDIDATES_BOLD, title, title_track, LW - 110)
    small = fit_font(FONT_CANDIDATES_SUB, sub, sub_track, 620)

    tw = tracked_width(big, title, title_track)
    tx, ty = (LW - tw) / 2, 40
    top = ty + big.getbbox("M")[1]
    bottom = ty + big.getbbox("M")[3]

    text = Image.new("L", (LW, LH), 0)
    draw_tracked(ImageDraw.Draw(text), tx, ty, title, big, title_track, fill=255)

    sw = tracked_width(small, sub, sub_track)
    sx, sy = (LW - sw) / 2, bottom + 34
    sub_mask = Image.new("L", (LW, LH), 0)
    draw_tracked(ImageDraw.Draw(sub_mask), sx, sy, sub, small, sub_track, fill=255)
    sub_bottom = sy + small.getbbox("R")[3]

    # decorative hairlines either side of the subtitle, fading outwards
    rule = Image.new("L", (LW, LH), 0)
    rd = ImageDraw.Draw(rule)
    ry = (sy + small.getbbox("R")[1] + sub_bottom) / 2
    for x0, x1, fade_out in ((60, sx - 28, True), (sx + sw + 28, LW - 60, False)):
        n = int(x1 - x0)
        for i in range(n):
            t = i / float(n)
            v = int(200 * (t if fade_out else 1 - t))
            rd.line((x0 + i, ry - 1, x0 + i, ry + 1), fill=v)

    logo = Image.new("RGBA", (LW, LH), (0, 0, 0, 0))
    # 1. broad dark shadow so the logo reads on any part of the background
    everything = ImageChops.lighter(ImageChops.lighter(text, sub_mask), rule)
    shadow = everything.filter(ImageFilter.MaxFilter(9)).filter(ImageFilter.GaussianBlur(16))
    logo.paste((2, 6, 9, 255), (0, 0, LW, LH), scale_mask(shadow, 0.75))
    # 2. faint warm glow hugging the title
    glow = text.filter(ImageFilter.MaxFilter(5)).filter(ImageFilter.GaussianBlur(10))
    glow_layer = Image.new("RGBA", (LW, LH), (226, 150, 84, 0))
    glow_layer.putalpha(scale_mask(glow, 0.55))
    logo = Image.alpha_composite(logo, glow_layer)
    # 3. dark outline
    outline = text.filter(ImageFilter.MaxFilter(7))
    ol = Image.new("RGBA", (LW, LH), (10, 18, 22, 0))
    ol.putalpha(outline)
    logo = Image.alpha_composite(logo, ol)
    # 4. title fill: moonlit ivory at the top falling into bronze, with a thin bright rim
    grad = column_image(LH, lambda y: mix((248, 238, 214), (170, 122, 72),
                                          smoothstep(top, bottom, y) ** 1.3), "RGB").resize((LW, LH))
    band = vertical_profile((LW, LH), lambda y: 70 * math.exp(-((y - (top + (bottom - top) * 0.52)) / 5.0) ** 2))
    grad.paste((255, 226, 180), (0, 0, LW, LH), band)
    # a faint mottled wear, like old gilding
    wear = levels(fractal_noise(rng_for("logo"), (LW, LH), (90, 28), octaves=2), 40, 220)
    wear = wear.point(lambda v: 255 - v // 12)
    grad = ImageChops.multiply(grad, Image.merge("RGB", (wear, wear, wear)))
    fill = grad.convert("RGBA")
    fill.putalpha(text)
    logo = Image.alpha_composite(logo, fill)
    # inner top highlight: the fill shifted down, lighter only near the upper edge
    inner = ImageChops.subtract(text, ImageChops.offset(text, 0, 3))
    hl = Image.new("RGBA", (LW, LH), (255, 248, 230, 0))
    hl.putalpha(scale_mask(inner, 0.6))
    logo = Image.alpha_composite(logo, hl)
    # 5. subtitle and hairlines in a cool, misty teal-grey
    sub_layer = Image.new("RGBA", (LW, LH), (160, 190, 190, 0))
    sub_layer.putalpha(ImageChops.lighter(sub_mask, scale_mask(rule, 0.8)))
    logo = Image.alpha_composite(logo, sub_layer)
    return logo


# --------------------------------------------------------------------------- icon

def icon_image(size):
    """The emblem at one size: rendered large and scaled down; fine details only when big."""
    S = 512
    detailed = size >= 48
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    # round badge: dark teal disc with a warm rim
    badge = Image.new("L", (S, S), 0)
    ImageDraw.Draw(badge).ellipse((8, 8, S - 8, S - 8), fill=255)
    bg = column_image(S, lambda y: mix((34, 66, 76), (8, 16, 21), y / float(S)), "RGB").resize((S, S))
    # warm haze around the moon inside the badge
    glow = Image.new("L", (S, S), 0)
    ImageDraw.Draw(glow).ellipse((90, 40, 422, 360), fill=170)
    glow = glow.filter(ImageFilter.GaussianBlur(50))
    bg.paste((164, 106, 60), (0, 0, S, S), glow)
    ImageDraw.Draw(bg).ellipse((150, 88, 362, 300), fill=(248, 226, 186))
    # the stylised M: two peaks standing on the water line, its middle dipping into the moon
    water = 372
    m = Image.new("L", (S, S), 0)
    md = ImageDraw.Draw(m)
    md.polygon([(84, water), (84, 176), (140, 140), (256, 282), (372, 140), (428, 176), (428, water)], fill=255)
    md.polygon([(160, water + 1), (160, 232), (256, 350), (352, 232), (352, water + 1)], fill=0)
    # a thin warm rim of moonlight around the letter, then the letter itself
    bg.paste((176, 120, 66), (0, 0, S, S), m.filter(ImageFilter.MaxFilter(9 if detailed else 15)))
    bg.paste((7, 14, 18), (0, 0, S, S), m)
    # still water below, with a glinting reflection of the moon
    wd = ImageDraw.Draw(bg)
    wd.rectangle((0, water, S, S), fill=(9, 20, 26))
    lines = [(400, 118, 7), (426, 84, 7), (452, 50, 7)] if detailed else [(410, 116, 16)]
    for y, half, th in lines:
        wd.rounded_rectangle((256 - half, y - th, 256 + half, y + th), radius=th, fill=(236, 184, 120))
    img.paste(bg, (0, 0), badge)
    rim_w = 14 if detailed else 24
    ImageDraw.Draw(img).ellipse((8, 8, S - 8, S - 8), outline=(198, 148, 88, 255), width=rim_w)
    return img.resize((size, size), Image.LANCZOS)


def icon_bitmap_entry(frame):
    """A frame as an icon's DIB entry: 32-bit BGRA rows bottom-up, then the 1-bit mask
    (set where the frame is fully transparent), the header giving twice the height."""
    size = frame.width
    rgba = frame.convert("RGBA")
    pixels = rgba.transpose(Image.FLIP_TOP_BOTTOM).tobytes("raw", "BGRA")
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if rgba.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + bytes(mask)


def make_icon(path):
    # The sizes a window, the taskbar and Explorer ask for are stored as plain bitmaps, which
    # Windows (and Wine) load without decoding anything; only the 256 px frame is a PNG.
    sizes = [16, 24, 32, 48, 64, 128, 256]
    entries = []
    for size in sizes:
        frame = icon_image(size)
        if size < 256:
            entries.append(icon_bitmap_entry(frame))
        else:
            encoded = io.BytesIO()
            frame.save(encoded, format="PNG", optimize=True)
            entries.append(encoded.getvalue())
    offset = 6 + 16 * len(sizes)
    directory = struct.pack("<HHH", 0, 1, len(sizes))
    for size, entry in zip(sizes, entries):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(entry), offset)
        offset += len(entry)
    path.write_bytes(directory + b"".join(entries))


# --------------------------------------------------------------------------- main

def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent / "resources"
    out.mkdir(parents=True, exist_ok=True)

    bg = make_background()
    bg_path = out / "background.png"
    bg.save(bg_path, optimize=True)

    logo = make_logo()
    logo_path = out / "logo.png"
    logo.save(logo_path, optimize=True)

    ico_path = out / "app.ico"
    make_icon(ico_path)

    for p, desc in ((bg_path, "%dx%d RGB" % bg.size), (logo_path, "%dx%d RGBA" % logo.size),
                    (ico_path, "icon 16-256 px")):
        print("wrote %s (%s, %d bytes)" % (p, desc, p.stat().st_size))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
