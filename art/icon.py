"""The game's icon for the desktop's menu: the film's brass cog turning in a lamp-lit night,
with the rain falling past it, on a 256 x 256 tile with rounded corners.

It is the cog of the workshop and cog scenes (art/cog.py), drawn whole into the tile, so the
icon is the film's own picture. The package's build rasterises it at 256 and at 64 pixels:
at 64 the teeth, the rim and the hub still read, the fine hatching melts into the brass.
Not one of the film's pictures: cmake/Package.cmake builds it, the game never loads it.
"""

import re

from cog import cog1
from lib import ink
from lib.machinery import Picture, f

SIZE = 256
CORNER = 40
COG = 232


def cog_inside(x, y, size):
    """The film's cog picture as a nested drawing of `size` pixels at (x, y); its ids get a
    prefix of their own so that they cannot meet the tile's."""
    drawing = cog1().replace("<?xml", "")
    drawing = re.sub(r'id="(\w+)"', r'id="cog_\1"', drawing)
    drawing = re.sub(r"url\(#(\w+)\)", r"url(#cog_\1)", drawing)
    return drawing.replace("<svg ", f'<svg x="{f(x)}" y="{f(y)}" ', 1).replace(
        'width="1000" height="1000"', f'width="{f(size)}" height="{f(size)}"', 1)


def icon():
    pic = Picture(SIZE, SIZE, seed=3)
    rng = pic.rng
    tile = f'x="0" y="0" width="{SIZE}" height="{SIZE}" rx="{CORNER}"'
    clip = pic.uid("tile")
    pic.define(f'<clipPath id="{clip}"><rect {tile}/></clipPath>')
    sky = pic.linear([(0, ink.SKY_HIGH, 1), (0.7, ink.MIDDLE, 1), (1, ink.NEAR, 1)])
    pic.add(f'<g clip-path="url(#{clip})">', f'<rect {tile} fill="{sky}"/>')
    # The lamp behind the cog, which lights its open rim from within.
    lamp = pic.radial([(0, ink.LAMP_CORE, 1), (0.4, ink.LAMP, 0.7), (1, ink.LAMP, 0)], r=0.5)
    pic.add(f'<circle cx="128" cy="128" r="118" fill="{lamp}"/>')
    # Rain: thin pale streaks leaning a little, behind and before the cog.
    streaks = []
    for _ in range(26):
        x, y = rng.uniform(-20, SIZE), rng.uniform(-30, SIZE)
        length = rng.uniform(18, 34)
        streaks.append(f"M{f(x)},{f(y)} l{f(length * 0.18)},{f(length)}")
    pic.add(f'<path d="{" ".join(streaks[:18])}" stroke="{ink.RAIN}" stroke-width="1.6" '
            f'stroke-opacity="0.35" stroke-linecap="round"/>')
    pic.add(cog_inside((SIZE - COG) / 2, (SIZE - COG) / 2, COG))
    pic.add(f'<path d="{" ".join(streaks[18:])}" stroke="{ink.RAIN}" stroke-width="1.8" '
            f'stroke-opacity="0.5" stroke-linecap="round"/>')
    pic.add("</g>")
    # A dark edge keeps the tile apart from a dark menu.
    pic.add(f'<rect x="1.5" y="1.5" width="{SIZE - 3}" height="{SIZE - 3}" rx="{CORNER - 1.5}" '
            f'fill="none" stroke="{ink.INK}" stroke-width="3"/>')
    return pic.svg()


PICTURES = {"icon": icon}

if __name__ == "__main__":
    ink.main(PICTURES)
