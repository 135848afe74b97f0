"""The stone farmhouse on the moor, for the opening's house and the last picture."""

from lib import ink
from lib.opening import fmt


# The house on the moor -----------------------------------------------------------------
# A stone farmhouse seen from the front and a little from its right, in local pixels with
# the front wall's lower left corner at (0, 0); drawn scaled into place.

WALL = 170
DEPTH = (90, -12)


def farmhouse(sk, x, y, k, lit=1.0, door_open=False):
    """The house at (x, y) (the foot of its front wall) and scale k. `lit` is the strength of
    the lamp behind the lit window (and the open door); it changes only the light."""
    rng = sk.rng
    dx, dy = DEPTH
    sk.add(f'<g transform="translate({fmt(x)},{fmt(y)}) scale({k:.3f})">')
    # The lean-to on the left, then the gable wall, the front wall, the roof, the chimney.
    shed = [(-96, 0), (-96, -82), (0, -124), (0, 0)]
    sk.wash(shed, ink.NEAR, 0.95, layers=2, amount=1.5, step=8, solid=True)
    sk.add(f'<path d="M-104,-78 L4,-128" stroke="{ink.MIST}" stroke-width="3" stroke-opacity="0.45"/>')
    gable = [(240, 0), (240 + dx, dy), (240 + dx, -WALL + dy), (240 + dx / 2, -WALL - 100 + dy / 2),
             (240, -WALL)]
    sk.wash(gable, ink.INK, 0.95, layers=2, amount=1.5, step=8, solid=True)
    front = [(0, 0), (0, -WALL), (240, -WALL), (240, 0)]
    stone = sk.linear([(0, ink.MIDDLE, 1), (1, ink.NEAR, 1)], 0, 0, 1, 0.3)
    sk.add(f'<path d="{ink.path(front)}" fill="url(#{stone})"/>')
    sk.wash(front, ink.FAR, 0.18, layers=2, amount=2, step=8, edge=False)
    front_clip = sk.clip(ink.path(front))
    # Courses of rough stone.
    courses = []
    for row in range(1, 15):
        cy = -row * WALL / 15
        xs = 0
        while xs < 240:
            w = rng.uniform(16, 34)
            courses.append(f"M{fmt(xs)},{fmt(cy + rng.uniform(-1, 1))} l{fmt(w - 3)},{fmt(rng.uniform(-1.5, 1.5))}")
            xs += w
    sk.add(f'<g clip-path="url(#{front_clip})">')
    sk.strokes(courses, ink.INK, 0.55, 1.3)
    sk.hatch((0, -WALL, 240, 0), 120, 5, ink.INK, 0.3, 1.0, wobble=1.5)
    # Shadow under the eaves, damp rising at the foot, streaks of rain down the stone.
    eaves = sk.linear([(0, ink.INK, 0.8), (1, ink.INK, 0.0)], user=(0, -WALL, 0, -WALL + 40))
    sk.add(f'<rect x="0" y="{-WALL}" width="240" height="40" fill="url(#{eaves})"/>')
    damp = sk.linear([(0, ink.INK, 0.0), (1, ink.INK, 0.6)], user=(0, -40, 0, 0))
    sk.add(f'<rect x="0" y="-40" width="240" height="40" fill="url(#{damp})"/>')
    for _ in range(5):
        sx = rng.uniform(10, 230)
        sk.wash([(sx, -WALL + 20), (sx + 6, -WALL + 20), (sx + 8, -rng.uniform(20, 90)), (sx - 2, -rng.uniform(20, 90))],
                ink.INK, 0.25, layers=1, amount=1.2, step=6, edge=False)
    sk.add("</g>")
    shed_clip = sk.clip(ink.path(shed))
    sk.hatch((-96, -124, 0, 0), 115, 5, ink.INK, 0.45, 1.0, clip=shed_clip)
    shed_courses = []
    for row in range(1, 10):
        cy = -row * 12
        shed_courses.append(f"M-96,{cy} L0,{cy + rng.uniform(-1, 1):.1f}")
    sk.add(f'<path d="{" ".join(shed_courses)}" stroke="{ink.INK}" stroke-opacity="0.45" stroke-width="1" '
           f'stroke-dasharray="14 3 22 3 9 3" clip-path="url(#{shed_clip})"/>')
    sk.hatch((240, -WALL - 100, 240 + dx, 0), 70, 4, ink.MIDDLE, 0.25, 1.0, clip=sk.clip(ink.path(gable)))
    # Moonlight on the left edge of the front and along the roof's ridge.
    roof = [(-12, -WALL + 2), (250, -WALL + 2), (240 + dx / 2 + 4, -WALL - 100 + dy / 2 - 2),
            (dx / 2 - 14, -WALL - 100 + dy / 2 - 2)]
    slate = sk.linear([(0, ink.INK, 1), (1, ink.NEAR, 1)])
    sk.add(f'<path d="{ink.path(roof)}" fill="url(#{slate})"/>')
    sk.wash(roof, ink.MIDDLE, 0.25, layers=2, amount=1.5, step=8, edge=False)
    slates = []
    for row in range(1, 8):
        t = row / 8
        y0 = -WALL + 2 + t * (-100 + dy / 2 - 4)
        x0, x1 = -12 + t * (dx / 2 - 2), 250 + t * (dx / 2 - 6 - 10)
        slates.append(f"M{fmt(x0)},{fmt(y0)} L{fmt(x1)},{fmt(y0)}")
    sk.strokes(slates, ink.INK, 0.6, 1.2)
    ridge_y = -WALL - 100 + dy / 2 - 2
    sk.add(f'<path d="M{fmt(dx / 2 - 14)},{fmt(ridge_y)} L{fmt(240 + dx / 2 + 4)},{fmt(ridge_y)} '
           f'L{fmt(240 + dx + 8)},{fmt(-WALL + dy + 4)}" fill="none" stroke="{ink.MOON}" stroke-width="2.5" '
           f'stroke-opacity="0.55" stroke-linejoin="round"/>')
    sk.add(f'<path d="M0,0 L0,{-WALL}" stroke="{ink.MOON}" stroke-width="2" stroke-opacity="0.3"/>')
    chimney = [(262, ridge_y + 14), (262, ridge_y - 46), (292, ridge_y - 50), (292, ridge_y + 20)]
    sk.wash(chimney, ink.INK, 0.95, layers=2, amount=1, step=6, solid=True)
    sk.add(f'<path d="M258,{fmt(ridge_y - 48)} L296,{fmt(ridge_y - 52)}" stroke="{ink.MIST}" '
           f'stroke-width="4" stroke-opacity="0.5"/>')
    # Smoke torn sideways by the wind.
    for i in range(7):
        t = i / 6
        sk.glow(277 + 30 * t + 140 * t * t, ridge_y - 62 - 40 * t, 18 + 40 * t, ink.MIST,
                0.35 * (1 - 0.6 * t), ry=10 + 18 * t)
    # Windows: dark panes with a glint of moon, and the one lit window.
    for wx, wy, w, h in [(28, -160, 32, 34), (180, -160, 32, 34), (30, -112, 36, 46), (276, -100 + dy / 2, 18, 34)]:
        glass = sk.linear([(0, ink.FAR, 1), (0.5, ink.INK, 1), (1, ink.INK, 1)], 0, 0, 1, 1)
        sk.add(f'<rect x="{wx}" y="{fmt(wy)}" width="{w}" height="{h}" fill="url(#{glass})"/>')
        sk.add(f'<path d="M{wx + w / 2},{fmt(wy)} l0,{h} M{wx},{fmt(wy + h * 0.45)} l{w},0" stroke="{ink.NEAR}" stroke-width="2.5"/>')
        sk.add(f'<rect x="{wx}" y="{fmt(wy)}" width="{w}" height="{h}" fill="none" stroke="{ink.INK}" stroke-width="2.5"/>')
        sk.add(f'<path d="M{wx - 3},{fmt(wy + h + 1.5)} l{w + 6},0" stroke="{ink.MIST}" stroke-width="2.5" stroke-opacity="0.5"/>')
    lit_window(sk, 176, -112, 36, 46, lit)
    # The door, shut or standing open on a lit room.
    if door_open:
        sk.glow(120, -20, 150, ink.LAMP, 0.45 * lit, ry=90)
        sk.add(f'<rect x="100" y="-94" width="44" height="94" fill="{ink.LAMP}"/>')
        inside = sk.radial([(0, ink.LAMP_CORE, round(min(1.0, 0.95 * lit + 0.05), 2)), (1, ink.LAMP, 0.0)], cy=0.7, r=0.7)
        sk.add(f'<rect x="100" y="-94" width="44" height="94" fill="url(#{inside})"/>')
        sk.add(f'<path d="M100,-94 L86,-98 L86,6 L100,0 Z" fill="{ink.INK}"/>')
    else:
        sk.add(f'<rect x="100" y="-92" width="42" height="92" fill="{ink.INK}"/>')
        sk.add(f'<path d="M121,-92 L121,0" stroke="{ink.NEAR}" stroke-width="2"/>')
    sk.add(f'<path d="M96,-96 L146,-96" stroke="{ink.MIST}" stroke-width="3" stroke-opacity="0.4"/>')
    sk.add("</g>")


def lit_window(sk, wx, wy, w, h, lit):
    """A small window with a lamp behind it: warm panes, a dark cross of glazing bars and a
    glow spilling out into the rain."""
    sk.glow(wx + w / 2, wy + h / 2, 5.5 * w, ink.EMBER, 0.35 * lit, ry=4.5 * w)
    sk.glow(wx + w / 2, wy + h / 2, 2.4 * w, ink.LAMP, 0.55 * lit, ry=2.2 * w)
    pane = sk.radial([(0, ink.LAMP_CORE, 1), (0.6, ink.LAMP, 1), (1, ink.EMBER, 1)], cy=0.6, r=0.7)
    sk.add(f'<rect x="{wx}" y="{wy}" width="{w}" height="{h}" fill="{ink.INK}"/>')
    sk.add(f'<rect x="{wx}" y="{wy}" width="{w}" height="{h}" fill="url(#{pane})" fill-opacity="{0.25 + 0.75 * lit:.2f}"/>')
    sk.add(f'<path d="M{wx + w / 2},{wy} L{wx + w / 2},{wy + h} M{wx},{wy + h * 0.45} L{wx + w},{wy + h * 0.45}" '
           f'stroke="{ink.INK}" stroke-width="3"/>')
    sk.add(f'<rect x="{wx}" y="{wy}" width="{w}" height="{h}" fill="none" stroke="{ink.INK}" stroke-width="3"/>')
    sk.add(f'<path d="M{wx - 3},{wy + h + 1.5} l{w + 6},0" stroke="{ink.LAMP}" stroke-width="2.5" stroke-opacity="{0.6 * lit:.2f}"/>')
