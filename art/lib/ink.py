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
    """The command line of a picture script: --list, or the folder to write into.

    Drawing, a picture whose SVG text is unchanged keeps its file untouched, so the build
    rasterises only what the edit changed. Two options the build passes:
      --depfile FILE TARGET  writes FILE saying that TARGET depends on every module of art/
                             the script loaded, so an edit of art/lib/ redraws only the
                             scripts that use it;
      --keys FILE            the keys the build was configured with: when the script now
                             draws other pictures, FILE is written anew, which makes the next
                             build configure again.
    """
    arguments = sys.argv[1:]
    if arguments == ["--list"]:
        print("\n".join(pictures))
        return
    options = {}
    while len(arguments) > 1 and arguments[-2] == "--keys" or len(arguments) > 2 and arguments[-3] == "--depfile":
        if arguments[-2] == "--keys":
            options["keys"], arguments = arguments[-1], arguments[:-2]
        else:
            options["depfile"], arguments = arguments[-2:], arguments[:-3]
    if len(arguments) != 1:
        sys.exit("usage: %s --list | OUTPUT_DIR [--depfile FILE TARGET] [--keys FILE]" % sys.argv[0])
    out = arguments[0]
    os.makedirs(out, exist_ok=True)
    for key, draw in pictures.items():
        _write_if_changed(os.path.join(out, key + ".svg"), draw())
    if "keys" in options:
        keys = "\n".join(pictures) + "\n"
        if _read(options["keys"]) != keys:
            _write_if_changed(options["keys"], keys)
            print("art/%s draws other pictures now: the next build configures again" % os.path.basename(sys.argv[0]))
    if "depfile" in options:
        depfile, target = options["depfile"]
        art = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        loaded = sorted({os.path.abspath(module.__file__) for module in list(sys.modules.values())
                         if getattr(module, "__file__", None)
                         and os.path.abspath(module.__file__).startswith(art + os.sep)})
        _write_if_changed(depfile, "%s: %s\n" % (target, " ".join(path.replace(" ", "\\ ") for path in loaded)))


def _read(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except OSError:
        return None


def _write_if_changed(path, text):
    if _read(path) != text:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
