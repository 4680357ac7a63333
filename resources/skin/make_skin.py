#!/usr/bin/env python3
"""Draws every bitmap of the player's skin into OUTDIR as 24-bit .bmp files.

    make_skin.py OUTDIR

Everything is drawn from shapes and the packaged DejaVu fonts. Shapes are drawn
four times larger and reduced, so edges are smooth; small texts are drawn at final
size, where the font's hinting keeps them sharp. There is no randomness apart from
a fixed-seed generator, so every run writes the same bytes.

Button images are drawn at the size their control has on the 1366 x 768 canvas; the
program rescales them (nearest pixel) to the real control size. Pixels of exactly
KEY are transparent; they are set last through a hard mask, so no pixel ever lies
between KEY and anything else.
"""
import math
import os
import sys
from functools import lru_cache

from PIL import Image, ImageDraw, ImageFont

SS = 4                                  # supersampling factor of drawn shapes
KEY = (1, 100, 250)                     # transparent colour of button images
FONT_DIR = '/usr/share/fonts/truetype/dejavu/'

# Palette: graphite frame, charcoal buttons, silver strip, one red accent.
FRAME = (43, 45, 49)
TITLE_BG = (16, 17, 19)
PLATE = (48, 48, 48)                    # the version text paints this behind itself
BAR = (92, 95, 101)                     # control bars around the video
BAR_HI, BAR_LO = (124, 128, 134), (58, 60, 64)
SILVER_TOP, SILVER_BOTTOM = (206, 209, 214), (150, 154, 161)
SILVER_MID = (178, 182, 188)            # what a side button sees round its corners
INK = (228, 230, 234)                   # symbols and words
TEXT_DIM = (150, 155, 163)
RED = (214, 38, 46)
BLACK = (0, 0, 0)
TILE = {  # edge, top highlight, body top, body bottom
    'normal': ((22, 23, 26), (98, 102, 108), (70, 73, 79), (46, 48, 52)),
    'hover': ((96, 12, 16), (246, 110, 110), (222, 48, 54), (168, 22, 28)),
}
TITLE_HOVER = (34, 96, 184)             # kept well away from KEY


# ---------------------------------------------------------------- drawing basics

@lru_cache(maxsize=None)
def font(size, bold=False, condensed=False):
    name = 'DejaVuSans' + ('Condensed' if condensed else '') + ('-Bold' if bold else '')
    return ImageFont.truetype(FONT_DIR + name + '.ttf', size,
                              layout_engine=ImageFont.Layout.BASIC)


def mix(a, b, t):
    """Colour t of the way from a to b."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


class Sketch:
    """A canvas measured in output pixels but drawn SS times larger.

    Boxes are (x0, y0, x1, y1) with x1, y1 exclusive, in output pixels (floats are
    fine). Texts are queued and drawn after the reduction, at final size.
    """

    def __init__(self, w, h, ground=BLACK, base=None):
        self.w, self.h = w, h
        if base is not None:
            self.img = base.resize((w * SS, h * SS), Image.NEAREST)
        else:
            self.img = Image.new('RGB', (w * SS, h * SS), ground)
        self.draw = ImageDraw.Draw(self.img)
        self.texts = []

    @staticmethod
    def _box(b):
        return (b[0] * SS, b[1] * SS, b[2] * SS - 1, b[3] * SS - 1)

    @staticmethod
    def _pts(pts):
        return [(x * SS, y * SS) for x, y in pts]

    def rect(self, box, fill):
        self.draw.rectangle(self._box(box), fill=fill)

    def rrect(self, box, r, fill=None, outline=None, width=1.0):
        self.draw.rounded_rectangle(self._box(box), r * SS, fill=fill, outline=outline,
                                    width=round(width * SS))

    def circle(self, c, r, fill=None, outline=None, width=1.0):
        box = (c[0] - r, c[1] - r, c[0] + r, c[1] + r)
        self.draw.ellipse([v * SS for v in box], fill=fill, outline=outline,
                          width=round(width * SS))

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.draw.ellipse([v * SS for v in box], fill=fill, outline=outline,
                          width=round(width * SS))

    def arc(self, c, r, start, end, fill, width):
        """Arc of radius r (outer edge) in PIL degrees: 0 = three o'clock, clockwise."""
        box = [(c[0] - r) * SS, (c[1] - r) * SS, (c[0] + r) * SS, (c[1] + r) * SS]
        self.draw.arc(box, start, end, fill=fill, width=round(width * SS))

    def poly(self, pts, fill):
        self.draw.polygon(self._pts(pts), fill=fill)

    def line(self, pts, fill, width, round_caps=False):
        self.draw.line(self._pts(pts), fill=fill, width=round(width * SS), joint='curve')
        if round_caps:
            for p in (pts[0], pts[-1]):
                self.circle(p, width / 2, fill=fill)

    def vgradient(self, box, r, top, bottom):
        """Rounded box filled with a vertical gradient."""
        x0, y0, x1, y1 = [round(v * SS) for v in box]
        grad = Image.new('RGB', (1, y1 - y0))
        for y in range(y1 - y0):
            grad.putpixel((0, y), mix(top, bottom, y / max(1, y1 - y0 - 1)))
        grad = grad.resize((x1 - x0, y1 - y0), Image.NEAREST)
        mask = Image.new('L', grad.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle((0, 0, x1 - x0 - 1, y1 - y0 - 1),
                                               r * SS, fill=255)
        self.img.paste(grad, (x0, y0), mask)

    def text(self, xy, s, fnt, fill, anchor='mm'):
        self.texts.append((xy, s, fnt, fill, anchor))

    def result(self, resample=Image.LANCZOS):
        out = self.img.resize((self.w, self.h), resample)
        draw = ImageDraw.Draw(out)
        for xy, s, fnt, fill, anchor in self.texts:
            draw.text(xy, s, font=fnt, fill=fill, anchor=anchor)
        return out


def coverage(w, h, paint):
    """Fraction (0..255) of each output pixel covered by the shape that paint draws."""
    m = Image.new('L', (w * SS, h * SS), 0)
    paint(ImageDraw.Draw(m))
    return m.resize((w, h), Image.BOX)


def apply_key(img, cover):
    """Pixels less than half covered become KEY; a hard edge, never a blend."""
    hole = cover.point(lambda v: 255 if v < 128 else 0)
    img.paste(Image.new('RGB', img.size, KEY), (0, 0), hole)
    return img


class Noise:
    """xorshift32: fixed-seed bytes, identical on every platform and Python."""

    def __init__(self, seed):
        self.x = seed & 0xFFFFFFFF or 1

    def byte(self):
        x = self.x
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.x = x
        return x & 0xFF

    def image(self, w, h):
        return Image.frombytes('L', (w, h), bytes(self.byte() for _ in range(w * h)))


def brushed(w, h, base, seed, amp=7):
    """Metal brushed along x: noise stretched horizontally, tinted around base."""
    cols = w // 24 + 2
    streaks = Noise(seed).image(cols, h).resize((w, h), Image.BILINEAR)
    grain = Noise(seed + 1).image(w, h)
    mixed = Image.blend(streaks, grain, 0.25)
    bands = [mixed.point(lambda v, c=c: max(0, min(255, round(c + (v - 128) * amp / 128))))
             for c in base]
    return Image.merge('RGB', bands)


# ---------------------------------------------------------------- symbols
# Each helper draws one symbol centred on (cx, cy) in colour ink; cut is the colour
# of the ground, used where the symbol has holes.

def arrow(sk, tail, tip, ink, width=3.0, head=7.0):
    """Straight arrow with a solid triangular head at tip."""
    dx, dy = tip[0] - tail[0], tip[1] - tail[1]
    n = (dx * dx + dy * dy) ** 0.5
    ux, uy = dx / n, dy / n
    bx, by = tip[0] - ux * head, tip[1] - uy * head
    sk.line([tail, (bx + ux, by + uy)], ink, width)
    px, py = -uy * head * 0.62, ux * head * 0.62
    sk.poly([tip, (bx + px, by + py), (bx - px, by - py)], ink)


def sym_play(sk, cx, cy, ink, cut):
    h = 24
    sk.poly([(cx - 8, cy - h / 2), (cx + 13, cy), (cx - 8, cy + h / 2)], ink)


def sym_pause(sk, cx, cy, ink, cut):
    for x in (cx - 9, cx + 3):
        sk.rrect((x, cy - 12, x + 6.5, cy + 12), 1.2, fill=ink)


def sym_stop(sk, cx, cy, ink, cut):
    sk.rrect((cx - 10.5, cy - 10.5, cx + 10.5, cy + 10.5), 2, fill=ink)


def sym_enlarge(sk, cx, cy, ink, cut):
    """Four arrows pointing out to the corners: the video takes the whole window."""
    for sx in (-1, 1):
        for sy in (-1, 1):
            arrow(sk, (cx + sx * 4, cy + sy * 3), (cx + sx * 18, cy + sy * 13), ink)


def sym_shrink(sk, cx, cy, ink, cut):
    """Four arrows pointing in at a small square: back to the normal layout."""
    sk.rect((cx - 6, cy - 4.5, cx + 6, cy + 4.5), ink)
    for sx in (-1, 1):
        for sy in (-1, 1):
            arrow(sk, (cx + sx * 20, cy + sy * 15), (cx + sx * 8.5, cy + sy * 6.5), ink)


def sym_fullscreen(sk, cx, cy, ink, cut):
    """Corner brackets round a filled picture: the video fills the screen."""
    hx, hy, arm, w = 18, 13, 8, 3.2
    for sx in (-1, 1):
        for sy in (-1, 1):
            corner = (cx + sx * hx, cy + sy * hy)
            sk.line([(corner[0] - sx * arm, corner[1]), corner,
                     (corner[0], corner[1] - sy * arm * 0.8)], ink, w)
    sk.rect((cx - 10, cy - 6, cx + 10, cy + 6), ink)


def sym_camera(sk, cx, cy, ink, cut):
    sk.poly([(cx - 7, cy - 12), (cx + 5, cy - 12), (cx + 8, cy - 7), (cx - 10, cy - 7)], ink)
    sk.rrect((cx - 17, cy - 8, cx + 17, cy + 12), 3.5, fill=ink)
    sk.circle((cx, cy + 2), 8, fill=cut)
    sk.circle((cx, cy + 2), 5, fill=ink)
    sk.circle((cx + 12, cy - 3.5), 1.8, fill=cut)


def sym_film_step(sk, cx, cy, ink, cut):
    """A film frame holding a step mark (play and bar)."""
    x0, x1, y0, y1 = cx - 17, cx + 17, cy - 11, cy + 11
    sk.rrect((x0, y0, x1, y1), 2, fill=ink)
    for i in range(6):
        hx = x0 + 3.5 + i * 5.3
        sk.rect((hx, y0 + 1.6, hx + 2.6, y0 + 4.2), cut)
        sk.rect((hx, y1 - 4.2, hx + 2.6, y1 - 1.6), cut)
    sk.rect((x0 + 3, y0 + 6, x1 - 3, y1 - 6), cut)
    sk.poly([(cx - 6, cy - 4), (cx + 2, cy), (cx - 6, cy + 4)], ink)
    sk.rect((cx + 3, cy - 4, cx + 5.5, cy + 4), ink)


def sym_page(sk, cx, cy, ink, cut):
    """A page with a folded corner and a play mark: open a video file."""
    x0, x1, y0, y1, f = cx - 9, cx + 9, cy - 11.5, cy + 11.5, 6
    sk.poly([(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)], ink)
    sk.poly([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)], mix(ink, cut, 0.45))
    sk.poly([(cx - 3.5, cy - 2), (cx + 5, cy + 3), (cx - 3.5, cy + 8)], cut)


def sym_folder(sk, cx, cy, ink, cut):
    x0, x1, y0, y1 = cx - 14, cx + 14, cy - 10, cy + 10
    sk.rrect((x0, y0, x0 + 12, y0 + 6), 1.5, fill=ink)
    sk.rrect((x0, y0 + 3, x1, y1), 2, fill=ink)
    sk.rect((x0 + 1.5, y0 + 6.5, x1 - 1.5, y0 + 8), cut)


def sym_add(sk, cx, cy, ink, cut):
    sk.circle((cx, cy), 11.5, outline=ink, width=2.2)
    sk.rect((cx - 6, cy - 1.5, cx + 6, cy + 1.5), ink)
    sk.rect((cx - 1.5, cy - 6, cx + 1.5, cy + 6), ink)


def sym_delete(sk, cx, cy, ink, cut):
    sk.circle((cx, cy), 11.5, outline=ink, width=2.2)
    sk.rect((cx - 6, cy - 1.5, cx + 6, cy + 1.5), ink)


def sym_globe(sk, cx, cy, ink, cut, r=13.0, w=2.0):
    sk.circle((cx, cy), r, outline=ink, width=w)
    sk.ellipse((cx - r * 0.45, cy - r, cx + r * 0.45, cy + r), outline=ink, width=w * 0.8)
    sk.line([(cx, cy - r), (cx, cy + r)], ink, w * 0.8)
    sk.line([(cx - r, cy), (cx + r, cy)], ink, w * 0.8)
    for dy in (-0.5, 0.5):
        half = r * (1 - dy * dy) ** 0.5
        sk.line([(cx - half + 0.5, cy + dy * r), (cx + half - 0.5, cy + dy * r)], ink, w * 0.7)


# Title bar symbols: pixel-aligned strokes two pixels wide, so that scaling down
# by nearest pixel (to half size and below) never drops a whole stroke.

def sym_close(sk, cx, cy, ink, cut):
    for a, b in (((-5.5, -5.5), (5.5, 5.5)), ((-5.5, 5.5), (5.5, -5.5))):
        sk.line([(cx + a[0], cy + a[1]), (cx + b[0], cy + b[1])], ink, 2.2)


def sym_minimise(sk, cx, cy, ink, cut):
    sk.rect((cx - 6, cy - 1, cx + 6, cy + 1), ink)


def sym_maximise(sk, cx, cy, ink, cut):
    sk.rect((cx - 6, cy - 6, cx + 6, cy + 6), ink)
    sk.rect((cx - 4, cy - 4, cx + 4, cy + 4), cut)


def sym_restore(sk, cx, cy, ink, cut):
    sk.rect((cx - 3, cy - 7, cx + 7, cy + 3), ink)
    sk.rect((cx - 1, cy - 5, cx + 5, cy + 1), cut)
    sk.rect((cx - 7, cy - 3, cx + 3, cy + 7), ink)
    sk.rect((cx - 5, cy - 1, cx + 1, cy + 5), cut)


# ---------------------------------------------------------------- buttons

TITLE_SIZE = (46, 35)       # trunc(36 * 1.3) x 35
TRANSPORT_SIZE = (93, 58)   # trunc(72 * 1.3) x 58
PANEL_SIZE = (65, 52)       # trunc(50 * 1.3) x 52
WEB_SIZE = (156, 52)        # trunc(120 * 1.3) x 52
INSET, RADIUS = 2, 6        # tiles leave a 2 px gap so neighbours stay apart


def tile(sk, w, h, state):
    """Charcoal (or red) rounded tile: dark rim, lit top edge, gradient body."""
    edge, light, top, bottom = TILE[state]
    box = (INSET, INSET, w - INSET, h - INSET)
    sk.rrect(box, RADIUS, fill=edge)
    sk.rrect((box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1), RADIUS - 1, fill=light)
    sk.vgradient((box[0] + 1, box[1] + 2, box[2] - 1, box[3] - 1), RADIUS - 1, top, bottom)
    return mix(top, bottom, 0.5)


def keyed_tile_button(size, state, backdrop, paint):
    """Tile with KEY outside its rounded shape; paint(sk, ground) adds the symbol.

    The rounded corners are smoothed against backdrop, the colour of the panel the
    button sits on, and only pixels less than half covered become KEY.
    """
    w, h = size
    sk = Sketch(w, h, backdrop)
    ground = tile(sk, w, h, state)
    paint(sk, ground)
    cover = coverage(w, h, lambda d: d.rounded_rectangle(
        (INSET * SS, INSET * SS, (w - INSET) * SS - 1, (h - INSET) * SS - 1),
        RADIUS * SS, fill=255))
    return apply_key(sk.result(), cover)


def transport_button(symbol, state):
    w, h = TRANSPORT_SIZE
    return keyed_tile_button(TRANSPORT_SIZE, state, BAR,
                             lambda sk, g: symbol(sk, w / 2, h / 2, INK, g))


def step_button(state):
    """Film frame with the words '1 frame' under it."""
    w, h = TRANSPORT_SIZE

    def paint(sk, ground):
        sym_film_step(sk, w / 2, 21, INK, ground)
        sk.text((w / 2, 44), '1 frame', font(11, bold=True), INK)
    return keyed_tile_button(TRANSPORT_SIZE, state, BAR, paint)


def panel_button(symbol, word, state):
    """Side panel button: symbol above, word below."""
    w, h = PANEL_SIZE

    def paint(sk, ground):
        symbol(sk, w / 2, 19, INK, ground)
        sk.text((w / 2, 41), word, font(10, bold=True), INK)
    return keyed_tile_button(PANEL_SIZE, state, SILVER_MID, paint)


def web_button(state):
    """Globe and the site's name, which is also its tooltip."""
    w, h = WEB_SIZE

    def paint(sk, ground):
        sym_globe(sk, 30, h / 2, INK, ground)
        sk.text((52, 22), 'Korvane', font(17, bold=True), INK, anchor='lm')
        sk.text((53, 38), 'WEB SITE', font(9, condensed=True), mix(INK, ground, 0.3),
                anchor='lm')
    return keyed_tile_button(WEB_SIZE, state, SILVER_MID, paint)


def title_button(symbol, hover):
    w, h = TITLE_SIZE
    ground = TITLE_HOVER if hover else TITLE_BG
    sk = Sketch(w, h, ground)
    symbol(sk, 23, 17, (255, 255, 255), ground)
    return sk.result()


def logo():
    """Our wordmark: a camera lens with a red recording light, then the name."""
    w, h = 259, 33
    sk = Sketch(w, h, TITLE_BG)
    cx, cy = 17, 16.5
    sk.circle((cx, cy), 13.5, fill=(70, 73, 79))
    sk.circle((cx, cy), 11, fill=(10, 10, 12))
    sk.circle((cx, cy), 7.5, outline=(58, 62, 70), width=1.5)
    sk.circle((cx, cy), 4, fill=RED)
    sk.circle((cx - 4.5, cy - 5), 1.6, fill=(190, 196, 206))
    bold = font(19, bold=True)
    sk.text((38, 17), 'CLIP', bold, (244, 244, 246), anchor='lm')
    sk.text((38 + bold.getlength('CLIP') + 3, 17), 'PLAYER', font(19), (150, 155, 163),
            anchor='lm')
    return sk.result()


def offline_status():
    """Crossed-out globe and the word OFFLINE."""
    w, h = 90, 33
    sk = Sketch(w, h, TITLE_BG)
    sym_globe(sk, 16, 16.5, TEXT_DIM, TITLE_BG, r=10, w=1.6)
    sk.line([(6, 27), (26, 6)], TITLE_BG, 4.5)
    sk.line([(6, 27), (26, 6)], RED, 2.2, round_caps=True)
    sk.text((33, 17), 'OFFLINE', font(11, bold=True, condensed=True), TEXT_DIM, anchor='lm')
    return sk.result()


def blank_tile():
    return keyed_tile_button(PANEL_SIZE, 'normal', SILVER_MID, lambda sk, g: None)


# ---------------------------------------------------------------- pictures

def map_placeholder():
    """Dark, quiet street map: blocks, a river, two main roads."""
    w, h = 421, 386
    sk = Sketch(w, h, (31, 34, 39))
    rng = Noise(156)
    x = -10
    while x < w:
        sk.line([(x, 0), (x + 14, h)], (43, 47, 53), 2.2)
        x += 34 + rng.byte() % 30
    y = -6
    while y < h:
        sk.line([(0, y), (w, y - 18)], (43, 47, 53), 2.2)
        y += 30 + rng.byte() % 28
    sk.rrect((250, 40, 330, 110), 6, fill=(33, 45, 38))
    sk.rrect((40, 250, 110, 300), 6, fill=(33, 45, 38))
    river = [(-10, 150), (80, 170), (160, 230), (250, 250), (330, 320), (430, 350)]
    sk.line(river, (27, 41, 55), 16)
    sk.line([(0, 70), (190, 120), (300, 200), (421, 230)], (66, 70, 78), 5)
    sk.line([(150, 0), (175, 160), (205, 386)], (66, 70, 78), 5)
    return sk.result()


def map_failed():
    """Shown instead of the map while it cannot be used; the program writes why
    under the symbol, in the free lower part."""
    w, h = 340, 303
    ground = (28, 31, 36)
    sk = Sketch(w, h, ground)
    x0, y0, pw, ph, skew = 104, 54, 44, 96, 9
    for i in range(3):
        top = y0 + (skew if i % 2 else 0)
        bot = y0 + ph + (skew if i % 2 else 0)
        xa, xb = x0 + i * pw, x0 + (i + 1) * pw
        nxt = y0 + (0 if i % 2 else skew)
        sk.poly([(xa, top), (xb, nxt), (xb, nxt + ph), (xa, bot)],
                (70, 75, 84) if i % 2 == 0 else (58, 62, 70))
    for i, (xa, ya, xb, yb) in enumerate([(116, 128, 136, 112), (142, 108, 160, 118),
                                          (166, 120, 184, 100), (190, 96, 206, 86)]):
        sk.line([(xa, ya), (xb, yb)], (150, 156, 166), 2.5, round_caps=True)
    sk.circle((226, 142), 22, fill=ground)
    sk.circle((226, 142), 17, outline=(205, 72, 76), width=3.2)
    sk.line([(214, 154), (238, 130)], (205, 72, 76), 3.2)
    return sk.result()


G_SIZE = (749, 100)
G_LEFT, G_RIGHT, G_TOP, G_BOTTOM = 7, 730, 5, 94   # plot of a 749 x 100 window
G_ZERO = G_TOP + (G_BOTTOM - G_TOP) // 2


def gsensor(scale):
    """Graph background: grid, minute lines for a time scale (None: no minutes), G scale."""
    w, h = G_SIZE
    img = Image.new('RGB', (w, h), (236, 238, 242))
    d = ImageDraw.Draw(img)
    plot_w = G_RIGHT - G_LEFT
    d.rectangle((G_LEFT, G_TOP, G_RIGHT, G_BOTTOM), fill=(252, 252, 253))
    step = 10 if scale else None
    ticks = ([G_LEFT + (s * plot_w) // scale for s in range(step, scale, step)] if scale
             else [G_LEFT + (k * plot_w) // 12 for k in range(1, 12)])
    for x in ticks:
        d.line((x, G_TOP, x, G_BOTTOM), fill=(230, 233, 238))
    for y in ((G_TOP + G_ZERO) // 2, (G_ZERO + G_BOTTOM) // 2):
        d.line((G_LEFT, y, G_RIGHT, y), fill=(218, 222, 229))
    d.rectangle((G_LEFT, G_TOP, G_RIGHT, G_BOTTOM), outline=(176, 182, 192))
    d.line((G_LEFT, G_ZERO, G_RIGHT, G_ZERO), fill=(150, 156, 168))
    if scale:
        for m in range(1, scale // 60 + 1):
            x = G_LEFT + (60 * m * plot_w) // scale
            d.line((x, G_TOP, x, G_BOTTOM), fill=(176, 182, 192))
            d.text((x + 3, G_BOTTOM - 2), '%dm' % m, font=font(10), fill=(96, 102, 114),
                   anchor='ls')
    g_label(d, G_TOP + 2, '+0.5G', 'rt')
    g_label(d, G_ZERO - 2, '0', 'rs')
    g_label(d, G_BOTTOM - 2, '-0.5G', 'rs')
    return img


def g_label(d, y, text, anchor):
    """Scale label just inside the plot's right edge, on a clear patch of paper."""
    f = font(10)
    box = d.textbbox((G_RIGHT - 3, y), text, font=f, anchor=anchor)
    d.rectangle((box[0] - 2, box[1] - 1, box[2] + 1, box[3] + 1), fill=(252, 252, 253))
    d.text((G_RIGHT - 3, y), text, font=f, fill=(96, 102, 114), anchor=anchor)


# ---------------------------------------------------------------- window backgrounds
# Where the program puts its controls on the 1366 x 768 canvas: (name, x, y, w, h).
# The backgrounds are drawn around these; the review sheet outlines them.

CANVAS = (1366, 768)
TIME_TEXT_W = 128        # measured by the program at run time; this is a typical width
TITLE_ROW = [('status 1052', 1106, 4, 90, 33), ('minimise 1024', 1196, 4, 46, 35),
             ('maximise 1036', 1242, 4, 46, 35), ('close 1023', 1288, 4, 46, 35),
             ('logo 1055', 35, 8, 259, 33), ('version 1053', 47, 62, 130, 14)]
NORMAL_TRANSPORT = [('stop 1006', 170), ('play 1005', 263), ('enlarge 1008', 356),
                    ('full screen 1060', 449), ('one frame 1050', 541)]
NORMAL_RECTS = TITLE_ROW + [
    ('video 1000', 55, 85, 820, 440),
    ('slider 1001', 60, 535, 870 - TIME_TEXT_W - 60, 5),
    ('time 1002', 877 - TIME_TEXT_W, 530, TIME_TEXT_W, 14),
] + [(n, x, 550, 93, 58) for n, x in NORMAL_TRANSPORT] + [
    ('graph 1010', 46, 621, 819, 100),
] + [('readout', 875, y, 120, 14) for y in (626, 640, 654, 668, 682, 696)] + [
    ('open 1007', 902, 76, 65, 52), ('folder 1011', 967, 76, 65, 52),
    ('add 1012', 1032, 76, 65, 52), ('delete 1013', 1097, 76, 65, 52),
    ('web 1044', 1162, 76, 156, 52),
    ('playlist 1014', 901, 128, 410, 73), ('progress 1049', 902, 201, 409, 6),
    ('map 1016', 896, 221, 421, 386),
    ('unit 1058', 1088, 676, 28, 14), ('speed 1025', 1135, 696, 30, 14),
]
ENLARGED_TRANSPORT = [('play 1005', 0), ('stop 1006', 1), ('open 1007', 2),
                      ('enlarge 1008', 3), ('full screen 1060', 4), ('one frame 1050', 17)]
ENLARGED_RECTS = TITLE_ROW + [
    ('video 1000', 55, 85, 1255, 575), ('slider 1001', 412, 689, 534, 10),
    ('time 1004', 975, 684, TIME_TEXT_W, 14),
] + [(n, 49 + 65 * k, 662, 65, 58) for n, k in ENLARGED_TRANSPORT]

SPEED_CENTRE, SPEED_LEN = (1100, 718), 80
COMPASS_CENTRE, COMPASS_LEN = (1263, 674), 25


def needle_angle(kmh):
    """Degrees clockwise from straight up, as the program turns the speed needles."""
    return kmh * 90 // 150 - 90


def housing(sk, box, r, body, rim=(16, 17, 19), light=(84, 87, 93)):
    """Recessed or raised plate: dark rim, lit top edge, flat body."""
    x0, y0, x1, y1 = box
    sk.rrect(box, r, fill=rim)
    sk.rrect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), r - 1, fill=light)
    sk.rrect((x0 + 1, y0 + 2, x1 - 1, y1 - 1), r - 1, fill=body)


def frame(seed):
    """Brushed graphite window with the title strip and the version plate."""
    w, h = CANVAS
    sk = Sketch(w, h, base=brushed(w, h, FRAME, seed))
    sk.rect((0, 0, w, 1), (74, 77, 83))
    sk.rect((0, 0, 1, h), (74, 77, 83))
    sk.rect((w - 1, 0, w, h), (12, 12, 14))
    sk.rect((0, h - 1, w, h), (12, 12, 14))
    sk.rect((1, 1, w - 1, 47), TITLE_BG)
    sk.rect((1, 47, w - 1, 48), (8, 8, 9))
    sk.rect((1, 48, w - 1, 49), (70, 73, 79))
    sk.rect((35, 44, 120, 46), RED)
    sk.rrect((40, 56, 232, 79), 3, fill=(30, 30, 31))
    sk.rrect((41, 57, 231, 78), 2, fill=PLATE)
    return sk


def finish(sk):
    img = sk.result(Image.BOX)
    img.paste(logo(), (35, 8))
    return img


def player_unit(sk, box, video):
    """Grey bar that frames the video and carries the transport row."""
    housing(sk, box, 5, BAR, light=BAR_HI)
    vx0, vy0, vx1, vy1 = video
    sk.rect((vx0 - 1, vy0 - 1, vx1 + 1, vy1 + 1), BAR_LO)
    sk.rect(video, BLACK)


def slot(sk, box):
    """Dark groove that the seek slider lies in."""
    sk.rrect(box, 2, fill=(20, 21, 24))
    sk.rrect((box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1), 1.5, fill=(38, 41, 47))


def speed_dial(sk):
    """Half-circle dial, 0 to 300 km/h, marks where the program's needles point.

    It lies on the black instrument panel, so the face stays black for the program's
    texts (unit and speed, black behind them) and for the bright needles.
    """
    (cx, cy), r = SPEED_CENTRE, 95
    metal = (118, 122, 129)
    sk.arc((cx, cy), r + 2, 180, 360, metal, 2.5)
    for sx in (-1, 1):
        sk.line([(cx + sx * (r + 0.75), cy), (cx + sx * (r + 0.75), cy + 4)], metal, 2.5)
    sk.arc((cx, cy), r - 4, needle_angle(240) - 90, needle_angle(300) - 90, (150, 28, 34), 3)
    for kmh in range(0, 301, 10):
        major = kmh % 40 == 20
        length, width = (12, 2.4) if major else (8, 1.8) if kmh % 20 == 0 else (5, 1.2)
        colour = RED if kmh >= 240 else INK if kmh % 20 == 0 else TEXT_DIM
        sk.line([polar((cx, cy), needle_angle(kmh), r - 4 - length),
                 polar((cx, cy), needle_angle(kmh), r - 4)], colour, width)
        if major:
            x, y = polar((cx, cy), needle_angle(kmh), r - 28)
            sk.text((x, y), str(kmh), font(11, bold=True, condensed=True),
                    (255, 120, 120) if kmh >= 240 else INK)
    sk.circle((cx, cy), 6, fill=(70, 73, 79))
    sk.circle((cx, cy), 2.5, fill=(24, 25, 28))
    legend(sk, (cx - 62, cy + 10), (255, 70, 70), 'GPS')
    legend(sk, (cx + 22, cy + 10), (255, 255, 70), 'PULSE')


def polar(c, degrees, radius):
    """Point at an angle clockwise from straight up, as the needles are drawn."""
    a = math.radians(degrees)
    return (c[0] + math.sin(a) * radius, c[1] - math.cos(a) * radius)


def legend(sk, xy, colour, label):
    """Needle colour swatch and its name under the dial's centre line."""
    x, y = xy
    sk.rrect((x, y - 1.5, x + 12, y + 1.5), 1.5, fill=colour)
    sk.text((x + 16, y + 1), label, font(9, bold=True, condensed=True), TEXT_DIM, anchor='lm')


def compass(sk):
    """Square compass box; the program draws the course needle from its centre."""
    (cx, cy), half = COMPASS_CENTRE, 44
    box = (cx - half, cy - half, cx + half, cy + half)
    for grow, colour in ((0, (14, 15, 17)), (1.5, (118, 122, 129)), (4, BLACK)):
        sk.rrect((box[0] + grow, box[1] + grow, box[2] - grow, box[3] - grow),
                 max(1, 6 - grow), fill=colour)
    sk.circle((cx, cy), 29, outline=(52, 55, 61), width=1.2)
    for deg in range(30, 360, 30):
        if deg % 90:   # the letters mark the four cardinal points
            sk.line([polar((cx, cy), deg, 26.5), polar((cx, cy), deg, 30)], TEXT_DIM, 1.2)
    f = font(11, bold=True)
    for deg, letter in ((0, 'N'), (90, 'E'), (180, 'S'), (270, 'W')):
        sk.text(polar((cx, cy), deg, 36), letter, f, (255, 96, 96) if letter == 'N' else INK)
    sk.circle((cx, cy), 3.5, fill=(70, 73, 79))


def background_normal():
    sk = frame(154)
    player_unit(sk, (47, 80, 883, 614), (55, 85, 875, 525))
    sk.rrect((56, 528, 879, 548), 3, fill=BLACK)
    slot(sk, (58, 533, 874, 543))
    housing(sk, (43, 618, 868, 724), 3, (14, 15, 17), light=(14, 15, 17))
    housing(sk, (870, 618, 1208, 738), 4, BLACK, light=(58, 61, 66))
    speed_dial(sk)
    compass(sk)
    housing(sk, (897, 71, 1322, 130), 4, SILVER_BOTTOM, light=(236, 238, 241))
    sk.vgradient((898, 73, 1321, 129), 3, SILVER_TOP, SILVER_BOTTOM)
    housing(sk, (898, 127, 1314, 211), 3, BLACK, light=(44, 46, 50))
    slot(sk, (900, 199, 1313, 209))
    housing(sk, (893, 218, 1320, 610), 3, (14, 15, 17), light=(70, 73, 79))
    img = finish(sk)
    img.paste(gsensor(300).resize((819, 100), Image.BICUBIC), (46, 621))
    img.paste(map_placeholder(), (896, 221))
    return img


def background_enlarged():
    sk = frame(153)
    player_unit(sk, (45, 80, 1322, 726), (55, 85, 1310, 660))
    sk.rrect((406, 684, 952, 704), 3, fill=BLACK)
    slot(sk, (409, 687, 949, 701))
    sk.rrect((966, 678, 1136, 706), 3, fill=BLACK)
    return finish(sk)


# ---------------------------------------------------------------- the whole skin

def images():
    """Every output file name with its image, in a fixed order."""
    t, p = transport_button, panel_button
    out = {}
    for normal, hover, sym in ((143, 129, sym_close), (152, 130, sym_minimise),
                               (207, 208, sym_maximise), (209, 210, sym_restore)):
        out[normal], out[hover] = title_button(sym, False), title_button(sym, True)
    for normal, hover, make in (
            (139, 140, lambda s: t(sym_play, s)), (137, 138, lambda s: t(sym_pause, s)),
            (144, 145, lambda s: t(sym_stop, s)), (131, 132, lambda s: t(sym_enlarge, s)),
            (133, 134, lambda s: t(sym_shrink, s)), (213, 214, lambda s: t(sym_fullscreen, s)),
            (141, 142, lambda s: t(sym_camera, s)), (168, 169, step_button),
            (135, 136, lambda s: p(sym_page, 'FILE', s)),
            (150, 151, lambda s: p(sym_folder, 'Folder', s)),
            (146, 147, lambda s: p(sym_add, 'ADD', s)),
            (148, 149, lambda s: p(sym_delete, 'DELETE', s)),
            (161, 162, web_button)):
        out[normal], out[hover] = make('normal'), make('hover')
    out[176], out[175], out[203] = logo(), offline_status(), blank_tile()
    out[156] = map_placeholder()
    out[154], out[153] = background_normal(), background_enlarged()
    named = {'bmp_%d.bmp' % k: v for k, v in sorted(out.items())}
    named['gm_failed.bmp'] = map_failed()
    named['gsensor_300.bmp'] = gsensor(300)
    named['gsensor_360.bmp'] = gsensor(360)
    named['gsensor_long.bmp'] = gsensor(None)
    return named


# Files that must carry no KEY pixel at all (not button images).
PICTURES = ['bmp_153.bmp', 'bmp_154.bmp', 'bmp_156.bmp', 'gm_failed.bmp',
            'gsensor_300.bmp', 'gsensor_360.bmp', 'gsensor_long.bmp']
SIZES = {  # expected size of every file
    **{'bmp_%d.bmp' % i: TITLE_SIZE for i in (143, 129, 152, 130, 207, 208, 209, 210)},
    **{'bmp_%d.bmp' % i: TRANSPORT_SIZE
       for i in (137, 138, 139, 140, 141, 142, 144, 145, 131, 132, 133, 134,
                 213, 214, 168, 169)},
    **{'bmp_%d.bmp' % i: PANEL_SIZE for i in (135, 136, 150, 151, 146, 147, 148, 149, 203)},
    'bmp_161.bmp': WEB_SIZE, 'bmp_162.bmp': WEB_SIZE,
    'bmp_176.bmp': (259, 33), 'bmp_175.bmp': (90, 33), 'bmp_156.bmp': (421, 386),
    'bmp_153.bmp': CANVAS, 'bmp_154.bmp': CANVAS,
    'gm_failed.bmp': (340, 303), 'gsensor_300.bmp': G_SIZE, 'gsensor_360.bmp': G_SIZE,
    'gsensor_long.bmp': G_SIZE,
}


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: make_skin.py OUTDIR\n')
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, img in images().items():
        assert img.size == SIZES[name], (name, img.size)
        img.convert('RGB').save(os.path.join(outdir, name), format='BMP')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
