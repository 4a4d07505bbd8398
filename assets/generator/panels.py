"""Backgrounds of the window's panels and dialogs: the banner behind the player's name
(438 x 78), the player dialog's background (474 x 254) and the character dialog's top panel
(407 x 41). Their middles stay pale and calm, because labels are drawn over them.
"""
from common import (FONT_BRUSH, INDIGO, INDIGO_LIGHT, INDIGO_MID, INK, OCHRE, OCHRE_LIGHT, PAPER,
                    PINE, PINE_LIGHT, SEA_PALE, VERMILION, WOOD, WOOD_LIGHT, Canvas, mix,
                    paper_texture, rng_for)
import scenery as s

PAPER_LIGHT = (248, 241, 222)


def seigaiha(c, x0, y0, x1, y1, r, colour, back):
    """Overlapping wave scales: rows of concentric rings drawn top to bottom, every other row
    shifted by a radius, so each row hides the lower half of the row above."""
    row = 0
    y = y0 - r
    while y < y1 + r:
        x = x0 - r + (row % 2) * r
        while x < x1 + r:
            for k in range(4):
                rr = r * (1 - k * 0.24)
                c.circle(x, y, rr, fill=colour if k % 2 == 0 else back, outline=None)
            x += 2 * r
        y += r * 0.5
        row += 1


def draw_banner(w=438, h=78):
    c = Canvas(w, h, PAPER_LIGHT)
    rng = rng_for("banner")
    left = Canvas(w, h, None)
    seigaiha(left, 0, 0, 110, h, 9, INDIGO_MID, PAPER_LIGHT)
    right = Canvas(w, h, None)
    seigaiha(right, w - 110, 0, w, h, 9, INDIGO_MID, PAPER_LIGHT)
    # Fade the wave fields towards the middle, where the name is written.
    import numpy as np
    from PIL import Image
    for layer, side in ((left, 0), (right, 1)):
        a = np.asarray(layer.img, dtype=np.float64)
        xs = np.linspace(0, w, a.shape[1])[None, :]
        fade = np.clip((110 - xs) / 80, 0, 1) if side == 0 else np.clip((xs - (w - 110)) / 80, 0,
                                                                          1)
        a[..., 3] *= fade
        layer.img = Image.fromarray(a.astype(np.uint8), "RGBA")
        c.img.alpha_composite(layer.img)
    c.paste_gradient(0, 0, w, 12, INDIGO, INDIGO, 200, 0)
    s.kasumi(c, 70, 250, 52, 10, mix(OCHRE_LIGHT, PAPER_LIGHT, 0.3), alpha=200)
    s.kasumi(c, 200, 380, 10, 9, mix(OCHRE_LIGHT, PAPER_LIGHT, 0.3), alpha=200)
    for k in range(3):
        s.pine(c, w - 50 + k * 16, h - 4 + k * 2, 26 - k * 5, rng, lean=-0.3)
    s.pine(c, 24, h - 2, 28, rng, lean=0.35)
    c.line([(0, h - 2.5), (w, h - 2.5)], VERMILION, 2.0)
    c.line([(0, 1), (w, 1)], INK, 1.0)
    c.line([(0, h - 1), (w, h - 1)], INK, 1.0)
    return paper_texture(c.finish(), seed=31).convert("RGB")


def draw_player_dialog(w=474, h=254):
    c = Canvas(w, h, PAPER_LIGHT)
    rng = rng_for("player dialog")
    # Distant hills and a band of sea along the bottom, pale enough for the labels over them.
    c.paste_gradient(0, 0, w, 40, mix(INDIGO_LIGHT, PAPER_LIGHT, 0.4), PAPER_LIGHT)
    top = s.mountains(c, rng, 212, 40, mix(INDIGO_LIGHT, PAPER_LIGHT, 0.45), 5, x0=-10,
                      x1=w + 10, outline=0.6)
    c.paste_gradient(0, 214, w, h, mix(SEA_PALE, PAPER_LIGHT, 0.3), mix(INDIGO_LIGHT,
                                                                        PAPER_LIGHT, 0.2))
    c.line([(0, 214), (w, 214)], mix(INDIGO_MID, PAPER_LIGHT, 0.3), 0.6)
    for y in (222, 232, 244):
        x = (y * 3) % 10
        while x < w:
            c.arc(x - 4, y - 4, x + 4, y + 4, 200, 340, (255, 255, 255, 200), 0.7)
            x += 9
    s.kasumi(c, -20, 170, 150, 10, mix(OCHRE_LIGHT, PAPER_LIGHT, 0.35), alpha=210)
    s.kasumi(c, 30, 220, 196, 9, mix(OCHRE_LIGHT, PAPER_LIGHT, 0.35), alpha=210)
    # The station picture sits at (184, 8), 274 x 178: a wooden frame around it.
    x0, y0, x1, y1 = 184, 8, 184 + 274, 8 + 178
    c.rect(x0 - 6, y0 - 6, x1 + 6, y1 + 6, fill=WOOD, outline=INK, width=1.0)
    c.rect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, fill=WOOD_LIGHT, outline=INK, width=0.8)
    for x, y in ((x0 - 3, y0 - 3), (x1 + 3, y0 - 3), (x0 - 3, y1 + 3), (x1 + 3, y1 + 3)):
        c.circle(x, y, 1.6, fill=OCHRE, outline=INK, width=0.4)
    c.rect(x0, y0, x1, y1, fill=mix(PAPER, INK, 0.1), outline=None)
    # A vermilion seal at the bottom left.
    c.rect(w - 30, h - 30, w - 10, h - 10, fill=VERMILION, outline=INK, width=0.6)
    c.text(w - 20, h - 20, "旅", FONT_BRUSH, 15, fill=PAPER_LIGHT, anchor="mm")
    c.rect(0.5, 0.5, w - 0.5, h - 0.5, fill=None, outline=INK, width=1.0)
    del top
    return paper_texture(c.finish(), seed=32).convert("RGB")


def draw_character_panel(w=407, h=41):
    c = Canvas(w, h, PAPER_LIGHT)
    rng = rng_for("character panel")
    right = Canvas(w, h, None)
    seigaiha(right, w - 170, 0, w, h, 7, mix(INDIGO_LIGHT, PAPER_LIGHT, 0.2), PAPER_LIGHT)
    import numpy as np
    from PIL import Image
    a = np.asarray(right.img, dtype=np.float64)
    xs = np.linspace(0, w, a.shape[1])[None, :]
    a[..., 3] *= np.clip((xs - (w - 170)) / 90, 0, 1) * 0.8
    c.img.alpha_composite(Image.fromarray(a.astype(np.uint8), "RGBA"))
    s.kasumi(c, 150, 320, 4, 7, mix(OCHRE_LIGHT, PAPER_LIGHT, 0.3), alpha=200)
    c.paste_gradient(0, h - 8, w, h, INDIGO, INDIGO, 0, 140)
    c.line([(0, h - 1.5), (w, h - 1.5)], VERMILION, 1.4)
    del rng
    return paper_texture(c.finish(), seed=33).convert("RGB")
