"""The long lines strung across the workshop, with things hung on them: tags, written
notes pegged by a corner, small lanterns and tools. A line is 5760 px long and sags between
the rings that hold it; what is hung on it dangles below.
"""

import math

from lib import ink
from lib.machinery import Picture, circle_path, cog_outline, f

WIDTH = 5760
HEIGHT = 1080
SCALE = 1.35  # of the hung things

LINE = "#0c0f14"
STRING = "#1d2026"
PAPER_LIT = "#7f796b"
PAPER_SHADE = "#4a4843"
IRON = "#1b222c"
IRON_LIGHT = "#7d8a9b"


def sag_line(supports, sags):
    """Points of a line hung between supports (x, y), sagging by the given depth in each
    span."""
    out = []
    for (xa, ya), (xb, yb), s in zip(supports, supports[1:], sags):
        n = max(8, int((xb - xa) / 40))
        for i in range(n):
            t = i / n
            out.append((xa + (xb - xa) * t, ya + (yb - ya) * t + 4 * s * t * (1 - t)))
    out.append(supports[-1])
    return out


def height_at(line, x):
    for (x0, y0), (x1, y1) in zip(line, line[1:]):
        if x0 <= x <= x1:
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0)
    return line[-1][1]


def scribbles(rng, x, y, w, h, lines):
    """Handwriting suggested by wavy ink strokes."""
    d = []
    for i in range(lines):
        ly = y + h * (i + 1) / (lines + 1)
        lx = x + rng.uniform(0, w * 0.1)
        end = x + w * rng.uniform(0.6, 0.95)
        d.append(f"M{f(lx)},{f(ly)}")
        while lx < end:
            step = rng.uniform(4, 9)
            d.append(f"q{f(step / 2)},{f(rng.uniform(-3, 3))} {f(step)},{f(rng.uniform(-1, 1))}")
            lx += step
    return d


def tag(pic, x, y, rng):
    """A card tag on a string, turned a little."""
    drop = rng.uniform(18, 70)
    w, h = rng.uniform(30, 42), rng.uniform(48, 64)
    ang = rng.uniform(-9, 9)
    top = y + drop
    pic.add(f'<path d="M{f(x)},{f(y)} Q{f(x + rng.uniform(-4, 4))},{f(y + drop / 2)} {f(x)},'
            f'{f(top + 6)}" fill="none" stroke="{STRING}" stroke-width="1.5"/>')
    shade = pic.linear([(0, PAPER_LIT, 1), (1, PAPER_SHADE, 1)], x1=0, y1=0, x2=1, y2=1)
    card = (f"M{f(x - w / 2 + 7)},{f(top)} L{f(x + w / 2 - 7)},{f(top)} L{f(x + w / 2)},"
            f"{f(top + 8)} L{f(x + w / 2)},{f(top + h)} L{f(x - w / 2)},{f(top + h)} "
            f"L{f(x - w / 2)},{f(top + 8)} Z")
    marks = scribbles(rng, x - w / 2 + 5, top + 12, w - 10, h - 16, rng.randint(2, 4))
    pic.add(f'<g transform="rotate({f(ang)} {f(x)} {f(top)})">'
            f'<path d="{card}" fill="{shade}" stroke="{ink.INK}" stroke-width="1.6" '
            f'stroke-linejoin="round"/>'
            f'<circle cx="{f(x)}" cy="{f(top + 7)}" r="3.2" fill="{ink.INK}"/>'
            f'<path d="{" ".join(marks)}" fill="none" stroke="{ink.INK}" stroke-width="1.1" '
            f'opacity="0.7"/></g>')


def note(pic, x, y, rng):
    """A written sheet pegged to the line by one corner, hanging askew."""
    w, h = rng.uniform(70, 92), rng.uniform(92, 120)
    ang = rng.uniform(-14, 14)
    shade = pic.linear([(0, PAPER_LIT, 1), (0.7, "#6b6659", 1), (1, PAPER_SHADE, 1)], x1=0, y1=0,
                       x2=0.4, y2=1)
    marks = scribbles(rng, x - w / 2 + 8, y + 10, w - 16, h - 18, rng.randint(5, 8))
    fold = min(w, h) * 0.22
    sheet = (f"M{f(x - w / 2)},{f(y)} L{f(x + w / 2)},{f(y)} L{f(x + w / 2)},{f(y + h - fold)} "
             f"L{f(x + w / 2 - fold)},{f(y + h)} L{f(x - w / 2)},{f(y + h)} Z")
    pic.add(f'<g transform="rotate({f(ang)} {f(x)} {f(y)})">'
            f'<path d="{sheet}" fill="{shade}" stroke="{ink.INK}" stroke-width="1.6" '
            f'stroke-linejoin="round"/>'
            f'<path d="M{f(x + w / 2)},{f(y + h - fold)} L{f(x + w / 2 - fold * 0.8)},'
            f'{f(y + h - fold * 0.8)} L{f(x + w / 2 - fold)},{f(y + h)} Z" fill="{PAPER_SHADE}" '
            f'stroke="{ink.INK}" stroke-width="1.2"/>'
            f'<path d="{" ".join(marks)}" fill="none" stroke="{ink.INK}" stroke-width="1.2" '
            f'opacity="0.65"/></g>')
    # the wooden peg over the line
    pic.add(f'<rect x="{f(x - 4)}" y="{f(y - 10)}" width="8" height="24" rx="2" fill="#4a3f31" '
            f'stroke="{ink.INK}" stroke-width="1.4"/>')


def lantern(pic, x, y, rng):
    """A small lamp hung on a string: cap, ring, caged glass, and its warm glow."""
    drop = rng.uniform(30, 110)
    top = y + drop
    pic.glow(x, top + 38, 95, 95, ink.LAMP, 0.32)
    pic.add(f'<line x1="{f(x)}" y1="{f(y)}" x2="{f(x)}" y2="{f(top)}" stroke="{STRING}" '
            f'stroke-width="1.6"/>')
    pic.add(f'<circle cx="{f(x)}" cy="{f(top + 4)}" r="5" fill="none" stroke="{ink.INK}" '
            f'stroke-width="2.5"/>')
    glass = pic.radial([(0, ink.LAMP_CORE, 1), (0.45, ink.LAMP, 1), (1, ink.EMBER, 1)])
    pic.add(f'<path d="M{f(x - 16)},{f(top + 20)} L{f(x + 16)},{f(top + 20)} L{f(x + 19)},'
            f'{f(top + 56)} L{f(x - 19)},{f(top + 56)} Z" fill="{glass}"/>')
    pic.add(f'<path d="M{f(x - 12)},{f(top + 9)} L{f(x + 12)},{f(top + 9)} L{f(x + 20)},'
            f'{f(top + 21)} L{f(x - 20)},{f(top + 21)} Z" fill="{IRON}" stroke="{ink.INK}" '
            f'stroke-width="2" stroke-linejoin="round"/>')
    pic.add(f'<rect x="{f(x - 22)}" y="{f(top + 55)}" width="44" height="8" rx="2" fill="{IRON}" '
            f'stroke="{ink.INK}" stroke-width="2"/>')
    bars = " ".join(f"M{f(x + k)},{f(top + 21)} L{f(x + k * 1.18)},{f(top + 55)}"
                    for k in (-16, -6, 6, 16))
    pic.add(f'<path d="{bars}" stroke="{ink.INK}" stroke-width="2.4"/>')


def spanner(pic, x, y, rng):
    """An open-ended spanner hung by the ring in its handle."""
    drop = rng.uniform(14, 40)
    top = y + drop
    ang = rng.uniform(-6, 6)
    length = rng.uniform(80, 110)
    jy = top + length
    jaw = (f"M{f(x - 7)},{f(jy - 12)} L{f(x - 18)},{f(jy)} L{f(x - 16)},{f(jy + 20)} "
           f"L{f(x - 7)},{f(jy + 26)} L{f(x - 6)},{f(jy + 12)} L{f(x + 6)},{f(jy + 12)} "
           f"L{f(x + 7)},{f(jy + 26)} L{f(x + 16)},{f(jy + 20)} L{f(x + 18)},{f(jy)} "
           f"L{f(x + 7)},{f(jy - 12)} Z")
    pic.add(f'<line x1="{f(x)}" y1="{f(y)}" x2="{f(x)}" y2="{f(top)}" stroke="{STRING}" '
            f'stroke-width="1.5"/>')
    pic.add(f'<g transform="rotate({f(ang)} {f(x)} {f(top)})">'
            f'<circle cx="{f(x)}" cy="{f(top + 5)}" r="6" fill="none" stroke="{ink.INK}" '
            f'stroke-width="3"/>'
            f'<rect x="{f(x - 6)}" y="{f(top + 9)}" width="12" height="{f(length - 14)}" rx="4" '
            f'fill="{IRON}" stroke="{ink.INK}" stroke-width="2"/>'
            f'<path d="{jaw}" fill="{IRON}" stroke="{ink.INK}" stroke-width="2" '
            f'stroke-linejoin="round"/>'
            f'<line x1="{f(x - 2.5)}" y1="{f(top + 13)}" x2="{f(x - 2.5)}" y2="{f(top + length - 8)}" '
            f'stroke="{IRON_LIGHT}" stroke-width="1.8" opacity="0.6"/></g>')


def hammer(pic, x, y, rng):
    """A hammer hung by a loop of string round its handle, head down."""
    drop = rng.uniform(16, 36)
    top = y + drop
    length = rng.uniform(90, 120)
    pic.add(f'<path d="M{f(x)},{f(y)} L{f(x)},{f(top + 8)}" stroke="{STRING}" '
            f'stroke-width="1.5"/>')
    pic.add(f'<rect x="{f(x - 5)}" y="{f(top)}" width="10" height="{f(length)}" rx="4" '
            f'fill="#3b3128" stroke="{ink.INK}" stroke-width="2"/>'
            f'<rect x="{f(x - 6)}" y="{f(top + 5)}" width="12" height="5" fill="{STRING}"/>'
            f'<path d="M{f(x - 14)},{f(top + length - 10)} L{f(x + 16)},{f(top + length - 10)} '
            f'L{f(x + 16)},{f(top + length - 4)} L{f(x + 30)},{f(top + length - 6)} '
            f'L{f(x + 30)},{f(top + length + 26)} L{f(x + 16)},{f(top + length + 24)} '
            f'L{f(x + 16)},{f(top + length + 30)} L{f(x - 14)},{f(top + length + 30)} '
            f'L{f(x - 20)},{f(top + length + 20)} L{f(x - 30)},{f(top + length + 14)} '
            f'L{f(x - 20)},{f(top + length + 2)} Z" fill="{IRON}" stroke="{ink.INK}" '
            f'stroke-width="2" stroke-linejoin="round"/>'
            f'<line x1="{f(x - 10)}" y1="{f(top + length - 5)}" x2="{f(x + 12)}" '
            f'y2="{f(top + length - 5)}" stroke="{IRON_LIGHT}" stroke-width="2" opacity="0.55"/>')


def little_cog(pic, x, y, rng):
    """A spare brass pinion hung through its hole."""
    drop = rng.uniform(20, 60)
    r = rng.uniform(22, 32)
    cy = y + drop + r
    outline = cog_outline(x, cy, 10, r, r * 0.78, tip_share=0.42, root_share=0.58,
                          phase=rng.uniform(0, 1))
    pic.add(f'<line x1="{f(x)}" y1="{f(y)}" x2="{f(x)}" y2="{f(cy - r * 0.3)}" stroke="{STRING}" '
            f'stroke-width="1.5"/>')
    pic.add(f'<path d="{ink.path(outline)} {circle_path(x, cy, r * 0.3, reverse=True)}" '
            f'fill="#6f5226" fill-rule="evenodd" stroke="{ink.INK}" stroke-width="2"/>'
            f'<circle cx="{f(x)}" cy="{f(cy)}" r="{f(r * 0.55)}" fill="none" '
            f'stroke="{ink.BRASS_LIGHT}" stroke-width="1.5" opacity="0.5"/>')


def ring(pic, x, y):
    """The ring that holds the line, on a cord rising out of sight."""
    fade = pic.linear([(0, STRING, 0), (1, STRING, 1)], user=(x, y - 150, x, y - 40))
    pic.add(f'<line x1="{f(x)}" y1="{f(y - 150)}" x2="{f(x)}" y2="{f(y - 9)}" stroke="{fade}" '
            f'stroke-width="2.5"/>')
    pic.add(f'<circle cx="{f(x)}" cy="{f(y)}" r="8" fill="none" stroke="{ink.INK}" '
            f'stroke-width="4"/><circle cx="{f(x)}" cy="{f(y)}" r="8" fill="none" '
            f'stroke="{IRON_LIGHT}" stroke-width="1.2" opacity="0.6"/>')


def small_rope(seed):
    pic = Picture(WIDTH, HEIGHT, seed=seed)
    rng = pic.rng
    xs = [70]
    while xs[-1] < WIDTH - 1300:
        xs.append(xs[-1] + rng.uniform(900, 1250))
    xs.append(WIDTH - 70)
    supports = [(x, rng.uniform(260, 420)) for x in xs]
    sags = [rng.uniform(180, 320) for _ in xs[1:]]
    line = sag_line(supports, sags)

    # what hangs on it, every so often along the line
    kinds = [tag, tag, note, note, lantern, spanner, hammer, little_cog]
    things = []
    x = 180
    last = None
    while x < WIDTH - 160:
        kind = rng.choice(kinds)
        if kind is last:
            kind = tag
        last = kind
        things.append((kind, x))
        x += rng.uniform(120, 300)

    # lantern glows first so that the line and the other things lie over them
    def hang(kind, x):
        y = height_at(line, x)
        start = len(pic.body)
        kind(pic, x, y, rng)
        group = pic.body[start:]
        del pic.body[start:]
        pic.add(f'<g transform="translate({f(x)},{f(y)}) scale({SCALE}) '
                f'translate({f(-x)},{f(-y)})">', *group, "</g>")

    for kind, x in things:
        if kind is lantern:
            hang(kind, x)
    d = "M " + " L ".join(f"{f(x)},{f(y)}" for x, y in line)
    pic.add(f'<path d="{d}" fill="none" stroke="{LINE}" stroke-width="4" stroke-linejoin="round"/>')
    pic.add(f'<path d="{d}" fill="none" stroke="#3a3d44" stroke-width="1.3" '
            f'stroke-dasharray="5 6" opacity="0.7"/>')
    for x, y in supports:
        ring(pic, x, y)
    for kind, x in things:
        if kind is not lantern:
            hang(kind, x)
    return pic.svg()
