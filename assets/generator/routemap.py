"""The route picture (437 x 405): the old coastal road from the capital at the right to the
western capital at the left, the sea below it, mountains above.

The game draws its station marks over this picture: station i at x = 350 - i * step (step =
295 / 55 pixels, about 5.36), from its map height Y down to Y + 10 (a tall mark from Y - 10 to
Y + 20). The road is drawn through the middle of those marks, from the same station table.
"""
import math

from common import (FONT_BRUSH, GRASS, INDIGO, INDIGO_DEEP, INDIGO_LIGHT, INDIGO_MID, INK, OCHRE,
                    OCHRE_LIGHT, PAPER, PINE, PINE_LIGHT, SAND, SEA_PALE, SNOW, VERMILION, WALL,
                    Canvas, load_stations, mix, paper_texture, rng_for, smooth_curve)
import numpy as np
import scenery as s
from common import ridge

W, H = 437, 405
STEP = np.float32(np.float32(W) / np.float32(437) * np.float32(295) / np.float32(55))
MARK = int(2 * STEP)

# The coast from the bottom left (the southern peninsula) to the right edge (the eastern
# peninsula beyond the capital's bay); the sea lies below this line.
COAST_POINTS = [(95, 405), (104, 350), (110, 300), (114, 268), (118, 256), (124, 250),
                (131, 248), (137, 252), (141, 264), (146, 272), (152, 268), (158, 268),
                (163, 278), (170, 290), (184, 290), (196, 286), (206, 288), (214, 296),
                (222, 304), (232, 294), (240, 276), (247, 266), (254, 260), (261, 255),
                (268, 252), (275, 249), (282, 246), (289, 246), (292, 254), (288, 274),
                (290, 298), (298, 306), (306, 286), (306, 258), (307, 240), (312, 234),
                (320, 232), (326, 240), (330, 256), (336, 248), (337, 220), (342, 204),
                (350, 195), (358, 192), (370, 194), (382, 200), (388, 214), (384, 242),
                (386, 280), (396, 300), (412, 306), (437, 300)]
COAST = smooth_curve(COAST_POINTS, 5)

LAKE_WEST = [(62, 213), (71, 206), (78, 186), (75, 160), (67, 131), (56, 102), (46, 84),
             (36, 90), (38, 118), (46, 150), (51, 180), (55, 202)]

# (x where the river meets the road, x at its source) for the big rivers the road crosses.
RIVERS = [(342, 352), (315, 300), (272, 262), (246, 236), (224, 214), (197, 205), (127, 108)]


def station_points(stations):
    """Centre of each station's short mark, in map pixels."""
    pts = []
    x = np.float32(350.0)
    for st in stations:
        left = int(x)
        pts.append((left + int(STEP) / 2.0, st["map_y"] + MARK / 2.0))
        x = np.float32(x - STEP)
    return pts


def coast_y(x):
    """Height of the coast line at x (the first crossing from the left)."""
    for (x0, y0), (x1, y1) in zip(COAST, COAST[1:]):
        if x0 <= x <= x1 and x1 != x0:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    return H


def draw_map():
    stations = load_stations()
    road = station_points(stations)
    rng = rng_for("map")
    c = Canvas(W, H, PAPER)
    # Land: pale ochre plains, greener towards the mountains.
    c.paste_gradient(0, 0, W, H, mix(PINE_LIGHT, PAPER, 0.45), mix(OCHRE_LIGHT, PAPER, 0.55))
    # Mountain ranges across the north, fading into the plain below them.
    land_mid = mix(mix(PINE_LIGHT, PAPER, 0.45), mix(OCHRE_LIGHT, PAPER, 0.55), 0.35)
    for base, height, colour, peaks, snow in [(62, 40, INDIGO_LIGHT, 11, True),
                                             (96, 40, mix(INDIGO_LIGHT, PINE_LIGHT, 0.5), 9,
                                              False),
                                             (132, 34, PINE_LIGHT, 8, False)]:
        top, summits = _range(rng, base, height)
        c.poly_gradient(top + [(W + 10, base + 50), (-10, base + 50)],
                        mix(colour, INDIGO_DEEP, 0.3), land_mid, outline=None, y0=base - height,
                        y1=base + 50)
        c.line(top, mix(colour, INK, 0.6), 0.8)
        if snow:
            for x, y in summits:
                if y < base - height * 0.7:
                    c.poly([(x - 5, y + 4), (x, y), (x + 5, y + 4), (x + 1.5, y + 6.5),
                            (x - 2, y + 5.5)], fill=SNOW, outline=None)
    # Rivers from the mountains to the sea.
    for x_road, x_src in RIVERS:
        y_road = _road_y(road, x_road)
        mouth = coast_y(x_road + 2) + 2
        course = smooth_curve([(x_src, 150), ((x_src + x_road) / 2 + 4, (150 + y_road) / 2),
                               (x_road, y_road), (x_road + 2, mouth)], 8)
        c.line(course, INK, 2.2)
        c.line(course, INDIGO_LIGHT, 1.3)
    # Lower hills along the road: the pass beyond the castle town, and the western ranges.
    for cx, cy, w, h in [(298, 203, 30, 26), (312, 196, 22, 16), (96, 224, 34, 28),
                         (82, 214, 26, 22), (110, 214, 24, 20), (20, 200, 40, 34),
                         (232, 228, 26, 18), (172, 232, 24, 16), (200, 236, 22, 14)]:
        c.poly_gradient([(cx - w / 2, cy), (cx, cy - h), (cx + w / 2, cy)], mix(PINE_LIGHT, INK,
                                                                                0.2),
                        mix(PINE_LIGHT, PAPER, 0.3), outline=INK, width=0.6)
    # Southern mountains at the bottom left.
    for k in range(5):
        cx = 10 + k * 20
        base = 330 + k * 12
        c.poly_gradient([(cx - 24, base), (cx, base - 36), (cx + 24, base)],
                        mix(PINE_LIGHT, INK, 0.2), mix(PINE_LIGHT, PAPER, 0.3), outline=INK,
                        width=0.6)
    # The mountain above the bay.
    s.fuji(c, 272, 206, 62, 96, body=INDIGO_MID)
    # The lake of the western capital.
    c.poly(smooth_curve(LAKE_WEST + [LAKE_WEST[0]], 6), fill=INDIGO_LIGHT, outline=INK,
           width=0.8)
    # The sea, with rows of printed waves.
    sea_pts = COAST + [(W, H), (95, H)]
    c.poly_gradient(sea_pts, SEA_PALE, INDIGO_MID, outline=None, y0=230, y1=H)
    for y in range(250, H, 9):
        r = 2.6 + (y - 250) / 60
        x = (y * 7) % 9 - r
        while x < W + r:
            if _in_sea(x, y - r):
                c.arc(x - r, y - r, x + r, y + r, 200, 340, (250, 250, 244, 200), 0.6)
            x += r * 2.3
    c.line(COAST, INK, 1.0)
    # The lagoon where the road crosses by boat.
    c.ellipse(179, 241, 197, 256, fill=INDIGO_LIGHT, outline=INK, width=0.7)
    c.poly([(184, 254), (190, 254), (192, 280), (182, 282)], fill=INDIGO_LIGHT, outline=None)
    # Groves and paddies scattered over the plain.
    placed = 0
    while placed < 34:
        x, y = rng.uniform(20, 400), rng.uniform(150, 330)
        clear_of_road = abs(y - _road_y(road, x)) > 16
        on_land = y < coast_y(x) - 8 and not (40 < x < 82 and y < 215)
        if not (clear_of_road and on_land) or (260 < x < 290 and y < 210):
            continue
        placed += 1
        if placed % 3 == 0:
            w = rng.uniform(10, 16)
            c.poly([(x - w, y), (x + w * 0.6, y), (x + w, y + 5), (x - w * 0.6, y + 5)],
                   fill=mix(GRASS, PAPER, 0.2), outline=mix(GRASS, INK, 0.4), width=0.4)
            c.line([(x - w * 0.8, y + 2.5), (x + w * 0.8, y + 2.5)], mix(GRASS, INK, 0.3), 0.4)
        else:
            for dx, dy in ((-3, 0), (3, 0), (0, -3)):
                c.circle(x + dx, y + dy, 3.2, fill=PINE, outline=INK, width=0.4)
    # Boats on the sea, pines along the shore.
    for x, y, size in ((240, 330, 9), (330, 300, 8), (360, 360, 10), (170, 330, 8)):
        s.boat(c, x, y, size, rng=rng, crew=0)
    for x in (318, 312, 306, 262, 256, 250, 206, 200, 176, 170):
        y = _road_y(road, x) + 12
        if y < coast_y(x) - 2:
            s.pine(c, x, y, 7, rng)
    # Mist bands: behind the level name at the top left and the position text at the bottom.
    band = mix(OCHRE_LIGHT, PAPER, 0.55)
    s.kasumi(c, 6, 330, 112, 18, band, alpha=225)
    s.kasumi(c, 70, 280, 132, 12, band, alpha=225)
    s.kasumi(c, -20, 180, 356, 14, band, alpha=230)
    s.kasumi(c, 0, 270, 372, 18, band, alpha=230)
    s.kasumi(c, 150, 330, 20, 9, mix(OCHRE_LIGHT, PAPER, 0.2))
    # The road, through the middle of every station mark.
    line = smooth_curve(road, 4)
    c.line(line, INK, 14.0)
    c.line(line, SAND, 12.0)
    c.line(line, mix(SAND, OCHRE, 0.5), 1.0)
    # The capitals at both ends: small clusters of roofs.
    for x, y in ((road[0][0] + 12, road[0][1] - 6), (road[-1][0] - 14, road[-1][1] - 6)):
        for k in range(3):
            c.poly([(x - 6 + k * 5, y + 2 - k), (x - 3 + k * 5, y - 3 - k), (x + k * 5, y + 2 - k)],
                   fill=mix(INK, INDIGO, 0.4), outline=INK, width=0.4)
    # The two capitals, named in the brush hand.
    for text, (x, y) in (("江戸", (road[0][0] + 24, road[0][1] - 24)),
                         ("京", (road[-1][0] - 18, road[-1][1] + 26))):
        tw = 17 * len(text) + 6
        c.rect(x - tw / 2, y - 11, x + tw / 2, y + 11, fill=(250, 244, 226), outline=VERMILION,
               width=1.2)
        c.text(x, y, text, FONT_BRUSH, 16, fill=INK, anchor="mm")
    # Compass and title.
    cx, cy = 36, 40
    c.circle(cx, cy, 13, fill=(250, 244, 226), outline=INK, width=0.8)
    c.poly([(cx, cy - 11), (cx + 3.5, cy), (cx, cy + 11), (cx - 3.5, cy)], fill=None,
           outline=INK, width=0.5)
    c.poly([(cx, cy - 11), (cx + 3.5, cy), (cx - 3.5, cy)], fill=VERMILION, outline=INK,
           width=0.5)
    c.text(cx, cy - 19, "北", FONT_BRUSH, 9, fill=INK, anchor="mm")
    title = "千花路五十三次"
    x0, x1, y0 = W - 30, W - 8, 8
    h = len(title) * 17 + 10
    c.rect(x0 - 2, y0 - 2, x1 + 2, y0 + h + 2, fill=VERMILION, outline=INK, width=0.6)
    c.rect(x0, y0, x1, y0 + h, fill=(250, 244, 226), outline=None)
    for i, ch in enumerate(title):
        c.glyph_centred((x0 + x1) / 2, y0 + 5 + i * 17 + 8, ch, FONT_BRUSH, 16)
    c.rect(0.6, 0.6, W - 0.6, H - 0.6, fill=None, outline=INK, width=1.4)
    return paper_texture(c.finish(), seed=77).convert("RGB")


def _range(rng, base, height):
    """An irregular mountain range: peaks at uneven spacing and heights, and its summits."""
    pts, summits = [], []
    x = -10.0
    while x < W + 10:
        pts.append((x, base - height * rng.uniform(0.1, 0.35)))
        x += rng.uniform(8, 22)
        summit = (x, base - height * rng.uniform(0.45, 1.0))
        pts.append(summit)
        summits.append(summit)
        x += rng.uniform(8, 22)
    return smooth_curve(pts, 4), summits


def _road_y(road, x):
    for (x0, y0), (x1, y1) in zip(road, road[1:]):
        if x1 <= x <= x0:
            return y0 + (y1 - y0) * (x0 - x) / (x0 - x1)
    return road[-1][1]


def _in_sea(x, y):
    return y > coast_y(x) + 2 and not (x < 95)
