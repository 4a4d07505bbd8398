"""The nine travel characters (128 x 128, transparent): standing figures in the same flat,
outlined style, each told apart by what it wears and carries.

Index order: 0 a traveller with a child, 1 an old retired gentleman, 2 a young woman, 3 a spy,
4 a merchant, 5 a mendicant monk with a basket hat and flute, 6 a lord, 7 a samurai retainer,
8 a woman ninja.
"""
import math

from common import (GREY, INDIGO, INDIGO_DEEP, INDIGO_LIGHT, INDIGO_MID, INK, OCHRE,
                    OCHRE_LIGHT, PINE, PINE_LIGHT, PINK, PLUM, SKIN, VERMILION, VERMILION_DARK,
                    WALL, WOOD, WOOD_LIGHT, Canvas, angle_pts, mix)

SIZE = 128
HAIR = (30, 28, 32)
WHITE = (248, 246, 240)
GOLD = (214, 170, 60)
BAMBOO = (196, 170, 96)
DARK = (46, 44, 58)


def shadow(c, cx=64, y=122, w=30):
    c.ellipse(cx - w, y - 4, cx + w, y + 4, fill=(60, 40, 30, 70), outline=None)


def feet(c, cx, y, spread=8, colour=WOOD_LIGHT, leggings=WHITE):
    for sx in (-1, 1):
        x = cx + sx * spread
        c.rect(x - 3.2, y - 9, x + 3.2, y - 2, fill=leggings, outline=INK, width=0.8)
        c.ellipse(x - 5, y - 3.5, x + 5, y + 1, fill=colour, outline=INK, width=0.8)


def robe(c, cx, top, bottom, shoulder, hem, colour, collar=WHITE, obi=None, obi_y=None,
         pattern=None, rng_seed=0):
    pts = [(cx - shoulder, top + 4), (cx - shoulder + 3, top), (cx + shoulder - 3, top),
           (cx + shoulder, top + 4), (cx + hem, bottom), (cx - hem, bottom)]
    c.poly(pts, fill=colour, outline=INK, width=1.2)
    if pattern == "stripes":
        kmax = int((shoulder - 3) / 4.5)
        for k in range(-kmax, kmax + 1):
            x = cx + k * 4.5
            c.line([(x * 1.0, top + 3), (cx + (x - cx) * hem / shoulder, bottom - 1)],
                   mix(colour, INK, 0.35), 0.7)
    elif pattern == "dots":
        for k in range(16):
            a = (k * 137.5) % 360
            r = 4 + (k * 7) % 30
            x = cx + math.cos(math.radians(a)) * min(r, hem - 4) * 0.8
            y = top + 12 + (k * 11) % (bottom - top - 16)
            c.circle(x, y, 1.6, fill=mix(colour, WHITE, 0.6), outline=None)
    elif pattern == "flowers":
        for k in range(9):
            x = cx - hem + 8 + (k * 13) % (2 * hem - 14)
            y = top + 14 + (k * 17) % (bottom - top - 18)
            for a in range(0, 360, 72):
                c.circle(x + 2.2 * math.cos(math.radians(a)), y + 2.2 * math.sin(math.radians(a)),
                         1.4, fill=WHITE, outline=None)
            c.circle(x, y, 0.9, fill=OCHRE, outline=None)
    # Crossed collar, left over right.
    c.line([(cx - 7, top), (cx + 3, top + 16)], collar, 2.6)
    c.line([(cx + 7, top), (cx - 2, top + 12)], collar, 2.6)
    c.line([(cx - 7, top), (cx + 3, top + 16)], INK, 0.5)
    if obi:
        y = obi_y if obi_y is not None else top + (bottom - top) * 0.38
        w0 = shoulder + (hem - shoulder) * (y - top) / (bottom - top)
        c.rect(cx - w0 + 0.5, y - 4, cx + w0 - 0.5, y + 4, fill=obi, outline=INK, width=0.9)


def sleeve(c, x_shoulder, y, length, width, colour, side, hang=1.0):
    """A wide kimono sleeve hanging from the shoulder; side -1 left, +1 right."""
    x = x_shoulder
    pts = [(x, y), (x + side * width, y + 4), (x + side * width * 1.05, y + length * hang),
           (x + side * 2, y + length)]
    c.poly(pts, fill=colour, outline=INK, width=1.1)


def hand(c, x, y, r=3.4):
    c.circle(x, y, r, fill=SKIN, outline=INK, width=0.8)


def head(c, cx, cy, r=11, face=True, eyes_closed=False, old=False, smile=False):
    c.circle(cx, cy, r, fill=SKIN, outline=INK, width=1.1)
    if face:
        for sx in (-1, 1):
            ex = cx + sx * r * 0.38
            ey = cy + r * 0.05
            if eyes_closed or old:
                c.arc(ex - 2.2, ey - 1.5, ex + 2.2, ey + 1.8, 200, 340, INK, 0.9)
            else:
                c.ellipse(ex - 1.1, ey - 1.5, ex + 1.1, ey + 1.5, fill=INK, outline=None)
            c.line([(ex - 2.4, ey - 4 + (1 if old else 0)), (ex + 2.2, ey - 4.6)],
                   WHITE if old else INK, 1.0 if old else 0.8)
        if smile:
            c.arc(cx - 3, cy + r * 0.25, cx + 3, cy + r * 0.6, 20, 160, INK, 0.8)
        else:
            c.line([(cx - 2, cy + r * 0.5), (cx + 2, cy + r * 0.5)], INK, 0.7)
        c.circle(cx - r * 0.55, cy + r * 0.35, 1.6, fill=(236, 170, 150, 140), outline=None)
        c.circle(cx + r * 0.55, cy + r * 0.35, 1.6, fill=(236, 170, 150, 140), outline=None)


def cap(c, cx, cy, r, y_cut, fill, outline=INK, width=1.0, below=False):
    """The part of a head circle above (or below) the line y = y_cut: hair, hoods, masks."""
    alpha = math.degrees(math.asin(max(-1.0, min(1.0, (y_cut - cy) / r))))
    if below:
        pts = angle_pts(cx, cy, r, -alpha if False else alpha, 180 - alpha, 24)
    else:
        pts = angle_pts(cx, cy, r, 180 - alpha, 360 + alpha, 24)
    c.poly(pts, fill=fill, outline=outline, width=width)


def topknot(c, cx, cy, r=11):
    """Men's hair: black sides, the shaved crown and the folded knot on top."""
    cap(c, cx, cy, r, cy - r * 0.45, HAIR)
    for sx in (-1, 1):
        c.rect(cx + sx * r * 0.98 - 1.4, cy - r * 0.5, cx + sx * r * 0.98 + 1.4, cy + r * 0.1,
               fill=HAIR, outline=None)
    cap(c, cx, cy - r * 0.1, r * 0.62, cy - r * 0.5, (214, 224, 232), outline=None)
    c.rect(cx - 2, cy - r - 5, cx + 2, cy - r + 1, fill=HAIR, outline=INK, width=0.6)
    c.ellipse(cx - 2.5, cy - r - 7, cx + 6, cy - r - 3, fill=HAIR, outline=INK, width=0.6)


def kasa(c, cx, y, w, h, colour=OCHRE):
    """A sedge hat: a wide shallow cone."""
    c.poly([(cx - w, y), (cx, y - h), (cx + w, y)], fill=colour, outline=INK, width=1.1)
    for k in range(1, 5):
        t = k / 5
        c.line([(cx - w * t, y - h * (1 - t)), (cx + w * t, y - h * (1 - t))],
               mix(colour, INK, 0.35), 0.5)
    c.line([(cx - w, y), (cx + w, y)], INK, 1.1)


def staff(c, x0, y0, x1, y1, colour=WOOD):
    c.line([(x0, y0), (x1, y1)], INK, 2.6)
    c.line([(x0, y0), (x1, y1)], colour, 1.4)


def sword(c, x0, y0, x1, y1, sheath=INK, hilt=(230, 226, 214)):
    """A sword in its scabbard, hilt end at (x0, y0)."""
    mx = x0 + (x1 - x0) * 0.25
    my = y0 + (y1 - y0) * 0.25
    c.line([(mx, my), (x1, y1)], INK, 3.2)
    c.line([(mx, my), (x1, y1)], sheath, 2.2)
    c.line([(x0, y0), (mx, my)], INK, 3.0)
    c.line([(x0, y0), (mx, my)], hilt, 1.8)
    c.circle(mx, my, 2.0, fill=GOLD, outline=INK, width=0.5)


# --- the nine figures ---------------------------------------------------------------------


def traveller_with_child(c):
    shadow(c, 60, 122, 34)
    # The parent, in travelling clothes with a staff.
    cx = 74
    feet(c, cx, 121, 8)
    sleeve(c, cx + 15, 52, 30, 8, INDIGO, 1)
    robe(c, cx, 48, 112, 16, 19, INDIGO, obi=OCHRE, pattern="stripes")
    staff(c, cx + 24, 122, cx + 28, 24)
    hand(c, cx + 25, 74)
    head(c, cx, 36)
    topknot(c, cx, 36)
    kasa(c, cx, 30, 22, 12)
    sleeve(c, cx - 15, 52, 26, 8, INDIGO, -1, hang=0.9)
    # The child, holding the parent's hand.
    kx = 38
    feet(c, kx, 121, 5)
    robe(c, kx, 84, 113, 9, 11, VERMILION, obi=OCHRE_LIGHT, pattern="dots")
    c.line([(kx + 8, 90), (cx - 17, 78)], INK, 3.0)
    c.line([(kx + 8, 90), (cx - 17, 78)], VERMILION, 1.8)
    hand(c, cx - 17, 78, 3)
    head(c, kx, 74, 9, smile=True)
    cap(c, kx, 74, 9.5, 70.5, HAIR, width=0.9)
    c.rect(kx - 9.5, 72, kx - 6, 78, fill=HAIR, outline=None)
    c.rect(kx + 6, 72, kx + 9.5, 78, fill=HAIR, outline=None)


def old_gentleman(c):
    shadow(c, 62, 122, 30)
    cx = 60
    feet(c, cx, 121, 7, leggings=(220, 214, 200))
    robe(c, cx, 52, 114, 17, 20, (120, 92, 64), obi=(80, 60, 44))
    # Short over-jacket.
    c.poly([(cx - 18, 56), (cx + 18, 56), (cx + 20, 86), (cx - 20, 86)],
           fill=(92, 70, 52), outline=INK, width=1.1)
    c.line([(cx - 4, 56), (cx - 2, 86)], INK, 0.7)
    c.line([(cx + 4, 56), (cx + 2, 86)], INK, 0.7)
    c.circle(cx, 72, 1.5, fill=WHITE, outline=None)
    # Walking stick with a curved top.
    staff(c, cx + 30, 122, cx + 28, 54, WOOD_LIGHT)
    c.arc(cx + 20, 48, cx + 32, 60, 180, 360, INK, 2.4)
    c.arc(cx + 20, 48, cx + 32, 60, 180, 360, WOOD_LIGHT, 1.2)
    sleeve(c, cx + 16, 58, 22, 8, (92, 70, 52), 1, hang=0.8)
    hand(c, cx + 28, 80)
    sleeve(c, cx - 16, 58, 24, 8, (92, 70, 52), -1)
    head(c, cx + 2, 42, 11, old=True, smile=True)
    # Long white beard and the soft hood of a retired man.
    c.poly([(cx - 6, 47), (cx + 10, 47), (cx + 6, 64), (cx + 2, 68), (cx - 2, 62)],
           fill=WHITE, outline=INK, width=0.8)
    c.line([(cx - 1, 50), (cx + 4, 50)], INK, 0.6)
    cap(c, cx + 2, 42, 12.5, 37, (70, 58, 90), width=1.1)
    c.poly([(cx - 11, 40), (cx - 14, 50), (cx - 8, 48)], fill=(70, 58, 90), outline=INK,
           width=0.8)
    c.ellipse(cx - 2, 22, cx + 8, 30, fill=(70, 58, 90), outline=INK, width=0.8)


def young_woman(c):
    shadow(c, 62, 122, 28)
    cx = 60
    # Parasol over the shoulder, behind her.
    ux, uy = cx + 30, 36
    c.line([(cx + 6, 80), (ux, uy - 24)], INK, 1.8)
    dome = angle_pts(ux, uy, 28, 180, 360, 24)
    scallop = []
    for k in range(8, -1, -1):
        x = ux - 28 + 56 * k / 8
        scallop.append((x, uy + (1.5 if k % 2 else 0)))
    c.poly(dome + scallop, fill=VERMILION, outline=INK, width=1.1)
    for p in dome[::3]:
        c.line([(ux, uy - 26), (p[0], max(p[1], uy - 26))], mix(VERMILION, INK, 0.35), 0.6)
    c.ellipse(ux - 9, uy - 28, ux + 9, uy - 20, fill=WALL, outline=INK, width=0.6)
    c.circle(ux, uy - 28, 2, fill=OCHRE, outline=INK, width=0.5)
    feet(c, cx, 121, 5, colour=VERMILION_DARK, leggings=WHITE)
    robe(c, cx, 54, 118, 14, 16, (214, 104, 118), obi=OCHRE, obi_y=76, pattern="flowers")
    # The bow of the sash at her back shows at the side.
    c.poly([(cx - 16, 70), (cx - 26, 66), (cx - 24, 84), (cx - 16, 82)], fill=OCHRE, outline=INK,
           width=0.9)
    sleeve(c, cx + 13, 58, 34, 9, (214, 104, 118), 1)
    sleeve(c, cx - 13, 58, 34, 9, (214, 104, 118), -1)
    hand(c, cx + 6, 80, 3)
    head(c, cx, 42, 10.5, smile=True)
    # Piled-up hair with a comb and hairpins.
    cap(c, cx, 42, 11.2, 38, HAIR)
    c.ellipse(cx - 12, 17, cx + 12, 33, fill=HAIR, outline=INK, width=1.0)
    c.ellipse(cx - 15, 30, cx - 6, 40, fill=HAIR, outline=INK, width=0.8)
    c.ellipse(cx + 6, 30, cx + 15, 40, fill=HAIR, outline=INK, width=0.8)
    c.rect(cx - 8, 28, cx + 8, 31, fill=GOLD, outline=INK, width=0.5)
    c.line([(cx + 6, 22), (cx + 18, 14)], INK, 1.0)
    c.circle(cx + 18, 14, 2.6, fill=VERMILION, outline=INK, width=0.6)
    c.line([(cx - 6, 22), (cx - 17, 16)], INK, 1.0)
    c.circle(cx - 17, 16, 2.0, fill=WHITE, outline=INK, width=0.5)


def spy(c):
    shadow(c, 64, 122, 30)
    cx = 64
    feet(c, cx, 121, 9, colour=DARK, leggings=(40, 42, 58))
    # Sword slung across the back, its hilt over the right shoulder.
    sword(c, cx + 20, 30, cx - 24, 98, sheath=HAIR, hilt=(60, 60, 70))
    robe(c, cx, 50, 112, 16, 15, (38, 42, 62), collar=(60, 64, 84), obi=(26, 28, 40))
    c.rect(cx - 15, 98, cx + 15, 112, fill=(38, 42, 62), outline=INK, width=1.0)
    c.line([(cx, 100), (cx, 112)], INK, 0.8)
    sleeve(c, cx + 15, 54, 22, 7, (38, 42, 62), 1, hang=0.7)
    sleeve(c, cx - 15, 54, 22, 7, (38, 42, 62), -1, hang=0.7)
    # Hands together in front, fingers raised.
    hand(c, cx - 3, 70, 3.2)
    hand(c, cx + 3, 70, 3.2)
    c.rect(cx - 1.5, 60, cx + 1.5, 68, fill=SKIN, outline=INK, width=0.6)
    # Hooded head: only the eyes show.
    c.circle(cx, 38, 12, fill=(38, 42, 62), outline=INK, width=1.1)
    c.rect(cx - 9, 34, cx + 9, 41, fill=SKIN, outline=INK, width=0.7)
    for sx in (-1, 1):
        c.line([(cx + sx * 6.5, 36.5), (cx + sx * 2, 38)], INK, 1.4)
    c.line([(cx + 10, 34), (cx + 22, 30), (cx + 26, 34)], (38, 42, 62), 2.2)


def merchant(c):
    shadow(c, 64, 122, 32)
    cx = 60
    # The big wrapped pack on his back, with its knot at the chest.
    c.ellipse(cx - 28, 26, cx + 30, 74, fill=PINE_LIGHT, outline=INK, width=1.2)
    for k in range(5):
        x = cx - 18 + k * 11
        c.arc(x - 5, 34 + (k % 2) * 14, x + 5, 44 + (k % 2) * 14, 0, 300,
              mix(PINE_LIGHT, WALL, 0.6), 1.1)
    feet(c, cx, 121, 8)
    robe(c, cx, 52, 112, 16, 18, OCHRE, pattern="stripes", obi=WOOD)
    # Apron.
    c.rect(cx - 12, 82, cx + 12, 110, fill=INDIGO, outline=INK, width=1.0)
    c.circle(cx, 94, 4, fill=None, outline=WALL, width=1.0)
    sleeve(c, cx + 15, 56, 22, 7, OCHRE, 1, hang=0.8)
    sleeve(c, cx - 15, 56, 22, 7, OCHRE, -1, hang=0.8)
    c.line([(cx - 14, 54), (cx + 4, 62)], INK, 3.6)
    c.line([(cx + 14, 54), (cx - 4, 62)], INK, 3.6)
    c.line([(cx - 14, 54), (cx + 4, 62)], PINE_LIGHT, 2.4)
    c.line([(cx + 14, 54), (cx - 4, 62)], PINE_LIGHT, 2.4)
    c.ellipse(cx - 4, 58, cx + 4, 65, fill=PINE_LIGHT, outline=INK, width=0.8)
    # Abacus in his hand.
    c.rect(cx + 18, 74, cx + 40, 86, fill=WOOD, outline=INK, width=1.0)
    for k in range(5):
        x = cx + 21 + k * 4
        c.line([(x, 75), (x, 85)], INK, 0.5)
        for y in (77, 83):
            c.ellipse(x - 1.6, y - 1.2, x + 1.6, y + 1.2, fill=(60, 40, 30), outline=None)
    c.line([(cx + 18, 79), (cx + 40, 79)], INK, 0.8)
    hand(c, cx + 18, 82)
    head(c, cx, 40, 11, eyes_closed=True, smile=True)
    topknot(c, cx, 40)


def monk(c):
    shadow(c, 64, 122, 30)
    cx = 64
    feet(c, cx, 121, 7, leggings=WHITE)
    robe(c, cx, 54, 114, 17, 19, (60, 62, 70), collar=WHITE, obi=(40, 40, 48))
    # Stole across the chest.
    c.poly([(cx - 16, 58), (cx - 10, 56), (cx + 18, 92), (cx + 12, 96)], fill=OCHRE, outline=INK,
           width=0.9)
    sleeve(c, cx + 16, 58, 30, 9, (60, 62, 70), 1)
    sleeve(c, cx - 16, 58, 30, 9, (60, 62, 70), -1)
    # The end-blown bamboo flute, held in front.
    c.line([(cx + 2, 50), (cx + 8, 102)], INK, 4.4)
    c.line([(cx + 2, 50), (cx + 8, 102)], BAMBOO, 3.0)
    for t in (0.3, 0.55, 0.8):
        x = cx + 2 + 6 * t
        y = 50 + 52 * t
        c.line([(x - 2, y), (x + 2, y)], INK, 0.6)
    hand(c, cx + 3, 66)
    hand(c, cx + 6, 84)
    # The woven basket hat that hides the whole head.
    c.poly(angle_pts(cx, 42, 16, 180, 360, 20) + [(cx + 16, 42), (cx + 14, 56), (cx - 14, 56),
                                                  (cx - 16, 42)], fill=OCHRE_LIGHT, outline=INK,
           width=1.2)
    for k in range(1, 6):
        y = 28 + k * 5
        half = math.sqrt(max(0.0, 16 ** 2 - (y - 42) ** 2)) if y < 42 else 16 - (y - 42) * 0.15
        c.line([(cx - half + 1, y), (cx + half - 1, y)], mix(OCHRE, INK, 0.4), 0.6)
    for k in range(-3, 4):
        x = cx + k * 4.4
        c.line([(x, 27 + abs(k) * 1.2), (x * 0.9 + cx * 0.1, 56)], mix(OCHRE, INK, 0.3), 0.5)
    c.rect(cx - 5, 44, cx + 5, 47, fill=(60, 50, 40), outline=None)


def lord(c):
    shadow(c, 64, 122, 34)
    cx = 64
    feet(c, cx, 121, 10, colour=WOOD, leggings=WHITE)
    # Wide trousers with fine stripes.
    c.poly([(cx - 18, 78), (cx + 18, 78), (cx + 26, 117), (cx - 26, 117)], fill=(92, 96, 120),
           outline=INK, width=1.1)
    for k in range(-5, 6):
        c.line([(cx + k * 3.2, 78), (cx + k * 4.6, 117)], mix((92, 96, 120), INK, 0.3), 0.5)
    c.line([(cx, 84), (cx, 117)], INK, 0.9)
    robe(c, cx, 54, 82, 14, 16, WHITE, collar=VERMILION)
    # Winged shoulder vest in indigo with the family crest.
    c.poly([(cx - 36, 50), (cx - 8, 54), (cx - 10, 80), (cx - 18, 80)], fill=INDIGO, outline=INK,
           width=1.1)
    c.poly([(cx + 36, 50), (cx + 8, 54), (cx + 10, 80), (cx + 18, 80)], fill=INDIGO, outline=INK,
           width=1.1)
    for sx in (-1, 1):
        c.circle(cx + sx * 20, 62, 4.2, fill=WALL, outline=INK, width=0.6)
        c.circle(cx + sx * 20, 62, 2.0, fill=INDIGO, outline=None)
    # Two swords at the waist, fan in hand.
    sword(c, cx - 6, 76, cx - 40, 96, sheath=(40, 30, 30))
    sword(c, cx - 2, 80, cx - 28, 92, sheath=(40, 30, 30))
    c.line([(cx + 10, 78), (cx + 28, 66)], INK, 3.0)
    c.line([(cx + 10, 78), (cx + 28, 66)], GOLD, 1.8)
    hand(c, cx + 12, 78)
    head(c, cx, 40, 11.5)
    topknot(c, cx, 40, 11.5)
    c.line([(cx - 4, 36), (cx - 1, 37)], INK, 1.2)
    c.line([(cx + 4, 36), (cx + 1, 37)], INK, 1.2)


def retainer(c):
    shadow(c, 64, 122, 32)
    cx = 62
    feet(c, cx, 121, 10, leggings=WHITE)
    c.poly([(cx - 16, 80), (cx + 16, 80), (cx + 22, 116), (cx - 22, 116)], fill=(70, 80, 96),
           outline=INK, width=1.1)
    c.line([(cx, 86), (cx, 116)], INK, 0.9)
    robe(c, cx, 52, 86, 16, 17, (58, 110, 120), collar=WHITE, obi=(30, 34, 44), obi_y=80)
    # Short coat with a white crest.
    c.poly([(cx - 17, 54), (cx - 6, 54), (cx - 5, 90), (cx - 20, 92)], fill=(40, 84, 96),
           outline=INK, width=1.0)
    c.poly([(cx + 17, 54), (cx + 6, 54), (cx + 5, 90), (cx + 20, 92)], fill=(40, 84, 96),
           outline=INK, width=1.0)
    c.circle(cx + 12, 62, 3, fill=WALL, outline=INK, width=0.5)
    sword(c, cx + 8, 74, cx - 36, 90, sheath=(30, 24, 24))
    sword(c, cx + 6, 79, cx - 20, 88, sheath=(30, 24, 24))
    sleeve(c, cx - 16, 56, 24, 7, (40, 84, 96), -1, hang=0.8)
    hand(c, cx + 10, 74)
    sleeve(c, cx + 16, 56, 22, 7, (40, 84, 96), 1, hang=0.7)
    head(c, cx, 40, 11)
    topknot(c, cx, 40)
    c.line([(cx - 6, 35), (cx - 2, 36.5)], INK, 1.2)
    c.line([(cx + 6, 35), (cx + 2, 36.5)], INK, 1.2)
    c.line([(cx - 10, 34.5), (cx + 10, 34.5)], WALL, 1.6)


def woman_ninja(c):
    shadow(c, 64, 122, 30)
    cx = 62
    suit = (70, 46, 80)
    # Red scarf flying behind.
    c.poly([(cx - 6, 52), (cx - 30, 40), (cx - 46, 48), (cx - 30, 50), (cx - 44, 60),
            (cx - 8, 58)], fill=VERMILION, outline=INK, width=1.0)
    feet(c, cx, 121, 9, colour=DARK, leggings=suit)
    robe(c, cx, 52, 104, 14, 15, suit, collar=(120, 90, 130), obi=VERMILION, obi_y=74)
    c.rect(cx - 13, 98, cx + 13, 112, fill=suit, outline=INK, width=1.0)
    c.line([(cx, 100), (cx, 112)], INK, 0.8)
    sleeve(c, cx - 14, 56, 20, 6, suit, -1, hang=0.7)
    # Arm raised with a throwing star.
    c.line([(cx + 12, 56), (cx + 30, 44)], INK, 6.0)
    c.line([(cx + 12, 56), (cx + 30, 44)], suit, 4.6)
    hand(c, cx + 31, 43, 3)
    star = []
    for k in range(8):
        r = 7 if k % 2 == 0 else 2.6
        a = math.radians(k * 45 + 10)
        star.append((cx + 36 + r * math.cos(a), 34 + r * math.sin(a)))
    c.poly(star, fill=(196, 200, 210), outline=INK, width=0.8)
    c.circle(cx + 36, 34, 1.2, fill=INK, outline=None)
    head(c, cx, 40, 10.5)
    # Mask over the mouth, hair tied high in a tail.
    cap(c, cx, 40, 10.5, 43, suit, width=0.9, below=True)
    cap(c, cx, 40, 11, 36, HAIR)
    c.poly([(cx - 4, 30), (cx - 16, 18), (cx - 22, 26), (cx - 10, 34)], fill=HAIR, outline=INK,
           width=0.9)
    c.rect(cx - 6, 27, cx - 1, 31, fill=VERMILION, outline=INK, width=0.5)
    c.line([(cx - 10.5, 35), (cx + 10.5, 35)], VERMILION, 1.8)


FIGURES = [traveller_with_child, old_gentleman, young_woman, spy, merchant, monk, lord, retainer,
           woman_ninja]


def draw_character(index):
    c = Canvas(SIZE, SIZE, None, scale=4)
    FIGURES[index](c)
    return c.finish()
