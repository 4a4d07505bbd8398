"""Shared pieces of the asset generator: the palette, the fonts, a supersampled canvas and the
paper texture that gives every opaque picture its printed look.

Coordinates handed to Canvas are in final pixels (floats allowed); the canvas draws at SCALE
times that size and shrinks with an area filter, which gives smooth edges without blur.

RESOLUTION is how many device pixels a final pixel has: 1 for the pictures themselves, 2 for
their name@2x.png twins that high-density screens draw. Coordinates stay the same; only the
canvas and what it shrinks to grow.
"""
import json
import math
import os
import random

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)
REPO = os.path.dirname(ASSETS)
OUT = os.path.join(ASSETS, "generated")

# Woodblock palette: Prussian indigo, vermilion, ochre, pine green, ink, paper.
INK = (42, 33, 28)
PAPER = (242, 231, 204)
PAPER_DARK = (226, 211, 175)
INDIGO_DEEP = (27, 45, 79)
INDIGO = (40, 74, 118)
INDIGO_MID = (74, 118, 160)
INDIGO_LIGHT = (143, 176, 196)
SEA_PALE = (178, 204, 206)
VERMILION = (200, 64, 42)
VERMILION_DARK = (150, 44, 34)
OCHRE = (200, 150, 46)
OCHRE_LIGHT = (226, 190, 112)
SAND = (228, 205, 150)
PINE = (54, 84, 56)
PINE_LIGHT = (112, 138, 82)
GRASS = (150, 160, 92)
WOOD = (128, 88, 54)
WOOD_LIGHT = (176, 128, 78)
ROOF = (70, 72, 84)
WALL = (246, 240, 224)
SKIN = (238, 206, 168)
PINK = (232, 178, 162)
PLUM = (214, 120, 140)
GREY = (150, 146, 136)
SNOW = (250, 250, 246)
BLACK = (20, 20, 26)

SCALE = 3
RESOLUTION = 1


def set_resolution(resolution):
    global RESOLUTION
    RESOLUTION = resolution

FONT_BRUSH = "/usr/share/fonts/truetype/kouzan-mouhitsu/kouzan-mouhitsu.ttf"
FONT_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"


def font(path, size):
    return ImageFont.truetype(path, int(round(size)))


def load_stations():
    with open(os.path.join(ASSETS, "src", "stations.json"), encoding="utf-8") as f:
        stations = json.load(f)
    assert [s["number"] for s in stations] == list(range(55))
    return stations


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def with_alpha(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


class Canvas:
    """An RGBA picture drawn at SCALE times its size; coordinates are final pixels."""

    def __init__(self, width, height, background=None, scale=SCALE):
        self.w, self.h, self.base = width, height, scale
        self.s = scale * RESOLUTION
        bg = with_alpha(background) if background else (0, 0, 0, 0)
        self.img = Image.new("RGBA", (width * self.s, height * self.s), bg)
        self.draw = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [(x * self.s, y * self.s) for x, y in pts]

    def _w(self, width):
        return max(1, int(round(width * self.s)))

    def poly(self, pts, fill=None, outline=INK, width=1.0):
        self.draw.polygon(self._p(pts), fill=_c(fill), outline=None)
        if outline is not None and width > 0:
            pts = list(pts) + [pts[0]]
            self.line(pts, outline, width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=INK, width=1.0):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill, outline, width)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=INK, width=1.0):
        box = [x0 * self.s, y0 * self.s, x1 * self.s, y1 * self.s]
        if outline is not None and width > 0:
            self.draw.ellipse(box, fill=_c(fill), outline=_c(outline), width=self._w(width))
        else:
            self.draw.ellipse(box, fill=_c(fill))

    def circle(self, x, y, r, fill=None, outline=INK, width=1.0):
        self.ellipse(x - r, y - r, x + r, y + r, fill, outline, width)

    def line(self, pts, colour=INK, width=1.0):
        pts = self._p(pts)
        w = self._w(width)
        self.draw.line(pts, fill=_c(colour), width=w, joint="curve")
        # Round caps so that thick strokes end like a brush, not a chisel.
        if w > 2:
            for x, y in (pts[0], pts[-1]):
                self.draw.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=_c(colour))

    def arc(self, x0, y0, x1, y1, start, end, colour=INK, width=1.0):
        self.draw.arc([x0 * self.s, y0 * self.s, x1 * self.s, y1 * self.s], start, end,
                      fill=_c(colour), width=self._w(width))

    def pieslice(self, x0, y0, x1, y1, start, end, fill, outline=INK, width=1.0):
        box = [x0 * self.s, y0 * self.s, x1 * self.s, y1 * self.s]
        self.draw.pieslice(box, start, end, fill=_c(fill))
        if outline is not None:
            self.draw.arc(box, start, end, fill=_c(outline), width=self._w(width))

    def text(self, x, y, s, path, size, fill=INK, anchor="la", stroke=0, stroke_fill=None):
        f = font(path, size * self.s)
        self.draw.text((x * self.s, y * self.s), s, font=f, fill=_c(fill), anchor=anchor,
                       stroke_width=int(round(stroke * self.s)),
                       stroke_fill=_c(stroke_fill) if stroke_fill else None)

    def glyph_centred(self, x, y, ch, path, size, fill=INK):
        """One character with the middle of its inked box at (x, y): small kana such as ヶ sit
        low in their em box and would look misplaced in a vertical title."""
        f = font(path, size * self.s)
        x0, y0, x1, y1 = self.draw.textbbox((0, 0), ch, font=f)
        self.draw.text((x * self.s - (x0 + x1) / 2, y * self.s - (y0 + y1) / 2), ch, font=f,
                       fill=_c(fill))

    def text_size(self, s, path, size):
        f = font(path, size * self.s)
        x0, y0, x1, y1 = self.draw.textbbox((0, 0), s, font=f)
        return (x1 - x0) / self.s, (y1 - y0) / self.s

    def paste_gradient(self, x0, y0, x1, y1, top, bottom, top_alpha=255, bottom_alpha=255):
        """Vertical colour gradient (the printer's bokashi) over a rectangle."""
        w = int(round((x1 - x0) * self.s))
        h = int(round((y1 - y0) * self.s))
        if w <= 0 or h <= 0:
            return
        t = np.linspace(0.0, 1.0, h)[:, None]
        arr = np.zeros((h, w, 4), dtype=np.float64)
        for i in range(3):
            arr[..., i] = top[i] + (bottom[i] - top[i]) * t
        arr[..., 3] = top_alpha + (bottom_alpha - top_alpha) * t
        layer = Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGBA")
        self.img.alpha_composite(layer, (int(round(x0 * self.s)), int(round(y0 * self.s))))

    def poly_gradient(self, pts, top, bottom, outline=INK, width=1.0, y0=None, y1=None):
        """A polygon filled with a vertical gradient, the printer's wiped-block shading."""
        ys = [y for _, y in pts]
        y0 = min(ys) if y0 is None else y0
        y1 = max(ys) if y1 is None else y1
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).polygon(self._p(pts), fill=255)
        h = self.img.size[1]
        ry = np.arange(h, dtype=np.float64)[:, None] / self.s
        t = np.clip((ry - y0) / max(1e-6, y1 - y0), 0.0, 1.0)
        arr = np.zeros((h, self.img.size[0], 4), dtype=np.float64)
        for i in range(3):
            arr[..., i] = top[i] + (bottom[i] - top[i]) * t
        arr[..., 3] = 255
        layer = Image.fromarray(arr.astype(np.uint8), "RGBA")
        self.img.paste(layer, (0, 0), mask)
        if outline is not None and width > 0:
            self.line(list(pts) + [pts[0]], outline, width)

    def soft_layer(self, draw_fn, blur):
        """Draws with draw_fn on a blank canvas of the same size and lays it on blurred."""
        other = Canvas(self.w, self.h, None, self.base)
        draw_fn(other)
        other.img = other.img.filter(ImageFilter.GaussianBlur(blur * self.s))
        self.img.alpha_composite(other.img)

    def overlay(self, other):
        """Composite another canvas of the same size on top of this one."""
        self.img.alpha_composite(other.img)

    def mirror(self):
        self.img = self.img.transpose(Image.FLIP_LEFT_RIGHT)
        self.draw = ImageDraw.Draw(self.img)

    def finish(self, size=None):
        """The picture at its final size (in final pixels, RESOLUTION device pixels each)."""
        w, h = size or (self.w, self.h)
        return self.img.resize((w * RESOLUTION, h * RESOLUTION), Image.BOX)


def _c(colour):
    if colour is None:
        return None
    return tuple(colour) if len(colour) == 4 else tuple(colour) + (255,)


def paper_texture(img, seed, strength=1.0):
    """Laid-paper grain and fibres multiplied into an opaque picture. The grain is the paper's,
    one grain a final pixel at every resolution: a denser picture has the same paper under
    sharper drawing (and stays about as small as a file)."""
    rng = np.random.default_rng(seed)
    w, h = img.size[0] // RESOLUTION, img.size[1] // RESOLUTION
    grain = rng.normal(0.0, 1.0, (h, w))
    fibres = rng.normal(0.0, 1.0, (h, w))
    fibres_img = Image.fromarray(((fibres * 40) + 128).clip(0, 255).astype(np.uint8), "L")
    fibres_img = fibres_img.filter(ImageFilter.BoxBlur(0)).resize((w // 4 + 1, h), Image.BILINEAR)
    fibres_img = fibres_img.resize((w, h), Image.BICUBIC)
    fib = (np.asarray(fibres_img, dtype=np.float64) - 128) / 40
    blot = rng.normal(0.0, 1.0, (h // 16 + 2, w // 16 + 2))
    blot_img = Image.fromarray(((blot * 40) + 128).clip(0, 255).astype(np.uint8), "L")
    blot_img = blot_img.resize((w, h), Image.BICUBIC)
    bl = (np.asarray(blot_img, dtype=np.float64) - 128) / 40
    factor = 1.0 + strength * (0.022 * grain + 0.018 * fib + 0.014 * bl)
    factor = factor.repeat(RESOLUTION, axis=0).repeat(RESOLUTION, axis=1)
    arr = np.asarray(img.convert("RGBA"), dtype=np.float64)
    arr[..., :3] *= factor[..., None]
    return Image.fromarray(arr.clip(0, 255).astype(np.uint8), "RGBA")


def save_png(img, relpath, mode=None):
    path = os.path.join(OUT, relpath)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if mode:
        img = img.convert(mode)
    img.save(path, optimize=True)
    return relpath


def rng_for(*key):
    return random.Random("/".join(str(k) for k in key))


def wobble(pts, rng, amount):
    """Jitters a polyline a little so that long edges look cut by hand, not ruled."""
    return [(x + rng.uniform(-amount, amount), y + rng.uniform(-amount, amount)) for x, y in pts]


def smooth_curve(points, steps=8):
    """Catmull-Rom spline through the points."""
    if len(points) < 3:
        return list(points)
    pts = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t +
                                    (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2 +
                                    (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3)
                             for j in range(2)))
    out.append(points[-1])
    return out


def ridge(rng, x0, x1, base, height, peaks, roughness=0.25):
    """Top line of a mountain range from x0 to x1 with the given number of peaks."""
    pts = []
    n = peaks * 2 + 1
    for i in range(n + 1):
        x = x0 + (x1 - x0) * i / n
        if i % 2 == 1:
            y = base - height * rng.uniform(0.65, 1.0)
        else:
            y = base - height * rng.uniform(0.15, 0.45)
        pts.append((x + rng.uniform(-0.3, 0.3) * (x1 - x0) / n * roughness, y))
    pts[0] = (x0, base - height * 0.2)
    pts[-1] = (x1, base - height * 0.2)
    return smooth_curve(pts, 6)


def angle_pts(cx, cy, r, a0, a1, n=24):
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]
