"""Scene components of the station pictures: skies, mountains, water, trees, buildings, boats and
people, each drawn with flat colour fields and ink outlines. Coordinates are final pixels of a
274 x 178 picture; every function draws onto the Canvas it is given.
"""
import math

from common import (GRASS, GREY, INDIGO, INDIGO_DEEP, INDIGO_LIGHT, INDIGO_MID, INK, OCHRE,
                    OCHRE_LIGHT, PAPER, PINE, PINE_LIGHT, PINK, PLUM, ROOF, SAND, SEA_PALE, SKIN,
                    SNOW, VERMILION, VERMILION_DARK, WALL, WOOD, WOOD_LIGHT, angle_pts, mix, ridge,
                    smooth_curve, wobble)

W, H = 274, 178

# Sky colours per mood: (top, horizon, the bokashi band at the top).
SKIES = {
    "day": ((236, 230, 208), (246, 238, 214), INDIGO_MID),
    "dawn": ((240, 214, 190), (246, 222, 178), INDIGO),
    "dusk": ((226, 150, 96), (238, 196, 128), INDIGO_DEEP),
    "night": ((44, 58, 92), (96, 112, 136), INDIGO_DEEP),
    "snow": ((112, 116, 128), (196, 194, 188), (60, 64, 80)),
    "rain": ((126, 132, 140), (200, 198, 188), (70, 80, 96)),
    "mist": ((238, 234, 220), (248, 244, 232), INDIGO_LIGHT),
}


def sky(c, mood, horizon):
    top, bottom, band = SKIES[mood]
    c.paste_gradient(0, 0, W, horizon + 2, top, bottom)
    c.paste_gradient(0, 0, W, horizon * 0.45, band, band, 255, 0)
    if mood == "dawn":
        c.paste_gradient(0, horizon * 0.55, W, horizon + 2, PINK, (236, 150, 120), 0, 200)
    if mood == "dusk":
        c.paste_gradient(0, horizon * 0.5, W, horizon + 2, (232, 128, 72), VERMILION, 0, 170)


def kasumi(c, x0, x1, y, h, colour=OCHRE_LIGHT, alpha=215, outline=True):
    """A long rounded band of printed mist."""
    r = h / 2
    pts = angle_pts(x1 - r, y + r, r, -90, 90, 10) + angle_pts(x0 + r, y + r, r, 90, 270, 10)
    c.poly(pts, fill=colour + (alpha,), outline=mix(colour, INK, 0.35) if outline else None,
           width=0.5)


def mountains(c, rng, base, height, colour, peaks, x0=-6, x1=W + 6, outline=0.8, snow=False):
    top = ridge(rng, x0, x1, base, height, peaks)
    c.poly_gradient(top + [(x1, base + 60), (x0, base + 60)], mix(colour, INDIGO_DEEP, 0.28),
                    mix(colour, (255, 255, 255), 0.22), outline=None, y0=base - height,
                    y1=base + 4)
    c.line(top, mix(colour, INK, 0.55), outline)
    if snow:
        for x, y in top[::5]:
            if y < base - height * 0.6:
                c.poly([(x - 5, y + 3), (x, y), (x + 5, y + 3), (x + 2, y + 6), (x - 2, y + 5)],
                       fill=SNOW, outline=None)
    return top


def crag(c, x, base, w, h, colour, rng):
    """A steep rock face shaded dark at the top, with strata and tufts, as passes were cut."""
    pts = [(x, base), (x + w * 0.12, base - h * 0.62), (x + w * 0.3, base - h * 0.93),
           (x + w * 0.42, base - h), (x + w * 0.6, base - h * 0.82), (x + w * 0.78, base - h * 0.5),
           (x + w, base)]
    pts = smooth_curve(wobble(pts, rng, 1.5), 4)
    c.poly_gradient(pts, mix(colour, INDIGO_DEEP, 0.35), mix(colour, (255, 250, 230), 0.25),
                    outline=INK, width=0.9, y0=base - h, y1=base)
    # A shadowed flank on the right: the block printed a second time.
    shade = [(x + w * 0.42, base - h), (x + w * 0.6, base - h * 0.82),
             (x + w * 0.78, base - h * 0.5), (x + w, base), (x + w * 0.62, base)]
    c.poly(smooth_curve(shade[:4], 4) + shade[4:], fill=mix(colour, INK, 0.18) + (120,),
           outline=None)
    for _ in range(int(w * h / 500)):
        sx = rng.uniform(x + w * 0.15, x + w * 0.85)
        sy = rng.uniform(base - h * 0.85, base - 4)
        if _inside(pts, sx, sy) and _inside(pts, sx + 8, sy - 3):
            c.line([(sx, sy), (sx + 4, sy - 1.5), (sx + 8, sy - 3)], mix(colour, INK, 0.45), 0.5)
    for _ in range(int(w / 8)):
        tx = rng.uniform(x + w * 0.1, x + w * 0.9)
        ty = rng.uniform(base - h * 0.8, base - 2)
        if _inside(pts, tx, ty):
            for k in (-1, 0, 1):
                c.line([(tx + k * 1.2, ty), (tx + k * 2, ty - 3)], PINE, 0.6)


def mist(c, rng, mood, y_min, y_max, count=2, x_min=-20, x_max=W + 20):
    """One or two printed mist bands at seeded places; soft white veils on misty days."""
    colour = {"dawn": PINK, "dusk": (236, 168, 120), "night": INDIGO_LIGHT,
              "snow": (228, 228, 230), "rain": (200, 200, 196)}.get(mood, OCHRE_LIGHT)
    for _ in range(count):
        length = rng.uniform(90, 170)
        x0 = rng.uniform(x_min, x_max - length)
        y = rng.uniform(y_min, y_max)
        h = rng.uniform(6, 10)
        kasumi(c, x0, x0 + length, y, h, colour, alpha=205)
        if rng.random() < 0.5:
            kasumi(c, x0 + length * 0.3, x0 + length * 0.3 + length * 0.8, y + h + 2, h * 0.8,
                   colour, alpha=205)


def veil(c, y, h, x0=-30, x1=W + 30, alpha=210):
    """Soft white morning mist lying across a scene."""
    c.soft_layer(lambda o: kasumi(o, x0, x1, y, h, (252, 250, 244), alpha=alpha, outline=False),
                 3.0)


def fuji(c, cx, base, h, w, body=INDIGO_MID, snow=SNOW):
    """The mountain: concave flanks, a flat crown and a snow cap with fingers."""
    half = w / 2

    def flank(t):
        return half * (0.08 + 0.92 * t), base - h * (1 - t) ** 1.7

    ts = [i / 30 for i in range(31)]
    left = [(cx - flank(t)[0], flank(t)[1]) for t in ts]
    right = [(cx + flank(t)[0], flank(t)[1]) for t in ts]
    c.poly(list(reversed(left)) + right, fill=body, outline=INK, width=0.8)
    # Snow down to about a third of the height, its lower edge in fingers.
    cap_t = 0.2
    crown_left = [p for t, p in zip(ts, left) if t <= cap_t]
    crown_right = [p for t, p in zip(ts, right) if t <= cap_t]
    x_left, x_right = crown_left[-1][0], crown_right[-1][0]
    y_edge = crown_left[-1][1]
    fingers = []
    n = 9
    for i in range(n + 1):
        x = x_right + (x_left - x_right) * i / n
        drop = h * (0.07 if i % 2 else 0.0) * (1 - abs(i - n / 2) / n)
        fingers.append((x, y_edge + drop))
    c.poly(list(reversed(crown_left)) + crown_right + fingers, fill=snow, outline=None)
    c.line(fingers, mix(snow, INK, 0.45), 0.5)
    c.line(list(reversed(crown_left)) + crown_right, INK, 0.8)


def sea(c, top, bottom=H, deep=INDIGO, pale=SEA_PALE, rng=None, waves=True):
    c.paste_gradient(0, top, W, bottom, pale, deep)
    c.line([(0, top), (W, top)], mix(deep, INK, 0.5), 0.6)
    if not waves:
        return
    y = top + 6
    gap = 4.0
    while y < bottom:
        r = 1.5 + (y - top) / 22
        x = (rng.uniform(0, r * 2) if rng else 0) - r
        colour = mix(pale, (255, 255, 255), 0.4) if y - top > 12 else mix(pale, deep, 0.3)
        while x < W + r:
            c.arc(x - r, y - r, x + r, y + r, 200, 340, colour, 0.6)
            x += r * 2.2
        gap *= 1.22
        y += gap


def water_band(c, pts, colour=INDIGO_LIGHT, ripple=None, rng=None):
    c.poly(pts, fill=colour, outline=INK, width=0.7)
    if ripple and rng:
        ys = [p[1] for p in pts]
        xs = [p[0] for p in pts]
        for _ in range(ripple):
            x = rng.uniform(min(xs), max(xs))
            y = rng.uniform(min(ys), max(ys))
            if _inside(pts, x, y) and _inside(pts, x + 10, y):
                c.line([(x, y), (x + 4 + (y - min(ys)) / 8, y)], mix(colour, (255, 255, 255), 0.5),
                       0.6)


def _inside(pts, x, y):
    inside = False
    n = len(pts)
    for i in range(n):
        x1, y1 = pts[i]
        x2, y2 = pts[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def land(c, pts, colour, outline=0.8):
    c.poly(pts, fill=colour, outline=INK if outline else None, width=outline)


def pine(c, x, base, size, rng, lean=0.0, colour=PINE, snow=False):
    """An umbrella pine: a leaning trunk and flat pads of needles."""
    top = (x + lean * size, base - size)
    trunk = smooth_curve([(x, base), (x + lean * size * 0.3 + size * 0.05, base - size * 0.5),
                          top], 4)
    c.line(trunk, INK, max(0.8, size * 0.09))
    c.line(trunk, WOOD, max(0.4, size * 0.05))
    pads = [(0.0, 1.0, 0.55), (-0.28, 0.78, 0.38), (0.3, 0.68, 0.36), (-0.1, 0.5, 0.3)]
    for dx, dy, rw in pads[: 2 + int(size > 14) + int(size > 26)]:
        px = x + lean * size * dy + dx * size
        py = base - size * dy
        pw = size * rw * rng.uniform(0.9, 1.15)
        ph = size * 0.16
        c.ellipse(px - pw, py - ph, px + pw, py + ph * 0.8, fill=colour, outline=INK, width=0.6)
        if snow:
            c.ellipse(px - pw * 0.9, py - ph, px + pw * 0.9, py - ph * 0.1, fill=SNOW,
                      outline=None)
        elif size > 14:
            for k in range(3):
                qx = px - pw * 0.6 + k * pw * 0.6
                c.arc(qx - 2, py - ph * 0.6, qx + 2, py + ph * 0.3, 200, 340,
                      mix(colour, (255, 255, 255), 0.3), 0.5)


def cedar(c, x, base, size, colour=PINE):
    """A tall shrine cedar: stacked pointed tiers."""
    c.line([(x, base), (x, base - size * 0.3)], WOOD, max(0.8, size * 0.06))
    for i in range(4):
        y = base - size * (0.2 + 0.2 * i)
        w = size * (0.3 - 0.055 * i)
        c.poly([(x - w, y), (x, y - size * 0.35), (x + w, y)], fill=colour, outline=INK,
               width=0.6)


def round_tree(c, x, base, size, colour=PINE_LIGHT, blossom=None, rng=None):
    """A broad-leaved or flowering tree: a trunk with a lumpy crown drawn as one outlined cloud."""
    c.line([(x, base), (x - size * 0.04, base - size * 0.45), (x + size * 0.03, base - size * 0.6)],
           INK, max(1.0, size * 0.1))
    c.line([(x, base), (x - size * 0.04, base - size * 0.45), (x + size * 0.03, base - size * 0.6)],
           WOOD, max(0.6, size * 0.06))
    lumps = [(0.0, 0.7, 0.24), (-0.24, 0.62, 0.19), (0.25, 0.61, 0.19), (-0.14, 0.84, 0.2),
             (0.16, 0.83, 0.2), (0.0, 0.95, 0.16)]
    for dx, dy, r in lumps:
        c.circle(x + dx * size, base - dy * size, r * size + 0.7, fill=INK, outline=None)
    for dx, dy, r in lumps:
        c.circle(x + dx * size, base - dy * size, r * size, fill=colour, outline=None)
    for dx, dy, r in lumps[:3]:
        c.arc(x + (dx - r * 0.6) * size, base - (dy + r * 0.2) * size, x + (dx + r * 0.6) * size,
              base - (dy - r * 0.7) * size, 200, 320, mix(colour, INK, 0.3), 0.5)
    if blossom and rng:
        for _ in range(int(size * 1.5)):
            dx, dy, r = lumps[rng.randrange(len(lumps))]
            a = rng.uniform(0, 2 * math.pi)
            rr = rng.uniform(0, r * size * 0.85)
            c.circle(x + dx * size + math.cos(a) * rr, base - dy * size + math.sin(a) * rr,
                     max(0.7, size * 0.035), fill=blossom, outline=None)


def house(c, x, base, w, h, rng, roof=ROOF, wall=WALL, lantern=False, noren=None, snow=False,
          lit=False):
    """An inn or shop front: wall, lattice, overhanging roof, optional lantern and curtain."""
    c.rect(x, base - h, x + w, base, fill=wall, outline=INK, width=0.6)
    if lit:
        c.rect(x + 2, base - h * 0.75, x + w - 2, base - 1, fill=(246, 200, 110), outline=None)
    for k in range(1, int(w / 4)):
        lx = x + k * 4
        c.line([(lx, base - h * 0.72), (lx, base)], mix(wall, INK, 0.45), 0.35)
    oh = w * 0.12
    rh = h * 0.55
    roof_pts = [(x - oh, base - h), (x + w + oh, base - h), (x + w - w * 0.12, base - h - rh),
                (x + w * 0.12, base - h - rh)]
    c.poly(roof_pts, fill=SNOW if snow else roof, outline=INK, width=0.6)
    if not snow:
        for k in range(1, 4):
            yy = base - h - rh * k / 4
            c.line([(x - oh + (w * 0.12 + oh) * k / 4, yy), (x + w + oh - (w * 0.12 + oh) * k / 4,
                                                             yy)], mix(roof, (255, 255, 255),
                                                                       0.25), 0.35)
    if noren:
        c.rect(x + w * 0.2, base - h * 0.85, x + w * 0.8, base - h * 0.45, fill=noren,
               outline=INK, width=0.4)
    if lantern:
        lx = x + w * 0.85
        c.ellipse(lx - 2.2, base - h * 0.9, lx + 2.2, base - h * 0.9 + 5, fill=VERMILION
                  if not lit else (250, 210, 120), outline=INK, width=0.4)


def house_row(c, x0, x1, base, rng, height=14, **kw):
    x = x0
    while x < x1 - 6:
        w = rng.uniform(14, 22)
        h = height * rng.uniform(0.85, 1.1)
        house(c, x, base + rng.uniform(-1, 1), min(w, x1 - x), h, rng, **kw)
        x += w + rng.uniform(0.5, 3)


def castle(c, cx, base, s, snow=False):
    """A castle keep on a stone base: three tiers of white walls under dark roofs."""
    c.poly([(cx - 17 * s, base), (cx + 17 * s, base), (cx + 13 * s, base - 9 * s),
            (cx - 13 * s, base - 9 * s)], fill=GREY, outline=INK, width=0.7)
    for k in range(1, 3):
        y = base - 3 * s * k
        c.line([(cx - (17 - 1.3 * k) * s, y), (cx + (17 - 1.3 * k) * s, y)], mix(GREY, INK, 0.4),
               0.4)
    y = base - 9 * s
    widths = [12, 9, 6]
    for i, hw in enumerate(widths):
        wall_h = 6 * s
        c.rect(cx - hw * s, y - wall_h, cx + hw * s, y, fill=WALL, outline=INK, width=0.6)
        for k in range(-1, 2):
            c.rect(cx + k * hw * s * 0.5 - 0.8 * s, y - wall_h * 0.65, cx + k * hw * s * 0.5 +
                   0.8 * s, y - wall_h * 0.35, fill=INK, outline=None)
        y -= wall_h
        over = 3.5 * s
        rh = 4 * s
        roof_colour = SNOW if snow else (64, 70, 86)
        c.poly([(cx - hw * s - over, y + 1.2 * s), (cx - hw * s - over * 0.4, y),
                (cx - hw * s * 0.5, y - rh), (cx + hw * s * 0.5, y - rh),
                (cx + hw * s + over * 0.4, y), (cx + hw * s + over, y + 1.2 * s)],
               fill=roof_colour, outline=INK, width=0.6)
        if i < 2:
            c.poly([(cx - 2.6 * s, y - rh * 0.2), (cx, y - rh * 1.1), (cx + 2.6 * s, y - rh * 0.2)],
                   fill=roof_colour, outline=INK, width=0.5)
        y -= rh
    c.circle(cx - 2.2 * s, y, 0.9 * s, fill=OCHRE, outline=INK, width=0.3)
    c.circle(cx + 2.2 * s, y, 0.9 * s, fill=OCHRE, outline=INK, width=0.3)


def pagoda(c, cx, base, h):
    tiers = 5
    th = h / (tiers + 1.2)
    y = base
    for i in range(tiers):
        hw = h * (0.16 - 0.018 * i)
        c.rect(cx - hw * 0.55, y - th * 0.5, cx + hw * 0.55, y, fill=VERMILION_DARK, outline=INK,
               width=0.5)
        y -= th * 0.5
        c.poly([(cx - hw * 1.35, y + 1), (cx - hw * 0.7, y - th * 0.5), (cx + hw * 0.7,
                                                                          y - th * 0.5),
                (cx + hw * 1.35, y + 1)], fill=ROOF, outline=INK, width=0.5)
        y -= th * 0.5
    c.line([(cx, y), (cx, y - th * 1.2)], INK, 0.8)
    for k in range(4):
        c.circle(cx, y - th * 0.25 * (k + 1), 0.8, fill=OCHRE, outline=None)


def torii(c, cx, base, h, colour=VERMILION):
    w = h * 0.9
    post = max(1.2, h * 0.07)
    for sx in (-1, 1):
        x = cx + sx * w * 0.34
        c.poly([(x - post, base), (x + post, base), (x + post * 0.8, base - h * 0.86),
                (x - post * 0.8, base - h * 0.86)], fill=colour, outline=INK, width=0.6)
    c.rect(cx - w * 0.45, base - h * 0.74, cx + w * 0.45, base - h * 0.68, fill=colour,
           outline=INK, width=0.5)
    top = [(cx - w * 0.62, base - h * 0.97), (cx - w * 0.5, base - h * 0.88),
           (cx + w * 0.5, base - h * 0.88), (cx + w * 0.62, base - h * 0.97),
           (cx + w * 0.5, base - h * 1.0), (cx - w * 0.5, base - h * 1.0)]
    c.poly(top, fill=INK, outline=INK, width=0.5)
    c.rect(cx - w * 0.5, base - h * 0.88, cx + w * 0.5, base - h * 0.83, fill=colour,
           outline=INK, width=0.4)


def arched_bridge(c, x0, x1, deck, rise, water_y, colour=WOOD_LIGHT, rail=True, people=None,
                  rng=None, snow=False):
    """A wooden bridge arching from x0 to x1; its piers stand in the water at water_y."""
    n = 24
    top = []
    for i in range(n + 1):
        t = i / n
        top.append((x0 + (x1 - x0) * t, deck - rise * math.sin(math.pi * t)))
    thick = 3.2
    under = [(x, y + thick) for x, y in reversed(top)]
    for i in range(1, 8):
        t = i / 8
        px = x0 + (x1 - x0) * t
        py = deck - rise * math.sin(math.pi * t) + thick
        c.line([(px, py), (px, water_y + 2)], INK, 1.3)
        c.line([(px, py), (px, water_y + 2)], WOOD, 0.7)
        c.line([(px - 2.5, py + 2), (px + 2.5, water_y - 2)], WOOD, 0.5)
    c.poly(top + under, fill=SNOW if snow else colour, outline=INK, width=0.7)
    if rail:
        rail_pts = [(x, y - 4.5) for x, y in top]
        c.line(rail_pts, INK, 1.1)
        c.line(rail_pts, colour, 0.5)
        for i in range(0, n + 1, 2):
            x, y = top[i]
            c.line([(x, y), (x, y - 4.5)], INK, 0.7)
    if people and rng:
        for k in range(people):
            t = rng.uniform(0.12, 0.88)
            x = x0 + (x1 - x0) * t
            y = deck - rise * math.sin(math.pi * t)
            traveller(c, x, y, rng.uniform(7, 9), rng)


def flat_bridge(c, x0, x1, deck, water_y, colour=WOOD_LIGHT, rng=None, people=0):
    c.rect(x0, deck, x1, deck + 2.5, fill=colour, outline=INK, width=0.6)
    x = x0 + 4
    while x < x1 - 2:
        c.line([(x, deck + 2.5), (x, water_y + 1)], INK, 0.8)
        x += 9
    c.line([(x0, deck - 3.5), (x1, deck - 3.5)], INK, 0.7)
    x = x0
    while x <= x1:
        c.line([(x, deck), (x, deck - 3.5)], INK, 0.6)
        x += 6
    for _ in range(people):
        traveller(c, rng.uniform(x0 + 6, x1 - 6), deck, rng.uniform(6, 8), rng)


def boat(c, x, y, size, sail=True, facing=1, crew=1, rng=None):
    hull = [(x - size * 0.6, y - size * 0.12), (x + size * 0.55 * facing, y - size * 0.2),
            (x + size * 0.45, y + size * 0.08), (x - size * 0.45, y + size * 0.08)]
    if facing < 0:
        hull = [(x + size * 0.6, y - size * 0.12), (x - size * 0.55, y - size * 0.2),
                (x - size * 0.45, y + size * 0.08), (x + size * 0.45, y + size * 0.08)]
    c.poly(hull, fill=WOOD, outline=INK, width=0.6)
    if sail:
        c.line([(x, y - size * 0.15), (x, y - size * 1.25)], INK, 0.7)
        sw = size * 0.42
        c.rect(x - sw, y - size * 1.15, x + sw, y - size * 0.3, fill=WALL, outline=INK,
               width=0.6)
        for k in range(1, 4):
            xx = x - sw + 2 * sw * k / 4
            c.line([(xx, y - size * 1.15), (xx, y - size * 0.3)], mix(WALL, INK, 0.4), 0.35)
    for k in range(crew or 0):
        traveller(c, x - size * 0.25 + k * size * 0.2, y - size * 0.15, size * 0.45, rng,
                  hat=OCHRE_LIGHT)


def traveller(c, x, base, size, rng=None, hat=OCHRE, robe=None):
    """A walker seen from afar: a straw hat, a robe and a staff."""
    if robe is None:
        robe = (INDIGO, VERMILION_DARK, (120, 110, 90), INDIGO_MID)[rng.randrange(4) if rng else 0]
    c.poly([(x - size * 0.22, base), (x + size * 0.22, base), (x + size * 0.12, base - size * 0.7),
            (x - size * 0.12, base - size * 0.7)], fill=robe, outline=INK, width=0.4)
    c.circle(x, base - size * 0.76, size * 0.1, fill=SKIN, outline=None)
    c.poly([(x - size * 0.3, base - size * 0.78), (x, base - size * 1.02),
            (x + size * 0.3, base - size * 0.78)], fill=hat, outline=INK, width=0.4)
    c.line([(x + size * 0.25, base), (x + size * 0.3, base - size * 0.9)], WOOD, 0.4)


def fields(c, y0, y1, rng, colours=(GRASS, PINE_LIGHT, OCHRE_LIGHT), water=False):
    """Rice paddies as bands narrowing into the distance."""
    y = y0
    k = 0
    while y < y1:
        hgt = 3 + (y - y0) * 0.35
        col = colours[k % len(colours)]
        if water and k % 2:
            col = mix(SEA_PALE, INDIGO_LIGHT, 0.4)
        c.rect(-2, y, W + 2, min(y1, y + hgt), fill=col, outline=None)
        c.line([(-2, y), (W + 2, y)], mix(col, INK, 0.45), 0.45)
        x = rng.uniform(-40, 0)
        while x < W:
            x += rng.uniform(40, 90)
            c.line([(x, y), (x + (x - W / 2) * 0.08, min(y1, y + hgt))], mix(col, INK, 0.4),
                   0.4)
        y += hgt
        k += 1


def reeds(c, x0, x1, base, rng, wind=0.0, colour=OCHRE, height=(8, 16)):
    x = x0
    while x < x1:
        h = rng.uniform(*height)
        c.line(smooth_curve([(x, base), (x + wind * h * 0.3, base - h * 0.6),
                             (x + wind * h * 0.8, base - h)], 3), mix(colour, INK, 0.3), 0.6)
        x += rng.uniform(2, 4)


def moon(c, x, y, r):
    c.circle(x, y, r, fill=(246, 236, 200), outline=mix((246, 236, 200), INK, 0.3), width=0.5)


def geese(c, x, y, n, rng):
    for k in range(n):
        gx = x + k * 7 + rng.uniform(-1, 1)
        gy = y + k * 2.5 + rng.uniform(-1, 1)
        c.line([(gx - 2.5, gy - 1.2), (gx, gy), (gx + 2.5, gy - 1.2)], INK, 0.6)


def rain(c, rng, slant=0.35, count=260, colour=(40, 44, 56, 150)):
    for _ in range(count):
        x = rng.uniform(-40, W + 10)
        y = rng.uniform(-10, H)
        length = rng.uniform(14, 34)
        c.line([(x, y), (x + length * slant, y + length)], colour, 0.45)


def snowfall(c, rng, count=240):
    for _ in range(count):
        x = rng.uniform(0, W)
        y = rng.uniform(0, H)
        c.circle(x, y, rng.uniform(0.5, 1.2), fill=(255, 255, 255, 230), outline=None)


def stars(c, rng, horizon, count=30):
    for _ in range(count):
        c.circle(rng.uniform(0, W), rng.uniform(2, horizon * 0.6), rng.uniform(0.3, 0.7),
                 fill=(240, 236, 210, 200), outline=None)


def banner(c, x, base, h, colour, rng):
    c.line([(x, base), (x, base - h)], INK, 0.8)
    c.rect(x + 0.5, base - h, x + h * 0.28, base - h * 0.35, fill=colour, outline=INK, width=0.5)
    c.circle(x + h * 0.15, base - h * 0.75, h * 0.06, fill=WALL, outline=None)


def barrier_gate(c, x, base, w, h, snow=False):
    """A checkpoint gate: two posts, a tiled cap and a fence running off to the sides."""
    for sx in (x, x + w):
        c.rect(sx - 1.4, base - h, sx + 1.4, base, fill=WOOD, outline=INK, width=0.5)
    c.rect(x - 3, base - h - 1.5, x + w + 3, base - h + 1.5, fill=WOOD, outline=INK, width=0.5)
    c.poly([(x - 6, base - h - 1.5), (x + w + 6, base - h - 1.5), (x + w + 2, base - h - 6),
            (x - 2, base - h - 6)], fill=SNOW if snow else ROOF, outline=INK, width=0.5)
    for side in (-1, 1):
        x0 = x if side < 0 else x + w
        for k in range(1, 6):
            fx = x0 + side * k * 5
            c.line([(fx, base), (fx, base - h * 0.45)], INK, 0.7)
        c.line([(x0, base - h * 0.35), (x0 + side * 27, base - h * 0.35)], INK, 0.6)


def waterfall(c, x, top, bottom, w, rng):
    c.rect(x, top, x + w, bottom, fill=(236, 240, 240), outline=INK, width=0.6)
    for _ in range(int(w)):
        xx = rng.uniform(x + 1, x + w - 1)
        c.line([(xx, top + rng.uniform(0, 10)), (xx, bottom - rng.uniform(0, 10))], INDIGO_LIGHT,
               0.4)


def teahouse(c, x, base, w, rng, snow=False):
    """A road-side tea stall: a thatched roof on poles, a bench and a flag."""
    h = w * 0.55
    for px in (x + 2, x + w - 2):
        c.line([(px, base), (px, base - h)], INK, 0.9)
    c.poly([(x - 4, base - h + 2), (x + w + 4, base - h + 2), (x + w - 4, base - h - w * 0.3),
            (x + 4, base - h - w * 0.3)], fill=SNOW if snow else OCHRE, outline=INK, width=0.6)
    for k in range(1, 7):
        xx = x - 4 + (w + 8) * k / 7
        c.line([(xx, base - h + 2), (xx - (xx - x - w / 2) * 0.2, base - h - w * 0.3)],
               mix(OCHRE, INK, 0.35), 0.35)
    c.rect(x + 3, base - h * 0.35, x + w - 3, base - h * 0.28, fill=WOOD, outline=INK, width=0.4)
    c.rect(x + w + 2, base - h * 1.1, x + w + 6, base - h * 0.55, fill=WALL, outline=INK,
           width=0.4)
    c.text(x + w + 4, base - h * 0.83, "茶", "/usr/share/fonts/truetype/kouzan-mouhitsu/"
           "kouzan-mouhitsu.ttf", 4, fill=VERMILION, anchor="mm")


def grass(c, x0, y0, x1, y1, rng, colour=PINE_LIGHT, count=60):
    """Short grass strokes so that plain ground reads as meadow, denser near the viewer."""
    for _ in range(count):
        t = rng.random() ** 0.6
        y = y0 + (y1 - y0) * t
        x = rng.uniform(x0, x1)
        size = 1.5 + 4 * t
        for k in (-1, 0, 1):
            c.line([(x + k * size * 0.4, y), (x + k * size * 0.7, y - size)],
                   mix(colour, INK, 0.35), 0.5)
