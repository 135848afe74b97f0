#!/usr/bin/env python3
"""Crops the transparent margins out of what the film's sprites draw.

    python3 tools/crop_sprites.py <game folder> [--write]

A mostly transparent layer costs as much to draw as an opaque one: every pixel of its
rectangle is blended. So each sprite shows only the part of its picture that holds
something: for every sprite of assets/sprites.json this finds, in the built picture
(<game folder>/assets/images, from assets/textures.json), the smallest rectangle that holds
every pixel with any opacity, widens it by a margin of transparent pixels and out to a
10-pixel grid (the walk figures are drawn at scales down to 0.1, and so keep whole-pixel
corners), and sets "rectX", "rectY", "rectW", "rectH" to it with the origin moved by
(-rectX, -rectY): every pixel still lands exactly where it did, only the empty ones are no
longer drawn. A sprite whose picture has nothing to crop keeps no rectangle.

Left alone: "zelt" and "drennmoor" (the opening scene sets their origins itself), sprites
with "autocenter" (their origin is the texture's centre: "cog1") and the rain drops (a few
pixels each). A sprite that already has a rectangle is cropped from its uncropped origin,
so the script can be run again whenever the pictures change.

Without --write it prints one line per sprite: the rectangle and the share of its area
that is no longer drawn. With --write it rewrites assets/sprites.json, one sprite a line.
It reads the pictures with ImageMagick's convert. tests/pictures checks that every cropped
sprite still covers every visible pixel of its picture.
"""

import json
import os
import re
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SPRITES = os.path.join(REPO, "assets", "sprites.json")
TEXTURES = os.path.join(REPO, "assets", "textures.json")

LEFT_ALONE = {"zelt", "drennmoor"}
MARGIN = 2   # transparent pixels kept round what is visible
GRID = 10    # rectangle edges on multiples of this, clipped to the picture
RECT_KEYS = ("rectX", "rectY", "rectW", "rectH")


def picture_size_and_box(path):
    """(width, height) of the picture and the box (x, y, w, h) of its pixels with any
    opacity, or None when it has none."""
    # Alpha as grey on a one-pixel black (transparent) border, so that trimming the border
    # colour leaves exactly the box of what is visible.
    out = subprocess.run(
        ["convert", path, "-alpha", "extract", "-bordercolor", "black", "-border", "1",
         "-format", "%w %h %@", "info:"],
        check=True, capture_output=True, text=True).stdout
    match = re.fullmatch(r"(\d+) (\d+) (\d+)x(\d+)([+-]\d+)([+-]\d+)", out.strip())
    if not match:
        raise SystemExit("crop_sprites: cannot read the size of " + path + ": " + out)
    width, height, box_w, box_h, box_x, box_y = (int(v) for v in match.groups())
    width, height = width - 2, height - 2
    if box_w <= 1 and box_h <= 1 and box_x < 0:
        return (width, height), None
    return (width, height), (box_x - 1, box_y - 1, box_w, box_h)


def widen(low, high, limit):
    """The span [low, high) widened by the margin, out to the grid, within [0, limit)."""
    low = max(0, (low - MARGIN) // GRID * GRID)
    high = min(limit, -(-(high + MARGIN) // GRID) * GRID)
    return low, high


def crop(entry, size, box):
    """The entry with the rectangle of `box` and its origin moved to match."""
    uncropped = dict(entry)
    origin_x = entry.get("originX", 0) + entry.get("rectX", 0)
    origin_y = entry.get("originY", 0) + entry.get("rectY", 0)
    for key in RECT_KEYS + ("originX", "originY"):
        uncropped.pop(key, None)
    width, height = size
    if box is None:
        x0, y0, x1, y1 = 0, 0, 1, 1  # nothing visible: one pixel, drawn nowhere
    else:
        x0, x1 = widen(box[0], box[0] + box[2], width)
        y0, y1 = widen(box[1], box[1] + box[3], height)
    result = dict(uncropped)
    if (x0, y0, x1, y1) != (0, 0, width, height):
        result.update({"rectX": x0, "rectY": y0, "rectW": x1 - x0, "rectH": y1 - y0})
    if origin_x - x0 != 0:
        result["originX"] = origin_x - x0
    if origin_y - y0 != 0:
        result["originY"] = origin_y - y0
    return result


def croppable(key, entry):
    return key not in LEFT_ALONE and not entry.get("autocenter", False) and not key.startswith("rain_")


def area(entry, size):
    return entry.get("rectW", size[0]) * entry.get("rectH", size[1])


def write_sprites(sprites):
    lines = ['{', '    "sprites": {']
    items = list(sprites.items())
    for index, (key, entry) in enumerate(items):
        comma = "," if index + 1 < len(items) else ""
        lines.append("        " + json.dumps(key) + ": " + json.dumps(entry, separators=(", ", ": ")) + comma)
    lines += ['    }', '}', '']
    with open(SPRITES, "w") as file:
        file.write("\n".join(lines))


def main(argv):
    if len(argv) < 2 or argv[1] in ("-h", "--help"):
        print(__doc__)
        return 0 if len(argv) >= 2 else 2
    game = argv[1]
    write = "--write" in argv[2:]
    with open(SPRITES) as file:
        sprites = json.load(file)["sprites"]
    with open(TEXTURES) as file:
        textures = json.load(file)["textures"]

    for key, entry in sprites.items():
        if not croppable(key, entry):
            continue
        picture = os.path.join(game, textures[entry["texture"]]["file"])
        size, box = picture_size_and_box(picture)
        cropped = crop(entry, size, box)
        saved = 1.0 - area(cropped, size) / float(size[0] * size[1])
        print("%-14s %4dx%-4d rect (%d, %d, %d, %d), origin (%g, %g): %3.0f %% less to draw" % (
            key, size[0], size[1], cropped.get("rectX", 0), cropped.get("rectY", 0),
            cropped.get("rectW", size[0]), cropped.get("rectH", size[1]),
            cropped.get("originX", 0), cropped.get("originY", 0), 100.0 * saved))
        sprites[key] = cropped
    if write:
        write_sprites(sprites)
        print("crop_sprites: wrote " + os.path.relpath(SPRITES, REPO))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
