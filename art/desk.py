"""The desk scene: a writing desk at night under a lamp, rain on the window behind it, and
the letter that slides in across the desk.

desk_1 is the room (wall, window, desk top and the pool of lamplight), desk_2 the things on
the desk, desk_3 the letter: the scene slides desk_3 in from the left until its left edge
rests at x = -200, so the letter drawn at canvas x LETTER_X.. lands 200 px further left on
screen. The poem is written over the dark wall at the upper left (x 100-1100, y 100-460),
which is kept calm; everything bright stays right of it or below it.
"""

import math
import random

from lib import ink
from lib.letterhand import Sheet
from lib.moorbrush import Defs, Noise1D, glow, hatch, lerp, mix, num, poly, ragged, smooth

DESK_BACK = 566             # where the desk top meets the wall
WINDOW = (1150, 60, 1560, 470)
LAMP_X, LAMP_BASE = 1712, 700
SHADE_TOP, SHADE_BOTTOM = 318, 452
INKWELL = (1400, 664)
CANDLE = (760, 612)
REST_X = -200               # the letter's resting x, fixed by the scene
LETTER = [(880, 712), (1530, 690), (1552, 1046), (902, 1070)]   # canvas corners of the sheet
SHEET = Sheet(LETTER)


# ---------------------------------------------------------------- the room

def room():
    defs = Defs("r")
    body = []
    wall = defs.linear([(0, "#0c1017", 1), (0.7, "#111722", 1), (1, "#151b25", 1)],
                       x1=0, y1=0, x2=0, y2=DESK_BACK, user=True)
    body.append(f'<rect width="1920" height="{DESK_BACK + 10}" fill="{wall}"/>')
    # Panelling: faint boards and a rail, drawn as worn ink lines.
    boards = []
    for x in range(-40, 1960, 150):
        boards.append(f"M{x},0 L{x + 2},{DESK_BACK}")
    body.append(f'<path d="{"".join(boards)}" stroke="#06080c" stroke-width="3" opacity="0.5"/>')
    body.append(hatch(401, (0, 0, 1920, DESK_BACK), 92, 12, "#1b2330", 0.35, 1.0, (30, 120), 0.55))
    body.append(f'<rect x="0" y="{DESK_BACK - 120}" width="1920" height="10" fill="#080b10" '
                'opacity="0.6"/>')
    # Lamplight on the wall: a broad warm fall-off, brighter above the shade.
    body.append(glow(defs, LAMP_X, SHADE_TOP + 40, 900, ink.EMBER, 0.22, squash=0.75))
    body.append(glow(defs, LAMP_X, SHADE_TOP - 60, 300, ink.LAMP, 0.22, squash=0.9))
    body.append(window(defs))
    body.append(desk_top(defs))
    return ink.document("\n".join(body), defs=defs.text())


def window(defs):
    """A mullioned window, night and the far moor outside, rain running down the glass."""
    x0, y0, x1, y1 = WINDOW
    out = []
    sky = defs.linear([(0, "#1a2230", 1), (0.7, "#2e3a4c", 1), (1, "#3f4c5f", 1)],
                      x1=0, y1=y0, x2=0, y2=y1, user=True)
    # The deep reveal around the glass, then the glass.
    out.append(f'<rect x="{x0 - 30}" y="{y0 - 30}" width="{x1 - x0 + 60}" height="{y1 - y0 + 60}" '
               'fill="#07090d"/>')
    out.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="{sky}"/>')
    out.append(glow(defs, x0 + 300, y0 + 110, 260, "#7d8ca2", 0.25))
    # Outside: a far ridge and the tower with its light.
    noise = Noise1D(411, 3)
    ridge = [(x, y1 - 70 - 20 * math.sin((x - x0) / 90) - 10 * noise(x / 60))
             for x in range(x0, x1 + 10, 10)]
    out.append(f'<path d="{poly(ridge + [(x1, y1), (x0, y1)])}" fill="#253040"/>')
    tx, ty = x0 + 300, y1 - 76
    out.append(f'<path d="M{tx - 5},{ty + 10} L{tx - 4},{ty - 34} L{tx},{ty - 44} L{tx + 4},{ty - 34} '
               f'L{tx + 5},{ty + 10}Z" fill="#1b2331"/>')
    out.append(glow(defs, tx, ty - 32, 20, ink.LAMP, 0.7))
    out.append(f'<circle cx="{tx}" cy="{ty - 32}" r="1.8" fill="{ink.LAMP_CORE}"/>')
    near = [(x, y1 - 24 - 14 * noise(x / 40 + 7)) for x in range(x0, x1 + 10, 10)]
    out.append(f'<path d="{poly(near + [(x1, y1), (x0, y1)])}" fill="#161d28"/>')
    # Rain on the glass: runs that wander down, and beads.
    rng = random.Random(412)
    runs, beads, shine = [], [], []
    for _ in range(46):
        x = rng.uniform(x0 + 6, x1 - 6)
        y = rng.uniform(y0, y1 - 60)
        pts = [(x, y)]
        for _ in range(rng.randint(4, 12)):
            x += rng.uniform(-3, 3)
            y += rng.uniform(8, 22)
            if y > y1:
                break
            pts.append((x, y))
        if len(pts) > 2:
            runs.append(smooth(pts))
    for _ in range(160):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        r = rng.uniform(1.2, 3.6)
        beads.append(f'<circle cx="{num(x)}" cy="{num(y)}" r="{num(r)}"/>')
        shine.append(f'<circle cx="{num(x - r * 0.3)}" cy="{num(y - r * 0.3)}" r="{num(r * 0.35)}"/>')
    out.append(f'<path d="{" ".join(runs)}" stroke="#a9b7ca" stroke-width="2" fill="none" '
               'opacity="0.3" stroke-linecap="round"/>')
    out.append(f'<g fill="#0e131b" opacity="0.45">{"".join(beads)}</g>')
    out.append(f'<g fill="#c9d6e6" opacity="0.55">{"".join(shine)}</g>')
    # The lamp is mirrored faintly in the glass.
    out.append(glow(defs, x1 - 60, SHADE_TOP + 70, 120, ink.LAMP, 0.14))
    # Frame and mullions, lit on their lamp side.
    bars = []
    mx = (x0 + x1) / 2
    bars.append(f'<rect x="{num(mx - 9)}" y="{y0}" width="18" height="{y1 - y0}"/>')
    for fy in (0.36, 0.68):
        yy = lerp(y0, y1, fy)
        bars.append(f'<rect x="{x0}" y="{num(yy - 6)}" width="{x1 - x0}" height="12"/>')
    out.append(f'<g fill="#0d1016">{"".join(bars)}</g>')
    out.append(f'<rect x="{x0 - 12}" y="{y0 - 12}" width="{x1 - x0 + 24}" height="{y1 - y0 + 24}" '
               'fill="none" stroke="#14110f" stroke-width="26"/>')
    out.append(f'<path d="M{x1 + 1},{y0 - 20} V{y1 + 20} M{num(mx + 9)},{y0} V{y1}" '
               f'stroke="{ink.EMBER}" stroke-width="3" opacity="0.45"/>')
    # The sill, catching the lamp.
    out.append(f'<path d="M{x0 - 50},{y1 + 22} L{x1 + 50},{y1 + 22} L{x1 + 62},{y1 + 46} '
               f'L{x0 - 62},{y1 + 46}Z" fill="#1d1712"/>')
    out.append(f'<path d="M{x0 - 50},{y1 + 22} L{x1 + 50},{y1 + 22}" stroke="{ink.EMBER}" '
               'stroke-width="3" opacity="0.5"/>')
    return "\n".join(out)


def desk_top(defs):
    """Dark boards seen from the chair, running across, lit warm around the lamp."""
    out = []
    wood = defs.linear([(0, "#1c1713", 1), (0.5, "#231c16", 1), (1, "#16120f", 1)],
                       x1=0, y1=DESK_BACK, x2=0, y2=1080, user=True)
    out.append(f'<rect x="0" y="{DESK_BACK}" width="1920" height="{1080 - DESK_BACK}" fill="{wood}"/>')
    # Seams between boards, wider apart as they come nearer.
    seams = []
    y, gap = DESK_BACK + 30, 34
    while y < 1080:
        seams.append(y)
        y += gap
        gap *= 1.32
    # Grain: long wavering lines, a few knots.
    rng = random.Random(421)
    dark, light = [], []
    for k in range(150):
        yb = rng.uniform(DESK_BACK + 4, 1080)
        noise = Noise1D(500 + k, 3)
        x = rng.uniform(-200, 1600)
        length = rng.uniform(300, 1100)
        amp = 2 + (yb - DESK_BACK) * 0.012
        pts = [(x + t, yb + amp * noise(t / 140)) for t in range(0, int(length), 24)]
        (dark if k % 3 else light).append(smooth(pts))
    out.append(f'<path d="{" ".join(dark)}" stroke="#0b0907" stroke-width="1.6" fill="none" '
               'opacity="0.6"/>')
    out.append(f'<path d="{" ".join(light)}" stroke="#5a4633" stroke-width="1.2" fill="none" '
               'opacity="0.35"/>')
    for s in seams:
        out.append(f'<path d="M0,{num(s)} L1920,{num(s + 3)}" stroke="#070605" '
                   f'stroke-width="{num(2 + (s - DESK_BACK) * 0.008)}" opacity="0.85"/>')
        out.append(f'<path d="M0,{num(s + 2.5)} L1920,{num(s + 5.5)}" stroke="#6b5236" '
                   'stroke-width="1" opacity="0.25"/>')
    # Lamplight pooling on the wood, and the darkness towards the corners.
    out.append(glow(defs, LAMP_X - 180, LAMP_BASE + 60, 1100, ink.LAMP, 0.42, squash=0.42))
    out.append(glow(defs, LAMP_X - 120, LAMP_BASE + 20, 420, ink.LAMP_CORE, 0.25, squash=0.4))
    out.append(glow(defs, 300, 1000, 700, "#000000", 0.45, squash=0.5))
    # The back edge of the desk and its shadow on the wall.
    out.append(f'<rect x="0" y="{DESK_BACK - 18}" width="1920" height="18" fill="#050608" '
               'opacity="0.6"/>')
    out.append(f'<path d="M0,{DESK_BACK} L1920,{DESK_BACK}" stroke="#6b5236" stroke-width="2" '
               'opacity="0.5"/>')
    return "\n".join(out)


# ---------------------------------------------------------------- the things on the desk

def things():
    defs = Defs("t")
    body = [books(defs), papers(defs), candle(defs), inkwell(defs), lamp(defs)]
    return ink.document("\n".join(body), defs=defs.text())


def lamp(defs):
    """A desk lamp: brass foot and stem, a cloth shade glowing from within."""
    x, base = LAMP_X, LAMP_BASE
    top, bottom = SHADE_TOP, SHADE_BOTTOM
    out = []
    # Its shadow on the desk, thrown away from the window light.
    out.append(glow(defs, x - 30, base + 10, 150, "#000000", 0.7, squash=0.2))
    brass = defs.linear([(0, "#5c4420", 1), (0.3, ink.BRASS_LIGHT, 1), (0.55, ink.BRASS, 1),
                         (1, "#3a2a14", 1)], x1=x - 95, y1=0, x2=x + 95, y2=0, user=True)
    # Foot: a stepped brass dome.
    out.append(f'<ellipse cx="{x}" cy="{base}" rx="95" ry="22" fill="#2a1e0f"/>')
    out.append(f'<path d="M{x - 92},{base - 4} Q{x - 80},{base - 40} {x - 30},{base - 46} '
               f'L{x + 30},{base - 46} Q{x + 80},{base - 40} {x + 92},{base - 4} '
               f'Q{x},{base + 22} {x - 92},{base - 4}Z" fill="{brass}"/>')
    out.append(f'<ellipse cx="{x}" cy="{base - 46}" rx="32" ry="8" fill="{ink.BRASS_LIGHT}" '
               'opacity="0.8"/>')
    # Stem with a knop.
    out.append(f'<rect x="{x - 8}" y="{bottom - 6}" width="16" height="{base - 46 - bottom + 6}" '
               f'fill="{brass}"/>')
    out.append(f'<ellipse cx="{x}" cy="{(bottom + base) // 2}" rx="16" ry="11" fill="{brass}"/>')
    out.append(f'<path d="M{x - 3},{bottom} V{base - 50}" stroke="{ink.LAMP_CORE}" stroke-width="2" '
               'opacity="0.6"/>')
    # The glow of the shade first, then the shade itself.
    out.append(glow(defs, x, (top + bottom) / 2 + 20, 420, ink.LAMP, 0.4, squash=0.8))
    cloth = defs.linear([(0, "#b9772f", 1), (0.55, "#e8a94f", 1), (1, ink.LAMP, 1)],
                        x1=0, y1=top, x2=0, y2=bottom, user=True)
    tw, bw = 78, 150
    shade = f"M{x - tw},{top} L{x + tw},{top} L{x + bw},{bottom} Q{x},{bottom + 26} {x - bw},{bottom}Z"
    out.append(f'<path d="{shade}" fill="{cloth}"/>')
    # Seams and the cloth's weave, and the darker top band.
    seams = "".join(f"M{num(x + tw * k)},{top} L{num(x + bw * k)},{num(bottom + 6 * (1 - k * k))}"
                    for k in (-0.66, -0.33, 0, 0.33, 0.66))
    out.append(f'<path d="{seams}" stroke="#8a521f" stroke-width="2" opacity="0.45"/>')
    out.append(f'<g clip-path="{defs.clip(shade)}">'
               + hatch(431, (x - bw, top, x + bw, bottom + 20), 90, 5, "#9b5e25", 0.25, 1.0,
                       (10, 40), 0.5)
               + glow(defs, x, bottom + 10, 170, ink.LAMP_CORE, 0.7, squash=0.5)
               + "</g>")
    out.append(f'<ellipse cx="{x}" cy="{top}" rx="{tw}" ry="10" fill="#5a3512"/>')
    out.append(f'<path d="M{x - tw},{top} L{x + tw},{top}" stroke="#3a220c" stroke-width="6"/>')
    # The bright rim at the bottom of the shade, where the light spills out.
    out.append(f'<path d="M{x - bw},{bottom} Q{x},{bottom + 26} {x + bw},{bottom}" '
               f'stroke="{ink.LAMP_CORE}" stroke-width="5" fill="none"/>')
    out.append(f'<path d="M{x - bw},{bottom} Q{x},{bottom + 26} {x + bw},{bottom}" '
               f'stroke="{ink.LAMP}" stroke-width="16" fill="none" opacity="0.35"/>')
    return "\n".join(out)


def inkwell(defs):
    """A squat glass inkwell with a brass collar and a quill standing in it."""
    x, y = INKWELL
    out = [glow(defs, x - 40, y + 8, 110, "#000000", 0.65, squash=0.25)]
    glass = defs.linear([(0, "#06080b", 1), (0.6, "#111822", 1), (0.85, "#3b3328", 1),
                         (1, "#0a0c10", 1)], x1=x - 48, y1=0, x2=x + 48, y2=0, user=True)
    out.append(f'<path d="M{x - 48},{y} L{x - 50},{y - 50} Q{x - 48},{y - 66} {x - 24},{y - 70} '
               f'L{x + 24},{y - 70} Q{x + 48},{y - 66} {x + 50},{y - 50} L{x + 48},{y} '
               f'Q{x},{y + 10} {x - 48},{y}Z" fill="{glass}"/>')
    # Lamplight glinting on the glass.
    out.append(f'<path d="M{x + 36},{y - 58} Q{x + 44},{y - 30} {x + 38},{y - 6}" '
               f'stroke="{ink.LAMP_CORE}" stroke-width="4" fill="none" opacity="0.8" '
               'stroke-linecap="round"/>')
    out.append(f'<path d="M{x - 40},{y - 54} L{x - 40},{y - 20}" stroke="#5f6f86" stroke-width="2" '
               'opacity="0.5"/>')
    out.append(f'<rect x="{x - 20}" y="{y - 84}" width="40" height="16" rx="3" fill="{ink.BRASS}"/>')
    out.append(f'<ellipse cx="{x}" cy="{y - 84}" rx="20" ry="6" fill="#050608"/>')
    out.append(f'<path d="M{x + 6},{y - 84} H{x + 18}" stroke="{ink.BRASS_LIGHT}" stroke-width="3"/>')
    # The quill: a shaft from the well, a long vane curving up and back to the left.
    sx, sy = x - 4, y - 86
    tip = (x - 150, y - 300)
    vane = smooth([(sx - 10, sy - 40), (sx - 40, sy - 120), (tip[0] + 20, tip[1] + 30), tip,
                   (tip[0] + 36, tip[1] + 20), (sx - 8, sy - 110), (sx + 2, sy - 44)],
                  close=True, tension=0.8)
    feather = defs.linear([(0, "#4a4740", 1), (0.6, "#8c8576", 1), (1, "#c9bda2", 1)],
                          x1=tip[0], y1=tip[1], x2=sx, y2=sy, user=True)
    out.append(f'<path d="{vane}" fill="{feather}"/>')
    barbs = []
    for k in range(1, 22):
        t = k / 22
        px, py = lerp(sx - 4, tip[0] + 12, t), lerp(sy - 40, tip[1] + 18, t)
        barbs.append(f"M{num(px)},{num(py)} l{num(-18 * (1 - t * 0.5))},{num(6 - 10 * t)}")
        barbs.append(f"M{num(px)},{num(py)} l{num(12 * (1 - t * 0.5))},{num(-2 - 8 * t)}")
    out.append(f'<path d="{"".join(barbs)}" stroke="#2a2824" stroke-width="1.2" opacity="0.5"/>')
    out.append(f'<path d="M{sx},{sy} Q{sx - 30},{sy - 140} {tip[0] + 8},{tip[1] + 10}" '
               'stroke="#e5dcc5" stroke-width="2" fill="none" opacity="0.7"/>')
    return "\n".join(out)


def candle(defs):
    """A candle stub in a brass dish, burning low."""
    x, y = CANDLE
    out = [glow(defs, x, y - 70, 230, ink.LAMP, 0.32)]
    out.append(glow(defs, x - 10, y + 6, 80, "#000000", 0.5, squash=0.3))
    out.append(f'<ellipse cx="{x}" cy="{y}" rx="56" ry="14" fill="#3a2a14"/>')
    out.append(f'<ellipse cx="{x}" cy="{y - 4}" rx="52" ry="11" fill="{ink.BRASS}"/>')
    out.append(f'<path d="M{x - 44},{y - 8} Q{x},{y - 16} {x + 40},{y - 8}" '
               f'stroke="{ink.BRASS_LIGHT}" stroke-width="2" fill="none"/>')
    wax = defs.linear([(0, "#7a6e58", 1), (0.5, "#d9ccaa", 1), (1, "#a39578", 1)],
                      x1=x - 18, y1=0, x2=x + 18, y2=0, user=True)
    out.append(f'<path d="M{x - 18},{y - 8} L{x - 18},{y - 52} Q{x - 10},{y - 60} {x},{y - 56} '
               f'Q{x + 10},{y - 62} {x + 18},{y - 54} L{x + 18},{y - 8}Z" fill="{wax}"/>')
    out.append(f'<path d="M{x - 18},{y - 48} q-4,14 0,26 M{x + 10},{y - 56} q4,16 2,30" '
               'stroke="#e8dcc0" stroke-width="5" fill="none" stroke-linecap="round"/>')
    out.append(f'<path d="M{x},{y - 56} l1,-10" stroke="#1a120a" stroke-width="2"/>')
    flame = f"M{x},{y - 108} Q{x + 12},{y - 80} {x + 7},{y - 66} Q{x},{y - 58} {x - 7},{y - 66} " \
            f"Q{x - 12},{y - 82} {x},{y - 108}Z"
    out.append(glow(defs, x, y - 80, 46, ink.LAMP_CORE, 0.6))
    out.append(f'<path d="{flame}" fill="{ink.LAMP}"/>')
    out.append(f'<ellipse cx="{x}" cy="{y - 74}" rx="4" ry="8" fill="{ink.LAMP_CORE}"/>')
    out.append(f'<ellipse cx="{x}" cy="{y - 66}" rx="3" ry="3" fill="#6b86b8" opacity="0.7"/>')
    return "\n".join(out)


def books(defs):
    """A row of old books standing against the wall at the back of the desk."""
    rng = random.Random(441)
    out = []
    x = 120
    for k in range(7):
        w = rng.uniform(34, 62)
        h = rng.uniform(84, 112)
        lean = 0 if k < 5 else 14
        colour = rng.choice(["#2a1a16", "#1d2028", "#2b2417", "#1a2420", "#301c1a"])
        bx, by = x, DESK_BACK + 8
        pts = [(bx, by), (bx + lean, by - h), (bx + w + lean, by - h), (bx + w, by)]
        out.append(f'<path d="{poly(pts)}" fill="{colour}"/>')
        # Bands across the spine and a worn title plate, in dull gilt.
        for band in (0.14, 0.8):
            yy = by - h * band
            out.append(f'<path d="M{num(bx + lean * band)},{num(yy)} h{num(w)}" stroke="#6e5630" '
                       'stroke-width="3" opacity="0.7"/>')
        out.append(f'<rect x="{num(bx + w * 0.25 + lean * 0.55)}" y="{num(by - h * 0.6)}" '
                   f'width="{num(w * 0.5)}" height="{num(h * 0.14)}" fill="#4a3a22" opacity="0.7"/>')
        out.append(f'<path d="M{num(bx + lean + 2)},{num(by - h)} L{num(bx + 2)},{by}" '
                   'stroke="#6d7b91" stroke-width="1.5" opacity="0.4"/>')
        x += w + (2 if k < 4 else 6)
    return "\n".join(out)


def papers(defs):
    """Loose sheets on an old leather book at the left, dim, far from the lamp."""
    out = [glow(defs, 390, 800, 330, "#000000", 0.45, squash=0.35)]
    out.append(f'<path d="{poly([(150, 700), (640, 676), (690, 900), (170, 944)])}" fill="#24160f"/>')
    out.append(f'<path d="{poly([(150, 700), (640, 676), (644, 690), (156, 714)])}" fill="#5b4226" '
               'opacity="0.6"/>')
    rng = random.Random(451)
    for k, (dx, dy, turn) in enumerate([(0, 0, -4), (18, -6, 3), (-8, 10, -1)]):
        cx, cy = 410 + dx, 800 + dy
        w, h = 430, 210
        a = math.radians(turn)
        corners = []
        for u, v in [(-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)]:
            corners.append((cx + u * math.cos(a) - v * math.sin(a) + (v + h / 2) * -0.08,
                            cy + u * math.sin(a) + v * math.cos(a)))
        tone = mix("#2a2d33", "#3d4046", k / 2)
        out.append(f'<path d="{poly(ragged(corners, 452 + k, 1.0, 12))}" fill="{tone}"/>')
    # Faint lines of writing on the top sheet.
    lines = []
    for r in range(7):
        y = 728 + r * 24
        x = 240 + rng.uniform(0, 30) - r * 2
        end = x + rng.uniform(240, 330)
        pts = []
        while x < end:
            pts.append((x, y + rng.uniform(-4, 3)))
            x += rng.uniform(6, 12)
        lines.append(smooth(pts))
    out.append(f'<path d="{" ".join(lines)}" stroke="#15171b" stroke-width="1.6" fill="none" '
               'opacity="0.6"/>')
    # The candle's light touches the top edge; the rest sinks into hatched shadow.
    top = poly([(150, 700), (690, 676), (700, 960), (140, 980)])
    out.append(f'<g clip-path="{defs.clip(top)}">'
               + hatch(453, (140, 660, 700, 980), 135, 7, "#07080a", 0.35, 1.2, (20, 60), 0.45)
               + "</g>")
    out.append(glow(defs, 560, 700, 200, ink.LAMP, 0.16, squash=0.5))
    return "\n".join(out)


# ---------------------------------------------------------------- the letter

def letter():
    defs = Defs("l")
    body = []
    outline = [SHEET.at(u, v) for u, v in
               [(0, 0), (0.5, 0.002), (1, 0), (1.002, 0.5), (1, 1), (0.5, 0.998), (0, 1), (-0.002, 0.5)]]
    edge = poly(ragged(outline, 461, 0.8, 10))
    shadow = defs.blur(9)
    body.append(f'<path d="{edge}" fill="#000000" opacity="0.6" transform="translate(14,18)" '
                f'filter="{shadow}"/>')
    paper = defs.linear([(0, "#8d8473", 1), (0.55, "#cfc2a2", 1), (1, "#efdcb2", 1)],
                        x1=LETTER[0][0], y1=0, x2=LETTER[1][0], y2=0, user=True)
    body.append(f'<path d="{edge}" fill="{paper}"/>')
    # The two folds it was sent in: a crease with a shaded side.
    for v in (1 / 3, 2 / 3):
        a, b = SHEET.at(0, v), SHEET.at(1, v)
        c, d = SHEET.at(0, v + 0.05), SHEET.at(1, v + 0.05)
        body.append(f'<path d="{poly([a, b, d, c])}" fill="#3a2f20" opacity="0.06"/>')
        body.append(f'<path d="M{num(a[0])},{num(a[1])} L{num(b[0])},{num(b[1])}" stroke="#5a4a30" '
                    'stroke-width="1.2" opacity="0.35"/>')
        body.append(f'<path d="M{num(a[0])},{num(a[1] + 2)} L{num(b[0])},{num(b[1] + 2)}" '
                    'stroke="#fff6de" stroke-width="1.5" opacity="0.35"/>')
    # Paper grain and foxing.
    body.append(f'<g clip-path="{defs.clip(edge)}">'
                + hatch(462, (860, 680, 1570, 1080), 4, 7, "#6b5a3c", 0.12, 1.0, (20, 80), 0.6)
                + glow(defs, 1060, 1000, 120, "#7a5a2a", 0.15)
                + "</g>")
    # The writing: a greeting, paragraphs, a signature with its flourish.
    rng = random.Random(463)
    strokes = SHEET.writing(rng, 0.08, 0.4, 0.11, 0.022)
    v = 0.19
    for para in (4, 3, 3):
        for k in range(para):
            start = 0.13 if k == 0 else 0.08
            end = 0.92 if k < para - 1 else rng.uniform(0.45, 0.75)
            strokes += SHEET.writing(rng, start, end, v, 0.018)
            v += 0.062
        v += 0.03
    strokes += SHEET.writing(rng, 0.6, 0.86, 0.93, 0.026)
    f = [SHEET.at(u, w) for u, w in [(0.58, 0.955), (0.72, 0.97), (0.88, 0.95), (0.92, 0.93)]]
    strokes.append(smooth(f))
    body.append(f'<path d="{" ".join(strokes)}" stroke="#2c1d10" stroke-width="1.7" fill="none" '
                'stroke-linecap="round" stroke-linejoin="round" opacity="0.8"/>')
    # A broken wax seal in the corner, the warm red of the film's few accents.
    sx, sy = SHEET.at(0.08, 0.9)
    seal = [(sx + 28 * math.cos(a) * (1 + 0.12 * math.sin(5 * a)), sy + 22 * math.sin(a) * (1 + 0.12 * math.sin(5 * a)))
            for a in [2 * math.pi * k / 20 for k in range(20)]]
    body.append(f'<path d="{smooth(seal, close=True)}" fill="#6e1f17"/>')
    body.append(f'<path d="M{sx - 12},{sy - 8} l10,6 l-4,10 M{sx + 6},{sy - 12} l4,12" '
                'stroke="#2e0b07" stroke-width="2" fill="none"/>')
    body.append(f'<ellipse cx="{sx - 6}" cy="{sy - 8}" rx="9" ry="5" fill="#b5503a" opacity="0.55"/>')
    return ink.document("\n".join(body), defs=defs.text())


PICTURES = {
    "desk_1": room,
    "desk_2": things,
    "desk_3": letter,
}

if __name__ == "__main__":
    ink.main(PICTURES)
