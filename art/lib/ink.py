"""Shared ground for every picture of the film: the palette, the SVG frame and the small
command line each picture script has.

A picture script (art/<group>.py) defines PICTURES = {key: function returning SVG text} and
ends with `ink.main(PICTURES)`. The build calls `python3 <group>.py --list` to learn the keys
and `python3 <group>.py <dir>` to write <dir>/<key>.svg; rsvg-convert makes the PNGs.

The look: night, rain and lamplight. Ink-and-wash silhouettes in deep blue-greys and
near-blacks; far layers lighter and bluer, near layers darker; a few warm accents (lit
windows, the lamp, brass). Film grain is added by the vignette shader, never here.
"""

import os
import sys

# Night: from the palest far sky to the nearest ink.
SKY_HIGH = "#2a3648"
SKY_LOW = "#3d4b5e"
MIST = "#5d6b7d"
FAR = "#334052"
MIDDLE = "#222c3a"
NEAR = "#141a24"
INK = "#080b10"
# Warm accents.
LAMP = "#f2c26b"
LAMP_CORE = "#fff1c9"
EMBER = "#c7782f"
BRASS = "#a8803f"
BRASS_LIGHT = "#d9b36a"
# Pale accents: rain, skin in moonlight, paper.
RAIN = "#c9d6e6"
MOON = "#cfd8e3"
PAPER = "#d8d0bc"

WIDTH = 1920
HEIGHT = 1080


def document(body, width=WIDTH, height=HEIGHT, defs=""):
    """One SVG picture of the given canvas size in pixels."""
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n'
        f"<defs>{defs}</defs>\n{body}\n</svg>\n"
    )


def blur_filter(name, deviation, extra=""):
    """A gaussian blur filter (soft edges, glows, mist). Large deviations over large areas
    are slow to rasterise: blur small shapes, or shapes on a smaller canvas."""
    return (
        f'<filter id="{name}" x="-50%" y="-50%" width="200%" height="200%" {extra}>'
        f'<feGaussianBlur stdDeviation="{deviation}"/></filter>'
    )


def shadow_filter(name, deviation, dx, dy, opacity=0.6):
    """A drop shadow built from blur, offset and merge (feDropShadow is dropped silently
    by the rasteriser the build uses)."""
    return (
        f'<filter id="{name}" x="-50%" y="-50%" width="200%" height="200%">'
        f'<feGaussianBlur in="SourceAlpha" stdDeviation="{deviation}"/>'
        f'<feOffset dx="{dx}" dy="{dy}" result="offset"/>'
        f'<feComponentTransfer><feFuncA type="linear" slope="{opacity}"/></feComponentTransfer>'
        f'<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>'
    )


def linear_gradient(name, stops, x1=0, y1=0, x2=0, y2=1):
    """stops: list of (offset 0..1, colour, opacity)."""
    inner = "".join(
        f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
    )
    return f'<linearGradient id="{name}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{inner}</linearGradient>'


def radial_gradient(name, stops, cx=0.5, cy=0.5, r=0.5):
    inner = "".join(
        f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops
    )
    return f'<radialGradient id="{name}" cx="{cx}" cy="{cy}" r="{r}">{inner}</radialGradient>'


def path(points, close=True):
    """An SVG path through (x, y) points."""
    text = "M " + " L ".join(f"{x:.1f},{y:.1f}" for x, y in points)
    return text + (" Z" if close else "")


def main(pictures):
    """The command line of a picture script: --list, or the folder to write into."""
    if len(sys.argv) == 2 and sys.argv[1] == "--list":
        print("\n".join(pictures))
        return
    if len(sys.argv) != 2:
        sys.exit("usage: %s --list | OUTPUT_DIR" % sys.argv[0])
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for key, draw in pictures.items():
        with open(os.path.join(out, key + ".svg"), "w", encoding="utf-8") as f:
            f.write(draw())
