"""The sea monster's scene: a storm at sea under a torn, moonlit sky, with the heads of a
many-headed serpent let down out of the clouds.

scylla_0  the sea and sky, opaque.
scylla_1  the far heads on long necks hanging down from above (1920 x 1920); the scene
          slides it down from y -840 to about -200, so the heads sit in rows 900-1700.
scylla_2  the near layer (1920 x 1650): a great head on a neck from the upper right and
          coils breaking the water at both sides; it slides from y -564 to 0.
scylla_3  spray and sea mist over everything, drawn at about 60 % opacity.

The poem is written over the left part (x 100-1100, y 60-740): the sky is darkest there,
the moonlit gap and the heads stand to the right.
"""

import math

from lib import ink
from lib.machinery import Picture, f, smooth
from lib.serpent import blob, head, neck, wave_crest

W, H = 1920, 1080
HORIZON = 640
MOON = (1500, 250)

# Far serpents: bluer and paler, lost in the storm; near ones nearly black.
FAR_BODY, FAR_DARK, FAR_LIGHT = "#3b4859", "#263141", "#6b7a8e"
NEAR_BODY, NEAR_DARK, NEAR_LIGHT = "#1b2330", "#0b0f15", "#46546a"


def sky(pic):
    rng = pic.rng
    tone = pic.linear([(0, "#1a2230", 1), (0.55, "#34404f", 1), (1, "#5a6779", 1)])
    pic.add(f'<rect width="{W}" height="{HORIZON + 20}" fill="{tone}"/>')
    # the gap in the clouds, pale round the moon
    pic.glow(MOON[0], MOON[1] + 40, 760, 420, "#aab6c6", 0.55, core=0.05)
    pic.glow(MOON[0], MOON[1], 200, 200, ink.MOON, 0.8)
    pic.add(f'<circle cx="{MOON[0]}" cy="{MOON[1]}" r="44" fill="#e6ecf2"/>')
    rng_moon = pic.rng
    for dx, dy, r in ((-10, -12, 17), (14, 14, 12), (-20, 16, 8)):
        pic.add(f'<path d="{blob(rng_moon, MOON[0] + dx, MOON[1] + dy, r, r * 0.8, n=8, jitter=0.2)}" '
                f'fill="#c5cfda" fill-opacity="0.55"/>')
    # cloud banks, far and light low down, near and dark above; the side towards the moon
    # catches a rim of light
    banks = [
        (HORIZON - 40, 14, 30, 70, "#56637a", 0.9),
        (HORIZON - 140, 18, 60, 120, "#3c4859", 0.9),
        (420, 14, 90, 150, "#2d3747", 0.92),
        (250, 12, 120, 170, "#222a37", 0.95),
        (90, 10, 150, 190, "#161c26", 0.97),
    ]
    for y, count, ry0, ry1, colour, op in banks:
        for _ in range(count):
            x = rng.uniform(-150, W + 150)
            # leave the moon's gap open
            if abs(x - MOON[0]) < 380 and abs(y - MOON[1]) < 260:
                continue
            rx, ry = rng.uniform(160, 340), rng.uniform(ry0, ry1)
            dy = rng.uniform(-40, 40)
            d = blob(rng, x, y + dy, rx, ry, n=16, jitter=0.25)
            near_moon = max(0.0, 1 - math.hypot(x - MOON[0], y - MOON[1]) / 900)
            if near_moon > 0:
                pic.add(f'<path d="{d}" fill="{ink.MOON}" fill-opacity="{f(0.55 * near_moon)}" '
                        f'transform="translate({f((MOON[0] - x) * 0.012)},{f(-5 - 5 * near_moon)})"/>')
            pic.add(f'<path d="{d}" fill="{colour}"/>')
    # darker over the poem's corner
    shade = pic.linear([(0, ink.INK, 0.55), (0.6, ink.INK, 0.2), (1, ink.INK, 0)], x1=0, y1=0,
                       x2=1, y2=0.3)
    pic.add(f'<rect width="1300" height="{HORIZON}" fill="{shade}"/>')
    # curtains of rain slanting out of the clouds
    d = []
    for _ in range(260):
        x = rng.uniform(-200, W)
        y = rng.uniform(120, HORIZON - 60)
        length = rng.uniform(80, 220)
        d.append(f"M{f(x)},{f(y)} l{f(-length * 0.25)},{f(length)}")
    pic.add(f'<path d="{" ".join(d)}" stroke="{ink.RAIN}" stroke-width="1.4" '
            f'stroke-opacity="0.14"/>')


def sea(pic):
    rng = pic.rng
    tone = pic.linear([(0, "#3a4657", 1), (0.25, "#253040", 1), (1, "#0a0e14", 1)])
    pic.add(f'<rect y="{HORIZON}" width="{W}" height="{H - HORIZON}" fill="{tone}"/>')
    # the moon's glitter on the water
    d = []
    for _ in range(220):
        y = rng.uniform(HORIZON + 4, H - 40)
        spread = 40 + (y - HORIZON) * 0.7
        x = rng.gauss(MOON[0], spread * 0.5)
        length = rng.uniform(8, 30) * (1 + (y - HORIZON) / 300)
        d.append(f"M{f(x)},{f(y)} h{f(length)}")
    pic.add(f'<path d="{" ".join(d)}" stroke="{ink.MOON}" stroke-width="2" stroke-opacity="0.45" '
            f'stroke-linecap="round"/>')
    # rows of waves, small and pale far off, big and dark near
    rows = 11
    for r in range(rows):
        t = r / (rows - 1)
        y = HORIZON + 14 + (H + 60 - HORIZON) * t ** 1.6
        height = 8 + 120 * t ** 1.5
        count = int(40 - 30 * t)
        crest = wave_crest(rng, -120, W + 120, y, height, count)
        body = "#2e3a4b" if t < 0.3 else ("#1c2532" if t < 0.7 else "#0f151d")
        top = smooth(crest)
        shape = top + f" L{W + 120},{f(y + 80 + height)} L-120,{f(y + 80 + height)} Z"
        pic.add(f'<path d="{shape}" fill="{body}" fill-opacity="0.95"/>')
        # the lit flank of each wave and its foam
        pic.add(f'<path d="{top}" fill="none" stroke="#7d8ca0" stroke-width="{f(1.5 + 4 * t)}" '
                f'stroke-opacity="{f(0.35 + 0.3 * t)}"/>')
        foam = []
        for x, cy in crest:
            if rng.random() < 0.5:
                w = rng.uniform(10, 40) * (0.5 + t)
                foam.append(f"M{f(x - w)},{f(cy + 2)} q{f(w / 2)},{f(-6 - 10 * t)} {f(w)},0 "
                            f"q{f(w / 2)},{f(4 + 8 * t)} {f(w)},{f(2)}")
        pic.add(f'<path d="{" ".join(foam)}" fill="none" stroke="#c3cdd8" '
                f'stroke-width="{f(1.5 + 3 * t)}" stroke-opacity="{f(0.35 + 0.35 * t)}" '
                f'stroke-linecap="round"/>')
        # contour hatching on the swell's face
        if t > 0.25:
            hatch = []
            for k in range(1, 4):
                pts = [(x, cy + k * height * 0.22 + rng.uniform(-3, 3)) for x, cy in crest]
                hatch.append(smooth(pts))
            pic.add(f'<path d="{" ".join(hatch)}" fill="none" stroke="{ink.INK}" '
                    f'stroke-width="{f(1 + 2 * t)}" stroke-opacity="0.4"/>')


def scylla_0():
    pic = Picture(W, H, seed=61)
    sky(pic)
    sea(pic)
    return pic.svg()


def scylla_1():
    """Far heads hanging out of the clouds on long necks."""
    pic = Picture(W, 1920, seed=62)
    # neck top, swing points, head; the heads lie in rows 900-1700 (see the note above)
    serpents = [
        ([(1150, -60), (1080, 450), (1230, 850), (1160, 1060)], 112, 0.9, False),
        ([(1520, -60), (1640, 500), (1500, 900), (1580, 1220)], 120, 0.8, True),
        ([(1850, -60), (1780, 420), (1870, 800), (1800, 1000)], 96, 0.6, False),
        ([(880, -60), (990, 450), (900, 900), (1000, 1280)], 106, 1.0, True),
        ([(330, -60), (260, 500), (430, 1000), (380, 1560)], 100, 0.7, False),
        ([(1330, -60), (1420, 600), (1290, 1100), (1370, 1450)], 126, 1.0, True),
    ]
    for points, w0, gape, flip in serpents:
        end, angle = neck(pic, points, w0, w0 * 0.5, FAR_BODY, FAR_DARK, FAR_LIGHT,
                          edge="#161d27", edge_width=2)
        head(pic, end[0], end[1], angle, w0 * 0.5 / 56, FAR_BODY, FAR_DARK, FAR_LIGHT,
             eye="#ffd98a", edge="#121820", gape=gape, flip=flip)
    return pic.svg()


def scylla_2():
    """The near layer: a great head on a neck from the upper right, coils breaking the
    water at both sides."""
    pic = Picture(W, 1650, seed=63)
    rng = pic.rng
    # coils: arches rising out of the water at the canvas's foot
    for x0, x1, top, w, lean in ((-80, 440, 1080, 150, 60), (1440, 2000, 1010, 160, -70),
                                 (330, 660, 1330, 96, 40)):
        points = [(x0, 1730), (x0 + (x1 - x0) * 0.12 + lean * 0.3, top + 190),
                  ((x0 + x1) / 2 + lean, top), (x1 - (x1 - x0) * 0.1 + lean * 0.2, top + 260),
                  (x1, 1730)]
        neck(pic, points, w, w * 0.62, NEAR_BODY, NEAR_DARK, NEAR_LIGHT, spine_side=1)
    # the great head on its neck, from the upper right towards the middle
    end, angle = neck(pic, [(1720, -80), (1800, 200), (1620, 420), (1420, 520)], 190, 120,
                      NEAR_BODY, NEAR_DARK, NEAR_LIGHT)
    head(pic, end[0], end[1], angle, 1.75, NEAR_BODY, NEAR_DARK, NEAR_LIGHT, eye=ink.LAMP,
         gape=1.0, flip=False)
    # foam where the coils break the water
    d = []
    for cx in (170, 1730, 470):
        for _ in range(30):
            x = cx + rng.gauss(0, 150)
            y = 1600 + rng.uniform(-40, 30)
            w = rng.uniform(20, 60)
            d.append(f"M{f(x - w)},{f(y)} q{f(w / 2)},{f(-rng.uniform(8, 22))} {f(w)},0 "
                     f"q{f(w / 2)},{f(rng.uniform(4, 12))} {f(w)},2")
    pic.add(f'<path d="{" ".join(d)}" fill="none" stroke="#c3cdd8" stroke-width="4" '
            f'stroke-opacity="0.7" stroke-linecap="round"/>')
    water = pic.linear([(0, "#0f151d", 0), (0.3, "#0f151d", 1), (1, "#0a0e14", 1)])
    pic.add(f'<path d="{smooth([(x, 1610 + 14 * math.sin(x / 70)) for x in range(-40, W + 80, 40)])} '
            f'L{W + 40},1650 L-40,1650 Z" fill="{water}"/>')
    return pic.svg()


def scylla_3():
    """Spray and mist: low banks of mist along the bottom and the edges, spray thrown up."""
    pic = Picture(W, H, seed=64)
    rng = pic.rng
    low = pic.linear([(0, ink.MIST, 0), (0.6, "#8a97a8", 0.45), (1, "#a9b5c3", 0.7)])
    pic.add(f'<rect y="720" width="{W}" height="360" fill="{low}"/>')
    for x0, direction in ((0, 1), (W, -1)):
        side = pic.linear([(0, "#8a97a8", 0.45), (1, "#8a97a8", 0)],
                          user=(x0, 0, x0 + direction * 260, 0))
        pic.add(f'<rect x="{min(x0, x0 + direction * 260)}" width="260" height="{H}" '
                f'fill="{side}"/>')
    soft = pic.blur(14)
    banks = []
    for _ in range(22):
        x = rng.uniform(-100, W + 100)
        y = rng.uniform(860, 1080)
        banks.append(blob(rng, x, y, rng.uniform(120, 260), rng.uniform(30, 60)))
    pic.add(f'<path d="{" ".join(banks)}" fill="#b4bfcc" fill-opacity="0.3" filter="{soft}"/>')
    # spray: droplets flung up from the breaking waves, thicker at the corners
    dots = []
    for _ in range(700):
        corner = rng.choice([0, 1, 2])
        x = rng.gauss([200, 1720, 960][corner], [220, 220, 500][corner])
        y = H - abs(rng.gauss(0, 220))
        r = rng.uniform(0.8, 2.6)
        dots.append(f"M{f(x)},{f(y)} m-{f(r)},0 a{f(r)},{f(r)} 0 1 0 {f(2 * r)},0 "
                    f"a{f(r)},{f(r)} 0 1 0 -{f(2 * r)},0")
    pic.add(f'<path d="{" ".join(dots)}" fill="#dde4ec" fill-opacity="0.6"/>')
    return pic.svg()


PICTURES = {
    "scylla_0": scylla_0,
    "scylla_1": scylla_1,
    "scylla_2": scylla_2,
    "scylla_3": scylla_3,
}

if __name__ == "__main__":
    ink.main(PICTURES)
