"""The door scene: a great double door in a stone wall, white light behind it.

door_0 is the wall with the timber frame, the rail the wings hang from and the threshold;
the opening (x 552-1368, y 224-1008) is left fully transparent, because the scene draws
white behind everything. door_1 and door_2 are the left and right wing, each exactly one
half of the opening, hung on rollers from the rail; the scene slides them 408 px apart,
over the wall. A thin gap at the meeting edges and under the wings lets the light show
before they open. The poem's line at the top left (y 100-160) lies over dark stone.
"""

import random

from lib import ink
from lib.moorbrush import Defs, glow, hatch, mix, num, poly, ragged

OPEN_LEFT, OPEN_RIGHT = 552, 1368
OPEN_TOP, OPEN_BOTTOM = 224, 1008
MIDDLE = (OPEN_LEFT + OPEN_RIGHT) // 2
GAP = 3                       # half the crack of light between the wings
RAIL_Y = 186                  # the top of the iron rail the wings hang from
WOOD = "#2a221c"
IRON = "#0d0f12"


# ---------------------------------------------------------------- wall and frame

def wall():
    defs = Defs("d")
    body = []
    # Mortar behind the stones; the stones laid in courses, each its own wash.
    body.append('<rect width="1920" height="1080" fill="#06080b"/>')
    rng = random.Random(501)
    stones = {}
    lit = []
    y = -20
    row = 0
    while y < OPEN_BOTTOM:
        h = rng.uniform(70, 96)
        x = -rng.uniform(0, 120)
        while x < 1920:
            w = rng.uniform(110, 220)
            corners = [(x + 3, y + 3), (x + w - 3, y + 3), (x + w - 3, y + h - 3), (x + 3, y + h - 3)]
            tone = mix("#0e131a", "#1b222c", rng.random() ** 1.5)
            shape = ragged(corners, int(x * 7 + y), 2.5, 14)
            stones.setdefault(tone, []).append(poly(shape))
            # The upper edge of each stone catches a little of the light.
            lit.append(poly([(px, py) for px, py in shape if py < y + 10], close=False))
            x += w
        y += h
        row += 1
    for tone, shapes in stones.items():
        body.append(f'<path d="{" ".join(shapes)}" fill="{tone}"/>')
    body.append(f'<path d="{" ".join(lit)}" stroke="#4a5566" stroke-width="1.5" fill="none" '
                'opacity="0.35"/>')
    body.append(hatch(502, (0, 0, 1920, OPEN_BOTTOM), 118, 10, "#05070a", 0.4, 1.2, (10, 40), 0.55))
    body.append(hatch(503, (0, 0, 1920, OPEN_BOTTOM), 20, 20, "#3a4556", 0.2, 1.0, (10, 30), 0.7))
    # Light from the cracks of the door touches the stone around the frame.
    body.append(glow(defs, MIDDLE, 620, 900, "#c9d2dc", 0.12, squash=0.7))
    body.append(glow(defs, MIDDLE, OPEN_BOTTOM + 20, 700, "#e9edf2", 0.22, squash=0.16))
    # Darkness gathering towards the corners.
    body.append(glow(defs, 0, 0, 900, "#000000", 0.6))
    body.append(glow(defs, 1920, 0, 900, "#000000", 0.6))
    body.append(glow(defs, 0, 1080, 700, "#000000", 0.5))
    body.append(glow(defs, 1920, 1080, 700, "#000000", 0.5))
    body.append(floor(defs))
    body.append(frame(defs))
    body.append(rail())
    # The opening is masked out of everything, down to nothing.
    return ink.document(
        f'<g mask="url(#opening)">{chr(10).join(body)}</g>',
        defs=defs.text() + opening_mask())


def opening_mask():
    return (f'<mask id="opening" maskUnits="userSpaceOnUse" x="0" y="0" width="1920" height="1080">'
            f'<rect width="1920" height="1080" fill="#fff"/>'
            f'<rect x="{OPEN_LEFT}" y="{OPEN_TOP}" width="{OPEN_RIGHT - OPEN_LEFT}" '
            f'height="{OPEN_BOTTOM - OPEN_TOP}" fill="#000"/></mask>')


def floor(defs):
    """Flagstones, and a worn stone threshold catching the light from under the door."""
    out = [f'<rect x="0" y="{OPEN_BOTTOM}" width="1920" height="{1080 - OPEN_BOTTOM}" fill="#0b0e13"/>']
    rng = random.Random(511)
    joints = []
    x = -40
    while x < 1960:
        joints.append(f"M{num(x)},{OPEN_BOTTOM + 14} L{num(x + (x - 960) * 0.25)},1080")
        x += rng.uniform(160, 260)
    out.append(f'<path d="{"".join(joints)}" stroke="#030405" stroke-width="3"/>')
    step = [(OPEN_LEFT - 70, OPEN_BOTTOM), (OPEN_RIGHT + 70, OPEN_BOTTOM),
            (OPEN_RIGHT + 110, OPEN_BOTTOM + 44), (OPEN_LEFT - 110, OPEN_BOTTOM + 44)]
    out.append(f'<path d="{poly(ragged(step, 512, 1.5, 12))}" fill="#2a3039"/>')
    out.append(f'<path d="{poly([(OPEN_LEFT - 110, OPEN_BOTTOM + 44), (OPEN_RIGHT + 110, OPEN_BOTTOM + 44), (OPEN_RIGHT + 110, OPEN_BOTTOM + 60), (OPEN_LEFT - 110, OPEN_BOTTOM + 60)])}" '
               'fill="#101319"/>')
    out.append(glow(defs, MIDDLE, OPEN_BOTTOM + 6, 520, "#f4f1ea", 0.55, squash=0.09))
    out.append(f'<path d="M{OPEN_LEFT - 70},{OPEN_BOTTOM + 1} H{OPEN_RIGHT + 70}" stroke="#dfe4ea" '
               'stroke-width="2" opacity="0.6"/>')
    return "\n".join(out)


def frame(defs):
    """Heavy timber posts and lintel around the opening, pegged and weathered."""
    out = []
    grain = defs.linear([(0, "#1a1512", 1), (0.5, "#2a221c", 1), (1, "#15110e", 1)],
                        x1=0, y1=0, x2=1, y2=0)
    pieces = [
        (OPEN_LEFT - 46, OPEN_TOP - 10, 46, OPEN_BOTTOM - OPEN_TOP + 10),
        (OPEN_RIGHT, OPEN_TOP - 10, 46, OPEN_BOTTOM - OPEN_TOP + 10),
    ]
    for x, y, w, h in pieces:
        out.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{grain}"/>')
        out.append(hatch(x, (x, y, x + w, y + h), 90, 6, "#0a0806", 0.5, 1.0, (30, 140), 0.4))
    lintel = [(OPEN_LEFT - 90, OPEN_TOP - 58), (OPEN_RIGHT + 90, OPEN_TOP - 62),
              (OPEN_RIGHT + 92, OPEN_TOP), (OPEN_LEFT - 92, OPEN_TOP + 2)]
    out.append(f'<path d="{poly(ragged(lintel, 521, 1.5, 16))}" fill="#221b16"/>')
    out.append(hatch(522, (OPEN_LEFT - 90, OPEN_TOP - 60, OPEN_RIGHT + 90, OPEN_TOP), 1, 6,
                     "#0a0806", 0.5, 1.0, (60, 220), 0.4))
    out.append(f'<path d="M{OPEN_LEFT - 90},{OPEN_TOP + 1} H{OPEN_RIGHT + 90}" stroke="#5b4a3a" '
               'stroke-width="2" opacity="0.5"/>')
    # Light creeping round the inner edges of the frame.
    for x in (OPEN_LEFT - 3, OPEN_RIGHT + 3):
        out.append(f'<path d="M{x},{OPEN_TOP} V{OPEN_BOTTOM}" stroke="#dfe6ee" stroke-width="2" '
                   'opacity="0.35"/>')
    for x, y in [(OPEN_LEFT - 23, 300), (OPEN_LEFT - 23, 860), (OPEN_RIGHT + 23, 300),
                 (OPEN_RIGHT + 23, 860), (OPEN_LEFT - 50, OPEN_TOP - 30), (OPEN_RIGHT + 50, OPEN_TOP - 30)]:
        out.append(f'<circle cx="{x}" cy="{y}" r="6" fill="#0c0a08"/>'
                   f'<circle cx="{x - 1}" cy="{y - 1}" r="2" fill="#6a5846" opacity="0.6"/>')
    return "\n".join(out)


def rail():
    """The iron rail the wings run on, the length of their travel, on wall brackets."""
    x0, x1 = OPEN_LEFT - 440, OPEN_RIGHT + 440
    out = [f'<rect x="{x0}" y="{RAIL_Y}" width="{x1 - x0}" height="12" rx="2" fill="{IRON}"/>',
           f'<path d="M{x0},{RAIL_Y + 1} H{x1}" stroke="#7b8799" stroke-width="1.5" opacity="0.5"/>']
    for x in range(x0 + 30, x1, 250):
        out.append(f'<path d="M{x - 12},{RAIL_Y + 12} L{x + 12},{RAIL_Y + 12} L{x + 6},{RAIL_Y + 34} '
                   f'L{x - 6},{RAIL_Y + 34}Z" fill="{IRON}"/>'
                   f'<circle cx="{x}" cy="{RAIL_Y + 26}" r="3" fill="#3a4250"/>')
    return "\n".join(out)


# ---------------------------------------------------------------- the wings

def wing(side):
    """One wing: planks, iron bands with a brace, rollers on the rail, a ring handle.
    side is -1 for the left wing, +1 for the right; the wing is drawn for the left and
    mirrored about the middle of the opening for the right, so the two meet in a seam."""
    defs = Defs("L" if side < 0 else "R")
    x0, x1 = OPEN_LEFT, MIDDLE - GAP
    y0, y1 = OPEN_TOP, OPEN_BOTTOM - 6
    w = x1 - x0
    out = []
    rng = random.Random(530 + side)
    # Planks, each a slightly different board with its own grain.
    planks = 4
    pw = w / planks
    for k in range(planks):
        px = x0 + k * pw
        tone = mix("#221b16", "#30271f", rng.random())
        board = [(px + 1.5, y0), (px + pw - 1.5, y0), (px + pw - 1.5, y1), (px + 1.5, y1)]
        out.append(f'<path d="{poly(ragged(board, 531 + k + 10 * side, 1.2, 20))}" fill="{tone}"/>')
        out.append(hatch(540 + k + 10 * side, (px + 4, y0, px + pw - 4, y1), 90.6, 5, "#0c0907",
                         0.55, 1.1, (40, 200), 0.35, wobble=1.0))
        out.append(hatch(550 + k + 10 * side, (px + 6, y0, px + pw - 6, y1), 89.5, 13, "#5e4b3a",
                         0.22, 1.0, (30, 120), 0.6, wobble=1.0))
        # A knot or two.
        for _ in range(rng.randint(0, 2)):
            kx, ky = px + rng.uniform(20, pw - 20), rng.uniform(y0 + 60, y1 - 60)
            out.append(f'<ellipse cx="{num(kx)}" cy="{num(ky)}" rx="5" ry="11" fill="none" '
                       'stroke="#0c0907" stroke-width="2" opacity="0.7"/>')
    out.append(f'<path d="{"".join(f"M{num(x0 + k * pw)},{y0} V{y1}" for k in range(1, planks))}" '
               'stroke="#050403" stroke-width="4"/>')
    # Iron bands with nail heads, and a brace between the lower two.
    bands = [y0 + 110, (y0 + y1) / 2, y1 - 110]
    nails = []
    for by in bands:
        out.append(f'<rect x="{x0}" y="{num(by - 18)}" width="{w}" height="36" fill="{IRON}"/>')
        out.append(f'<path d="M{x0},{num(by - 17)} H{x1}" stroke="#5c6878" stroke-width="1.5" opacity="0.55"/>')
        for k in range(planks):
            nx = x0 + (k + 0.5) * pw
            nails.append((nx - 18, by))
            nails.append((nx + 18, by))
    brace = [(x0 + 14, bands[2] - 18), (x0 + 58, bands[2] - 18), (x1 - 14, bands[1] + 18),
             (x1 - 58, bands[1] + 18)]
    out.append(f'<path d="{poly(brace)}" fill="#2c231c"/>')
    out.append(f'<path d="M{x0 + 14},{num(bands[2] - 18)} L{x1 - 58},{num(bands[1] + 18)}" '
               'stroke="#050403" stroke-width="3"/>')
    out.append(hatch(560 + side, (x0, bands[1], x1, bands[2]), -62, 7, "#0c0907", 0.3, 1.0,
                     (20, 80), 0.5))
    for nx, ny in nails:
        out.append(f'<circle cx="{num(nx)}" cy="{num(ny)}" r="5.5" fill="#1d2229"/>'
                   f'<circle cx="{num(nx - 1.5)}" cy="{num(ny - 1.5)}" r="2" fill="#8a96a8" opacity="0.6"/>')
    # Rollers on the rail, on straps bolted to the top of the wing.
    for rx in (x0 + 70, x1 - 70):
        out.append(f'<rect x="{rx - 14}" y="{RAIL_Y + 8}" width="28" height="{y0 + 70 - RAIL_Y - 8}" '
                   f'fill="{IRON}"/>')
        out.append(f'<circle cx="{rx}" cy="{RAIL_Y - 4}" r="20" fill="#14171c"/>'
                   f'<circle cx="{rx}" cy="{RAIL_Y - 4}" r="7" fill="#2b313a"/>'
                   f'<path d="M{rx - 14},{RAIL_Y - 18} A20,20 0 0 1 {rx + 14},{RAIL_Y - 18}" '
                   'stroke="#7b8799" stroke-width="2" fill="none" opacity="0.5"/>')
        for by in (y0 + 24, y0 + 54):
            out.append(f'<circle cx="{rx}" cy="{by}" r="5" fill="#2b313a"/>')
    # The ring handle, near the meeting edge, brass worn bright where hands hold it.
    hx, hy = x1 - 52, (y0 + y1) / 2 + 90
    out.append(f'<path d="M{hx},{hy - 34} L{hx + 24},{hy - 10} L{hx},{hy + 14} L{hx - 24},{hy - 10}Z" '
               f'fill="{IRON}"/>')
    out.append(f'<circle cx="{hx}" cy="{hy - 10}" r="6" fill="{ink.BRASS}"/>')
    out.append(f'<circle cx="{hx}" cy="{hy + 34}" r="36" fill="none" stroke="#060708" stroke-width="11"/>')
    out.append(f'<circle cx="{hx}" cy="{hy + 34}" r="36" fill="none" stroke="{ink.BRASS}" stroke-width="7"/>')
    out.append(f'<path d="M{hx - 30},{hy + 50} A36,36 0 0 0 {hx + 24},{hy + 62}" stroke="{ink.BRASS_LIGHT}" '
               'stroke-width="3" fill="none" opacity="0.8"/>')
    # Light from the crack blooming on the meeting edge and along the foot.
    out.append(f'<rect x="{x1 - 40}" y="{y0}" width="40" height="{y1 - y0}" fill="{defs.linear([(0, "#f4f1ea", 0), (1, "#f4f1ea", 0.28)], x1=0, y1=0, x2=1, y2=0)}"/>')
    out.append(f'<path d="M{x1 - 1},{y0} V{y1}" stroke="#f4f1ea" stroke-width="2" opacity="0.7"/>')
    out.append(f'<rect x="{x0}" y="{y1 - 26}" width="{w}" height="26" fill="{defs.linear([(0, "#f4f1ea", 0), (1, "#f4f1ea", 0.22)])}"/>')
    # The whole wing edged in shadow, so it reads as one heavy panel.
    out.append(f'<rect x="{x0 + 2}" y="{y0 + 2}" width="{w - 4}" height="{y1 - y0 - 4}" fill="none" '
               'stroke="#050403" stroke-width="4" opacity="0.8"/>')
    group = "\n".join(out)
    if side > 0:
        group = f'<g transform="translate({2 * MIDDLE},0) scale(-1,1)">{group}</g>'
    return ink.document(group, defs=defs.text())


PICTURES = {
    "door_0": wall,
    "door_1": lambda: wing(-1),
    "door_2": lambda: wing(1),
}

if __name__ == "__main__":
    ink.main(PICTURES)
