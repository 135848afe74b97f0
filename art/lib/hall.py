"""workshop_1: the tall hall of the workshop, 1920 x 5760.

The view starts on the floor (rows 4680-5760) and rises to the roof trusses (rows
2280-3360); the rows above 2280 are never seen and stay plain. From the floor up: the
forge and its furnace, the bench and the tool board, the first gallery, two lancet
windows, the second gallery, the great window under the roof trusses. The window openings
are left empty (alpha 0) so the rain, drawn behind the hall, falls in them.

The left two thirds carry the poem in white letters, so that part of the wall is kept
dark and quiet; the windows, the furnace and the flue stand on the right.
"""

import math

from lib import ink
from lib.machinery import Picture, chain, circle_path, f, hook, smooth

W, H = 1920, 5760
SEEN = 2280  # the highest row ever on screen

WALL_HIGH = "#1a2230"
WALL = "#232d3c"
WALL_LOW = "#2a2d35"
STONE = "#3a4556"
STONE_LIGHT = "#56647a"
IRON = "#151b24"
IRON_LIGHT = "#5f6c7e"
WOOD = "#2a2420"
WOOD_LIGHT = "#4d4034"
FLOOR = "#1e2128"

# Window openings.
GROUND_WINDOW = (1160, 4740, 230, 470)  # x, y, width, height; pointed arch
LANCETS = [(1130, 3800, 200, 620), (1400, 3800, 200, 620)]
GREAT_WINDOW = (1090, 2530, 600, 900)  # round arch with a rose
GALLERIES = [4590, 3610]  # top of each gallery deck
TRUSS = 2450  # top of the roof trusses' bottom chord
FLUE = (1730, 1830)
FURNACE = (1470, 5080, 1905, 5600)
FLOOR_TOP = 5590


def pointed_arch(x, y, w, h):
    spring = y + w * 0.866
    return (f"M {f(x)},{f(y + h)} L {f(x)},{f(spring)} A {f(w)},{f(w)} 0 0 1 {f(x + w / 2)},{f(y)} "
            f"A {f(w)},{f(w)} 0 0 1 {f(x + w)},{f(spring)} L {f(x + w)},{f(y + h)} Z")


def round_arch(x, y, w, h):
    spring = y + w / 2
    return (f"M {f(x)},{f(y + h)} L {f(x)},{f(spring)} A {f(w / 2)},{f(w / 2)} 0 0 1 "
            f"{f(x + w)},{f(spring)} L {f(x + w)},{f(y + h)} Z")


def openings():
    """Path data of every window opening."""
    parts = [pointed_arch(*GROUND_WINDOW)]
    parts += [pointed_arch(*w) for w in LANCETS]
    parts.append(round_arch(*GREAT_WINDOW))
    return parts


# -- the wall ---------------------------------------------------------------------------


def wall(pic):
    """The back wall: a dark wash, bluer and colder towards the roof, warmed near the
    forge; uneven washes and brick courses over it."""
    rng = pic.rng
    tone = pic.linear([(0, WALL_HIGH, 1), (0.42, WALL_HIGH, 1), (0.62, WALL, 1),
                       (0.9, WALL_LOW, 1), (1, "#2c2a2b", 1)])
    pic.add(f'<rect width="{W}" height="{H}" fill="{tone}"/>')
    # uneven washes: ragged blots of translucent colour, each laid two or three times
    # smaller over itself so its edge is soft
    colours = [ink.FAR, ink.FAR, ink.NEAR, ink.NEAR, ink.INK, ink.MIST]
    for _ in range(34):
        x, y = rng.uniform(-100, W + 100), rng.uniform(SEEN - 100, FLOOR_TOP)
        colour = rng.choice(colours)
        if colour == ink.MIST and x < 1100:
            colour = ink.NEAR
        op = 0.05 if colour == ink.MIST else 0.1
        r = rng.uniform(140, 380)
        squash = rng.uniform(0.4, 0.9)
        for k in range(3):
            scale = 1 - k * 0.28
            pts = []
            for i in range(14):
                a = i * 2 * math.pi / 14
                rr = r * scale * rng.uniform(0.75, 1.1)
                pts.append((x + math.cos(a) * rr, y + math.sin(a) * rr * squash))
            pic.add(f'<path d="{smooth(pts, closed=True)}" fill="{colour}" fill-opacity="{op}"/>')
    bricks(pic, rng)
    # soot and damp running down from each gallery
    for top in GALLERIES + [TRUSS + 40]:
        shadow = pic.linear([(0, ink.INK, 0.75), (1, ink.INK, 0)])
        pic.add(f'<rect x="0" y="{top + 30}" width="{W}" height="260" fill="{shadow}"/>')
    etching(pic, rng)
    # warmth of the forge over the lower wall
    pic.glow(1620, 5340, 1250, 820, ink.EMBER, 0.42)
    pic.glow(1660, 5380, 520, 380, ink.LAMP, 0.25)


def bricks(pic, rng):
    """Brick courses: broken mortar lines, darker in some patches, a few lit brick faces."""
    course, length = 26, 64
    lines, joints, faces = [], [], []
    y = SEEN - 200
    row = 0
    while y < FLOOR_TOP:
        x = 0
        while x < W:
            run = rng.uniform(120, 520)
            if rng.random() < 0.75:
                lines.append(f"M{f(x)},{f(y + rng.uniform(-0.8, 0.8))} h{f(run)}")
            x += run + rng.uniform(10, 80)
        offset = (row % 2) * length / 2
        x = offset
        while x < W:
            if rng.random() < 0.55:
                joints.append(f"M{f(x + rng.uniform(-1.5, 1.5))},{f(y + 2)} v{course - 4}")
            if rng.random() < 0.035:
                faces.append(f"M{f(x + 3)},{f(y + 3)} h{length - 6} v{course - 6} h{6 - length} Z")
            x += length
        y += course
        row += 1
    pic.add(f'<path d="{" ".join(lines)}" stroke="{ink.INK}" stroke-width="2" fill="none" '
            f'stroke-opacity="0.32"/>')
    pic.add(f'<path d="{" ".join(joints)}" stroke="{ink.INK}" stroke-width="2" fill="none" '
            f'stroke-opacity="0.28"/>')
    pic.add(f'<path d="{" ".join(faces)}" fill="{ink.MIST}" fill-opacity="0.07"/>')


def etching(pic, rng):
    """Ink work on the wall: hatching in the shadow under each gallery and the trusses,
    denser into the corners, and damp streaks running down."""
    for top in GALLERIES + [TRUSS + 40]:
        fade = pic.linear([(0, ink.INK, 0.55), (1, ink.INK, 0)], user=(0, top + 40, 0, top + 330))
        d = []
        x = -300
        while x < W:
            length = rng.uniform(160, 300)
            y0 = top + 50 + rng.uniform(0, 20)
            d.append(f"M{f(x)},{f(y0)} l{f(length * 0.55)},{f(length)}")
            x += rng.uniform(7, 13)
        pic.add(f'<path d="{" ".join(d)}" stroke="{fade}" stroke-width="1.6" fill="none"/>')
    # corners: cross-hatching up the left and right edges
    for x0, direction in ((0, 1), (W, -1)):
        fade = pic.linear([(0, ink.INK, 0.5), (1, ink.INK, 0)],
                          user=(x0, 0, x0 + direction * 260, 0))
        d = []
        y = SEEN - 100
        while y < FLOOR_TOP:
            length = rng.uniform(140, 280)
            d.append(f"M{f(x0)},{f(y)} l{f(direction * length)},{f(length * 0.35)}")
            y += rng.uniform(9, 16)
        pic.add(f'<path d="{" ".join(d)}" stroke="{fade}" stroke-width="1.5" fill="none"/>')
    # damp streaks below the galleries and the window sills
    d = []
    for top in GALLERIES + [TRUSS + 40]:
        for _ in range(26):
            x = rng.uniform(0, W)
            length = rng.uniform(120, 520)
            d.append(f"M{f(x)},{f(top + 56)} q{f(rng.uniform(-6, 6))},{f(length / 2)} "
                     f"{f(rng.uniform(-4, 4))},{f(length)}")
    pic.add(f'<path d="{" ".join(d)}" stroke="{ink.INK}" stroke-width="5" fill="none" '
            f'stroke-opacity="0.18" stroke-linecap="round"/>')
    d = []
    for x, y, w, h in [GROUND_WINDOW] + LANCETS + [GREAT_WINDOW]:
        for _ in range(8):
            sx = rng.uniform(x, x + w)
            length = rng.uniform(80, 300)
            d.append(f"M{f(sx)},{f(y + h + 30)} q{f(rng.uniform(-5, 5))},{f(length / 2)} "
                     f"{f(rng.uniform(-3, 3))},{f(length)}")
    pic.add(f'<path d="{" ".join(d)}" stroke="{ink.MIST}" stroke-width="4" fill="none" '
            f'stroke-opacity="0.12" stroke-linecap="round"/>')


def light_shafts(pic):
    """Pale light falling in from the windows, slanting down to the left."""
    x, y, w, h = GREAT_WINDOW
    for (x0, x1), op in (((x + 40, x + w - 60), 0.09), ((x + 160, x + w - 200), 0.07)):
        shaft = pic.linear([(0, ink.MOON, op), (1, ink.MOON, 0)], user=(x0, y + 300, x0 - 500, y + 1500))
        pic.add(f'<path d="M{f(x0)},{f(y + 200)} L{f(x1)},{f(y + 200)} L{f(x1 - 650)},{f(y + 1350)} '
                f'L{f(x0 - 800)},{f(y + 1350)} Z" fill="{shaft}"/>')
    for lx, ly, lw, lh in LANCETS:
        shaft = pic.linear([(0, ink.MOON, 0.08), (1, ink.MOON, 0)],
                           user=(lx, ly + 200, lx - 400, ly + 800))
        pic.add(f'<path d="M{f(lx + 10)},{f(ly + 150)} L{f(lx + lw - 10)},{f(ly + 150)} '
                f'L{f(lx + lw - 420)},{f(ly + 760)} L{f(lx - 420)},{f(ly + 760)} Z" fill="{shaft}"/>')


def surround(pic, shape, width):
    """The stone reveal round a window: a broad stroke of pale stone and a cold rim where
    the night comes in. Drawn under the wall's clip, so it stops at the opening."""
    pic.add(f'<path d="{shape}" fill="none" stroke="{ink.INK}" stroke-width="{width + 16}" '
            f'stroke-opacity="0.6" stroke-linejoin="round"/>')
    pic.add(f'<path d="{shape}" fill="none" stroke="{STONE}" stroke-width="{width}" '
            f'stroke-linejoin="round"/>')
    pic.add(f'<path d="{shape}" fill="none" stroke="{STONE_LIGHT}" stroke-width="{width * 0.35}" '
            f'stroke-opacity="0.6" stroke-linejoin="round"/>')
    pic.add(f'<path d="{shape}" fill="none" stroke="{ink.MOON}" stroke-width="5" '
            f'stroke-opacity="0.35" stroke-linejoin="round"/>')


# -- windows ----------------------------------------------------------------------------


def glazing(pic, shape, x, y, w, h, columns, pane_h, bar=5, mullion=12):
    """Iron glazing bars and stone mullions inside an opening (clipped to it)."""
    name = pic.uid("c")
    pic.define(f'<clipPath id="{name}"><path d="{shape}"/></clipPath>')
    d = []
    for i in range(1, columns):
        cx = x + w * i / columns
        d.append(f"M{f(cx)},{f(y)} V{f(y + h)}")
    bars = []
    yy = y + h - pane_h
    while yy > y:
        bars.append(f"M{f(x)},{f(yy)} H{f(x + w)}")
        yy -= pane_h
    for i in range(columns):
        for k in (1, 2):
            cx = x + w * (i + k / 3) / columns
            bars.append(f"M{f(cx)},{f(y)} V{f(y + h)}")
    pic.add(f'<g clip-path="url(#{name})">'
            f'<path d="{" ".join(bars)}" stroke="{IRON}" stroke-width="{bar}" fill="none"/>'
            f'<path d="{" ".join(d)}" stroke="{ink.INK}" stroke-width="{mullion + 4}" fill="none"/>'
            f'<path d="{" ".join(d)}" stroke="{STONE}" stroke-width="{mullion}" fill="none"/>'
            f'<path d="{" ".join(d)}" stroke="{STONE_LIGHT}" stroke-width="3" fill="none" '
            f'stroke-opacity="0.5" transform="translate(-3,0)"/>'
            f'<path d="{shape}" fill="none" stroke="{ink.INK}" stroke-width="10"/></g>')


def great_window_tracery(pic):
    x, y, w, h = GREAT_WINDOW
    shape = round_arch(x, y, w, h)
    cx, cy, r = x + w / 2, y + w / 2, w / 2
    name = pic.uid("c")
    pic.define(f'<clipPath id="{name}"><path d="{shape}"/></clipPath>')
    body = []
    # the rose in the arch: a ring, its spokes and a hub
    rose_r = r * 0.62
    spokes = []
    for i in range(12):
        a = i * math.pi / 6
        spokes.append(f"M{f(cx + math.cos(a) * 30)},{f(cy + math.sin(a) * 30)} "
                      f"L{f(cx + math.cos(a) * rose_r)},{f(cy + math.sin(a) * rose_r)}")
    petals = []
    for i in range(12):
        a = (i + 0.5) * math.pi / 6
        px, py = cx + math.cos(a) * rose_r * 0.72, cy + math.sin(a) * rose_r * 0.72
        petals.append(circle_path(px, py, rose_r * 0.2))
    body.append(f'<path d="{" ".join(spokes)}" stroke="{IRON}" stroke-width="7"/>')
    body.append(f'<path d="{" ".join(petals)}" fill="none" stroke="{IRON}" stroke-width="5"/>')
    body.append(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(rose_r)}" fill="none" stroke="{ink.INK}" '
                f'stroke-width="22"/><circle cx="{f(cx)}" cy="{f(cy)}" r="{f(rose_r)}" fill="none" '
                f'stroke="{STONE}" stroke-width="14"/>')
    body.append(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="34" fill="{STONE}" stroke="{ink.INK}" '
                f'stroke-width="6"/>')
    # the transom under the rose and the lights below it
    ty = cy + rose_r + 40
    body.append(f'<rect x="{f(x)}" y="{f(ty)}" width="{f(w)}" height="26" fill="{STONE}" '
                f'stroke="{ink.INK}" stroke-width="6"/>')
    pic.add(f'<g clip-path="url(#{name})">', *body, "</g>")
    glazing(pic, f"M{f(x)},{f(ty + 26)} H{f(x + w)} V{f(y + h)} H{f(x)} Z", x, ty + 26, w,
            y + h - ty - 26, 4, 78, bar=5, mullion=16)
    pic.add(f'<path d="{shape}" fill="none" stroke="{ink.INK}" stroke-width="8"/>')


# -- structure --------------------------------------------------------------------------


def column(pic, x, w, top, bottom):
    """A cast-iron column with a lit edge and bands at intervals."""
    shade = pic.linear([(0, ink.INK, 1), (0.25, IRON_LIGHT, 1), (0.45, IRON, 1), (1, ink.INK, 1)],
                       x1=0, y1=0, x2=1, y2=0)
    pic.add(f'<rect x="{f(x)}" y="{f(top)}" width="{f(w)}" height="{f(bottom - top)}" '
            f'fill="{shade}" stroke="{ink.INK}" stroke-width="3"/>')
    bands = []
    y = top + 120
    while y < bottom - 40:
        bands.append(f"M{f(x - 6)},{f(y)} h{f(w + 12)}")
        y += 420
    pic.add(f'<path d="{" ".join(bands)}" stroke="{ink.INK}" stroke-width="14" fill="none"/>')
    rng = pic.rng
    lines = []
    for k in range(5):
        lx = x + w * (0.62 + k * 0.07)
        y = top
        while y < bottom:
            run = rng.uniform(60, 400)
            lines.append(f"M{f(lx)},{f(y)} v{f(min(run, bottom - y))}")
            y += run + rng.uniform(10, 60)
    pic.add(f'<path d="{" ".join(lines)}" stroke="{ink.INK}" stroke-width="2" fill="none" '
            f'stroke-opacity="0.7"/>')


def gallery(pic, top, rng):
    """A gallery walkway across the hall: a deep beam, a railing of balusters, knee
    braces to the columns and rivets along the beam."""
    pic.add(f'<rect x="0" y="{top}" width="{W}" height="54" fill="{IRON}" stroke="{ink.INK}" '
            f'stroke-width="4"/>')
    pic.add(f'<rect x="0" y="{top + 6}" width="{W}" height="4" fill="{IRON_LIGHT}" '
            f'fill-opacity="0.45"/>')
    rivets = " ".join(circle_path(x, top + 36, 3) for x in range(20, W, 46))
    pic.add(f'<path d="{rivets}" fill="{IRON_LIGHT}" fill-opacity="0.4"/>')
    # the railing
    rail = top - 110
    posts = []
    x = 10
    while x < W:
        posts.append(f"M{f(x)},{f(rail)} V{f(top)}")
        x += 38
    pic.add(f'<path d="{" ".join(posts)}" stroke="{ink.INK}" stroke-width="5"/>')
    pic.add(f'<path d="M0,{rail} H{W} M0,{rail + 55} H{W}" stroke="{ink.INK}" stroke-width="9"/>')
    pic.add(f'<path d="M0,{rail - 3} H{W}" stroke="{IRON_LIGHT}" stroke-width="2" '
            f'stroke-opacity="0.4"/>')
    # knee braces under the deck
    braces = []
    for x in (110, 1830):
        d = 1 if x < W / 2 else -1
        braces.append(f"M{f(x)},{f(top + 230)} L{f(x + d * 180)},{f(top + 54)}")
    pic.add(f'<path d="{" ".join(braces)}" stroke="{ink.INK}" stroke-width="20"/>')


def truss(pic, rng):
    """The roof trusses: a deep bottom chord, posts and diagonals climbing into the dark."""
    y = TRUSS
    top = SEEN + 20
    # the roof boards above the girder, lost in the dark
    pic.add(f'<rect x="0" y="{SEEN - 420}" width="{W}" height="{top - SEEN + 420}" fill="{ink.INK}"/>')
    members = []
    panel = 160
    for i in range(0, W // panel + 1):
        x = i * panel
        members.append(f"M{f(x)},{f(y)} V{f(top)}")
        members.append(f"M{f(x)},{f(y)} L{f(x + panel)},{f(top)}")
    pic.add(f'<path d="{" ".join(members)}" stroke="{ink.INK}" stroke-width="18"/>')
    pic.add(f'<path d="{" ".join(members)}" stroke="{IRON}" stroke-width="9"/>')
    pic.add(f'<rect x="0" y="{top - 10}" width="{W}" height="40" fill="{IRON}" stroke="{ink.INK}" '
            f'stroke-width="5"/>')
    pic.add(f'<rect x="0" y="{y - 4}" width="{W}" height="58" fill="{IRON}" stroke="{ink.INK}" '
            f'stroke-width="5"/>')
    pic.add(f'<rect x="0" y="{y + 2}" width="{W}" height="4" fill="{IRON_LIGHT}" '
            f'fill-opacity="0.4"/>')
    rivets = " ".join(circle_path(x, y + 38, 3.2) for x in range(16, W, 40))
    pic.add(f'<path d="{rivets}" fill="{IRON_LIGHT}" fill-opacity="0.35"/>')


def pipe(pic, y, x0, x1, r=14):
    """A steam pipe along the wall, with flanges."""
    shade = pic.linear([(0, IRON_LIGHT, 1), (0.4, IRON, 1), (1, ink.INK, 1)])
    pic.add(f'<rect x="{f(x0)}" y="{f(y - r)}" width="{f(x1 - x0)}" height="{f(2 * r)}" '
            f'fill="{shade}" stroke="{ink.INK}" stroke-width="3"/>')
    flanges = " ".join(f"M{f(x)},{f(y - r - 6)} v{f(2 * r + 12)}" for x in range(int(x0) + 160, int(x1), 320))
    pic.add(f'<path d="{flanges}" stroke="{ink.INK}" stroke-width="12"/>')


def flue(pic):
    """The iron flue rising from the furnace hood to the roof."""
    x0, x1 = FLUE
    top, bottom = SEEN - 400, FURNACE[1]
    shade = pic.linear([(0, ink.INK, 1), (0.22, "#3b4656", 1), (0.5, IRON, 1), (1, ink.INK, 1)],
                       x1=0, y1=0, x2=1, y2=0)
    pic.add(f'<rect x="{x0}" y="{top}" width="{x1 - x0}" height="{bottom - top}" fill="{shade}" '
            f'stroke="{ink.INK}" stroke-width="4"/>')
    bands, rivets = [], []
    y = top + 80
    while y < bottom:
        bands.append(f"M{x0 - 5},{f(y)} H{x1 + 5}")
        rivets.extend(circle_path(x, y + 11, 3) for x in range(x0 + 10, x1, 18))
        y += 180
    pic.add(f'<path d="{" ".join(bands)}" stroke="{ink.INK}" stroke-width="12"/>')
    pic.add(f'<path d="{" ".join(rivets)}" fill="{IRON_LIGHT}" fill-opacity="0.4"/>')
    # the forge's warmth climbing up the flue's left flank
    warm = pic.linear([(0, ink.EMBER, 0), (1, ink.EMBER, 0.55)], user=(0, 4300, 0, bottom))
    pic.add(f'<rect x="{x0 + 4}" y="4300" width="16" height="{bottom - 4300}" fill="{warm}"/>')


# -- the floor --------------------------------------------------------------------------


def furnace(pic, rng):
    x0, y0, x1, y1 = FURNACE
    # hood narrowing into the flue
    fx0, fx1 = FLUE
    pic.add(f'<path d="M{x0 + 30},{y0 + 40} L{fx0 - 20},{y0 - 90} L{fx1 + 20},{y0 - 90} '
            f'L{x1},{y0 + 40} Z" fill="{IRON}" stroke="{ink.INK}" stroke-width="5"/>')
    # the brick body
    body = pic.linear([(0, "#2b2426", 1), (0.6, "#221d20", 1), (1, "#141216", 1)], x1=0, y1=0,
                      x2=1, y2=0)
    pic.add(f'<rect x="{x0}" y="{y0 + 40}" width="{x1 - x0}" height="{y1 - y0 - 40}" '
            f'fill="{body}" stroke="{ink.INK}" stroke-width="5"/>')
    courses = []
    y = y0 + 64
    row = 0
    while y < y1:
        courses.append(f"M{x0},{f(y)} H{x1}")
        x = x0 + (row % 2) * 28
        while x < x1:
            courses.append(f"M{f(x)},{f(y)} v-24")
            x += 56
        y += 24
        row += 1
    pic.add(f'<path d="{" ".join(courses)}" stroke="{ink.INK}" stroke-width="2.4" '
            f'stroke-opacity="0.6"/>')
    # the mouth: an arch full of fire
    mx0, mx1, my0, my1 = x0 + 90, x1 - 110, y0 + 250, y1 - 60
    mouth = pointed_arch(mx0, my0, mx1 - mx0, my1 - my0)
    fire = pic.radial([(0, ink.LAMP_CORE, 1), (0.35, ink.LAMP, 1), (0.75, ink.EMBER, 1),
                       (1, "#5a2a12", 1)], cx=0.5, cy=0.85, r=0.75)
    pic.add(f'<path d="{mouth}" fill="{fire}" stroke="{ink.INK}" stroke-width="8"/>')
    # flames licking up out of the coal bed
    flames = []
    for _ in range(9):
        fx = rng.uniform(mx0 + 30, mx1 - 30)
        fh = rng.uniform(60, 150)
        fw = rng.uniform(16, 30)
        base = my1 - 40
        flames.append(f"M{f(fx - fw)},{f(base)} Q{f(fx - fw * 0.8)},{f(base - fh * 0.6)} "
                      f"{f(fx + rng.uniform(-10, 10))},{f(base - fh)} Q{f(fx + fw * 0.6)},"
                      f"{f(base - fh * 0.5)} {f(fx + fw)},{f(base)} Z")
    inside = pic.uid("c")
    pic.define(f'<clipPath id="{inside}"><path d="{mouth}"/></clipPath>')
    pic.add(f'<path d="{" ".join(flames)}" fill="{ink.LAMP_CORE}" fill-opacity="0.55" '
            f'clip-path="url(#{inside})"/>')
    # the coal bed: a ragged dark heap with glowing cracks
    bed = [(mx0 + 6, my1)]
    x = mx0 + 6
    while x < mx1 - 6:
        x += rng.uniform(12, 26)
        bed.append((min(x, mx1 - 6), my1 - rng.uniform(22, 48)))
    bed.append((mx1 - 6, my1))
    pic.add(f'<path d="{ink.path(bed)}" fill="#241009"/>')
    cracks = []
    for _ in range(22):
        cx = rng.uniform(mx0 + 20, mx1 - 20)
        cy = rng.uniform(my1 - 34, my1 - 6)
        cracks.append(f"M{f(cx)},{f(cy)} l{f(rng.uniform(-10, 10))},{f(rng.uniform(-6, 6))}")
    pic.add(f'<path d="{" ".join(cracks)}" stroke="{ink.LAMP}" stroke-width="2.5" '
            f'stroke-linecap="round"/>')
    # voussoirs of the arch (along the arch only, not across the hearth)
    arch = mouth.replace(" Z", "")
    pic.add(f'<path d="{arch}" fill="none" stroke="#3a2d2a" stroke-width="34" '
            f'stroke-dasharray="22 6"/>')
    pic.add(f'<path d="{arch}" fill="none" stroke="{ink.EMBER}" stroke-width="4" '
            f'stroke-opacity="0.8"/>')
    # heat on the floor before the mouth and sparks rising from it
    pic.glow((mx0 + mx1) / 2, y1 + 20, 420, 60, ink.LAMP, 0.55)
    start = len(pic.body)
    sparks = []
    for _ in range(50):
        sx = rng.gauss((mx0 + mx1) / 2, 110)
        sy = rng.uniform(my0 - 500, my0 + 80)
        length = rng.uniform(3, 9)
        sparks.append(f"M{f(sx)},{f(sy)} l{f(rng.uniform(-2, 2))},{f(-length)}")
    pic.add(f'<path d="{" ".join(sparks)}" stroke="{ink.LAMP}" stroke-width="2.2" '
            f'stroke-linecap="round" stroke-opacity="0.8"/>')
    pic.glow((mx0 + mx1) / 2, (my0 + my1) / 2 + 60, 260, 240, ink.LAMP, 0.3)
    on_wall(pic, start)


def floor(pic, rng):
    """Stone flags, lit warm towards the forge."""
    tone = pic.linear([(0, "#272a31", 1), (1, "#14161b", 1)])
    pic.add(f'<rect x="0" y="{FLOOR_TOP}" width="{W}" height="{H - FLOOR_TOP}" fill="{tone}"/>')
    joints = []
    for y in (FLOOR_TOP + 40, FLOOR_TOP + 95, FLOOR_TOP + 165):
        joints.append(f"M0,{y} H{W}")
    for k in range(-8, 30):
        x = k * 110
        joints.append(f"M{f(x)},{FLOOR_TOP} L{f(960 + (x - 960) * 1.8)},{H}")
    pic.add(f'<path d="{" ".join(joints)}" stroke="{ink.INK}" stroke-width="3" '
            f'stroke-opacity="0.6"/>')
    pic.add(f'<rect x="0" y="{FLOOR_TOP - 4}" width="{W}" height="8" fill="{ink.INK}"/>')
    pic.glow(1560, FLOOR_TOP + 60, 900, 150, ink.EMBER, 0.4)


def bench(pic, rng):
    """The long workbench with a vice, a few tools, and the tool board on the wall."""
    # tool board
    bx0, bx1, by0, by1 = 220, 900, 5030, 5250
    pic.add(f'<rect x="{bx0}" y="{by0}" width="{bx1 - bx0}" height="{by1 - by0}" fill="#1b1a1c" '
            f'stroke="{ink.INK}" stroke-width="5"/>')
    planks = " ".join(f"M{bx0},{y} H{bx1}" for y in range(by0 + 44, by1, 44))
    pic.add(f'<path d="{planks}" stroke="{ink.INK}" stroke-width="2" stroke-opacity="0.7"/>')
    tools = []
    x = bx0 + 40
    while x < bx1 - 40:
        kind = rng.choice(["saw", "hammer", "file", "tongs", "square"])
        top = by0 + 22
        tools.append(f"M{f(x)},{f(top)} m-3,0 a3,3 0 1 0 6,0 a3,3 0 1 0 -6,0")
        if kind == "hammer":
            tools.append(f"M{f(x - 4)},{f(top + 6)} h8 v110 h-8 Z M{f(x - 24)},{f(top + 110)} "
                         f"h48 v22 h-48 Z")
            x += 70
        elif kind == "file":
            tools.append(f"M{f(x - 5)},{f(top + 6)} h10 v150 l-5,12 l-5,-12 Z")
            x += 45
        elif kind == "tongs":
            tools.append(f"M{f(x - 3)},{f(top + 6)} L{f(x - 16)},{f(top + 150)} L{f(x - 10)},"
                         f"{f(top + 152)} L{f(x)},{f(top + 40)} L{f(x + 10)},{f(top + 152)} "
                         f"L{f(x + 16)},{f(top + 150)} L{f(x + 3)},{f(top + 6)} Z")
            x += 60
        elif kind == "square":
            tools.append(f"M{f(x - 4)},{f(top + 6)} h8 v120 h60 v8 h-68 Z")
            x += 100
        else:
            tools.append(f"M{f(x - 12)},{f(top + 4)} h24 v30 l36,140 h-70 Z")
            x += 95
    pic.add(f'<path d="{" ".join(tools)}" fill="{IRON}" stroke="{ink.INK}" stroke-width="2"/>')
    # the bench
    top = 5330
    pic.add(f'<rect x="120" y="{top}" width="900" height="34" fill="{WOOD}" stroke="{ink.INK}" '
            f'stroke-width="4"/>')
    pic.add(f'<rect x="124" y="{top + 3}" width="892" height="4" fill="{WOOD_LIGHT}" '
            f'fill-opacity="0.7"/>')
    legs = " ".join(f"M{x},{top + 34} h26 v{FLOOR_TOP - top - 26} h-26 Z" for x in (150, 560, 960))
    pic.add(f'<path d="{legs}" fill="{WOOD}" stroke="{ink.INK}" stroke-width="3"/>')
    pic.add(f'<rect x="150" y="{top + 160}" width="836" height="16" fill="{WOOD}" '
            f'stroke="{ink.INK}" stroke-width="3"/>')
    # the vice at the bench's end
    vx = 880
    pic.add(f'<path d="M{vx},{top} v-60 h60 v22 h-20 v38 Z M{vx + 70},{top - 48} h70 v10 h-70 Z" '
            f'fill="{IRON}" stroke="{ink.INK}" stroke-width="3"/>')
    # things on the bench: a box, a jug, a lamp unlit, a cog waiting to be fitted
    pic.add(f'<rect x="220" y="{top - 50}" width="120" height="50" fill="#221d1b" '
            f'stroke="{ink.INK}" stroke-width="3"/>')
    pic.add(f'<path d="M420,{top} q-6,-50 14,-62 h26 q20,12 14,62 Z" fill="#1c1f26" '
            f'stroke="{ink.INK}" stroke-width="3"/>')
    # barrels and a crate under and beside the bench
    for bx, bw in ((300, 120), (620, 110)):
        by = FLOOR_TOP - 150
        pic.add(f'<rect x="{bx}" y="{by}" width="{bw}" height="150" rx="14" fill="#1f1b1a" '
                f'stroke="{ink.INK}" stroke-width="4"/>')
        pic.add(f'<path d="M{bx},{by + 30} h{bw} M{bx},{by + 118} h{bw}" stroke="{ink.INK}" '
                f'stroke-width="7"/>')


def anvil(pic):
    x, y = 1190, FLOOR_TOP
    shade = pic.linear([(0, "#3a3436", 1), (1, ink.INK, 1)], x1=1, y1=0, x2=0, y2=0)
    shape = (f"M{x - 30},{y - 130} L{x + 170},{y - 130} L{x + 160},{y - 100} L{x + 120},{y - 90} "
             f"L{x + 110},{y - 60} L{x + 140},{y - 6} L{x + 10},{y - 6} L{x + 40},{y - 60} "
             f"L{x + 30},{y - 90} Q{x - 20},{y - 95} {x - 70},{y - 118} Z")
    pic.add(f'<path d="{shape}" fill="{shade}" stroke="{ink.INK}" stroke-width="4"/>')
    pic.add(f'<path d="M{x - 28},{y - 126} L{x + 166},{y - 126}" stroke="{ink.LAMP}" '
            f'stroke-width="4" stroke-opacity="0.55"/>')
    pic.add(f'<rect x="{x}" y="{y - 8}" width="160" height="14" fill="{ink.INK}"/>')


# -- hanging things ---------------------------------------------------------------------


def block(pic, x, y, scale=1.0):
    """A pulley block: a cheek plate round a sheave, hook below."""
    s = scale
    pic.add(f'<rect x="{f(x - 20 * s)}" y="{f(y)}" width="{f(40 * s)}" height="{f(70 * s)}" '
            f'rx="{f(16 * s)}" fill="{IRON}" stroke="{ink.INK}" stroke-width="{f(3 * s)}"/>')
    pic.add(f'<circle cx="{f(x)}" cy="{f(y + 28 * s)}" r="{f(12 * s)}" fill="none" '
            f'stroke="{IRON_LIGHT}" stroke-width="{f(3 * s)}" stroke-opacity="0.5"/>')
    return y + 70 * s


def hanging_chain(pic, x, y0, y1, end="hook", scale=1.0):
    links, bottom = chain(x, y0, y1, 26 * scale, 6 * scale, ink.INK, IRON_LIGHT)
    pic.add(links)
    if end == "block":
        b = block(pic, x, bottom - 4, scale)
        hook(pic, x, b + 22 * scale, scale=0.75 * scale, iron=IRON, light=IRON_LIGHT)
    elif end == "hook":
        hook(pic, x, bottom + 14 * scale, scale=0.8 * scale, iron=IRON, light=IRON_LIGHT)


def lamp(pic, x, y, chain_top):
    """A hanging workshop lamp: a chain, a wide shade, the bulb of light under it."""
    links, bottom = chain(x, chain_top, y, 20, 4.5, ink.INK, IRON_LIGHT)
    pic.add(links)
    # the light falls on the wall only, never into the window openings
    start = len(pic.body)
    pic.glow(x, bottom + 60, 320, 280, ink.LAMP, 0.28)
    pic.glow(x, bottom + 40, 90, 70, ink.LAMP_CORE, 0.6)
    on_wall(pic, start)
    pic.add(f'<path d="M{f(x - 10)},{f(bottom)} h20 l50,42 h-120 Z" fill="{IRON}" '
            f'stroke="{ink.INK}" stroke-width="3"/>')
    pic.add(f'<ellipse cx="{f(x)}" cy="{f(bottom + 44)}" rx="22" ry="10" fill="{ink.LAMP_CORE}"/>')


WALL_CLIP = "wall"


def on_wall(pic, start):
    """Put what was drawn since `start` under the wall's clip (outside the openings)."""
    group = pic.body[start:]
    del pic.body[start:]
    pic.add(f'<g clip-path="url(#{WALL_CLIP})">', *group, "</g>")


def workshop_1():
    pic = Picture(W, H, seed=7)
    rng = pic.rng
    # The never-seen top: plain.
    holes = " ".join(openings())
    pic.define(f'<clipPath id="{WALL_CLIP}"><path clip-rule="evenodd" '
               f'd="M0,0 H{W} V{H} H0 Z {holes}"/></clipPath>')

    # Everything on the wall plane lies under the clip, so nothing paints into the panes.
    start = len(pic.body)
    wall(pic)
    light_shafts(pic)
    for x, y, w, h in [GROUND_WINDOW] + LANCETS:
        surround(pic, pointed_arch(x, y, w, h), 36)
    surround(pic, round_arch(*GREAT_WINDOW), 60)
    pipe(pic, 3330, 0, 1060)
    pipe(pic, 4200, 0, 1080, r=11)
    on_wall(pic, start)

    # Window tracery and glazing over the openings.
    for x, y, w, h in [GROUND_WINDOW] + LANCETS:
        glazing(pic, pointed_arch(x, y, w, h), x, y, w, h, 2, 70)
    great_window_tracery(pic)

    # The structure of the hall.
    truss(pic, rng)
    flue(pic)
    for top in GALLERIES:
        gallery(pic, top, rng)
    column(pic, 24, 60, SEEN - 400, FLOOR_TOP)
    column(pic, 1862, 60, SEEN - 400, FLOOR_TOP)

    # Tackle hanging from the trusses and galleries, and the lamps.
    for x, y1, end in ((300, 3060, "block"), (560, 2820, "hook"), (890, 3250, "block"),
                       (1290, 3180, "block"), (1560, 2920, "hook")):
        hanging_chain(pic, x, TRUSS + 50, y1, end)
    for x, y1, end in ((420, 4080, "hook"), (760, 3900, "block"), (1680, 4230, "hook")):
        hanging_chain(pic, x, GALLERIES[1] + 50, y1, end)
    for x, y1, end in ((560, 4860, "block"),):
        hanging_chain(pic, x, GALLERIES[0] + 50, y1, end)
    lamp(pic, 1040, 3020, TRUSS + 50)
    lamp(pic, 1010, 4160, GALLERIES[1] + 50)
    lamp(pic, 1060, 5000, GALLERIES[0] + 50)

    # The forge floor.
    floor(pic, rng)
    furnace(pic, rng)
    bench(pic, rng)
    anvil(pic)

    # Above the highest row ever seen: plain dark, without detail.
    pic.add(f'<rect x="0" y="0" width="{W}" height="{SEEN - 420}" fill="{WALL_HIGH}"/>')
    return pic.svg()
