#!/usr/bin/env python3
"""Generate the Vesmera launcher skin images.

Every bitmap, PNG and the application icon that the resource script pulls
in is produced here from code, so the skin can be tweaked and rebuilt
without an image editor:

    /usr/bin/python3 res/generate_skin.py [output-dir]

Output goes to res/images/ by default.  The result is deterministic: the
only randomness (stars, mountain ridges) comes from fixed seeds.

Requires Pillow and the WenQuanYi Zen Hei font (Debian: python3-pil,
fonts-wqy-zenhei); DejaVu fonts are used for the Latin logo lettering.
"""

import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))

FONT_CJK = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
FONT_SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
FONT_SERIF_COND_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerifCondensed-Bold.ttf"

# Palette shared by all pieces of the skin.
GOLD_HI = (255, 234, 168)
GOLD = (222, 176, 92)
GOLD_LO = (138, 92, 38)
BRONZE_DARK = (46, 30, 14)
INK = (10, 9, 16)
NIGHT_TOP = (40, 32, 74)
NIGHT_MID = (22, 22, 50)
NIGHT_BOTTOM = (9, 10, 22)
TEXT_LIGHT = (232, 222, 198)

KEY_YELLOW = (255, 255, 0)


# ---------------------------------------------------------------------------
# small helpers
# ---------------------------------------------------------------------------

def font(path, size, index=0):
    return ImageFont.truetype(path, size, index=index)


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(x, y, t))) for x, y in zip(c1, c2))


def gradient_v(size, stops, mode="RGB"):
    """Vertical gradient through a list of (position 0..1, colour) stops."""
    w, h = size
    col = Image.new(mode, (1, h))
    px = []
    for y in range(h):
        t = y / (h - 1) if h > 1 else 0.0
        for i in range(len(stops) - 1):
            p0, c0 = stops[i]
            p1, c1 = stops[i + 1]
            if t <= p1 or i == len(stops) - 2:
                u = 0.0 if p1 == p0 else min(1.0, max(0.0, (t - p0) / (p1 - p0)))
                px.append(mix(c0, c1, u))
                break
    col.putdata(px)
    return col.resize((w, h), Image.NEAREST)


def radial_mask(size, power=1.0, peak=255):
    """Soft elliptical blob: peak in the middle fading to 0 at the rim."""
    w, h = size
    g = Image.radial_gradient("L")  # 0 in the centre, 255 at radius 128
    lut = []
    for v in range(256):
        r = min(1.0, v / 128.0)
        lut.append(int(round(peak * max(0.0, 1.0 - r) ** power)))
    g = g.point(lut)
    return g.resize((max(1, w), max(1, h)), Image.BICUBIC)


def paste_colour(img, colour, mask, offset=(0, 0)):
    layer = Image.new(img.mode, mask.size, colour if img.mode == "RGB" else colour + (255,)[: len(img.mode) - 3])
    img.paste(layer, offset, mask)


def glow(img, colour, box, power=1.6, peak=255):
    x0, y0, x1, y1 = [int(v) for v in box]
    m = radial_mask((x1 - x0, y1 - y0), power, peak)
    paste_colour(img, colour, m, (x0, y0))


def text_mask(text, fnt, size, xy, anchor="mm", stroke=0):
    m = Image.new("L", size, 0)
    d = ImageDraw.Draw(m)
    d.text(xy, text, font=fnt, fill=255, anchor=anchor, stroke_width=stroke, stroke_fill=255)
    return m


def diamond(draw, cx, cy, rx, ry, fill, outline=None):
    draw.polygon([(cx, cy - ry), (cx + rx, cy), (cx, cy + ry), (cx - rx, cy)], fill=fill, outline=outline)


def downsample(img, factor):
    w, h = img.size
    return img.resize((w // factor, h // factor), Image.LANCZOS)


def save_png(img, path):
    img.save(path, "PNG", optimize=True)


def save_bmp(img, path):
    # Pillow writes a BITMAPINFOHEADER, bottom-up, BI_RGB DIB.
    img.save(path, "BMP")


# ---------------------------------------------------------------------------
# emblem: shield with a stylised V (icon, logo and backdrop share it)
# ---------------------------------------------------------------------------

def shield_points(cx, top, w, h, inset=0.0, steps=40):
    """Heater shield outline; 'inset' shrinks it uniformly (in pixels)."""
    hw = w / 2.0 - inset
    t = top + inset
    shoulder = top + h * 0.42
    tip = top + h - inset * 1.5
    pts = []
    # top edge with a gentle dip in the middle and raised corners
    for i in range(steps + 1):
        u = i / steps
        x = cx - hw + 2 * hw * u
        y = t + (h * 0.05) * math.sin(math.pi * u) ** 2
        pts.append((x, y))
    # right side: straight down, then curving into the tip
    for i in range(1, steps + 1):
        u = i / steps
        y = lerp(t, shoulder, u)
        pts.append((cx + hw, y))
    for i in range(1, steps + 1):
        u = i / steps
        ang = u * math.pi / 2
        x = cx + hw * math.cos(ang) ** 1.3
        y = shoulder + (tip - shoulder) * math.sin(ang) ** 1.1
        pts.append((x, y))
    # mirror for the left side
    right = pts[steps + 1:]
    left = [(2 * cx - x, y) for (x, y) in reversed(right)]
    return pts[: steps + 1] + right[:-1] + left[1:]


def v_points(cx, top, w, h):
    """The 'V' letterform used inside the emblem."""
    s = w / 2.0
    return [
        (cx - s, top), (cx - s * 0.42, top),
        (cx, top + h * 0.66),
        (cx + s * 0.42, top), (cx + s, top),
        (cx + s * 0.08, top + h), (cx - s * 0.08, top + h),
    ]


def draw_emblem(size, ss=8):
    """Return an RGBA emblem of size x size with soft (anti-aliased) alpha."""
    S = size * ss
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    cx = S / 2.0
    top = S * 0.05
    w = S * 0.84
    h = S * 0.90

    outer = Image.new("L", (S, S), 0)
    ImageDraw.Draw(outer).polygon(shield_points(cx, top, w, h), fill=255)
    rim = Image.new("L", (S, S), 0)
    ImageDraw.Draw(rim).polygon(shield_points(cx, top, w, h, inset=S * 0.035), fill=255)
    inner = Image.new("L", (S, S), 0)
    ImageDraw.Draw(inner).polygon(shield_points(cx, top, w, h, inset=S * 0.085), fill=255)

    # dark outline, gold rim, night-blue field
    img.paste(Image.new("RGBA", (S, S), BRONZE_DARK + (255,)), (0, 0), outer)
    gold = gradient_v((S, S), [(0, GOLD_HI), (0.45, GOLD), (1, GOLD_LO)]).convert("RGBA")
    img.paste(gold, (0, 0), rim)
    field = gradient_v((S, S), [(0, (58, 52, 120)), (0.6, (26, 26, 70)), (1, (12, 12, 34))]).convert("RGBA")
    img.paste(field, (0, 0), inner)

    # a little starlight in the field
    shine = Image.new("L", (S, S), 0)
    shine.paste(radial_mask((int(S * 0.60), int(S * 0.45)), 2.0, 140), (int(cx - S * 0.30), int(S * 0.10)))
    img.paste((120, 130, 220, 255), (0, 0), ImageChops.multiply(inner, shine))

    # the V: dark drop shadow, then a silver-to-gold letter
    vt = S * 0.24
    vw = S * 0.56
    vh = S * 0.56
    shadow = Image.new("L", (S, S), 0)
    ImageDraw.Draw(shadow).polygon(v_points(cx + S * 0.015, vt + S * 0.02, vw, vh), fill=200)
    shadow = shadow.filter(ImageFilter.GaussianBlur(S * 0.012))
    img.paste(Image.new("RGBA", (S, S), (0, 0, 0, 255)), (0, 0), ImageChops.multiply(shadow, inner))
    vm = Image.new("L", (S, S), 0)
    ImageDraw.Draw(vm).polygon(v_points(cx, vt, vw, vh), fill=255)
    vfill = gradient_v((S, S), [(0, (255, 255, 255)), (0.35, (236, 228, 210)),
                                 (0.62, GOLD_HI), (0.85, GOLD), (1, GOLD_LO)]).convert("RGBA")
    img.paste(vfill, (0, 0), vm)

    # four-point star over the V
    sx, sy = cx, S * 0.17
    d = ImageDraw.Draw(img)
    d.polygon([(sx, sy - S * 0.07), (sx + S * 0.018, sy - S * 0.018), (sx + S * 0.07, sy),
               (sx + S * 0.018, sy + S * 0.018), (sx, sy + S * 0.07), (sx - S * 0.018, sy + S * 0.018),
               (sx - S * 0.07, sy), (sx - S * 0.018, sy - S * 0.018)], fill=(255, 246, 214, 255))
    return img.resize((size, size), Image.LANCZOS)


# ---------------------------------------------------------------------------
# 155: login window backdrop (alpha channel = window shape)
# ---------------------------------------------------------------------------

BD_W, BD_H = 1120, 693
PAGE = (349, 175, 989, 624)          # the embedded web page covers this exactly
PAGE_FRAME = (343, 169, 995, 630)    # gold frame drawn just outside it
BTN_AREA = (994, 186, 1070, 232)     # two small buttons live here; keep it calm


def panel_mask(inset, ss):
    """Shape of the login panel shrunk by 'inset' pixels, rendered at ss x."""
    d = inset
    m = Image.new("L", (BD_W * ss, BD_H * ss), 0)
    dr = ImageDraw.Draw(m)

    def box(x0, y0, x1, y1):
        return [x0 * ss, y0 * ss, x1 * ss, y1 * ss]

    def ell(cx, cy, rx, ry):
        return box(cx - rx, cy - ry, cx + rx, cy + ry)

    L, T, R, B = 24, 70, 1096, 669
    dr.rectangle(box(L + d, T + d, R - d, B - d), fill=255)
    # concave notches in the four corners
    notch = 30
    for (cx, cy) in ((L, T), (R, T), (L, B), (R, B)):
        dr.ellipse(ell(cx, cy, notch + d, notch + d), fill=0)
    # crest for the title
    if 180 - d > 0:
        dr.ellipse(ell(669, 84, 180 - d, 70 - d), fill=255)
    # small tab under the page
    if 80 - d > 0:
        dr.ellipse(ell(669, 655, 80 - d, 24 - d), fill=255)
    return m


def mountains(draw, rng, ss, base, amp, colour, step=14, phase=0.0):
    pts = [(0, BD_H * ss)]
    x = 0
    while x <= BD_W + step:
        y = (base
             - amp * (0.55 * math.sin(x / 97.0 + phase)
                      + 0.30 * math.sin(x / 41.0 + phase * 2.3)
                      + 0.15 * math.sin(x / 17.0 + phase * 0.7))
             - rng.uniform(0, amp * 0.25))
        pts.append((x * ss, y * ss))
        x += step
    pts.append((BD_W * ss, BD_H * ss))
    draw.polygon(pts, fill=colour)


def make_backdrop():
    ss = 2
    W, H = BD_W * ss, BD_H * ss
    rng = random.Random(1551)

    def s(v):
        return v * ss

    # --- night sky --------------------------------------------------------
    img = gradient_v((W, H), [(0, NIGHT_TOP), (0.45, NIGHT_MID), (1, NIGHT_BOTTOM)])
    glow(img, (96, 60, 140), (s(380), s(-120), s(960), s(330)), power=1.8, peak=150)
    glow(img, (40, 90, 130), (s(-160), s(260), s(420), s(760)), power=2.0, peak=90)
    glow(img, (40, 90, 130), (s(880), s(260), s(1300), s(760)), power=2.0, peak=70)

    # stars
    d = ImageDraw.Draw(img)
    for _ in range(420):
        x = rng.uniform(0, BD_W)
        y = rng.uniform(0, BD_H * 0.8)
        b = rng.uniform(0.35, 1.0)
        r = rng.choice((0.5, 0.5, 0.7, 0.9, 1.2))
        if BTN_AREA[0] - 4 < x < BTN_AREA[2] + 4 and BTN_AREA[1] - 4 < y < BTN_AREA[3] + 4:
            continue        # nothing behind the corner buttons
        c = mix((30, 30, 60), (255, 250, 230), b)
        d.ellipse([s(x - r), s(y - r), s(x + r), s(y + r)], fill=c)
    for _ in range(14):
        x = rng.uniform(40, BD_W - 40)
        y = rng.uniform(30, BD_H * 0.6)
        if 470 < x < 870 and y < 150:
            continue        # keep the title clean
        glow(img, (200, 200, 255), (s(x - 7), s(y - 7), s(x + 7), s(y + 7)), power=2.5, peak=160)
        d.line([s(x - 6), s(y), s(x + 6), s(y)], fill=(240, 240, 255), width=1)
        d.line([s(x), s(y - 6), s(x), s(y + 6)], fill=(240, 240, 255), width=1)

    # moon over the left column
    mx, my, mr = 118, 176, 34
    glow(img, (150, 150, 200), (s(mx - 120), s(my - 120), s(mx + 120), s(my + 120)), power=1.8, peak=120)
    d.ellipse([s(mx - mr), s(my - mr), s(mx + mr), s(my + mr)], fill=(236, 230, 212))
    for (ox, oy, rr, c) in ((-12, -8, 7, (214, 206, 188)), (10, 10, 9, (220, 212, 194)),
                            (4, -16, 4, (218, 210, 192)), (-6, 16, 5, (212, 204, 186))):
        d.ellipse([s(mx + ox - rr), s(my + oy - rr), s(mx + ox + rr), s(my + oy + rr)], fill=c)

    # mountain ridges, far to near
    mountains(d, rng, ss, 520, 60, (40, 38, 84), phase=0.4)
    mountains(d, rng, ss, 578, 46, (26, 26, 58), step=10, phase=2.1)
    mountains(d, rng, ss, 630, 30, (14, 14, 32), step=8, phase=4.2)
    # low mist over the ridges
    glow(img, (70, 80, 130), (s(-100), s(540), s(1220), s(720)), power=1.5, peak=70)

    # --- emblem in the left column ------------------------------------------
    em = draw_emblem(s(176), ss=2)
    ex, ey = 188, 392
    sh = Image.new("L", em.size, 0)
    sh.paste(em.getchannel("A"))
    sh = sh.filter(ImageFilter.GaussianBlur(s(6)))
    glow(img, (120, 90, 170), (s(ex - 150), s(ey - 150), s(ex + 150), s(ey + 150)), power=2.0, peak=110)
    img.paste((0, 0, 0), (s(ex) - em.width // 2 + s(4), s(ey) - em.height // 2 + s(8)),
              sh.point(lambda v: v * 170 // 255))
    img.paste(em, (s(ex) - em.width // 2, s(ey) - em.height // 2), em)

    # --- frame around the web page -----------------------------------------
    d = ImageDraw.Draw(img)
    fx0, fy0, fx1, fy1 = PAGE_FRAME
    shadow = Image.new("L", (W, H), 0)
    ImageDraw.Draw(shadow).rectangle([s(fx0 - 2), s(fy0 + 2), s(fx1 + 2), s(fy1 + 8)], fill=210)
    shadow = shadow.filter(ImageFilter.GaussianBlur(s(7)))
    img.paste((0, 0, 0), (0, 0), shadow)

    def rect(x0, y0, x1, y1):      # exclusive right/bottom, in 1x pixels
        return [s(x0), s(y0), s(x1) - 1, s(y1) - 1]

    d.rectangle(rect(fx0, fy0, fx1, fy1), fill=BRONZE_DARK)
    goldv = gradient_v((W, H), [(0, GOLD_HI), (0.25, GOLD), (0.7, GOLD_LO), (1, GOLD)])
    fm = Image.new("L", (W, H), 0)
    ImageDraw.Draw(fm).rectangle(rect(fx0 + 1, fy0 + 1, fx1 - 1, fy1 - 1), fill=255)
    img.paste(goldv, (0, 0), fm)
    d.rectangle(rect(fx0 + 2, fy0 + 2, fx1 - 2, fy1 - 2), fill=mix(GOLD_HI, GOLD, 0.5))
    d.rectangle(rect(fx0 + 3, fy0 + 3, fx1 - 3, fy1 - 3), fill=(70, 46, 20))
    d.rectangle(rect(fx0 + 4, fy0 + 4, fx1 - 4, fy1 - 4), fill=INK)
    d.rectangle(rect(*PAGE), fill=(12, 12, 20))
    # corner studs
    for (cx, cy) in ((fx0 + 3, fy0 + 3), (fx1 - 3, fy0 + 3), (fx0 + 3, fy1 - 3), (fx1 - 3, fy1 - 3)):
        diamond(d, s(cx), s(cy), s(7), s(7), BRONZE_DARK)
        diamond(d, s(cx), s(cy), s(5.5), s(5.5), GOLD)
        diamond(d, s(cx), s(cy), s(2.5), s(2.5), GOLD_HI)
    # mid-edge studs on the left and bottom edges
    for (cx, cy) in (((fx0 + fx1) / 2, fy1 - 3), (fx0 + 3, (fy0 + fy1) / 2)):
        diamond(d, s(cx), s(cy), s(9), s(5), BRONZE_DARK)
        diamond(d, s(cx), s(cy), s(7.5), s(3.8), GOLD)

    # --- title in the crest ---------------------------------------------------
    tf = font(FONT_SERIF_BOLD, s(50))
    title = "Vesmera"
    tx, ty = s(669), s(96)
    spacing = s(3)
    # lay the letters out by hand so they can be spaced a little wider
    widths = [tf.getlength(ch) for ch in title]
    total = sum(widths) + spacing * (len(title) - 1)
    tm = Image.new("L", (W, H), 0)
    td = ImageDraw.Draw(tm)
    x = tx - total / 2
    for ch, wch in zip(title, widths):
        td.text((x, ty), ch, font=tf, fill=255, anchor="ls")
        x += wch + spacing
    halo = tm.filter(ImageFilter.GaussianBlur(s(9))).point(lambda v: min(255, v * 2))
    img.paste((150, 90, 200), (0, 0), halo.point(lambda v: v * 150 // 255))
    outline = tm.filter(ImageFilter.MaxFilter(5))
    img.paste(BRONZE_DARK, (0, s(2)), outline)
    img.paste((24, 14, 6), (0, 0), outline)
    tgrad = gradient_v((W, H), [(0, GOLD_HI), (55 / BD_H, GOLD_HI), (78 / BD_H, (250, 214, 130)),
                                (90 / BD_H, GOLD), (100 / BD_H, GOLD_LO), (1, GOLD_LO)])
    img.paste(tgrad, (0, 0), tm)

    # flourishes under the title
    d = ImageDraw.Draw(img)
    fy = 126
    for sign in (-1, 1):
        x0 = 669 + sign * 22
        x1 = 669 + sign * 200
        d.line([s(x0), s(fy), s(x1), s(fy)], fill=GOLD_LO, width=s(1))
        d.line([s(x0), s(fy - 0.5), s(x1 - sign * 20), s(fy - 0.5)], fill=GOLD, width=1)
        for k, r in ((60, 3.0), (120, 2.2), (170, 1.6)):
            diamond(d, s(669 + sign * (22 + k)), s(fy), s(r * 1.5), s(r), GOLD)
        # a curl at the end of each arm
        cxr = 669 + sign * 206
        d.arc([s(cxr - 7), s(fy - 7), s(cxr + 7), s(fy + 7)],
              start=(200 if sign > 0 else -20), end=(520 if sign > 0 else 300), fill=GOLD, width=int(s(1.5)))
    diamond(d, s(669), s(fy), s(12), s(6), BRONZE_DARK)
    diamond(d, s(669), s(fy), s(10), s(4.6), GOLD)
    diamond(d, s(669), s(fy), s(4), s(2), GOLD_HI)

    # jewel in the tab under the page
    diamond(d, s(669), s(660), s(10), s(6), BRONZE_DARK)
    diamond(d, s(669), s(660), s(8.5), s(4.8), GOLD)
    diamond(d, s(669), s(660), s(3.5), s(2), GOLD_HI)

    # right column: a quiet chain of studs below the corner buttons
    cx = 1047
    d.line([s(cx), s(262), s(cx), s(588)], fill=(90, 70, 46), width=s(1))
    for i, y in enumerate(range(262, 600, 36)):
        r = 5 if i % 3 == 0 else 3
        diamond(d, s(cx), s(y), s(r), s(r * 1.6), BRONZE_DARK)
        diamond(d, s(cx), s(y), s(r - 1.2), s((r - 1.2) * 1.6), GOLD)

    # --- panel rim ------------------------------------------------------------
    m0 = panel_mask(0, ss)
    m2 = panel_mask(2, ss)
    m6 = panel_mask(6, ss)
    m8 = panel_mask(8, ss)
    m9 = panel_mask(9, ss)
    # inner vignette so the rim reads as raised
    vig = ImageChops.subtract(m0, m9.filter(ImageFilter.GaussianBlur(s(14))))
    img.paste((0, 0, 0), (0, 0), vig.point(lambda v: v * 140 // 255))
    img.paste((20, 16, 34), (0, 0), ImageChops.subtract(m6, m8))
    img.paste(mix(GOLD, GOLD_LO, 0.3), (0, 0), ImageChops.subtract(m8, m9))
    rimgold = gradient_v((W, H), [(0, GOLD_HI), (0.12, GOLD), (0.5, GOLD_LO), (0.85, GOLD), (1, GOLD_LO)])
    img.paste(rimgold, (0, 0), ImageChops.subtract(m2, m6))
    # bright edge along the top of the gold band
    hl = ImageChops.subtract(m2, panel_mask(3, ss))
    img.paste(GOLD_HI, (0, 0), hl.point(lambda v: v * 150 // 255))
    img.paste((30, 18, 8), (0, 0), ImageChops.subtract(m0, m2))

    # --- window shape: panel plus a soft drop shadow ----------------------------
    body = m0.filter(ImageFilter.GaussianBlur(s(0.6)))
    shade = Image.new("L", (W, H), 0)
    shade.paste(m0, (0, s(4)))
    shade = shade.filter(ImageFilter.GaussianBlur(s(6))).point(lambda v: v * 150 // 255)
    alpha = ImageChops.lighter(body, shade)
    # colour of the shadow is black; inside the panel keep the artwork
    rgb = Image.composite(img, Image.new("RGB", (W, H), (0, 0, 0)), body)

    out = downsample(Image.merge("RGBA", rgb.split() + (alpha,)), ss)
    # clean up: no stray near-zero alpha, no colour in fully transparent pixels
    a = out.getchannel("A").point(lambda v: 0 if v < 3 else v)
    out.putalpha(a)
    black = Image.new("RGBA", out.size, (0, 0, 0, 0))
    out = Image.composite(out, black, a.point(lambda v: 255 if v else 0))
    # the area under the page is always covered, keep it solid
    out.paste((12, 12, 20, 255), PAGE)
    return out


# ---------------------------------------------------------------------------
# 160 / 162: corner buttons on the backdrop (1-bit alpha, yellow key colour)
# ---------------------------------------------------------------------------

STATE_NORMAL, STATE_HOVER, STATE_PRESSED, STATE_DISABLED = range(4)


def state_tint(c, state):
    if state == STATE_HOVER:
        return mix(c, (255, 255, 255), 0.22)
    if state == STATE_PRESSED:
        return mix(c, (0, 0, 0), 0.30)
    if state == STATE_DISABLED:
        g = int(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2])
        g = int(lerp(g, 110, 0.5))
        return (g, g, g)
    return c


def hard_alpha(img):
    """Threshold alpha to 0/255 and keep opaque pixels off the key colour."""
    a = img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    rgb = img.convert("RGB")
    px = rgb.load()
    w, h = rgb.size
    for y in range(h):
        for x in range(w):
            r, g, b = px[x, y]
            if r >= 250 and g >= 250 and b <= 5:
                px[x, y] = (250, 240, 40)
    out = Image.merge("RGBA", rgb.split() + (a,))
    return Image.composite(out, Image.new("RGBA", out.size, (0, 0, 0, 0)), a)


def corner_button(w, h, state, kind):
    ss = 8
    W, H = w * ss, h * ss
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    off = ss if state == STATE_PRESSED else 0
    if kind == "close":
        base, hi = (150, 28, 30), (214, 70, 60)
        glyph = (255, 240, 220)
    else:
        base, hi = (44, 40, 92), (86, 80, 160)
        glyph = (236, 228, 206)
    base, hi = state_tint(base, state), state_tint(hi, state)
    rimc = state_tint(GOLD, state)
    rimdark = state_tint(BRONZE_DARK, state)
    glyph = state_tint(glyph, state) if state != STATE_HOVER else (255, 255, 255)

    if kind == "close":
        cx, cy = W / 2.0, H / 2.0
        r = min(W, H) / 2.0 - ss * 0.5
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=rimdark + (255,))
        r1 = r - ss * 1.2
        d.ellipse([cx - r1, cy - r1, cx + r1, cy + r1], fill=rimc + (255,))
        r2 = r1 - ss * 2.2
        d.ellipse([cx - r2, cy - r2, cx + r2, cy + r2], fill=rimdark + (255,))
        r3 = r2 - ss * 0.8
        fill = gradient_v((W, H), [(0, hi), (0.55, base), (1, mix(base, (0, 0, 0), 0.4))]).convert("RGBA")
        fm = Image.new("L", (W, H), 0)
        ImageDraw.Draw(fm).ellipse([cx - r3, cy - r3, cx + r3, cy + r3], fill=255)
        img.paste(fill, (0, 0), fm)
        k = r3 * 0.50
        wdt = int(ss * 3.2)
        for (ax, ay, bx, by) in ((-k, -k, k, k), (-k, k, k, -k)):
            d.line([cx + ax + off, cy + ay + off, cx + bx + off, cy + by + off], fill=(40, 6, 6, 255), width=wdt + ss)
        for (ax, ay, bx, by) in ((-k, -k, k, k), (-k, k, k, -k)):
            d.line([cx + ax + off, cy + ay + off, cx + bx + off, cy + by + off], fill=glyph + (255,), width=wdt)
    else:
        rr = ss * 6
        d.rounded_rectangle([0, 0, W - 1, H - 1], radius=rr, fill=rimdark + (255,))
        d.rounded_rectangle([ss * 1, ss * 1, W - 1 - ss, H - 1 - ss], radius=rr - ss, fill=rimc + (255,))
        d.rounded_rectangle([ss * 3, ss * 3, W - 1 - ss * 3, H - 1 - ss * 3], radius=rr - ss * 3,
                            fill=rimdark + (255,))
        fm = Image.new("L", (W, H), 0)
        ImageDraw.Draw(fm).rounded_rectangle([ss * 4, ss * 4, W - 1 - ss * 4, H - 1 - ss * 4],
                                             radius=max(1, rr - ss * 4), fill=255)
        fill = gradient_v((W, H), [(0, hi), (0.55, base), (1, mix(base, (0, 0, 0), 0.4))]).convert("RGBA")
        img.paste(fill, (0, 0), fm)
        y = H * 0.60
        d.rectangle([W * 0.28 + off, y - ss * 1.0 + off + ss, W * 0.72 + off, y + ss * 2.0 + off + ss],
                    fill=(10, 8, 20, 255))
        d.rectangle([W * 0.28 + off, y - ss * 1.0 + off, W * 0.72 + off, y + ss * 2.0 + off],
                    fill=glyph + (255,))
    small = img.resize((w, h), Image.LANCZOS)
    return hard_alpha(small)


def strip(frames, w, h, mode):
    out = Image.new(mode, (w, h * len(frames)), (0, 0, 0, 0) if mode == "RGBA" else (0, 0, 0))
    for i, f in enumerate(frames):
        out.paste(f, (0, i * h))
    return out


# ---------------------------------------------------------------------------
# title bar of the game window (136, 141 and the button strips)
# ---------------------------------------------------------------------------

TB_H = 30


def titlebar_rows(state=STATE_NORMAL):
    """Colours of the 30 rows of the title bar for a button state."""
    if state == STATE_HOVER:
        top, mid, bot = (92, 78, 126), (62, 52, 92), (38, 32, 58)
        line = (236, 190, 104)
        cap = (128, 112, 168)
    elif state == STATE_PRESSED:
        top, mid, bot = (12, 10, 20), (18, 16, 30), (28, 24, 44)
        line = (120, 86, 40)
        cap = (8, 6, 14)
    else:
        top, mid, bot = (54, 46, 80), (36, 31, 56), (20, 18, 32)
        line = (138, 104, 52)
        cap = (74, 66, 102)
    rows = [cap]
    for y in range(1, TB_H - 2):
        t = (y - 1) / (TB_H - 4)
        rows.append(mix(top, mid, t / 0.5) if t < 0.5 else mix(mid, bot, (t - 0.5) / 0.5))
    rows.append((10, 8, 16))
    rows.append(line)
    return rows


def titlebar_bg(w, state=STATE_NORMAL):
    col = Image.new("RGB", (1, TB_H))
    col.putdata(titlebar_rows(state))
    return col.resize((w, TB_H), Image.NEAREST)


def tb_text_colour(state):
    return {STATE_NORMAL: TEXT_LIGHT, STATE_HOVER: (255, 240, 190),
            STATE_PRESSED: (196, 178, 140), STATE_DISABLED: (104, 100, 114)}[state]


def draw_icon(kind, w, h, colour, shift):
    """Vector glyphs for the window buttons, supersampled, returned as a mask."""
    ss = 4
    m = Image.new("L", (w * ss, h * ss), 0)
    d = ImageDraw.Draw(m)
    cx = w * ss / 2.0 + shift * ss
    cy = (h - 2) * ss / 2.0 + shift * ss

    def P(x, y):
        return (cx + x * ss, cy + y * ss)

    if kind == "close":
        k = 4.5
        d.line([P(-k, -k), P(k, k)], fill=255, width=int(2.0 * ss))
        d.line([P(-k, k), P(k, -k)], fill=255, width=int(2.0 * ss))
    elif kind == "refresh":
        r = 5.5
        box = [cx - r * ss, cy - r * ss, cx + r * ss, cy + r * ss]
        d.arc(box, start=-60, end=230, fill=255, width=int(1.6 * ss))
        ang = math.radians(-60)
        ex, ey = cx + r * ss * math.cos(ang), cy + r * ss * math.sin(ang)
        a = 3.4 * ss
        d.polygon([(ex - a * 0.9, ey - a * 0.9), (ex + a * 0.9, ey - a * 0.2), (ex - a * 0.1, ey + a * 1.0)],
                  fill=255)
    elif kind == "broom":
        d.line([P(4.5, -6), P(-0.5, 1)], fill=255, width=int(1.5 * ss))
        d.polygon([P(-2.5, -0.5), P(1.5, 2.5), P(-1.5, 6.5), P(-6.5, 4.5)], fill=255)
    elif kind == "server":
        for i, yy in enumerate((-5, -0.5, 4)):
            d.rounded_rectangle([cx - 5.5 * ss, cy + (yy - 1.6) * ss, cx + 5.5 * ss, cy + (yy + 1.6) * ss],
                                radius=ss, outline=255, width=int(1.1 * ss))
            d.ellipse([cx + 2.2 * ss, cy + (yy - 0.6) * ss, cx + 3.4 * ss, cy + (yy + 0.6) * ss], fill=255)
    elif kind == "fullscreen":
        k, L = 5.5, 3.2
        for sx in (-1, 1):
            for sy in (-1, 1):
                x0, y0 = sx * k, sy * k
                d.line([P(x0, y0), P(x0 - sx * L, y0)], fill=255, width=int(1.4 * ss))
                d.line([P(x0, y0), P(x0, y0 - sy * L)], fill=255, width=int(1.4 * ss))
    elif kind == "boss":
        # a little keycap
        d.rounded_rectangle([cx - 6 * ss, cy - 5 * ss, cx + 6 * ss, cy + 5 * ss], radius=2 * ss,
                            outline=255, width=int(1.2 * ss))
        d.line([P(-3, 1.8), P(3, 1.8)], fill=255, width=int(1.2 * ss))
    return m.resize((w, h), Image.LANCZOS)


def pixel_icon(kind, w, h, shift):
    """Pixel-aligned glyphs (square, dash, restore) drawn straight at 1x."""
    m = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(m)
    cx = w // 2 + shift
    cy = (h - 2) // 2 + shift
    if kind == "min":
        d.rectangle([cx - 5, cy + 3, cx + 4, cy + 4], fill=255)
    elif kind == "max":
        d.rectangle([cx - 5, cy - 5, cx + 4, cy + 4], outline=255)
        d.rectangle([cx - 5, cy - 5, cx + 4, cy - 4], fill=255)
    elif kind == "restore":
        d.rectangle([cx - 3, cy - 6, cx + 5, cy + 2], outline=255)
        d.rectangle([cx - 3, cy - 6, cx + 5, cy - 5], fill=255)
        d.rectangle([cx - 6, cy - 3, cx + 2, cy + 5], fill=0)
        d.rectangle([cx - 6, cy - 3, cx + 2, cy + 5], outline=255)
        d.rectangle([cx - 6, cy - 3, cx + 2, cy - 2], fill=255)
    return m


def titlebar_button(w, label=None, icon=None, pixel=None, usable=None, state=STATE_NORMAL):
    """One 30 px frame; 'usable' is the width actually shown on screen."""
    usable = usable or w
    img = titlebar_bg(w, state)
    d = ImageDraw.Draw(img)
    if state == STATE_HOVER:
        # soft highlight under the content plus thin side edges
        hl = Image.new("RGB", (usable, TB_H), (130, 110, 180))
        img.paste(hl, (0, 0), radial_mask((usable, TB_H * 2), 1.5, 90).crop((0, TB_H // 2, usable, TB_H + TB_H // 2)))
        d.line([0, 1, 0, TB_H - 3], fill=(88, 76, 120))
        d.line([usable - 1, 1, usable - 1, TB_H - 3], fill=(88, 76, 120))
    elif state == STATE_PRESSED:
        d.line([0, 0, usable - 1, 0], fill=(4, 4, 8))
        d.line([0, 0, 0, TB_H - 3], fill=(4, 4, 8))
    shift = 1 if state == STATE_PRESSED else 0
    colour = tb_text_colour(state)
    shadow = (6, 4, 10)

    parts = []  # (mask, width)
    fnt = font(FONT_CJK, 12)
    if icon:
        parts.append(("icon", 16))
    if label:
        lw = int(math.ceil(fnt.getlength(label)))
        parts.append(("text", lw))
    if pixel:
        parts.append(("pixel", w))
    gap = 3
    total = sum(p[1] for p in parts) + gap * (len(parts) - 1)
    x = (usable - total) // 2
    cy = (TB_H - 2) // 2
    for kind, pw in parts:
        if kind == "icon":
            m = Image.new("L", (w, TB_H), 0)
            m.paste(draw_icon(icon, 16, TB_H, colour, shift), (x, 0))
        elif kind == "text":
            m = Image.new("L", (w, TB_H), 0)
            ImageDraw.Draw(m).text((x + shift, cy + 1 + shift), label, font=fnt, fill=255, anchor="lm")
        else:
            m = pixel_icon(pixel, w, TB_H, shift)
        if state != STATE_DISABLED:
            img.paste(shadow, (1, 1), m)
        img.paste(colour, (0, 0), m)
        x += pw + gap
    if usable < w:
        # the last columns are clipped when shown; just continue the background
        img.paste(titlebar_bg(w - usable, state), (usable, 0))
    return img


def titlebar_strip(w, **kw):
    frames = [titlebar_button(w, state=s, **kw) for s in range(4)]
    return strip(frames, w, TB_H, "RGB")


def make_logo():
    w, h = 83, 30
    img = titlebar_bg(w)
    em = draw_emblem(22)
    img.paste(em, (2, 3), em)
    ss = 4
    big = Image.new("L", (w * ss, h * ss), 0)
    ImageDraw.Draw(big).text((26 * ss, 15 * ss), "Vesmera", font=font(FONT_SERIF_COND_BOLD, 13 * ss),
                             fill=255, anchor="lm")
    m = big.resize((w, h), Image.LANCZOS)
    img.paste((8, 4, 2), (1, 1), m)
    grad = gradient_v((w, h), [(0, GOLD_HI), (0.35, GOLD_HI), (0.55, GOLD), (0.8, GOLD_LO), (1, GOLD_LO)])
    img.paste(grad, (0, 0), m)
    return img


# ---------------------------------------------------------------------------
# confirmation dialog (177) and its buttons (175, 176)
# ---------------------------------------------------------------------------

DLG_W, DLG_H = 256, 110
DLG_BTN_Y = 72
DLG_BTN_X = (40, 140)
DLG_BTN_W, DLG_BTN_H = 74, 26


def make_dialog():
    img = gradient_v((DLG_W, DLG_H), [(0, (44, 38, 70)), (0.3, (30, 27, 50)), (1, (14, 13, 24))])
    glow(img, (70, 56, 110), (-40, -60, DLG_W + 40, 60), power=2.0, peak=90)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, DLG_W - 1, DLG_H - 1], outline=(6, 4, 10))
    d.rectangle([1, 1, DLG_W - 2, DLG_H - 2], outline=GOLD_LO)
    d.line([2, 1, DLG_W - 3, 1], fill=GOLD)
    d.rectangle([2, 2, DLG_W - 3, DLG_H - 3], outline=(10, 8, 16))
    d.rectangle([3, 3, DLG_W - 4, DLG_H - 4], outline=(58, 50, 84))
    for (cx, cy) in ((2, 2), (DLG_W - 3, 2), (2, DLG_H - 3), (DLG_W - 3, DLG_H - 3)):
        diamond(d, cx, cy, 4, 4, GOLD)
        diamond(d, cx, cy, 1, 1, GOLD_HI)
    return img


def dialog_button(bg, label, warm, state):
    ss = 4
    w, h = DLG_BTN_W, DLG_BTN_H
    W, H = w * ss, h * ss
    base = bg.resize((W, H), Image.NEAREST).convert("RGBA")
    layer = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    if warm:
        top, bot = (168, 120, 56), (88, 56, 22)
    else:
        top, bot = (86, 78, 120), (40, 36, 62)
    rim = GOLD
    if state == STATE_HOVER:
        top, bot = mix(top, (255, 255, 255), 0.22), mix(bot, (255, 255, 255), 0.18)
        rim = GOLD_HI
    elif state == STATE_PRESSED:
        top, bot = mix(bot, (0, 0, 0), 0.25), mix(top, (0, 0, 0), 0.35)
        rim = GOLD_LO
    elif state == STATE_DISABLED:
        top, bot, rim = (84, 82, 90), (52, 50, 58), (100, 98, 104)
    r = 5 * ss
    d.rounded_rectangle([0, 0, W - 1, H - 1], radius=r, fill=(8, 6, 12, 255))
    d.rounded_rectangle([ss, ss, W - 1 - ss, H - 1 - ss], radius=r - ss, fill=rim + (255,))
    fm = Image.new("L", (W, H), 0)
    ImageDraw.Draw(fm).rounded_rectangle([2 * ss, 2 * ss, W - 1 - 2 * ss, H - 1 - 2 * ss],
                                         radius=r - 2 * ss, fill=255)
    layer.paste(gradient_v((W, H), [(0, top), (1, bot)]).convert("RGBA"), (0, 0), fm)
    if state != STATE_PRESSED:
        d.line([3 * ss, 2.5 * ss, W - 3 * ss, 2.5 * ss], fill=mix(top, (255, 255, 255), 0.35) + (255,),
               width=ss)
    out = Image.alpha_composite(base, layer).resize((w, h), Image.LANCZOS).convert("RGB")

    shift = 1 if state == STATE_PRESSED else 0
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).text((w // 2 + shift, h // 2 + shift), label, font=font(FONT_CJK, 14), fill=255,
                           anchor="mm")
    if state == STATE_DISABLED:
        out.paste((150, 148, 154), (0, 0), m)
    else:
        out.paste((20, 10, 4), (1, 1), m)
        out.paste((255, 250, 236), (0, 0), m)
    return out


def dialog_button_strip(bg, x, label, warm):
    crop = bg.crop((x, DLG_BTN_Y, x + DLG_BTN_W, DLG_BTN_Y + DLG_BTN_H))
    frames = [dialog_button(crop, label, warm, s) for s in range(4)]
    return strip(frames, DLG_BTN_W, DLG_BTN_H, "RGB")


# ---------------------------------------------------------------------------
# application icon (classic 32 bpp DIB inside an .ico, with AND mask)
# ---------------------------------------------------------------------------

def write_ico(img, path):
    img = img.convert("RGBA")
    w, h = img.size
    px = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):          # bottom-up
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    row_bytes = ((w + 31) // 32) * 4
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if px[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        andm += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
    data = header + bytes(xor) + bytes(andm)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, 32, len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + data)


def make_icon():
    em = draw_emblem(64, ss=8)
    a = em.getchannel("A").point(lambda v: 0 if v < 4 else v)
    em.putalpha(a)
    return Image.composite(em, Image.new("RGBA", em.size, (0, 0, 0, 0)), a)


# ---------------------------------------------------------------------------

def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "images")
    os.makedirs(out, exist_ok=True)

    def p(name):
        return os.path.join(out, name)

    save_png(make_backdrop(), p("png155.png"))
    save_png(strip([corner_button(36, 35, s, "close") for s in range(4)], 36, 35, "RGBA"), p("png160.png"))
    save_png(strip([corner_button(27, 27, s, "min") for s in range(4)], 27, 27, "RGBA"), p("png162.png"))

    save_png(titlebar_strip(106, label="老板键(F10)", usable=104), p("png164.png"))
    save_png(titlebar_strip(30, icon="close"), p("png166.png"))
    save_png(titlebar_strip(64, label="全屏", icon="fullscreen"), p("png167.png"))
    save_png(titlebar_strip(29, pixel="max"), p("png168.png"))
    save_png(titlebar_strip(29, pixel="min"), p("png169.png"))
    save_png(titlebar_strip(82, label="刷新", icon="refresh", usable=80), p("png170.png"))
    save_png(titlebar_strip(61, label="选服", icon="server"), p("png171.png"))
    save_png(titlebar_strip(29, pixel="restore"), p("png189.png"))
    save_png(titlebar_strip(87, label="清理缓存", icon="broom", usable=85), p("png1000.png"))

    dlg = make_dialog()
    save_png(dialog_button_strip(dlg, DLG_BTN_X[0], "确定", True), p("png175.png"))
    save_png(dialog_button_strip(dlg, DLG_BTN_X[1], "取消", False), p("png176.png"))

    save_bmp(titlebar_bg(66), p("bmp136.bmp"))
    save_bmp(make_logo(), p("bmp141.bmp"))
    save_bmp(dlg, p("bmp177.bmp"))
    black = Image.new("P", (57, 40), 0)
    black.putpalette([0, 0, 0] * 256)
    save_bmp(black, p("bmp187.bmp"))

    write_ico(make_icon(), p("app.ico"))


if __name__ == "__main__":
    main()
