#!/usr/bin/python3
"""Builds every asset of the game from nothing but this generator, the station table in
assets/src/stations.json and the two installed Japanese fonts.

Writes assets/generated/ (the files compiled into the program as Qt resources, and the list of
them for CMake), assets/help/senkaro.html (the help page installed beside the program) and
docs/images/assets-contact-sheet.png (every picture on one sheet, for review).

Run with Debian's interpreter, which has Pillow and NumPy (python3-pil, python3-numpy):
    /usr/bin/python3 assets/generator/make_assets.py
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw  # noqa: E402

import characters  # noqa: E402
import common  # noqa: E402
import helppage  # noqa: E402
import icons  # noqa: E402
import panels  # noqa: E402
import routemap  # noqa: E402
import sounds  # noqa: E402
import stations  # noqa: E402

ICON_INDICES = list(range(15))
APP_ICON_SIZES = (16, 32, 48, 256)


def main():
    if os.path.isdir(common.OUT):
        shutil.rmtree(common.OUT)
    files = []
    pictures = {}

    def save(img, rel, mode=None):
        files.append(common.save_png(img, rel, mode))
        return img

    table = common.load_stations()
    pictures.update(draw_pictures(table, lambda img, rel: save(img, rel)))
    # The same pictures at twice the density, name@2x.png beside name.png, where Qt looks for
    # them on a high-density screen. The application icons come in sizes of their own.
    common.set_resolution(2)
    draw_pictures(table, lambda img, rel: save(_paletted(img), rel.replace(".png", "@2x.png")))
    common.set_resolution(1)
    pictures["app"] = [save(icons.draw_app_icon(s), f"app/senkaro-{s}.png")
                       for s in APP_ICON_SIZES]
    for name in sounds.SOUNDS:
        samples, form = sounds.render(name)
        rel = f"sounds/{name}.wav"
        sounds.write_wave(os.path.join(common.OUT, rel), samples, form)
        files.append(rel)

    with open(os.path.join(common.OUT, "resources.cmake"), "w", encoding="utf-8") as f:
        f.write("# Written by assets/generator/make_assets.py: the files compiled into the game.\n")
        f.write("set(SENKARO_ASSET_FILES\n")
        for rel in files:
            f.write(f"  {rel}\n")
        f.write(")\n")

    help_dir = os.path.join(common.ASSETS, "help")
    os.makedirs(help_dir, exist_ok=True)
    page = helppage.build({"icon": pictures["app"][2], "map": pictures["map"],
                           "start": pictures["stations"][0], "goal": pictures["stations"][54],
                           "characters": pictures["characters"]})
    with open(os.path.join(help_dir, "senkaro.html"), "w", encoding="utf-8", newline="\n") as f:
        f.write(page)

    sheet = contact_sheet(pictures)
    sheet_path = os.path.join(common.REPO, "docs", "images", "assets-contact-sheet.png")
    os.makedirs(os.path.dirname(sheet_path), exist_ok=True)
    sheet.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.FLOYDSTEINBERG).save(
        sheet_path, optimize=True)
    print(f"{len(files)} resources in {common.OUT}, help page and contact sheet written")


def _paletted(img):
    """An opaque picture in 256 colours: a woodblock print has few, and its dense twin would
    otherwise be four times the file for the paper's grain alone. Transparent ones stay RGBA."""
    if img.mode == "RGBA" and img.getextrema()[3][0] < 255:
        return img
    return img.convert("RGB").quantize(colors=256, method=Image.MEDIANCUT)


def draw_pictures(table, save):
    """Every picture of the game at common.RESOLUTION, each handed to save(img, rel)."""
    p = {}
    p["map"] = save(routemap.draw_map(), "pictures/map.png")
    p["banner"] = save(panels.draw_banner(), "pictures/user-banner.png")
    p["dialog"] = save(panels.draw_player_dialog(), "pictures/player-dialog.png")
    p["panel"] = save(panels.draw_character_panel(), "pictures/character-panel.png")
    p["maru"] = save(icons.draw_maru(), "pictures/maru.png")
    p["stations"] = [save(stations.draw_station(st), f"stations/{st['number']:02d}.png")
                     for st in table]
    p["characters"] = [save(characters.draw_character(i), f"characters/{i}.png")
                       for i in range(9)]
    p["icons"] = {}
    for size in (16, 32):
        for i in ICON_INDICES:
            p["icons"][(size, i)] = save(icons.draw_icon(i, size), f"icons/{size}/{i}.png")
    p["tools"] = [save(icons.draw_icon(i, 64), f"tools/{i}.png") for i in ICON_INDICES]
    p["cursors"] = [save(icons.draw_pen_cursor(), "cursors/PEN02.png"),
                    save(icons.draw_eraser_cursor(), "cursors/ERASER01.png")]
    return p


def contact_sheet(p):
    """All pictures on one sheet: stations in a grid, then map, panels, characters, icons."""
    margin = 10
    cols = 9
    sw, sh = 274 // 2, 178 // 2
    rows = (55 + cols - 1) // cols
    width = max(margin + cols * (sw + margin), margin + 11 * 110 + 80 + 72 + 96 + margin)
    grid_h = rows * (sh + margin)
    height = margin + grid_h + 420 + 150 + 110
    sheet = Image.new("RGBA", (width, height), (236, 232, 220, 255))
    d = ImageDraw.Draw(sheet)
    for i, img in enumerate(p["stations"]):
        x = margin + (i % cols) * (sw + margin)
        y = margin + (i // cols) * (sh + margin)
        sheet.paste(img.resize((sw, sh), Image.LANCZOS), (x, y))
    y0 = margin + grid_h + margin
    sheet.paste(p["map"], (margin, y0))
    x = margin + 437 + margin
    sheet.paste(p["banner"], (x, y0))
    sheet.paste(p["dialog"], (x, y0 + 78 + margin))
    sheet.paste(p["panel"], (x, y0 + 78 + 254 + 2 * margin))
    y1 = y0 + 420
    checker = _checker(128, 128)
    for i, img in enumerate(p["characters"]):
        cx = margin + i * (128 + margin)
        sheet.paste(checker, (cx, y1))
        sheet.alpha_composite(img, (cx, y1))
    y2 = y1 + 150
    x = margin
    for i in ICON_INDICES:
        sheet.alpha_composite(p["tools"][i], (x, y2))
        sheet.alpha_composite(p["icons"][(32, i)], (x + 68, y2))
        sheet.alpha_composite(p["icons"][(16, i)], (x + 68, y2 + 40))
        x += 110
    y3 = y2 + 0
    x = margin + 11 * 110
    for img in p["cursors"]:
        sheet.paste(_checker(32, 32), (x, y3))
        sheet.alpha_composite(img, (x, y3))
        d.point((x + icons.HOT_SPOT[0], y3 + icons.HOT_SPOT[1]), fill=(0, 255, 0, 255))
        x += 40
    sheet.paste(_checker(64, 64), (x, y3))
    sheet.alpha_composite(p["maru"], (x, y3))
    x += 72
    app = p["app"][-1].resize((96, 96), Image.LANCZOS)
    if x + 96 <= width:
        sheet.alpha_composite(app, (x, y3))
    return sheet.convert("RGB")


def _checker(w, h, cell=8):
    img = Image.new("RGBA", (w, h), (255, 255, 255, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, h, cell):
        for x in range(0, w, cell):
            if (x // cell + y // cell) % 2:
                d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=(214, 214, 214, 255))
    return img


if __name__ == "__main__":
    main()
