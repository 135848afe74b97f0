#!/usr/bin/env python3
"""Crops from every picture of the film what is never seen, and puts the rest back in place.

    python3 tools/crop_pictures.py <build folder> [--write]

A mostly transparent layer costs as much to draw as an opaque one (every pixel of it is
blended), and every stored pixel costs start-up time (decoded, copied, uploaded). So each
picture is stored cut down to the part that holds something. From the full render of every
picture (<build folder>/art/<key>.png, made by cmake/Pictures.cmake) this finds the
smallest rectangle that holds every pixel with any opacity, widens it by a margin of
transparent pixels and out to a 10-pixel grid (the walk figures are drawn at scales down
to 0.1 and so keep whole-pixel corners), and keeps it within the rows and columns that a
scene ever shows (SHOWN below). It writes:

  assets/textures.json  "crop": [x, y, w, h] on the picture's entry; the build cuts the
                        staged picture to it (the game itself ignores the member)
  assets/sprites.json   the origin moved by (-x, -y), so that every pixel is drawn
                        exactly where it was; no texture rectangle

A picture of one flat colour (black, white) is stored as one 8 x 8 tile instead: its
texture repeats and its sprite's rectangle covers the whole canvas. The walk figures are
stored whole and show only the cropped rectangle of their texture ("rectX" ... "rectH"):
drawn at scale 0.1 a pixel's centre falls exactly on a texel's edge, and which texel it
takes then depends on the texture's size, so a smaller texture would change a few pixels.

Left whole: pictures whose sprite's origin a scene sets ("zelt", "drennmoor"), or whose
origin is the texture's centre ("autocenter": "cog1"), and the rain drops. The script
starts from the uncropped origins (origin plus crop), so it can be run again whenever the
pictures change; the build then checks (tools/verify_pictures.py) that no visible pixel
was lost and no picture moved. Without --write it only prints what it would store. It
reads pictures with ImageMagick's convert.
"""

import json
import os
import re
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SPRITES = os.path.join(REPO, "assets", "sprites.json")
TEXTURES = os.path.join(REPO, "assets", "textures.json")

MARGIN = 2   # transparent pixels kept round what is visible
GRID = 10    # crop edges on multiples of this, within the picture
TILE = 8     # the stored size of a flat picture
# Rows a scene ever shows, where that is less than the picture: the workshop scrolls from
# rows 4680-5760 up to 2280-3360 (rows from 2000 keep a margin for long frames).
SHOWN = {"workshop_1": {"top": 2000}}
RECT_KEYS = ("rectX", "rectY", "rectW", "rectH")
SHOWN_AS_RECTANGLE = {"walk_0", "walk_1", "walk_2", "walk_3", "walk_4"}


def convert(*arguments):
    return subprocess.run(["convert"] + list(arguments), check=True, capture_output=True, text=True).stdout


def measure(path):
    """(width, height, colours, box): the picture's size, its number of colours, and the box
    (x, y, w, h) of its pixels with any opacity, or None when it has none."""
    size = convert(path, "-format", "%w %h %k", "info:")
    # Alpha as grey on a one-pixel black (transparent) border: trimming the border colour
    # leaves exactly the box of what is visible.
    trim = convert(path, "-alpha", "extract", "-bordercolor", "black", "-border", "1", "-format", "%@", "info:")
    match = re.fullmatch(r"(\d+) (\d+) (\d+) (\d+)x(\d+)([+-]\d+)([+-]\d+)", size.strip() + " " + trim.strip())
    if not match:
        raise SystemExit("crop_pictures: cannot measure " + path + ": " + size + " " + trim)
    width, height, colours, box_w, box_h, box_x, box_y = (int(v) for v in match.groups())
    box = (box_x - 1, box_y - 1, box_w, box_h) if box_x > 0 or box_w > 1 else None
    return width, height, colours, box


def widen(low, high, limit):
    """The span [low, high) widened by the margin, out to the grid, within [0, limit)."""
    return max(0, (low - MARGIN) // GRID * GRID), min(limit, -(-(high + MARGIN) // GRID) * GRID)


def crop_box(key, width, height, box):
    """The stored part (x, y, w, h) of a picture whose visible pixels fill `box`."""
    shown = SHOWN.get(key, {})
    top = shown.get("top", 0)
    if box is None:
        return (0, top, 1, 1)
    x0, x1 = widen(box[0], box[0] + box[2], width)
    y0, y1 = widen(max(box[1], top), box[1] + box[3], height)
    return (x0, max(y0, top), x1 - x0, y1 - max(y0, top))


def uncropped_origin(sprite, texture):
    crop = texture.get("crop", [0, 0])
    return (sprite.get("originX", 0) + sprite.get("rectX", 0) + crop[0],
            sprite.get("originY", 0) + sprite.get("rectY", 0) + crop[1])


def place(sprite, texture, origin, crop, width, height, tiled, as_rectangle):
    """Rewrites the two entries for a picture that keeps `crop` of its full render, stored
    so or shown as a rectangle of the whole texture."""
    for key in RECT_KEYS + ("originX", "originY"):
        sprite.pop(key, None)
    texture.pop("crop", None)
    texture.pop("repeated", None)
    if tiled:
        texture["repeated"] = True
        sprite.update({"rectW": width, "rectH": height})
    if crop != (0, 0, width, height) and as_rectangle:
        sprite.update({"rectX": crop[0], "rectY": crop[1], "rectW": crop[2], "rectH": crop[3]})
    elif crop != (0, 0, width, height):
        texture["crop"] = list(crop)
    if origin[0] - crop[0] != 0:
        sprite["originX"] = origin[0] - crop[0]
    if origin[1] - crop[1] != 0:
        sprite["originY"] = origin[1] - crop[1]


def croppable(key, entry):
    return key not in ("zelt", "drennmoor") and not entry.get("autocenter", False) and not key.startswith("rain_")


def write_entries(path, top, entries):
    lines = ["{", '    "%s": {' % top]
    items = list(entries.items())
    for index, (key, entry) in enumerate(items):
        comma = "," if index + 1 < len(items) else ""
        lines.append("        " + json.dumps(key) + ": " + json.dumps(entry, separators=(", ", ": ")) + comma)
    lines += ["    }", "}", ""]
    with open(path, "w") as file:
        file.write("\n".join(lines))


def main(argv):
    if len(argv) < 2 or argv[1] in ("-h", "--help"):
        print(__doc__)
        return 0 if len(argv) >= 2 else 2
    renders = os.path.join(argv[1], "art")
    with open(SPRITES) as file:
        sprites = json.load(file)["sprites"]
    with open(TEXTURES) as file:
        textures = json.load(file)["textures"]

    for key, sprite in sprites.items():
        if not croppable(key, sprite):
            continue
        texture = textures[sprite["texture"]]
        width, height, colours, box = measure(os.path.join(renders, sprite["texture"] + ".png"))
        tiled = colours == 1
        crop = (0, 0, TILE, TILE) if tiled else crop_box(sprite["texture"], width, height, box)
        origin = uncropped_origin(sprite, texture)
        as_rectangle = key in SHOWN_AS_RECTANGLE
        place(sprite, texture, origin, crop, width, height, tiled, as_rectangle)
        how = ", repeated" if tiled else ", as a rectangle" if as_rectangle else ""
        print("%-14s %4dx%-4d keeps %4dx%-4d at (%d, %d)%s: %3.0f %% of its pixels" % (
            key, width, height, crop[2], crop[3], crop[0], crop[1], how,
            100.0 * crop[2] * crop[3] / (width * height)))
    if "--write" in argv[2:]:
        write_entries(TEXTURES, "textures", textures)
        write_entries(SPRITES, "sprites", sprites)
        print("crop_pictures: wrote assets/textures.json and assets/sprites.json")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
