"""The great cog and the iron hook.

cog1: a brass wheel on a 1000 x 1000 canvas, turned about the canvas centre (the sprite is
autocentred). It is shown small and dark in the workshop and large on white in the cog
scene, so it carries its own ink outline and shading and needs no background.
hook_0: a forged hook on a chain, hung in from the top beside the turning cog.
"""

import math

from lib import ink
from lib.machinery import Picture, chain, circle_path, cog_outline, f, hook

SIZE = 1000
CENTRE = SIZE / 2
TEETH = 26
TIP = 484
ROOT = 418
RIM = 338
HUB = 118
AXLE = 34
SPOKES = 6

BRONZE_DARK = "#3e2d14"
BRONZE = "#5c4321"
BRASS_MID = "#7d5e2c"


def spoke(angle, r0, r1, w0, w1):
    """A tapering spoke from the hub to the rim, with a slight swell at its middle."""
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    px, py = -uy, ux
    points = []
    for r, w in ((r0, w0), ((r0 + r1) / 2, (w0 + w1) / 2 * 0.92), (r1, w1)):
        points.append((CENTRE + ux * r + px * w / 2, CENTRE + uy * r + py * w / 2))
    for r, w in ((r1, w1), ((r0 + r1) / 2, (w0 + w1) / 2 * 0.92), (r0, w0)):
        points.append((CENTRE + ux * r - px * w / 2, CENTRE + uy * r - py * w / 2))
    return points


def cog1():
    pic = Picture(SIZE, SIZE, seed=11)
    rng = pic.rng
    c = CENTRE
    edge = ink.INK

    # Spokes, each with a lit edge and a shadowed edge.
    for i in range(SPOKES):
        ang = i * 360 / SPOKES + 15
        shape = spoke(ang, HUB - 10, RIM + 8, 96, 66)
        shade = pic.linear([(0, BRASS_MID, 1), (0.5, BRONZE, 1), (1, BRONZE_DARK, 1)],
                           user=(c, c, c + 340 * math.cos(math.radians(ang)),
                                 c + 340 * math.sin(math.radians(ang))))
        pic.add(
            f'<path d="{ink.path(shape)}" fill="{shade}" stroke="{edge}" stroke-width="6" '
            f'stroke-linejoin="round"/>'
        )
        a = math.radians(ang)
        ux, uy, px, py = math.cos(a), math.sin(a), -math.sin(a), math.cos(a)
        for side, colour, width, op in ((1, ink.BRASS_LIGHT, 5, 0.7), (-1, edge, 7, 0.45)):
            r0, r1 = HUB + 12, RIM - 12
            o0, o1 = 36 * side, 25 * side
            pic.add(
                f'<line x1="{f(c + ux * r0 + px * o0)}" y1="{f(c + uy * r0 + py * o0)}" '
                f'x2="{f(c + ux * r1 + px * o1)}" y2="{f(c + uy * r1 + py * o1)}" '
                f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round" opacity="{op}"/>'
            )
        # a raised rib along the spoke's middle
        pic.add(
            f'<line x1="{f(c + ux * (HUB + 8))}" y1="{f(c + uy * (HUB + 8))}" '
            f'x2="{f(c + ux * (RIM + 4))}" y2="{f(c + uy * (RIM + 4))}" stroke="{edge}" '
            f'stroke-width="14" opacity="0.35"/>'
            f'<line x1="{f(c + ux * (HUB + 8) + px * 3)}" y1="{f(c + uy * (HUB + 8) + py * 3)}" '
            f'x2="{f(c + ux * (RIM + 4) + px * 3)}" y2="{f(c + uy * (RIM + 4) + py * 3)}" '
            f'stroke="{ink.BRASS_LIGHT}" stroke-width="4" opacity="0.55"/>'
        )
        # hatching across the spoke's shadow half
        strokes = []
        r = HUB + 30
        while r < RIM - 20:
            w = 36 - (r - HUB) / (RIM - HUB) * 10
            strokes.append(
                f"M{f(c + ux * r - px * w * 0.15)},{f(c + uy * r - py * w * 0.15)} "
                f"L{f(c + ux * (r + 6) - px * w * 0.9)},{f(c + uy * (r + 6) - py * w * 0.9)}"
            )
            r += rng.uniform(9, 14)
        pic.add(f'<path d="{" ".join(strokes)}" stroke="{edge}" stroke-width="2.2" '
                f'opacity="0.5" stroke-linecap="round"/>')

    # Wheel body: the toothed ring (the rim's inside is cut out with the even-odd rule).
    outline = cog_outline(c, c, TEETH, TIP, ROOT, tip_share=0.4, root_share=0.56)
    body = ink.path(outline) + " " + circle_path(c, c, RIM, reverse=True)
    metal = pic.radial(
        [(0, BRASS_MID, 1), (0.72, BRONZE, 1), (0.9, BRASS_MID, 1), (1, BRONZE_DARK, 1)],
        r=0.5,
    )
    pic.add(
        f'<path d="{body}" fill="{metal}" fill-rule="evenodd" stroke="{edge}" '
        f'stroke-width="7" stroke-linejoin="round"/>'
    )

    # Turned grooves on the rim and a dark shadow along its inner edge.
    for r, colour, width, op in (
        (RIM + 6, edge, 9, 0.55),
        (RIM + 22, ink.BRASS_LIGHT, 2.5, 0.35),
        (ROOT - 26, edge, 2.5, 0.45),
        (ROOT - 14, ink.BRASS_LIGHT, 3, 0.5),
    ):
        pic.add(f'<circle cx="{c}" cy="{c}" r="{r}" fill="none" stroke="{colour}" '
                f'stroke-width="{width}" opacity="{op}"/>')

    # Fine turning marks around the rim, as left by the lathe.
    for k in range(14):
        r = RIM + 30 + k * (ROOT - RIM - 50) / 13 + rng.uniform(-1.5, 1.5)
        colour = ink.BRASS_LIGHT if k % 3 == 0 else edge
        pic.add(f'<circle cx="{c}" cy="{c}" r="{f(r)}" fill="none" stroke="{colour}" '
                f'stroke-width="1.2" opacity="{0.18 if colour == edge else 0.22}" '
                f'stroke-dasharray="{rng.randint(60, 200)} {rng.randint(6, 30)}"/>')

    # A second, hand-drawn outline a little off the first, as a pen goes over it twice.
    rough = [(x + rng.uniform(-2.5, 2.5), y + rng.uniform(-2.5, 2.5)) for x, y in outline]
    pic.add(f'<path d="{ink.path(rough)}" fill="none" stroke="{edge}" stroke-width="2.5" '
            f'opacity="0.45" stroke-linejoin="round"/>')

    # Each tooth: a lit face on its tip and a dark stroke on one flank.
    step = 2 * math.pi / TEETH
    faces, flanks = [], []
    for i in range(TEETH):
        base = i * step
        a0, a1 = base - step * 0.15, base + step * 0.15
        r = TIP - 9
        faces.append(f"M{f(c + r * math.cos(a0))},{f(c + r * math.sin(a0))} "
                     f"A{r},{r} 0 0 1 {f(c + r * math.cos(a1))},{f(c + r * math.sin(a1))}")
        fa = base + step * 0.2
        flanks.append(f"M{f(c + (ROOT + 6) * math.cos(fa))},{f(c + (ROOT + 6) * math.sin(fa))} "
                      f"L{f(c + (TIP - 14) * math.cos(base + step * 0.15))},"
                      f"{f(c + (TIP - 14) * math.sin(base + step * 0.15))}")
    pic.add(f'<path d="{" ".join(faces)}" fill="none" stroke="{ink.BRASS_LIGHT}" '
            f'stroke-width="6" stroke-linecap="round" opacity="0.8"/>')
    pic.add(f'<path d="{" ".join(flanks)}" fill="none" stroke="{edge}" '
            f'stroke-width="5" stroke-linecap="round" opacity="0.5"/>')
    lit = []
    for i in range(TEETH):
        base = i * step
        fa = base - step * 0.2
        lit.append(f"M{f(c + (ROOT + 8) * math.cos(fa))},{f(c + (ROOT + 8) * math.sin(fa))} "
                   f"L{f(c + (TIP - 16) * math.cos(base - step * 0.15))},"
                   f"{f(c + (TIP - 16) * math.sin(base - step * 0.15))}")
    pic.add(f'<path d="{" ".join(lit)}" fill="none" stroke="{ink.BRASS_LIGHT}" '
            f'stroke-width="3" stroke-linecap="round" opacity="0.45"/>')

    # Short radial hatching on the rim, denser in wear patches.
    strokes = []
    for i in range(420):
        a = rng.uniform(0, 2 * math.pi)
        r0 = rng.uniform(RIM + 28, ROOT - 30)
        length = rng.uniform(8, 22)
        strokes.append(f"M{f(c + r0 * math.cos(a))},{f(c + r0 * math.sin(a))} "
                       f"L{f(c + (r0 + length) * math.cos(a + 0.01))},"
                       f"{f(c + (r0 + length) * math.sin(a + 0.01))}")
    pic.add(f'<path d="{" ".join(strokes)}" stroke="{edge}" stroke-width="1.6" opacity="0.35"/>')

    # Worn and tarnished patches: translucent dark and pale blotches.
    for _ in range(26):
        a = rng.uniform(0, 2 * math.pi)
        r = rng.uniform(RIM + 25, ROOT - 20)
        rx = rng.uniform(14, 40)
        colour = rng.choice([edge, edge, "#2c3a2e", ink.BRASS_LIGHT])
        op = 0.28 if colour != ink.BRASS_LIGHT else 0.22
        pic.add(f'<ellipse cx="{f(c + r * math.cos(a))}" cy="{f(c + r * math.sin(a))}" '
                f'rx="{f(rx)}" ry="{f(rx * 0.45)}" fill="{colour}" opacity="{op}" '
                f'transform="rotate({f(math.degrees(a) + 90)} {f(c + r * math.cos(a))} '
                f'{f(c + r * math.sin(a))})"/>')

    # Rivets where the spokes meet the rim.
    for i in range(SPOKES):
        a = math.radians(i * 360 / SPOKES + 15)
        for da in (-0.07, 0.07):
            x, y = c + (RIM + 30) * math.cos(a + da), c + (RIM + 30) * math.sin(a + da)
            pic.add(f'<circle cx="{f(x)}" cy="{f(y)}" r="9" fill="{BRONZE}" stroke="{edge}" '
                    f'stroke-width="3"/><circle cx="{f(x - 2.5)}" cy="{f(y - 2.5)}" r="3.5" '
                    f'fill="{ink.BRASS_LIGHT}" opacity="0.8"/>')

    # The hub: a boss with bolts and the axle hole with its key slot (left open).
    hub_fill = pic.radial([(0, ink.BRASS_LIGHT, 1), (0.55, ink.BRASS, 1), (1, BRONZE, 1)],
                          fx=0.4, fy=0.4)
    pic.add(f'<circle cx="{c}" cy="{c}" r="{HUB}" fill="{BRONZE}" stroke="{edge}" stroke-width="7"/>')
    pic.add(f'<circle cx="{c}" cy="{c}" r="{HUB - 26}" fill="{hub_fill}" stroke="{edge}" '
            f'stroke-width="4"/>')
    for i in range(8):
        a = math.radians(i * 45 + 22.5)
        x, y = c + (HUB - 13) * math.cos(a), c + (HUB - 13) * math.sin(a)
        pic.add(f'<circle cx="{f(x)}" cy="{f(y)}" r="7" fill="{BRASS_MID}" stroke="{edge}" '
                f'stroke-width="2.5"/>')
    hole = circle_path(c, c, AXLE) + (
        f" M {f(c - 9)},{f(c - AXLE + 4)} L {f(c - 9)},{f(c - AXLE - 14)} "
        f"L {f(c + 9)},{f(c - AXLE - 14)} L {f(c + 9)},{f(c - AXLE + 4)} Z"
    )
    pic.add(f'<circle cx="{c}" cy="{c}" r="{AXLE + 12}" fill="none" stroke="{edge}" '
            f'stroke-width="6" opacity="0.6"/>')
    # the hole is drawn as a cut: clear it with a mask over everything
    name = pic.uid("m")
    pic.define(f'<mask id="{name}" maskUnits="userSpaceOnUse" x="0" y="0" width="{SIZE}" '
               f'height="{SIZE}"><rect width="{SIZE}" height="{SIZE}" fill="#fff"/>'
               f'<path d="{hole}" fill="#000" fill-rule="nonzero"/></mask>')
    pic.body = [f'<g mask="url(#{name})">'] + pic.body + ["</g>"]
    pic.add(f'<path d="{hole}" fill="none" stroke="{edge}" stroke-width="5"/>')
    return pic.svg()


def hook_0():
    """A large forged hook on a chain, hanging in from the top of a 400 x 700 canvas."""
    pic = Picture(400, 700, seed=5)
    x = 200
    iron, light, edge = "#1d242e", "#8795a6", ink.INK
    links, end = chain(x, -20, 262, 54, 12, edge, light)
    pic.add(links)
    # A swivel block joins chain and hook.
    pic.add(f'<rect x="{x - 24}" y="{f(end - 6)}" width="48" height="42" rx="8" fill="{iron}" '
            f'stroke="{edge}" stroke-width="5"/>',
            f'<line x1="{x - 14}" y1="{f(end + 2)}" x2="{x - 14}" y2="{f(end + 28)}" '
            f'stroke="{light}" stroke-width="4" stroke-linecap="round" opacity="0.6"/>',
            f'<circle cx="{x}" cy="{f(end + 15)}" r="6" fill="{light}" opacity="0.5"/>')
    hook(pic, x, end + 62, scale=2.2, iron=iron, light=light, edge=edge)
    return pic.svg()


PICTURES = {"cog1": cog1, "hook_0": hook_0}

if __name__ == "__main__":
    ink.main(PICTURES)
