"""Action icons, pen cursors, the circle mark laid over a piece and the application icon.

Icons are drawn on a 64-unit square with bold outlines and shrunk to 16, 32 and 64 pixels, so
they stay legible at every size. Icon indices follow the actions: 0 pen colour, 1 eraser,
2 pen, 3 erase memo, 4 pause, 5 close, 6 resume, 7 start, 8 select player, 9 (empty), 10 help,
11 records, 12 why (the explanation of an answer).
"""
import math

import numpy as np
from PIL import Image

from common import (FONT_BRUSH, FONT_GOTHIC, INDIGO, INDIGO_DEEP, INDIGO_LIGHT, INDIGO_MID, INK,
                    OCHRE, OCHRE_LIGHT, PAPER, PINE, PINE_LIGHT, SEA_PALE, SKIN, SNOW, VERMILION,
                    VERMILION_DARK, WALL, WOOD, WOOD_LIGHT, Canvas, angle_pts, mix, paper_texture)
import common
import scenery

U = 64  # design units
OUTLINE = 3.2
PAPER_LIGHT = (250, 244, 228)
ERASER_PINK = (232, 150, 140)


def _disc(c, colour):
    c.circle(32, 32, 28, fill=colour, outline=INK, width=OUTLINE)


def icon_pen_colour(c):
    # A painter's palette with four colours.
    pts = angle_pts(32, 34, 27, 0, 360, 48)
    c.poly(pts, fill=OCHRE_LIGHT, outline=INK, width=OUTLINE)
    c.circle(40, 46, 5.5, fill=(0, 0, 0, 0), outline=INK, width=2.4)
    c.draw.ellipse([(40 - 4) * c.s, (46 - 4) * c.s, (40 + 4) * c.s, (46 + 4) * c.s],
                   fill=(0, 0, 0, 0))
    for (x, y), colour in zip([(18, 28), (28, 17), (42, 19), (47, 32)],
                              [VERMILION, INDIGO, PINE_LIGHT, OCHRE]):
        c.circle(x, y, 6, fill=colour, outline=INK, width=2.2)


def icon_eraser(c):
    body = [(8, 42), (34, 16), (56, 38), (30, 64 - 4)]
    c.poly(body, fill=WALL, outline=INK, width=OUTLINE)
    sleeve = [(21, 29), (34, 16), (56, 38), (43, 51)]
    c.poly(sleeve, fill=INDIGO_MID, outline=INK, width=OUTLINE)
    c.line([(26, 34), (48, 56 - 10)], PAPER_LIGHT, 2.0)


def icon_pen(c):
    # A writing brush: bamboo shaft, a ferrule and an ink-black pointed tip at the lower left.
    c.poly([(58, 10), (54, 6), (22, 38), (26, 42)], fill=OCHRE, outline=INK, width=OUTLINE)
    c.poly([(26, 42), (22, 38), (18, 40), (24, 46)], fill=VERMILION, outline=INK, width=2.4)
    c.poly([(18, 40), (24, 46), (6, 58)], fill=INK, outline=INK, width=2.4)
    for t in (0.3, 0.6):
        x = 58 + (22 - 58) * t
        y = 8 + (40 - 8) * t
        c.line([(x - 2.5, y - 2.5), (x + 2.5, y + 2.5)], mix(OCHRE, INK, 0.5), 1.6)


def icon_erase_memo(c):
    c.poly([(10, 6), (44, 6), (54, 16), (54, 58), (10, 58)], fill=PAPER_LIGHT, outline=INK,
           width=OUTLINE)
    c.poly([(44, 6), (44, 16), (54, 16)], fill=mix(PAPER_LIGHT, INK, 0.2), outline=INK, width=2.0)
    for k in range(4):
        y = 20 + k * 9
        c.line([(16, y), (24, y - 3), (32, y + 2), (42, y - 2)], INDIGO_MID, 2.4)
    c.line([(14, 54), (58, 14)], VERMILION, 6.0)


def icon_pause(c):
    _disc(c, INDIGO)
    c.rect(21, 18, 28, 46, fill=PAPER_LIGHT, outline=None)
    c.rect(36, 18, 43, 46, fill=PAPER_LIGHT, outline=None)


def icon_close(c):
    _disc(c, VERMILION_DARK)
    c.line([(21, 21), (43, 43)], PAPER_LIGHT, 7.0)
    c.line([(43, 21), (21, 43)], PAPER_LIGHT, 7.0)


def icon_resume(c):
    _disc(c, PINE)
    arc = angle_pts(32, 32, 17, -60, 220, 24)
    c.line(arc, PAPER_LIGHT, 5.0)
    x, y = arc[-1]
    c.poly([(x - 8, y - 3), (x + 7, y - 4), (x - 2, y + 10)], fill=PAPER_LIGHT, outline=None)
    c.poly([(28, 24), (28, 40), (41, 32)], fill=PAPER_LIGHT, outline=None)


def icon_start(c):
    _disc(c, VERMILION)
    c.poly([(24, 17), (24, 47), (48, 32)], fill=PAPER_LIGHT, outline=INK, width=1.6)


def icon_select_player(c):
    # Two travellers: one in a straw hat in front of another.
    for cx, robe, hat in ((42, INDIGO_MID, None), (26, INDIGO, OCHRE)):
        c.poly([(cx - 15, 62), (cx - 12, 40), (cx + 12, 40), (cx + 15, 62)], fill=robe,
               outline=INK, width=OUTLINE)
        c.circle(cx, 30, 9, fill=SKIN, outline=INK, width=OUTLINE * 0.8)
        if hat:
            c.poly([(cx - 17, 25), (cx, 10), (cx + 17, 25)], fill=hat, outline=INK,
                   width=OUTLINE * 0.8)
        else:
            c.pieslice(cx - 9, 21, cx + 9, 39, 180, 360, INK, None)


def icon_help(c):
    _disc(c, OCHRE)
    c.text(32, 34, "?", FONT_GOTHIC, 44, fill=PAPER_LIGHT, anchor="mm", stroke=1.2,
           stroke_fill=INK)


def icon_empty(c):
    pass


def icon_records(c):
    # A travel ledger bound at the left, with three bars of a chart rising on its page.
    c.rect(8, 6, 56, 58, fill=PAPER_LIGHT, outline=INK, width=OUTLINE)
    c.rect(8, 6, 16, 58, fill=INDIGO, outline=INK, width=OUTLINE)
    for y in (16, 30, 44):
        c.line([(8, y), (16, y)], OCHRE_LIGHT, 2.0)
    c.line([(21, 51), (52, 51)], INK, 2.0)
    for x, top, colour in ((23, 38, PINE), (33, 28, INDIGO_MID), (43, 16, VERMILION)):
        c.rect(x, top, x + 7, 50, fill=colour, outline=INK, width=1.6)


def icon_why(c):
    # A lens over a small grid: looking closely at why the move is forced.
    c.rect(6, 6, 44, 44, fill=PAPER_LIGHT, outline=INK, width=OUTLINE)
    for t in (18.7, 31.3):
        c.line([(t, 6), (t, 44)], INK, 1.6)
        c.line([(6, t), (44, t)], INK, 1.6)
    c.line([(44, 44), (58, 58)], WOOD, 7.0)
    c.line([(44, 44), (58, 58)], INK, 1.4)
    c.circle(34, 34, 14, fill=SEA_PALE, outline=INK, width=OUTLINE)
    c.text(34, 35, "?", FONT_GOTHIC, 22, fill=VERMILION, anchor="mm", stroke=0.8,
           stroke_fill=INK)


def icon_practice(c):
    # A dojo's wooden board with 修 (practice) brushed on it, hung from a cord.
    c.line([(20, 14), (32, 4), (44, 14)], INK, 2.0)
    c.rect(12, 14, 52, 60, fill=WOOD, outline=INK, width=OUTLINE)
    c.rect(16, 18, 48, 56, fill=PAPER_LIGHT, outline=INK, width=1.4)
    c.text(32, 37, "修", FONT_BRUSH, 34, fill=INK, anchor="mm", stroke=1.0, stroke_fill=INK)


def icon_hint(c):
    # A paper lantern lit: a hint that shows where to look.
    c.line([(32, 3), (32, 10)], INK, 2.0)
    c.rect(22, 8, 42, 13, fill=INK, outline=INK, width=1.0)
    c.ellipse(12, 12, 52, 54, fill=OCHRE_LIGHT, outline=INK, width=OUTLINE)
    for y in (22, 33, 44):
        c.line([(15, y), (49, y)], VERMILION_DARK, 1.4)
    c.rect(22, 53, 42, 58, fill=INK, outline=INK, width=1.0)


ICONS = {0: icon_pen_colour, 1: icon_eraser, 2: icon_pen, 3: icon_erase_memo, 4: icon_pause,
         5: icon_close, 6: icon_resume, 7: icon_start, 8: icon_select_player, 9: icon_empty,
         10: icon_help, 11: icon_records, 12: icon_why, 13: icon_practice,
         14: icon_hint}


def draw_icon(index, size):
    c = Canvas(U, U, None, scale=8)
    ICONS[index](c)
    img = c.finish((size, size))
    if size <= 16:
        # Small icons: strengthen faint edge pixels so the shape does not dissolve.
        a = np.asarray(img, dtype=np.float64)
        a[..., 3] = np.clip(a[..., 3] * 1.15, 0, 255)
        img = Image.fromarray(a.astype(np.uint8), "RGBA")
    return img


# --- cursors: 32 x 32, hot spot (1, 30) -----------------------------------------------------

HOT_SPOT = (1, 30)


def _diagonal_from(hx, hy):
    """Coordinates along the cursor's diagonal: t up and to the right from the hot spot, w
    across it (positive towards the lower right)."""
    r = 1 / math.sqrt(2)

    def at(t, w):
        return (hx + r * t + r * w, hy - r * t + r * w)

    return at


def draw_pen_cursor():
    c = Canvas(32, 32, None, scale=8)
    # The shaft runs from the tip at the hot spot up to the top right.
    at = _diagonal_from(HOT_SPOT[0] + 0.5, HOT_SPOT[1] + 0.5)
    c.poly([at(0, 0), at(7, -2.6), at(7, 2.6)], fill=INK, outline=INK, width=0.8)
    c.poly([at(7, -2.6), at(10, -3), at(10, 3), at(7, 2.6)], fill=VERMILION, outline=INK,
           width=1.0)
    c.poly([at(10, -3), at(38, -3), at(38, 3), at(10, 3)], fill=OCHRE, outline=INK, width=1.0)
    for t in (18, 27):
        c.line([at(t, -3), at(t, 3)], INK, 0.7)
    # A pale halo keeps the pen visible over a dark board.
    return _with_halo(c.finish())


def draw_eraser_cursor():
    c = Canvas(32, 32, None, scale=8)
    at = _diagonal_from(HOT_SPOT[0] + 0.3, HOT_SPOT[1] + 0.7)
    # The rubber's lower left corner is the hot spot.
    c.poly([at(0, 0), at(12, 0), at(12, 11), at(0, 11)], fill=WALL, outline=INK, width=1.0)
    c.poly([at(12, 0), at(30, 0), at(30, 11), at(12, 11)], fill=INDIGO_MID, outline=INK,
           width=1.0)
    c.line([at(16, 3), at(27, 3)], PAPER_LIGHT, 1.0)
    return _with_halo(c.finish())


def _with_halo(img):
    a = np.asarray(img, dtype=np.float64)
    alpha = a[..., 3]
    grown = alpha.copy()
    # One final pixel wide, whatever the resolution.
    reach = range(-common.RESOLUTION, common.RESOLUTION + 1)
    for dy in reach:
        for dx in reach:
            grown = np.maximum(grown, np.roll(np.roll(alpha, dy, 0), dx, 1))
    halo = np.clip(grown - alpha, 0, 255) * 0.75
    out = np.zeros_like(a)
    white = np.array([255.0, 255.0, 250.0])
    total = alpha + halo * (1 - alpha / 255)
    for i in range(3):
        out[..., i] = np.where(total > 0, (a[..., i] * alpha + white[i] * halo *
                                           (1 - alpha / 255)) / np.maximum(total, 1e-6), 0)
    out[..., 3] = total
    return Image.fromarray(np.clip(out, 0, 255).astype(np.uint8), "RGBA")


# --- the circle mark over a judged piece ----------------------------------------------------


def draw_maru():
    """A red brush circle: one stroke, thick where the brush lands, dry streaks, a small gap."""
    n = 512
    y, x = np.mgrid[0:n, 0:n].astype(np.float64)
    cx = cy = n / 2
    dx, dy = x - cx, y - cy
    r = np.sqrt(dx * dx + dy * dy) / (n / 64)
    theta = (np.degrees(np.arctan2(dy, dx)) - 250) % 360  # stroke starts at the upper left
    t = theta / 345.0  # 0 where the brush lands, 1 where it lifts
    radius = 25.5 + 1.2 * np.sin(t * 2 * math.pi * 1.3) - 1.5 * t
    width = 8.5 - 5.0 * t ** 1.5
    inside = (np.abs(r - radius) < width / 2) & (t <= 1.0)
    edge = np.clip((width / 2 - np.abs(r - radius)) * (n / 64) / 2, 0, 1)
    rng = np.random.default_rng(5)
    streak_noise = rng.normal(0, 1, 64)
    rel = (r - radius) / np.maximum(width, 1e-6)
    idx = np.clip(((rel + 0.5) * 63).astype(int), 0, 63)
    streaks = 1 - np.clip(0.55 * (streak_noise[idx] - 0.8), 0, 1) * np.clip((t - 0.35) * 2, 0, 1)
    alpha = np.where(inside, edge * streaks, 0) * 240
    img = np.zeros((n, n, 4))
    img[..., 0], img[..., 1], img[..., 2] = 204, 30, 36
    img[..., 3] = alpha
    out = Image.fromarray(img.astype(np.uint8), "RGBA")
    return out.resize((64 * common.RESOLUTION, 64 * common.RESOLUTION), Image.BOX)


# --- application icon -----------------------------------------------------------------------


def draw_app_icon(size):
    c = Canvas(U, U, None, scale=8)
    # A paper tile framed in vermilion: the mountain, the sun, the sea and a grid of nine.
    c.rect(3, 3, 61, 61, fill=VERMILION, outline=INK, width=2.0)
    c.rect(7, 7, 57, 57, fill=PAPER_LIGHT, outline=INK, width=1.2)
    c.paste_gradient(7, 7, 57, 30, INDIGO_MID, PAPER_LIGHT)
    c.circle(44, 19, 7, fill=VERMILION, outline=INK, width=1.2)
    scenery.fuji(c, 29, 44, 28, 40, body=INDIGO)
    c.paste_gradient(7, 44, 57, 57, SEA_PALE, INDIGO)
    for y in (48, 53):
        for x in range(9, 57, 6):
            c.arc(x - 3, y - 3, x + 3, y + 3, 200, 340, PAPER_LIGHT, 1.0)
    c.rect(7, 7, 57, 57, fill=None, outline=INK, width=1.2)
    # A small grid of nine in the corner, one cell marked.
    gx, gy, cs = 10, 10, 4.2
    c.rect(gx, gy, gx + 3 * cs, gy + 3 * cs, fill=PAPER_LIGHT, outline=INK, width=1.0)
    for k in (1, 2):
        c.line([(gx + k * cs, gy), (gx + k * cs, gy + 3 * cs)], INK, 0.6)
        c.line([(gx, gy + k * cs), (gx + 3 * cs, gy + k * cs)], INK, 0.6)
    c.rect(gx + cs + 0.6, gy + cs + 0.6, gx + 2 * cs - 0.6, gy + 2 * cs - 0.6, fill=VERMILION,
           outline=None)
    return c.finish((size, size))
