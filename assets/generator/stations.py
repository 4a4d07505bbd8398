"""The 55 station pictures (274 x 178): one scene per station, composed from the components of
scenery.py, with the station's name in a brush-lettered cartouche and its romanised name below.

Each station has a scene kind and a few options (mood, Mt Fuji, props); the random choices inside
a scene are seeded by the station number, so every rebuild gives the same pictures.
"""
from common import (FONT_BRUSH, FONT_GOTHIC, GRASS, GREY, INDIGO, INDIGO_DEEP, INDIGO_LIGHT,
                    INDIGO_MID, INK, OCHRE, OCHRE_LIGHT, PAPER, PINE, PINE_LIGHT, PINK, PLUM,
                    SAND, SEA_PALE, SNOW, VERMILION, VERMILION_DARK, WALL, WOOD, WOOD_LIGHT,
                    Canvas, mix, paper_texture, rng_for, smooth_curve)
import scenery as s

W, H = s.W, s.H

# Station number -> (scene kind, options). Kinds are the functions below.
PLAN = {
    0: ("grand_bridge", dict(mood="dawn", back="castle", fuji=True)),
    1: ("bay", dict(mood="dawn", shore="left", inns=True, boats=4)),
    2: ("river", dict(mood="day", ferry=True, fuji=True)),
    3: ("bay", dict(mood="day", shore="right", inns=True, boats=3, slope=True)),
    4: ("village_bridge", dict(mood="day")),
    5: ("pines", dict(mood="day", fuji=False, inns=True)),
    6: ("shrine", dict(mood="day", hills=True)),
    7: ("fields", dict(mood="day", hill=True, fuji=True)),
    8: ("bay", dict(mood="rain", shore="left", inns=True, boats=1)),
    9: ("castle", dict(mood="day", river=True)),
    10: ("mountains", dict(mood="day", lake=True, fuji=True)),
    11: ("shrine", dict(mood="mist", hills=False)),
    12: ("river", dict(mood="night", moon=True, banks="pines", flip=True)),
    13: ("fields", dict(mood="dawn", big_fuji=True)),
    14: ("pines", dict(mood="day", fuji=True, winding=True)),
    15: ("snow_village", dict(mood="snow")),
    16: ("cliff_sea", dict(mood="day", fuji=True)),
    17: ("river", dict(mood="day", porters=True, sea=True)),
    18: ("bay", dict(mood="day", shore="right", boats=5, pines=True, fuji=True)),
    19: ("river", dict(mood="dawn", porters=True, wide=True)),
    20: ("teahouse", dict(mood="day", blossom=PLUM)),
    21: ("valley", dict(mood="mist")),
    22: ("street", dict(mood="day", horses=True)),
    23: ("river", dict(mood="day", porters=True, wide=True, sandbanks=True)),
    24: ("river", dict(mood="dusk", wide=True, sandbanks=True, far_hills=True)),
    25: ("mountains", dict(mood="day", pass_rock=True)),
    26: ("castle", dict(mood="day", bridge=True)),
    27: ("teahouse", dict(mood="day", fields=True)),
    28: ("river", dict(mood="day", boats=True, flip=True)),
    29: ("castle", dict(mood="dusk", pines=True)),
    30: ("lake", dict(mood="day", boats=4, pines=True)),
    31: ("lake", dict(mood="day", gate=True, boats=2)),
    32: ("cliff_sea", dict(mood="day", fuji=False, windy=True)),
    33: ("pines", dict(mood="dusk", teahouse=True)),
    34: ("castle", dict(mood="dawn", bridge=True, river=True)),
    35: ("street", dict(mood="night", lanterns=True)),
    36: ("village", dict(mood="dusk", garden=True, flip=True)),
    37: ("procession", dict(mood="day")),
    38: ("long_bridge", dict(mood="day", castle=True)),
    39: ("fields", dict(mood="day", tree=True, horses=True)),
    40: ("street", dict(mood="day", banners=True, flip=True)),
    41: ("bay", dict(mood="dawn", shore="left", torii=True, boats=3)),
    42: ("bay", dict(mood="day", shore="right", castle=True, boats=3)),
    43: ("fields", dict(mood="day", reeds=True, wind=True)),
    44: ("shrine", dict(mood="dusk", temple=True, autumn=True)),
    45: ("rain_slope", dict(mood="rain")),
    46: ("castle", dict(mood="snow", snow=True)),
    47: ("barrier", dict(mood="dawn")),
    48: ("valley", dict(mood="day", waterfall=True, flip=True)),
    49: ("village_bridge", dict(mood="rain")),
    50: ("fields", dict(mood="day", farmers=True, water=True)),
    51: ("teahouse", dict(mood="dusk", mountains=True)),
    52: ("river", dict(mood="day", teahouse=True)),
    53: ("lake", dict(mood="day", town=True, boats=3, mountains=True)),
    54: ("grand_bridge", dict(mood="dusk", back="pagoda", blossom=True)),
}


def _far(c, rng, horizon, mood, fuji=False, fuji_x=None, peaks=3, height=26):
    far = mix(INDIGO_LIGHT, (255, 255, 255), 0.15)
    if mood in ("dusk",):
        far = mix(INDIGO_LIGHT, VERMILION, 0.2)
    if mood == "night":
        far = mix(INDIGO_DEEP, INDIGO_MID, 0.5)
    if fuji:
        fx = fuji_x if fuji_x is not None else rng.uniform(70, 200)
        s.fuji(c, fx, horizon + 2, 58, 120, body=far if mood != "night" else INDIGO)
    s.mountains(c, rng, horizon + 2, height * 0.7, mix(far, PINE_LIGHT, 0.25), peaks)


def grand_bridge(c, rng, mood, back="castle", fuji=False, blossom=False):
    """The two ends of the road: the arched bridge of the eastern capital over its canal, and
    the long bridge of the western capital over a shallow river under the eastern hills."""
    horizon = 92
    s.sky(c, mood, horizon)
    if fuji:
        s.fuji(c, 70, horizon - 6, 50, 104)
    if back == "castle":
        s.mist(c, rng, mood, 24, horizon - 34, 1)
        s.mountains(c, rng, horizon + 6, 14, mix(PINE_LIGHT, INDIGO_LIGHT, 0.5), 2)
        s.castle(c, 196, horizon + 4, 1.05)
        s.house_row(c, -4, W + 4, horizon + 16, rng, height=13)
        s.sea(c, horizon + 16, H, deep=INDIGO, rng=rng)
        s.arched_bridge(c, -20, W + 20, 148, 26, H, people=7, rng=rng)
        for k in range(3):
            s.boat(c, 40 + k * 90, H - 4, 22, sail=False, crew=1, rng=rng)
        if mood == "dawn":
            s.mist(c, rng, mood, 20, 40, 1, x_min=120)
        return
    # The western capital: the hills close behind the town, a pagoda among them.
    horizon = 84
    s.mountains(c, rng, horizon + 14, 56, mix(PINE_LIGHT, INDIGO_LIGHT, 0.3), 3)
    s.mist(c, rng, mood, 30, 50, 1)
    s.pagoda(c, 196, horizon + 14, 60)
    s.house_row(c, -4, W + 4, horizon + 24, rng, height=12)
    if blossom:
        for x in (24, 120, 246):
            s.round_tree(c, x, horizon + 26, 28, colour=mix(PINK, (255, 255, 255), 0.3),
                         blossom=PLUM, rng=rng)
    s.land(c, [(-2, horizon + 24), (W + 2, horizon + 24), (W + 2, H + 2), (-2, H + 2)], SAND,
           outline=0)
    s.water_band(c, [(-2, horizon + 36), (W + 2, horizon + 32), (W + 2, H - 10),
                     (-2, H - 4)], INDIGO_LIGHT, ripple=40, rng=rng)
    for k in range(3):
        x = 40 + k * 90 + rng.uniform(-10, 10)
        c.ellipse(x - 22, H - 30 + k * 3, x + 22, H - 22 + k * 3, fill=SAND, outline=INK,
                  width=0.5)
    s.arched_bridge(c, -10, W + 10, horizon + 52, 8, H - 12, people=8, rng=rng)


def bay(c, rng, mood, shore="left", inns=False, boats=3, slope=False, pines=False, fuji=False,
        torii=False, castle=False):
    horizon = 86
    s.sky(c, mood, horizon)
    if fuji:
        s.fuji(c, 92 if shore == "right" else 180, horizon + 1, 46, 100)
    s.mountains(c, rng, horizon + 1, 14, mix(INDIGO_LIGHT, PINE_LIGHT, 0.3), 4)
    s.mist(c, rng, mood, 26, 50, 1)
    s.sea(c, horizon, H, rng=rng)
    left = shore == "left"
    if slope:
        pts = [(W + 2, 40), (W - 40, 62), (W - 100, 120), (W - 150, H + 2), (W + 2, H + 2)]
        if left:
            pts = [(W - x, y) for x, y in pts]
        s.land(c, smooth_curve(pts[:4], 5) + pts[4:], mix(GRASS, OCHRE_LIGHT, 0.3))
        for k in range(5):
            x = W - 44 - k * 22 if not left else 44 + k * 22 - 16
            s.house(c, x, 70 + k * 21, 18, 11, rng, lantern=True)
    else:
        base = [(W + 2, horizon + 22), (W - 90, horizon + 40), (W - 150, H - 14),
                (W - 200, H + 2), (W + 2, H + 2)]
        if left:
            base = [(W - x, y) for x, y in base]
        s.land(c, smooth_curve(base[:4], 5) + base[4:], SAND)
        if inns:
            for k in range(4):
                x = (W - 80 + k * 20) if not left else (6 + k * 20)
                s.house(c, x, horizon + 38 + k * 9, 18, 12, rng, lantern=(k % 2 == 0),
                        noren=INDIGO)
        if pines or not inns:
            for k in range(4):
                x = (W - 30 - k * 26) if not left else (20 + k * 26)
                s.pine(c, x, H - 10 - k * 6, 30 - k * 4, rng, lean=0.3 if left else -0.3)
        if castle:
            s.castle(c, W - 56 if not left else 56, horizon + 40, 0.9)
    if torii:
        s.torii(c, 200 if left else 74, H - 30, 44)
    for k in range(boats):
        x = (W * 0.35 + k * 34 + rng.uniform(-8, 8)) if left else (W * 0.1 + k * 30)
        y = horizon + 14 + k * 14 + rng.uniform(-3, 3)
        s.boat(c, x, y, 12 + k * 3, sail=(k % 3 != 2), facing=1 if k % 2 else -1, rng=rng)
    if mood == "rain":
        s.rain(c, rng)


def river(c, rng, mood, ferry=False, fuji=False, moon=False, banks=None, porters=False,
          sea=False, wide=False, sandbanks=False, far_hills=False, boats=False, teahouse=False):
    horizon = 78
    s.sky(c, mood, horizon)
    if mood == "night":
        s.stars(c, rng, horizon)
    if moon:
        s.moon(c, 206, 30, 14)
    _far(c, rng, horizon, mood, fuji=fuji, fuji_x=80, peaks=4, height=30 if far_hills else 20)
    if mood == "night":
        bank = mix(PINE, INDIGO_DEEP, 0.5)
        s.land(c, [(-2, horizon), (W + 2, horizon), (W + 2, H + 2), (-2, H + 2)], bank, outline=0)
        s.grass(c, 0, horizon + 4, W, H, rng, colour=INDIGO_MID, count=50)
    else:
        s.fields(c, horizon, H + 2, rng, colours=(PINE_LIGHT, GRASS, mix(GRASS, OCHRE_LIGHT, 0.5)))
        s.house_row(c, 4, 96, horizon + 8, rng, height=7)
    spread = 120 if wide else 60
    centre = 150 if not sea else 120
    river_pts = smooth_curve([(centre - 10, horizon), (centre - spread * 0.35, horizon + 30),
                              (centre - spread * 0.5, H + 2)], 6)
    river_pts += smooth_curve([(centre + spread * 0.6 + 50, H + 2),
                               (centre + spread * 0.35 + 10, horizon + 30),
                               (centre + 10, horizon)], 6)
    if sea:
        s.sea(c, horizon, horizon + 20, rng=rng, waves=False)
    water = INDIGO_LIGHT if mood != "night" else INDIGO_MID
    s.water_band(c, river_pts, water, ripple=40, rng=rng)
    if sandbanks:
        for k in range(3):
            y = horizon + 20 + k * 26
            x = centre - 20 + rng.uniform(-20, 30) + k * 10
            c.ellipse(x - 14 - k * 6, y - 3 - k, x + 14 + k * 6, y + 3 + k, fill=SAND,
                      outline=INK, width=0.5)
    if banks == "pines":
        for k in range(6):
            s.pine(c, 8 + k * 16, horizon + 10 + k * 12, 18 + k * 4, rng, lean=0.2,
                   colour=mix(PINE, INDIGO_DEEP, 0.4))
    if ferry or boats:
        for k in range(2 if boats else 1):
            s.boat(c, centre + 6 + k * 24, horizon + 50 + k * 30, 18 + k * 6, sail=boats, crew=3,
                   rng=rng)
    if porters:
        for k in range(5):
            x = centre - 30 + k * 18 + rng.uniform(-4, 4)
            y = horizon + 40 + k * 9
            s.traveller(c, x, y, 11 + k, rng, hat=OCHRE_LIGHT)
    if teahouse:
        s.teahouse(c, 20, H - 24, 40, rng)
        s.flat_bridge(c, centre - 50, centre + 90, horizon + 34, horizon + 44, rng=rng, people=3)
    if mood not in ("night",):
        s.geese(c, 30, 22, 4, rng)
    for k in range(3):
        s.reeds(c, W - 60 + k * 8, W - 40 + k * 10, H - 2 - k * 3, rng,
                colour=OCHRE if mood != "night" else INDIGO_MID)


def village_bridge(c, rng, mood):
    horizon = 80
    s.sky(c, mood, horizon)
    s.mountains(c, rng, horizon + 8, 34, mix(PINE_LIGHT, INDIGO_LIGHT, 0.3), 3)
    s.mist(c, rng, mood, 30, 56, 1)
    s.land(c, [(-2, horizon + 6), (W + 2, horizon + 6), (W + 2, H + 2), (-2, H + 2)], GRASS,
           outline=0)
    s.house_row(c, 150, W + 4, horizon + 30, rng, height=15)
    for k in range(3):
        s.pine(c, 20 + k * 34, horizon + 28, 26, rng)
    stream = smooth_curve([(60, horizon + 30), (110, horizon + 60), (90, H + 2)], 6) + \
        smooth_curve([(170, H + 2), (170, horizon + 60), (100, horizon + 30)], 6)
    s.water_band(c, stream, INDIGO_LIGHT, ripple=20, rng=rng)
    s.flat_bridge(c, 60, 210, horizon + 58, horizon + 68, rng=rng, people=4)
    if mood == "rain":
        s.rain(c, rng, slant=-0.25)


def pines(c, rng, mood, fuji=False, inns=False, winding=False, teahouse=False):
    horizon = 84
    s.sky(c, mood, horizon)
    _far(c, rng, horizon, mood, fuji=fuji, fuji_x=60 if winding else 200, height=22)
    s.mist(c, rng, mood, 24, 46, 2)
    fields_top = horizon + 2
    s.fields(c, fields_top, H + 2, rng)
    if winding:
        road = smooth_curve([(150, horizon + 2), (200, horizon + 26), (90, horizon + 52),
                             (140, H + 2)], 6)
    else:
        road = [(132, horizon + 2), (142, horizon + 2), (190, H + 2), (84, H + 2)]
    if winding:
        left = [(x - 3 - (y - horizon) * 0.2, y) for x, y in road]
        right = [(x + 3 + (y - horizon) * 0.2, y) for x, y in reversed(road)]
        s.land(c, left + right, SAND, outline=0.6)
        for i in range(0, len(road) - 1, 2):
            x, y = road[i]
            size = 8 + (y - horizon) * 0.55
            s.pine(c, x - 10 - (y - horizon) * 0.35, y, size, rng, lean=-0.2)
            s.pine(c, x + 10 + (y - horizon) * 0.35, y + 2, size, rng, lean=0.2)
    else:
        s.land(c, road, SAND, outline=0.6)
        for k in range(6):
            t = k / 5
            y = horizon + 6 + t * t * 84
            size = 8 + t * t * 60
            s.pine(c, 132 - 10 - t * 60, y, size, rng, lean=-0.15)
            s.pine(c, 142 + 10 + t * 60, y, size, rng, lean=0.15)
    for k in range(3):
        s.traveller(c, 130 + k * 7, horizon + 44 + k * 10, 9 + k * 2, rng)
    if inns:
        s.house_row(c, 186, 250, horizon + 12, rng, height=9)
    if teahouse:
        s.teahouse(c, 12, horizon + 54, 44, rng)


def shrine(c, rng, mood, hills=True, temple=False, autumn=False):
    horizon = 96
    s.sky(c, mood, horizon)
    if hills:
        s.mountains(c, rng, horizon, 40, mix(PINE_LIGHT, INDIGO_LIGHT, 0.3), 2)
    s.land(c, [(-2, horizon), (W + 2, horizon), (W + 2, H + 2), (-2, H + 2)], SAND, outline=0)
    for k in range(7):
        x = 150 + k * 18
        s.cedar(c, x, horizon + 4 + (k % 2) * 3, 40 + (k % 3) * 8)
    if temple:
        s.house(c, 170, horizon + 10, 70, 22, rng, roof=(60, 62, 72))
    for k in range(4):
        x = 10 + k * 26
        if autumn:
            s.round_tree(c, x, horizon + 12, 30, colour=mix(VERMILION, OCHRE, 0.3))
        else:
            s.cedar(c, x, horizon + 10, 46)
    road = [(110, horizon), (136, horizon), (200, H + 2), (40, H + 2)]
    s.land(c, road, mix(SAND, WALL, 0.4), outline=0.5)
    s.torii(c, 123, horizon + 46, 62)
    for k in range(3):
        s.traveller(c, 100 + k * 20, horizon + 60 + k * 6, 12 + k * 2, rng)
    if mood == "mist":
        s.veil(c, horizon - 30, 14)
        s.veil(c, horizon + 10, 10, x0=-40, x1=160)


def fields(c, rng, mood, hill=False, fuji=False, big_fuji=False, tree=False, horses=False,
           reeds=False, wind=False, farmers=False, water=False):
    horizon = 96 if not big_fuji else 118
    s.sky(c, mood, horizon)
    if big_fuji:
        s.fuji(c, 150, horizon + 2, 112, 250, body=INDIGO_MID)
    else:
        _far(c, rng, horizon, mood, fuji=fuji, fuji_x=160, height=20)
    if hill:
        c.ellipse(20, horizon - 34, 140, horizon + 40, fill=PINE_LIGHT, outline=INK, width=0.8)
        for k in range(4):
            s.pine(c, 46 + k * 18, horizon - 28 + abs(k - 1.5) * 5, 12, rng)
    s.mist(c, rng, mood, 30, 60, 1)
    s.fields(c, horizon, H + 2, rng, water=water)
    if tree:
        s.pine(c, 200, H - 20, 70, rng, lean=-0.25)
    if horses:
        for k in range(4):
            x = 60 + k * 24
            y = horizon + 30 + (k % 2) * 8
            c.ellipse(x - 6, y - 5, x + 6, y, fill=WOOD, outline=INK, width=0.5)
            c.line([(x + 5, y - 3), (x + 9, y - 8)], INK, 1.6)
            for lx in (x - 4, x + 4):
                c.line([(lx, y), (lx, y + 5)], INK, 0.7)
    if reeds:
        for k in range(4):
            s.reeds(c, -4, W + 4, horizon + 20 + k * 20, rng, wind=1.0 if wind else 0.0,
                    height=(8 + k * 6, 14 + k * 9))
        flat = [(60, H - 30), (230, H - 36), (236, H - 28), (54, H - 22)]
        s.land(c, flat, SAND, outline=0.6)
        s.traveller(c, 130, H - 28, 40, rng)
        # His hat has blown off in the wind.
        c.ellipse(166, H - 92, 190, H - 82, fill=OCHRE, outline=INK, width=0.6)
        c.line([(170, H - 88), (186, H - 86)], mix(OCHRE, INK, 0.4), 0.5)
        for k in range(3):
            c.arc(100 + k * 20, H - 110 + k * 6, 180 + k * 20, H - 96 + k * 6, 200, 330,
                  (255, 255, 255, 170), 0.6)
    if farmers:
        for k in range(5):
            x = 40 + k * 46
            y = horizon + 24 + (k % 3) * 18
            s.traveller(c, x, y, 14 + (k % 3) * 6, rng, hat=OCHRE_LIGHT, robe=INDIGO_MID)
        for k in range(3):
            s.round_tree(c, 30 + k * 90, horizon + 6, 16, colour=PINE)
    if big_fuji:
        s.traveller(c, 60, H - 10, 26, rng)
        s.traveller(c, 84, H - 12, 22, rng)


def castle(c, rng, mood, river=False, bridge=False, pines=False, snow=False):
    horizon = 90
    s.sky(c, mood, horizon)
    if mood == "snow":
        s.snowfall(c, rng, 120)
    s.mountains(c, rng, horizon + 4, 30, mix(INDIGO_LIGHT, (255, 255, 255), 0.2), 3, snow=snow)
    hill = smooth_curve([(120, horizon + 12), (170, horizon - 10), (230, horizon - 14),
                         (W + 4, horizon + 4)], 5)
    s.land(c, hill + [(W + 4, H), (120, H)], SNOW if snow else PINE_LIGHT)
    s.castle(c, 200, horizon - 10, 1.4, snow=snow)
    ground = SNOW if snow else GRASS
    s.land(c, [(-2, horizon + 14), (W + 2, horizon + 10), (W + 2, H + 2), (-2, H + 2)], ground)
    s.house_row(c, -4, 170, horizon + 28, rng, height=12, snow=snow)
    if pines:
        for k in range(3):
            s.pine(c, 180 + k * 28, horizon + 46, 36, rng, snow=snow)
    if river or bridge:
        band = [(-2, horizon + 40), (W + 2, horizon + 44), (W + 2, horizon + 78),
                (-2, horizon + 70)]
        s.water_band(c, band, INDIGO_LIGHT, ripple=30, rng=rng)
        if bridge:
            s.flat_bridge(c, 40, 210, horizon + 52, horizon + 74, rng=rng, people=4)
    for k in range(3):
        s.traveller(c, 40 + k * 60, H - 8, 18, rng)
    if mood == "snow":
        s.snowfall(c, rng, 160)


def mountains(c, rng, mood, lake=False, fuji=False, stream=False, pass_rock=False,
              waterfall=False):
    horizon = 70
    s.sky(c, mood, horizon)
    if fuji:
        s.fuji(c, 70, horizon + 8, 44, 96)
    s.mountains(c, rng, horizon + 10, 40, mix(INDIGO_LIGHT, (255, 255, 255), 0.1), 3)
    if lake:
        s.sea(c, horizon + 16, horizon + 40, rng=rng, waves=False)
    x, base = 110 + rng.uniform(-15, 15), H - 20
    w, h = 150 * rng.uniform(0.85, 1.1), 130 * rng.uniform(0.8, 1.05)
    s.crag(c, x, base, w, h, mix(PINE_LIGHT, OCHRE, rng.uniform(0.1, 0.4)), rng)
    s.crag(c, -20, H + 4, 120 * rng.uniform(0.8, 1.2), 90 * rng.uniform(0.8, 1.2),
           mix(PINE, GRASS, 0.4), rng)
    # The road zigzags up the big crag's face to its shoulder.
    road = smooth_curve([(x + 0.72 * w, H + 2), (x + 0.55 * w, base - 0.3 * h),
                         (x + 0.68 * w, base - 0.55 * h), (x + 0.5 * w, base - 0.8 * h),
                         (x + 0.44 * w, base - 0.95 * h)], 6)
    c.line(road, INK, 4.2)
    c.line(road, SAND, 3.0)
    for t in (2, 6, 10):
        x, y = road[t]
        s.traveller(c, x, y + 2, 10, rng)
    if stream:
        w = [(30, H + 2), (58, 120), (40, 96), (56, 96), (74, 120), (60, H + 2)]
        s.water_band(c, w, INDIGO_LIGHT, ripple=12, rng=rng)
        for k in range(4):
            s.cedar(c, 90 + k * 10, 110 + k * 4, 30)
    if pass_rock:
        c.ellipse(80, 132, 124, 160, fill=GREY, outline=INK, width=0.8)
        c.arc(90, 138, 112, 152, 200, 320, mix(GREY, INK, 0.4), 0.6)
        s.teahouse(c, 20, 150, 36, rng)
    if waterfall:
        s.waterfall(c, 206, 44, 130, 10, rng)
        c.ellipse(190, 124, 238, 140, fill=INDIGO_LIGHT, outline=INK, width=0.6)
    s.mist(c, rng, mood, 50, 70, 1, x_max=140)
    if mood == "mist":
        s.veil(c, 96, 12, x0=90)


def valley(c, rng, mood, waterfall=False):
    """A narrow valley: steep slopes on both sides, a stream and the road climbing beside it."""
    horizon = 74
    s.sky(c, mood, horizon)
    s.mountains(c, rng, horizon + 6, 46, mix(INDIGO_LIGHT, (255, 255, 255), 0.1), 2)
    s.mist(c, rng, mood, 30, 50, 1)
    s.land(c, [(-2, horizon + 4), (W + 2, horizon + 4), (W + 2, H + 2), (-2, H + 2)],
           mix(GRASS, PINE_LIGHT, 0.5), outline=0)
    stream = smooth_curve([(120, horizon + 6), (140, horizon + 40), (118, 130), (150, H + 2)], 6)
    left = [(x - 2 - (y - horizon) * 0.12, y) for x, y in stream]
    right = [(x + 2 + (y - horizon) * 0.12, y) for x, y in reversed(stream)]
    s.water_band(c, left + right, INDIGO_LIGHT, ripple=18, rng=rng)
    road = [(x - 14 - (y - horizon) * 0.3, y) for x, y in stream]
    c.line(road, INK, 3.8)
    c.line(road, SAND, 2.7)
    for t in (4, 10, 15):
        x, y = road[t]
        s.traveller(c, x, y + 2, 8 + (y - horizon) * 0.12, rng)
    s.crag(c, -40, H + 6, 150, 150, mix(PINE, GRASS, 0.45), rng)
    s.crag(c, 170, H + 6, 140, 128, mix(PINE_LIGHT, OCHRE, 0.3), rng)
    for k in range(5):
        s.cedar(c, 190 + k * 14, 120 + k * 10 - (k % 2) * 4, 26 + k * 3,
                colour=mix(PINE, INK, 0.15))
    if waterfall:
        s.waterfall(c, 40, 52, 140, 11, rng)
        c.ellipse(28, 134, 64, 148, fill=INDIGO_LIGHT, outline=INK, width=0.6)
    if mood == "mist":
        s.veil(c, 92, 12)
        s.veil(c, 128, 9, x0=120)


def village(c, rng, mood, horses=False, lanterns=False, garden=False, gate=False,
            banners=False):
    horizon = 86
    s.sky(c, mood, horizon)
    if mood == "night":
        s.stars(c, rng, horizon)
        s.moon(c, 50, 28, 10)
    s.mountains(c, rng, horizon + 4, 32, mix(PINE_LIGHT, INDIGO_LIGHT, 0.35)
                if mood != "night" else INDIGO, 3)
    s.mist(c, rng, mood, 26, 48, 1)
    s.land(c, [(-2, horizon + 8), (W + 2, horizon + 8), (W + 2, H + 2), (-2, H + 2)],
           SAND if mood != "night" else mix(SAND, INDIGO_DEEP, 0.5), outline=0)
    lit = mood == "night"
    s.house_row(c, -6, W + 6, horizon + 22, rng, height=12, lit=lit)
    x = -4
    k = 0
    while x < W:
        w = 44
        s.house(c, x, H - 26, w - 4, 30, rng, lantern=lanterns or k % 2 == 0, lit=lit,
                noren=(INDIGO, VERMILION_DARK, INDIGO_MID)[k % 3])
        x += w
        k += 1
    if gate:
        s.barrier_gate(c, 110, horizon + 40, 40, 26)
    if banners:
        for k in range(5):
            s.banner(c, 30 + k * 50, H - 26, 42, (INDIGO, INDIGO_MID, VERMILION)[k % 3], rng)
    if garden:
        for k in range(2):
            s.round_tree(c, 140 + k * 90, horizon + 30, 26, colour=PINE)
    for k in range(4):
        s.traveller(c, 40 + k * 60 + rng.uniform(-10, 10), H - 4, 20, rng)
    if horses:
        for k in range(2):
            x = 90 + k * 90
            y = H - 8
            c.ellipse(x - 12, y - 16, x + 12, y - 6, fill=WOOD, outline=INK, width=0.6)
            c.line([(x + 10, y - 12), (x + 18, y - 22)], INK, 3.0)
            c.line([(x + 10, y - 12), (x + 18, y - 22)], WOOD, 2.0)
            for lx in (x - 8, x - 3, x + 4, x + 9):
                c.line([(lx, y - 7), (lx, y + 2)], INK, 1.0)
            c.rect(x - 6, y - 20, x + 6, y - 15, fill=VERMILION, outline=INK, width=0.4)


def street(c, rng, mood, horses=False, lanterns=False, banners=False):
    """A post-town street running away from the viewer, inns on both sides."""
    horizon = 92
    vx, vy = 150, horizon + 2
    s.sky(c, mood, horizon)
    if mood == "night":
        s.stars(c, rng, horizon)
        s.moon(c, 60, 26, 10)
    s.mountains(c, rng, horizon + 2, 40, mix(PINE_LIGHT, INDIGO_LIGHT, 0.35)
                if mood != "night" else INDIGO, 3)
    s.mist(c, rng, mood, 30, 52, 1)
    ground = SAND if mood != "night" else mix(SAND, INDIGO_DEEP, 0.55)
    s.land(c, [(-2, vy), (W + 2, vy), (W + 2, H + 2), (-2, H + 2)], ground, outline=0)
    lit = mood == "night"
    noren = (INDIGO, VERMILION_DARK, INDIGO_MID, (90, 110, 80))
    for side in (-1, 1):
        depths = [0.08, 0.24, 0.38, 0.5, 0.6, 0.69, 0.77, 0.84]
        for k, t in reversed(list(enumerate(depths))):
            scale = 1 - t
            width = 70 * scale
            height = 46 * scale
            base = vy + (H + 6 - vy) * scale
            inner = vx + side * (12 + 104 * scale)
            x = inner if side > 0 else inner - width
            s.house(c, x, base, width, height, rng, lantern=lanterns or k % 2 == 0, lit=lit,
                    noren=noren[(k + (side > 0)) % 4])
            if banners and k % 2 == 0 and k < 6:
                bx = inner - side * 3
                s.banner(c, bx, base, 56 * scale, (INDIGO, INDIGO_MID, VERMILION)[k // 2 % 3],
                         rng)
    for k in range(5):
        t = k / 5
        y = vy + 8 + (H - vy - 8) * (1 - t) ** 1.4
        x = vx + rng.uniform(-14, 14) * (1 - t)
        s.traveller(c, x, y, 6 + 22 * (1 - t) ** 1.4, rng)
    if horses:
        x, y = vx - 20, H - 14
        c.ellipse(x - 16, y - 22, x + 16, y - 8, fill=WOOD, outline=INK, width=0.7)
        for lx in (x - 11, x - 5, x + 5, x + 11):
            c.line([(lx, y - 10), (lx, y + 4)], INK, 1.5)
        c.poly([(x + 10, y - 20), (x + 16, y - 34), (x + 22, y - 33), (x + 18, y - 14)],
               fill=WOOD, outline=INK, width=0.6)
        c.poly([(x + 16, y - 34), (x + 30, y - 27), (x + 28, y - 23), (x + 19, y - 26)],
               fill=WOOD, outline=INK, width=0.6)
        c.line([(x + 15, y - 33), (x + 12, y - 22)], INK, 1.2)
        c.line([(x - 16, y - 16), (x - 21, y - 4)], INK, 1.2)
        c.rect(x - 8, y - 23, x + 8, y - 14, fill=VERMILION, outline=INK, width=0.5)


def barrier(c, rng, mood):
    """A checkpoint gate at the foot of the mountains, its fence running off both ways."""
    horizon = 88
    s.sky(c, mood, horizon)
    s.mountains(c, rng, horizon + 4, 50, mix(PINE_LIGHT, INDIGO_LIGHT, 0.3), 2)
    s.mist(c, rng, mood, 40, 60, 2)
    s.land(c, [(-2, horizon), (W + 2, horizon), (W + 2, H + 2), (-2, H + 2)], SAND, outline=0)
    s.grass(c, 0, horizon + 4, W, H, rng, count=70)
    for k in range(6):
        s.cedar(c, 10 + k * 20, horizon + 8 + (k % 2) * 4, 40)
    s.house(c, 180, horizon + 30, 60, 22, rng, noren=INDIGO)
    s.barrier_gate(c, 104, H - 22, 64, 76)
    road = [(126, H - 22), (148, H - 22), (170, H + 2), (100, H + 2)]
    s.land(c, road, mix(SAND, WALL, 0.4), outline=0.5)
    for k in range(3):
        s.banner(c, 60 + k * 150 - (k == 2) * 30, H - 18, 50, (VERMILION, INDIGO, VERMILION)[k],
                 rng)
    for k in range(4):
        s.traveller(c, 118 + k * 12, H - 26 + k * 6, 14 + k * 2, rng)


def procession(c, rng, mood):
    """A lord's train on the road below the hills: spears, banners and the palanquin."""
    horizon = 84
    s.sky(c, mood, horizon)
    s.mountains(c, rng, horizon + 4, 44, mix(PINE_LIGHT, INDIGO_LIGHT, 0.3), 3)
    s.mist(c, rng, mood, 30, 56, 1)
    s.fields(c, horizon + 2, H + 2, rng)
    road = smooth_curve([(-4, 132), (90, 124), (180, 130), (W + 4, 122)], 6)
    top = [(x, y - 6) for x, y in road]
    bottom = [(x, y + 6) for x, y in reversed(road)]
    s.land(c, top + bottom, SAND, outline=0.6)
    for k in range(3):
        s.pine(c, 30 + k * 100, 116 - k * 3, 40, rng, lean=(-0.2, 0.25, -0.1)[k])
    s.barrier_gate(c, 214, 124, 24, 30)
    for k in range(16):
        x = 8 + k * 12.5
        y = smooth_y(road, x)
        if k in (7, 8):
            continue
        s.traveller(c, x, y + 2, 14, rng, hat=(40, 40, 48), robe=(INDIGO, INDIGO_MID)[k % 2])
        if k % 3 == 0:
            c.line([(x + 3, y + 2), (x + 5, y - 22)], INK, 0.7)
            c.ellipse(x + 3, y - 26, x + 7, y - 20, fill=INK, outline=None)
        elif k % 3 == 1:
            s.banner(c, x + 3, y + 2, 22, VERMILION, rng)
    # The palanquin between its bearers.
    x = 8 + 7.5 * 12.5
    y = smooth_y(road, x)
    c.line([(x - 14, y - 10), (x + 14, y - 11)], INK, 1.6)
    c.rect(x - 7, y - 12, x + 7, y - 1, fill=INK, outline=INK, width=0.6)
    c.rect(x - 5, y - 10, x + 5, y - 4, fill=OCHRE, outline=None)
    c.poly([(x - 9, y - 12), (x, y - 17), (x + 9, y - 12)], fill=INK, outline=INK, width=0.5)


def smooth_y(curve, x):
    for (x0, y0), (x1, y1) in zip(curve, curve[1:]):
        if x0 <= x <= x1:
            return y0 + (y1 - y0) * (x - x0) / max(1e-6, x1 - x0)
    return curve[-1][1]


def snow_village(c, rng, mood):
    horizon = 84
    s.sky(c, "snow", horizon)
    s.mountains(c, rng, horizon + 2, 46, (220, 220, 222), 2, outline=0.8)
    slope = smooth_curve([(-2, horizon + 10), (120, horizon + 30), (W + 2, horizon + 70)], 6)
    s.land(c, slope + [(W + 2, H + 2), (-2, H + 2)], SNOW)
    for k in range(5):
        x = 10 + k * 40
        base = horizon + 26 + k * 10
        s.house(c, x, base, 30, 16, rng, snow=True, lit=True)
    for k in range(3):
        s.pine(c, 220 + k * 18, H - 30 + k * 6, 24, rng, snow=True, colour=mix(PINE, INK, 0.3))
    for k in range(3):
        s.traveller(c, 120 + k * 30, H - 18 + k * 4, 18, rng, hat=SNOW)
    s.snowfall(c, rng, 320)


def cliff_sea(c, rng, mood, fuji=True, windy=False):
    horizon = 84
    s.sky(c, mood, horizon)
    if fuji:
        s.fuji(c, 90, horizon + 2, 64, 130)
    s.mist(c, rng, mood, 36, 56, 1, x_max=170)
    s.sea(c, horizon, H, rng=rng)
    for k in range(3):
        s.boat(c, 40 + k * 36, horizon + 18 + k * 8, 10 + k * 2, rng=rng)
    cliff = [(W + 2, 20), (186, 40), (170, 90), (150, 130), (126, H + 2), (W + 2, H + 2)]
    s.land(c, smooth_curve(cliff[:5], 5) + cliff[5:], mix(PINE_LIGHT, OCHRE, 0.3))
    for k in range(4):
        y = 60 + k * 24
        c.line([(190 - k * 10, y), (230 - k * 6, y + 6)], mix(PINE_LIGHT, INK, 0.4), 0.6)
    path = smooth_curve([(200, 50), (230, 80), (180, 110), (210, 150), (170, H + 2)], 6)
    c.line(path, INK, 3.6)
    c.line(path, SAND, 2.5)
    for t in (6, 14, 20):
        x, y = path[t]
        s.traveller(c, x, y + 2, 11, rng)
    for k in range(3):
        s.pine(c, 200 + k * 24, 34 + k * 10, 26, rng, lean=-0.5 if windy else 0.2)
    if windy:
        for k in range(6):
            y = 20 + k * 10
            c.arc(20 + k * 14, y, 120 + k * 14, y + 12, 190, 330, (255, 255, 255, 160), 0.6)


def teahouse(c, rng, mood, blossom=None, fields=False, mountains=False):
    horizon = 92
    s.sky(c, mood, horizon)
    if mountains:
        s.mountains(c, rng, horizon, 50, mix(INDIGO_LIGHT, PINE_LIGHT, 0.3), 3)
    else:
        s.mountains(c, rng, horizon + 4, 30, mix(PINE_LIGHT, INDIGO_LIGHT, 0.3), 2)
    s.mist(c, rng, mood, 26, 50, 2)
    if fields:
        s.fields(c, horizon, H + 2, rng)
    else:
        s.land(c, [(-2, horizon), (W + 2, horizon), (W + 2, H + 2), (-2, H + 2)], GRASS,
               outline=0)
    road = [(-2, H - 30), (W + 2, H - 40), (W + 2, H - 22), (-2, H - 10)]
    s.land(c, road, SAND, outline=0.5)
    s.teahouse(c, 120, H - 34, 70, rng)
    if blossom:
        for x in (40, 86, 230):
            s.round_tree(c, x, H - 34, 40, colour=mix(PINE_LIGHT, WALL, 0.3), blossom=blossom,
                         rng=rng)
    else:
        s.pine(c, 50, H - 26, 60, rng, lean=0.3)
    for k in range(3):
        s.traveller(c, 20 + k * 16 + (k == 2) * 190, H - 16, 18, rng)


def long_bridge(c, rng, mood, castle=True):
    horizon = 80
    s.sky(c, mood, horizon)
    s.mountains(c, rng, horizon + 4, 24, mix(INDIGO_LIGHT, (255, 255, 255), 0.2), 3)
    s.land(c, [(-2, horizon + 4), (W + 2, horizon + 4), (W + 2, horizon + 30),
               (-2, horizon + 30)], GRASS)
    if castle:
        s.castle(c, 60, horizon + 22, 1.1)
    s.house_row(c, 110, W + 4, horizon + 26, rng, height=10)
    s.sea(c, horizon + 30, H, deep=INDIGO, rng=rng)
    pts = [(-4, horizon + 64), (W + 4, horizon + 44)]
    deck = pts
    for i in range(0, 30):
        t = i / 29
        x = -4 + (W + 8) * t
        y = horizon + 64 - 20 * t
        c.line([(x, y + 2), (x, y + 20 - t * 8)], INK, 0.9)
    c.poly([(-4, horizon + 64), (W + 4, horizon + 44), (W + 4, horizon + 48), (-4, horizon + 68)],
           fill=WOOD_LIGHT, outline=INK, width=0.7)
    c.line([(-4, horizon + 58), (W + 4, horizon + 39)], INK, 0.8)
    for i in range(0, 46):
        t = i / 45
        x = -4 + (W + 8) * t
        y = horizon + 64 - 20 * t
        c.line([(x, y), (x, y - 6)], INK, 0.5)
    for k in range(6):
        t = 0.1 + k * 0.15
        s.traveller(c, -4 + (W + 8) * t, horizon + 64 - 20 * t, 10, rng)
    s.boat(c, 200, H - 16, 20, sail=False, crew=2, rng=rng)
    del deck


def lake(c, rng, mood, boats=3, pines=False, gate=False, town=False, mountains=False):
    horizon = 88
    s.sky(c, mood, horizon)
    s.mountains(c, rng, horizon, 40 if mountains else 16, mix(INDIGO_LIGHT, PINE_LIGHT, 0.3), 4)
    s.mist(c, rng, mood, 30, 54, 1)
    s.sea(c, horizon, H, deep=INDIGO_MID, pale=SEA_PALE, rng=rng)
    for k in range(boats):
        s.boat(c, 60 + k * 50 + rng.uniform(-8, 8), horizon + 16 + k * 12, 12 + k * 3, rng=rng)
    if pines:
        s.land(c, smooth_curve([(-2, H - 40), (80, H - 30), (160, H + 2)], 5) + [(-2, H + 2)],
               SAND)
        for k in range(4):
            s.pine(c, 10 + k * 26, H - 30 + k * 6, 34, rng, lean=0.3)
    if gate:
        shore = [(150, H - 40), (W + 2, H - 50), (W + 2, H + 2), (120, H + 2)]
        s.land(c, shore, SAND)
        s.barrier_gate(c, 200, H - 28, 34, 26)
        s.house(c, 150, H - 20, 40, 18, rng)
        s.boat(c, 100, H - 20, 26, sail=False, crew=4, rng=rng)
    if town:
        shore = [(-2, H - 46), (130, H - 40), (150, H + 2), (-2, H + 2)]
        s.land(c, shore, SAND)
        s.house_row(c, -4, 130, H - 28, rng, height=14)
        s.house_row(c, -4, 140, H - 4, rng, height=16)


def rain_slope(c, rng, mood):
    horizon = 70
    s.sky(c, "rain", horizon)
    s.mountains(c, rng, horizon + 6, 30, (150, 156, 160), 3)
    slope = [(-2, 60), (W + 2, 150), (W + 2, H + 2), (-2, H + 2)]
    s.land(c, slope, mix(GRASS, GREY, 0.3))
    for k in range(10):
        x = 10 + k * 20
        s.cedar(c, x, 74 + k * 9, 50, colour=mix(PINE, GREY, 0.3))
    for k in range(3):
        x = 60 + k * 60
        y = 100 + k * 26
        s.traveller(c, x, y, 20, rng, hat=OCHRE_LIGHT)
    s.rain(c, rng, slant=0.15, count=360, colour=(30, 34, 46, 170))


SCENES = {name: globals()[name] for name in {kind for kind, _ in PLAN.values()}}


def cartouche(c, name):
    """Vertical title slip at the top right: brush lettering on paper in a vermilion frame."""
    size = 17
    n = len(name)
    w = 24
    h = n * (size + 1) + 10
    x1 = W - 7
    x0 = x1 - w
    y0 = 7
    c.rect(x0 - 2, y0 - 2, x1 + 2, y0 + h + 2, fill=VERMILION, outline=INK, width=0.6)
    c.rect(x0, y0, x1, y0 + h, fill=(250, 244, 226), outline=None)
    for i, ch in enumerate(name):
        small = ch in "ヶァィゥェォッャュョ"
        c.glyph_centred((x0 + x1) / 2, y0 + 5 + i * (size + 1) + size / 2, ch, FONT_BRUSH,
                        size * (1.3 if small else 1.0))


def romanised_slip(c, text):
    size = 8.5
    tw, th = c.text_size(text, FONT_GOTHIC, size)
    x0, y1 = 7, H - 7
    c.rect(x0, y1 - 13, x0 + tw + 10, y1, fill=(250, 244, 226, 235), outline=INK, width=0.5)
    c.text(x0 + 5, y1 - 6.5, text, FONT_GOTHIC, size, fill=INK, anchor="lm")


def draw_station(station):
    number = station["number"]
    kind, options = PLAN[number]
    options = dict(options)
    flip = options.pop("flip", False)
    rng = rng_for("station", number)
    c = Canvas(W, H, PAPER)
    SCENES[kind](c, rng, **options)
    if flip:
        c.mirror()
    cartouche(c, station["japanese"])
    romanised_slip(c, station["romanised"])
    c.rect(0.6, 0.6, W - 0.6, H - 0.6, fill=None, outline=INK, width=1.4)
    img = paper_texture(c.finish(), seed=1000 + number)
    return img.convert("RGB")
