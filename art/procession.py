"""The walk scene: hooded lantern bearers on a path that winds over the moor to a tower.

The scene draws the sky and the far land (towerwalk_0), a veil of cloud and mist that
rises slowly (towerwalk_1), the two smallest walkers, the middle hills (towerwalk_2) and
the near ground (towerwalk_3), then the four larger walkers. Every walker is the same
picture (walk_0..walk_4) placed with its top-left at (x, y) and scaled by s, so its feet
land at (x + s * FX, y + s * FY); the path below is drawn through exactly those points.
"""

import math
import random

from lib import ink
from lib import walker
from lib.moorland import stones, thorn
from lib.moorbrush import (Defs, Noise1D, catmull, glow, hatch, lerp, mix, num, poly,
                           ragged, ridge, smooth, wash)

# The walkers as the scene places them: scale, top-left.
WALKERS = [(1.2, (-100, 238)), (0.8, (240, 275)), (0.6, (520, 340)), (0.4, (720, 446)),
           (0.2, (885, 600)), (0.1, (950, 680))]
FEET = [(x + s * walker.FX, y + s * walker.FY) for s, (x, y) in WALKERS]
PATH_WIDTH = 270            # width of the path at a walker of scale 1

TOWER_X, TOWER_BASE, TOWER_TOP = 1482, 598, 236
CREST = 718                 # height of the middle crest where the fourth walker stands


def frame(i):
    return lambda: walker.figure(i / 5)


# ---------------------------------------------------------------- sky and far land

def far_land():
    defs = Defs("f")
    body = []
    sky = defs.linear([(0, "#121923", 1), (0.35, "#1d2634", 1), (0.62, "#2e3a4c", 1),
                       (1, "#4a586b", 1)], x1=0, y1=0, x2=0, y2=700, user=True)
    body.append(f'<rect width="1920" height="1080" fill="{sky}"/>')
    # A moon hidden in the clouds behind the tower lights the sky from the right.
    body.append(glow(defs, 1500, 330, 760, "#6f7f96", 0.32, squash=0.6))
    body.append(glow(defs, 1540, 250, 260, "#a9b6c8", 0.18))
    # Cloud banks: ragged translucent washes, darker beneath.
    rng = random.Random(3)
    for k in range(9):
        cx = rng.uniform(-100, 2000)
        cy = rng.uniform(60, 470)
        w = rng.uniform(380, 900)
        h = rng.uniform(40, 90)
        pts = []
        noise = Noise1D(40 + k, 3)
        for j in range(48):
            a = 2 * math.pi * j / 48
            r = 1 + 0.25 * noise(j / 6)
            pts.append((cx + math.cos(a) * w / 2 * r, cy + math.sin(a) * h / 2 * r
                        - (abs(math.sin(a)) * h * 0.4 if math.sin(a) < 0 else 0)))
        tone = mix("#1a2230", "#3b485b", cy / 470)
        body.append(wash(smooth(pts, close=True), tone, 0.22, 70 + k, layers=3, drift=10))
    # Light catching the tops of the nearer clouds.
    body.append(hatch(5, (0, 40, 1920, 480), 4, 16, "#8593a8", 0.05, 1.0, (60, 220), 0.7))

    # Far ranges, palest first.
    ranges = [
        ("#4b596c", lambda x: 636 + 12 * math.sin(x / 300), 22, 260, 101, None),
        ("#3f4c5f", lambda x: 662 + 10 * math.sin(x / 210 + 1), 16, 160, 102,
         lambda x: -70 * math.exp(-((x - TOWER_X) / 190) ** 2)),
        ("#36424f", lambda x: 690, 10, 120, 103, None),
    ]
    for colour, base, amp, scale, seed, extra in ranges:
        pts = ridge(-10, 1930, base, amp, scale, seed, step=10, extra=extra)
        d = poly(pts)
        body.append(f'<path d="{d}" fill="{colour}"/>')
        clip = defs.clip(d)
        body.append(f'<g clip-path="{clip}">'
                    + hatch(seed, (0, 560, 1920, 760), -8, 7, "#202a37", 0.18, 1.0, (20, 90), 0.5)
                    + "</g>")
    # A pale rim of mist along the foot of the ranges.
    body.append(glow(defs, 960, 690, 1100, "#6d7b8f", 0.22, squash=0.05))

    # The far path: it comes out of the hollow behind the crest and climbs to the tower.
    far_path = [(1000, 716), (1060, 704), (1150, 700), (1230, 690), (1270, 676), (1340, 664),
                (1400, 644), (1440, 622), (TOWER_X - 10, TOWER_BASE + 4)]
    widths = [7, 6, 5.5, 5, 4, 3.5, 3, 2.5, 2]
    for (a, b, w) in zip(far_path, far_path[1:], widths):
        body.append(f'<path d="M{num(a[0])},{num(a[1])} L{num(b[0])},{num(b[1])}" '
                    f'stroke="#6b7a8e" stroke-width="{w}" stroke-linecap="round" opacity="0.8"/>')
    body.append(tower(defs))
    return ink.document("\n".join(body), defs=defs.text())


def tower(defs):
    """A slender tower on the far hill, a warm window near its top."""
    x, base, top = TOWER_X, TOWER_BASE, TOWER_TOP
    half_base, half_top = 34, 24
    wall = [(x - half_base, base + 8), (x - half_top, top + 60), (x - half_top - 10, top + 46),
            (x - half_top - 10, top + 30), (x + half_top + 10, top + 30),
            (x + half_top + 10, top + 46), (x + half_top, top + 60), (x + half_base, base + 8)]
    roof = [(x - half_top - 14, top + 32), (x - 3, top - 40), (x + 3, top - 40),
            (x + half_top + 14, top + 32)]
    shade = defs.linear([(0, "#2c3645", 1), (0.55, "#222a37", 1), (1, "#161c26", 1)],
                        x1=x - half_base, y1=0, x2=x + half_base, y2=0, user=True)
    wall_d = poly(ragged(wall, 91, 1.2, 8))
    parts = [
        f'<path d="{wall_d}" fill="{shade}"/>',
        f'<path d="{poly(roof)}" fill="#1a212c"/>',
        # Courses of stone, barely there.
        f'<g clip-path="{defs.clip(wall_d)}">'
        + hatch(92, (x - half_base, top + 60, x + half_base, base), 0, 12, "#0e131a", 0.4, 1.0,
                (8, 30), 0.4) + "</g>",
        f'<path d="M{x - 3},{top - 40} L{x},{top - 62}" stroke="#1a212c" stroke-width="2"/>',
        # Its light: a tiny window and the soft halo around it.
        glow(defs, x, top + 48, 70, ink.LAMP, 0.5),
        glow(defs, x, top + 48, 22, ink.LAMP_CORE, 0.9),
        f'<rect x="{x - 4}" y="{top + 38}" width="8" height="14" rx="3" fill="{ink.LAMP_CORE}"/>',
        f'<rect x="{x - 3}" y="{top + 120}" width="5" height="9" rx="2" fill="{ink.EMBER}" '
        'opacity="0.7"/>',
    ]
    return "\n".join(parts)


# ---------------------------------------------------------------- rising cloud and mist

def rising_mist():
    """Cloud streaks and mist bands on a 1920 x 1300 canvas that the scene lifts by
    160 px over the walk. Every shape is a soft gradient, and nothing reaches the lower
    edge, so the layer never shows a hard border."""
    defs = Defs("m")
    body = []
    rng = random.Random(17)
    # Slow cloud streaks across the upper sky: faint, to keep the poem's band calm.
    for k in range(16):
        cx, cy = rng.uniform(-200, 2100), rng.uniform(40, 520)
        w, h = rng.uniform(500, 1200), rng.uniform(24, 70)
        tone = "#8b9ab0" if k % 3 else "#10151e"
        op = rng.uniform(0.07, 0.15) if k % 3 else rng.uniform(0.18, 0.3)
        body.append(glow(defs, cx, cy, w / 2, tone, op, squash=h / w))
    # Mist lying over the far land, veiling the foot of the tower; it rises as it drifts.
    for k in range(14):
        cx, cy = rng.uniform(-100, 2020), rng.uniform(620, 820)
        w, h = rng.uniform(500, 1000), rng.uniform(40, 110)
        body.append(glow(defs, cx, cy, w / 2, "#7a889c", rng.uniform(0.16, 0.3), squash=h / w))
    # Ground mist below, thinning to nothing well above the lower edge.
    for k in range(10):
        cx, cy = rng.uniform(-100, 2020), rng.uniform(860, 1080)
        w, h = rng.uniform(600, 1100), rng.uniform(60, 120)
        body.append(glow(defs, cx, cy, w / 2, "#6a788c", rng.uniform(0.1, 0.2), squash=h / w))
    return ink.document("\n".join(body), 1920, 1300, defs.text())


# ---------------------------------------------------------------- middle hills

def crest_height(x):
    """The top of the middle hills: the fourth walker stands on it, the two far walkers
    are in the hollow behind it, hidden to the knees and to the waist."""
    y = 760 - 0.05 * (x - 560)
    y = min(y, CREST + 0.0004 * (x - 816) ** 2 - 8 * math.exp(-((x - 930) / 60) ** 2)
            - 4 * math.exp(-((x - 985) / 40) ** 2))
    return y + 20 * math.exp(-((x - 1480) / 200) ** 2) - 18 * math.exp(-((x - 1180) / 160) ** 2)


def middle_hills():
    defs = Defs("h")
    body = []
    # Mist in the hollow: the far walkers walk into it.
    body.append(glow(defs, 980, 700, 260, "#7f8da1", 0.3, squash=0.28))
    body.append(glow(defs, 1200, 705, 420, "#6e7c90", 0.2, squash=0.15))
    pts = ridge(540, 1930, crest_height, 3.5, 40, 201, step=5, bottom=1090)
    d = poly(pts)
    fill = defs.linear([(0, "#28323f", 1), (0.25, "#1f2833", 1), (1, "#141a23", 1)],
                       x1=0, y1=690, x2=0, y2=1000, user=True)
    body.append(f'<path d="{d}" fill="{fill}"/>')
    clip = defs.clip(d)
    body.append(
        f'<g clip-path="{clip}">'
        + hatch(202, (540, 690, 1920, 1000), 172, 6, "#0b0f15", 0.35, 1.1, (14, 50), 0.45)
        + hatch(203, (540, 690, 1920, 1000), 8, 9, "#3c4859", 0.25, 1.0, (20, 70), 0.6)
        + "</g>"
    )
    # The wet crest catches the sky light.
    top = [(x, y) for x, y in pts if y < 1000 and x <= 1920]
    body.append(f'<path d="{poly(top, close=False)}" stroke="#6a7a90" stroke-width="2" '
                f'fill="none" opacity="0.45"/>')
    # Heather and reeds along the crest: small ink strokes standing against the mist.
    rng = random.Random(207)
    strokes = []
    for _ in range(260):
        x = rng.uniform(560, 1920)
        y = crest_height(x) + rng.uniform(-2, 6)
        if abs(x - FEET[3][0]) < 40:
            continue
        h = rng.uniform(4, 14)
        lean = rng.uniform(-4, 6)
        strokes.append(f"M{num(x)},{num(y + 2)} l{num(lean)},{num(-h)}")
    body.append(f'<path d="{"".join(strokes)}" stroke="#151b24" stroke-width="1.6" fill="none" '
                'stroke-linecap="round"/>')
    # Standing stones and a wind-bent thorn on the right of the middle ground.
    for sx, h, w, lean in [(1290, 46, 16, -4), (1318, 30, 12, 3), (1700, 54, 18, 5)]:
        sy = crest_height(sx) + 10
        stone = [(sx - w / 2, sy), (sx - w / 2 + lean * 0.3, sy - h * 0.8), (sx + lean, sy - h),
                 (sx + w / 2 + lean * 0.6, sy - h * 0.7), (sx + w / 2, sy)]
        body.append(f'<path d="{poly(ragged(stone, sx, 1.5, 5))}" fill="#161d27"/>')
        body.append(f'<path d="M{num(sx + lean)},{num(sy - h)} L{num(sx + w / 2 + lean * 0.6)},'
                    f'{num(sy - h * 0.7)}" stroke="#6f7f95" stroke-width="1.5" opacity="0.5"/>')
    body.append(thorn(1580, crest_height(1580) + 6, 1.0))
    return ink.document("\n".join(body), defs=defs.text())


def track(defs, centre, scales, colour, seed):
    """A worn, wet track through the centre points; scales are walker scales (the track
    is PATH_WIDTH wide under a walker of scale 1) and its far parts flatten with distance.
    Returns the picture and the track's left and right edges as point lists."""
    fine = catmull([(x, y, s) for (x, y), s in zip(centre, scales)], 12)
    left, right, across = [], [], []
    for i, (x, y, s) in enumerate(fine):
        a = fine[max(0, i - 1)]
        b = fine[min(len(fine) - 1, i + 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1
        nx, ny = -dy / length, dx / length * 0.35        # ground seen at a low angle
        norm = math.hypot(nx, ny) or 1
        half = PATH_WIDTH * s / 2
        across.append((nx / norm * half, ny / norm * half))
        left.append((x + nx / norm * half, y + ny / norm * half))
        right.append((x - nx / norm * half, y - ny / norm * half))
    d = poly(ragged(left + right[::-1], seed, 2.5, 9))
    sheen = defs.linear([(0, "#7d8ba0", 0.05), (0.6, "#6a788c", 0.1), (1, "#8593a7", 0.22)],
                        x1=0, y1=1080, x2=0, y2=700, user=True)
    out = [f'<path d="{d}" fill="{colour}"/>', f'<path d="{d}" fill="{sheen}"/>']
    # Wheel ruts, and long streaks of sky light in the wet ground along the track.
    rng = random.Random(seed)
    ruts, streaks, puddles = [], [], []
    for u in (-0.45, 0.5):
        ruts.append(smooth([(x + ax * u, y + ay * u) for (x, y, s), (ax, ay) in zip(fine, across)]))
    for _ in range(26):
        u = rng.uniform(-0.8, 0.8)
        i0 = rng.randrange(0, len(fine) - 4)
        i1 = min(len(fine) - 1, i0 + rng.randint(3, 12))
        pts = [(fine[i][0] + across[i][0] * u, fine[i][1] + across[i][1] * u)
               for i in range(i0, i1 + 1)]
        streaks.append(smooth(pts) if len(pts) > 2 else poly(pts, close=False))
    for i in range(2, len(fine) - 2, 4):
        x, y, s = fine[i]
        if y > 1075 or rng.random() < 0.4:
            continue
        u = rng.uniform(-0.6, 0.6)
        w = rng.uniform(30, 70) * s
        puddles.append(f'<ellipse cx="{num(x + across[i][0] * u)}" cy="{num(y + across[i][1] * u)}" '
                       f'rx="{num(w)}" ry="{num(w * 0.13)}"/>')
    out.append(f'<path d="{" ".join(ruts)}" stroke="#0c1016" stroke-width="6" fill="none" '
               'opacity="0.6" stroke-linecap="round"/>')
    out.append(f'<path d="{" ".join(streaks)}" stroke="#7a889c" stroke-width="2" fill="none" '
               'opacity="0.22" stroke-linecap="round"/>')
    out.append(f'<g fill="#8e9cb0" opacity="0.25">{"".join(puddles)}</g>')
    return "\n".join(out), left, right


# ---------------------------------------------------------------- near ground

def near_edge(x):
    """The top of the near ground: a long slope that meets the middle crest at the
    fourth walker and falls away to a lower bank on the right."""
    if x <= 830:
        return lerp(664, CREST + 2, (max(0.0, x) / 830) ** 1.4)
    t = min(1.0, (x - 830) / 260)
    y = lerp(CREST + 2, 884, t * t * (3 - 2 * t))
    return y - 26 * math.exp(-((x - 1560) / 260) ** 2)


def walker_path():
    """The centre line of the near path: from below the frame through the feet of the
    four near walkers to the crest, with a bend between each pair."""
    (p1, p2, p3, p4) = FEET[:4]
    centre = [(120, 1160), p1, (286, 936), p2, (556, 792), p3, (748, 734), p4, (846, CREST - 1)]
    scales = [1.45, 1.2, 1.0, 0.8, 0.7, 0.6, 0.5, 0.4, 0.22]
    return centre, scales


def near_ground():
    defs = Defs("n")
    body = []
    pts = ridge(-10, 1930, near_edge, 3, 30, 301, step=5, bottom=1090)
    d = poly(pts)
    fill = defs.linear([(0, "#1c2430", 1), (0.3, "#121821", 1), (1, "#07090d", 1)],
                       x1=0, y1=660, x2=0, y2=1080, user=True)
    body.append(f'<path d="{d}" fill="{fill}"/>')
    clip = defs.clip(d)
    body.append(
        f'<g clip-path="{clip}">'
        + hatch(302, (0, 650, 1920, 1080), 165, 7, "#020305", 0.4, 1.3, (18, 70), 0.4)
        + hatch(303, (0, 650, 1920, 1080), 12, 11, "#344052", 0.22, 1.1, (24, 90), 0.6)
        + "</g>"
    )
    top = [(x, y) for x, y in pts if y < 1080]
    body.append(f'<path d="{poly(top, close=False)}" stroke="#5d6d83" stroke-width="2" '
                f'fill="none" opacity="0.4"/>')

    centre, scales = walker_path()
    picture, left, right = track(defs, centre, scales, "#1e2630", 311)
    body.append(picture)
    # Each walker's lantern lights the ground ahead of it; each casts a soft shadow.
    for s, (x, y) in WALKERS[:4]:
        fx, fy = x + s * walker.FX, y + s * walker.FY
        body.append(glow(defs, fx, fy + 4 * s, 150 * s, "#020305", 0.7, squash=0.16))
        lx = x + s * (walker.FX + 70)
        body.append(glow(defs, lx, fy - 2 * s, 200 * s, ink.LAMP, 0.26, squash=0.22))
    body.append(grass(left, right))
    body.append(fence())
    body.append(stones())
    return ink.document("\n".join(body), defs=defs.text())


def grass(left, right):
    """Tufts of moor grass: along the near edge, beside the path and thick in the corners."""
    rng = random.Random(321)
    strokes = {"#0a0e14": [], "#1c2531": [], "#3d4a5c": []}

    def tuft(x, y, size, colour):
        for _ in range(rng.randint(4, 9)):
            h = rng.uniform(0.5, 1.0) * size
            lean = rng.uniform(-0.45, 0.6) * size
            strokes[colour].append(f"M{num(x + rng.uniform(-size, size) * 0.2)},{num(y)} "
                                   f"q{num(lean * 0.3)},{num(-h * 0.6)} {num(lean)},{num(-h)}")

    for _ in range(140):
        x = rng.uniform(0, 1920)
        tuft(x, near_edge(x) + rng.uniform(0, 5), rng.uniform(8, 20), "#1c2531")
    for edge in (left, right):
        for i in range(0, len(edge) - 1, 3):
            x, y = edge[i]
            if y > 1100:
                continue
            size = max(6.0, (y - 690) * 0.22)
            tuft(x + rng.uniform(-0.3, 0.3) * size, y + rng.uniform(-0.1, 0.2) * size, size,
                 "#0a0e14")
    for _ in range(70):
        x = rng.uniform(880, 1920)
        y = rng.uniform(near_edge(x) + 30, 1090)
        tuft(x, y, lerp(20, 80, (y - 850) / 240), "#0a0e14")
    for _ in range(26):
        x = rng.uniform(0, 60)
        tuft(x, rng.uniform(900, 1090), rng.uniform(50, 110), "#0a0e14")
    # Blades that catch the sky light.
    for _ in range(60):
        x = rng.uniform(900, 1920)
        y = rng.uniform(near_edge(x) + 20, 1080)
        tuft(x, y, lerp(16, 50, (y - 850) / 240), "#3d4a5c")
    out = []
    for colour, parts in strokes.items():
        width = 2.2 if colour == "#0a0e14" else 1.5
        opacity = 0.5 if colour == "#3d4a5c" else 1
        out.append(f'<path d="{"".join(parts)}" stroke="{colour}" stroke-width="{width}" '
                   f'fill="none" stroke-linecap="round" opacity="{opacity}"/>')
    return "\n".join(out)


def fence():
    """Old leaning posts along the top of the bank, a sagging wire between them."""
    rng = random.Random(331)
    posts, wire = [], []
    tops = []
    for x in (1010, 1190, 1385, 1590, 1800):
        y = near_edge(x) + 14
        h = rng.uniform(46, 66) * (0.8 + (y - 800) / 400)
        lean = rng.uniform(-10, 8)
        top = (x + lean, y - h)
        posts.append(f"M{num(x - 5)},{num(y)} L{num(top[0] - 4)},{num(top[1])} "
                     f"L{num(top[0] + 4)},{num(top[1] - 2)} L{num(x + 6)},{num(y)}Z")
        tops.append((top[0], top[1] + 8))
    for a, b in zip(tops, tops[1:]):
        mid = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2 + 16)
        wire.append(f"M{num(a[0])},{num(a[1])} Q{num(mid[0])},{num(mid[1])} {num(b[0])},{num(b[1])}")
    return (f'<path d="{"".join(posts)}" fill="#07090d"/>'
            f'<path d="{"".join(wire)}" stroke="#4a5668" stroke-width="1.4" fill="none" '
            'opacity="0.6"/>')


PICTURES = {f"walk_{i}": frame(i) for i in range(5)}
PICTURES.update({
    "towerwalk_0": far_land,
    "towerwalk_1": rising_mist,
    "towerwalk_2": middle_hills,
    "towerwalk_3": near_ground,
})

if __name__ == "__main__":
    ink.main(PICTURES)
