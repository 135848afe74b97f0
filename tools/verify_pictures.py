#!/usr/bin/env python3
"""Checks the staged pictures of the film against their full renders.

    python3 tools/verify_pictures.py <build folder> <game folder> [--record FILE]

The picture build (cmake/Pictures.cmake) runs this after staging every picture, so an
edit of the art or of the two registry files that breaks a picture fails the build. For
every picture of assets/textures.json, with its full render in <build folder>/art:
  - no pixel of the render with any opacity, in the rows a scene shows, lies outside what
    its sprite shows (the texture's "crop", then the sprite's rectangle);
  - a staged PNG is exactly the render cut to its crop, or, when repeated, a tile whose
    repetition is the whole render (a JPEG is only near its render);
  - the sprite's origin undoes the crop, so nothing moves on screen;
  - a repeated picture's sprite covers the whole render;
  - only opaque pictures are stored as JPEG (the rain would stop showing through);
  - the opening's logo and title are stored whole, their origins left to the scene.
Each fault is one line on standard error; the exit status is 1 when there is any. Run
tools/crop_pictures.py <build folder> --write to crop the pictures again.

With --record, FILE keeps what each picture that passed looked like (its files' times and
sizes, its registry entries): a picture whose record still holds is not read again, so an
edit of one picture is checked in a moment.
"""

import json
import os
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The first row a scene ever shows: the workshop's view rises from rows 4680-5760 to
# 2280-3360 and no higher.
FIRST_SHOWN_ROW = {"workshop_1": 2280}
WHOLE = ("zelt", "drennmoor")  # the opening scene sets their origins about the whole picture
RECT_KEYS = ("rectX", "rectY", "rectW", "rectH")


class Picture:
    """A picture's size and its pixels as 8-bit RGBA rows, read with ImageMagick."""

    def __init__(self, path):
        def convert(*arguments):
            return subprocess.run(["convert", path] + list(arguments), check=True, capture_output=True).stdout
        self.width, self.height = (int(v) for v in convert("-format", "%w %h", "info:").split())
        self.data = convert("-depth", "8", "rgba:-")
        self.stride = self.width * 4

    def row(self, y, x0=0, x1=None):
        return self.data[y * self.stride + x0 * 4:y * self.stride + (self.width if x1 is None else x1) * 4]


def first_visible(alpha):
    """The index of the first byte of `alpha` that is not 0, or -1."""
    rest = alpha.lstrip(b"\0")
    return len(alpha) - len(rest) if rest else -1


def visible_outside(render, box, top):
    """The first pixel of `render` from row `top` on with any opacity outside `box`, or None."""
    x, y, w, h = box
    for row in range(top, render.height):
        alpha = render.row(row)[3::4]
        inside = y <= row < y + h
        spans = ((0, max(0, x)), (min(render.width, x + w), render.width)) if inside else ((0, render.width),)
        for start, end in spans:
            found = first_visible(alpha[start:end])
            if found >= 0:
                return (start + found, row)
    return None


def difference(render, stored, crop, tiled):
    """The first pixel where `render` differs from `stored` laid over it from the crop's
    corner (repeated when `tiled`), a note on a wrong size, or None."""
    if not tiled and (stored.width, stored.height) != tuple(crop[2:]):
        return "its size is %dx%d, not %dx%d" % (stored.width, stored.height, crop[2], crop[3])
    width, height = (render.width, render.height) if tiled else (stored.width, stored.height)
    for y in range(height):
        if tiled:
            tile = stored.row(y % stored.height)
            expected, x0 = (tile * (width // stored.width + 1))[:width * 4], 0
        else:
            expected, x0 = stored.row(y), crop[0]
        actual = render.row(y + (0 if tiled else crop[1]), x0, x0 + width)
        if actual != expected:
            x = next(i for i in range(width) if actual[i * 4:i * 4 + 4] != expected[i * 4:i * 4 + 4])
            return "it differs at (%d, %d)" % (x0 + x, y + (0 if tiled else crop[1]))
    return None


def check_texture(key, texture, sprites, render, game):
    """The faults of texture `key` and the sprites that show it."""
    faults = []
    crop = texture.get("crop", [0, 0, render.width, render.height])
    repeated = texture.get("repeated", False)
    jpeg = texture["file"].endswith(".jpg")
    if jpeg:
        alpha = render.data[3::4]
        see_through = len(alpha) - alpha.count(255)
        if see_through:
            faults.append("is stored as JPEG but %d of its pixels are not opaque" % see_through)
    else:
        found = difference(render, Picture(os.path.join(game, texture["file"])), crop, repeated)
        if found:
            faults.append("the staged %s is not its render as assets/textures.json crops it: %s"
                          % (texture["file"], found))
    if key in WHOLE and "crop" in texture:
        faults.append("the opening's logo and title must not be cropped")
    for name, sprite in sprites:
        if key in WHOLE and any(member in sprite for member in RECT_KEYS + ("originX", "originY")):
            faults.append("sprite %s: the opening scene sets its rectangle and origin itself" % name)
        if repeated and (sprite.get("rectW"), sprite.get("rectH")) != (render.width, render.height):
            faults.append("sprite %s: a repeated picture must cover %dx%d" % (name, render.width, render.height))
        if sprite.get("autocenter", False):
            continue
        # The render's corner (top centre for the hanging hook) stays where the whole
        # render would have put it.
        anchor = (render.width // 2 if name == "hook_3" else 0, 0)
        placed = (sprite.get("originX", 0) + sprite.get("rectX", 0) + crop[0],
                  sprite.get("originY", 0) + sprite.get("rectY", 0) + crop[1])
        if placed != anchor:
            faults.append("sprite %s: its origin does not undo the crop (%d, %d)" % (name, crop[0], crop[1]))
        if repeated:
            continue
        shown = (crop[0] + sprite.get("rectX", 0), crop[1] + sprite.get("rectY", 0),
                 sprite.get("rectW", crop[2]), sprite.get("rectH", crop[3]))
        lost = visible_outside(render, shown, FIRST_SHOWN_ROW.get(key, 0))
        if lost:
            faults.append("sprite %s: its crop leaves out the visible pixel (%d, %d)" % (name, lost[0], lost[1]))
    return faults


def fingerprint(key, texture, shown_by, build, game):
    """What the check of picture `key` depends on, as text: equal text, equal verdict."""
    files = []
    for path in (os.path.join(build, "art", key + ".png"), os.path.join(game, texture.get("file", ""))):
        try:
            stat = os.stat(path)
            files.append([stat.st_mtime_ns, stat.st_size])
        except OSError:
            files.append(None)
    return json.dumps([files, texture, shown_by, os.stat(__file__).st_mtime_ns], sort_keys=True)


def read_record(path):
    try:
        with open(path) as file:
            return json.load(file)
    except (OSError, ValueError):
        return {}


def main(argv):
    record_path = None
    if len(argv) == 5 and argv[3] == "--record":
        record_path, argv = argv[4], argv[:3]
    if len(argv) != 3:
        print(__doc__)
        return 2
    with open(os.path.join(REPO, "assets", "textures.json")) as file:
        textures = json.load(file)["textures"]
    with open(os.path.join(REPO, "assets", "sprites.json")) as file:
        sprites = json.load(file)["sprites"]
    record = read_record(record_path) if record_path else {}
    passed = {}
    faults = 0
    for key, texture in textures.items():
        render_path = os.path.join(argv[1], "art", key + ".png")
        if not os.path.exists(render_path):
            print("verify_pictures: %s: has no render %s" % (key, render_path), file=sys.stderr)
            faults += 1
            continue
        shown_by = [(name, s) for name, s in sprites.items() if s.get("texture") == key]
        print_now = fingerprint(key, texture, shown_by, argv[1], argv[2])
        if record.get(key) == print_now:
            passed[key] = print_now
            continue
        found = check_texture(key, texture, shown_by, Picture(render_path), argv[2])
        for fault in found:
            print("verify_pictures: %s: %s" % (key, fault), file=sys.stderr)
        faults += len(found)
        if not found:
            passed[key] = print_now
    if record_path:
        with open(record_path, "w") as file:
            json.dump(passed, file, indent=0, sort_keys=True)
    if faults:
        print("verify_pictures: %d faults; tools/crop_pictures.py crops the pictures again" % faults, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
