"""The hooded face in the rain, for the first and the third close-up of the opening."""

import math
import random

from lib import ink
from lib.opening import fmt, place, ribbon, sample, smooth


# The hooded face -----------------------------------------------------------------------
# Drawn in profile, looking to the left, in units where the head is 1 tall (crown at y 0,
# chin at y 1) and the brow is at x 0. Moonlight comes from the upper left, in front.

PROFILE = [
    (0.07, 0.15), (0.02, 0.25), (0.0, 0.34), (-0.006, 0.40), (0.012, 0.44),
    (0.034, 0.462), (0.016, 0.52), (-0.03, 0.595), (-0.068, 0.642), (-0.066, 0.668),
    (-0.036, 0.684), (-0.002, 0.694), (0.004, 0.718), (-0.012, 0.752), (0.012, 0.774),
    (-0.002, 0.80), (0.034, 0.836), (0.022, 0.88), (0.004, 0.93), (0.04, 0.984),
    (0.12, 1.012), (0.24, 1.045), (0.30, 1.12), (0.33, 1.32),
]
# The rim of the hood's opening, from above the brow back along the temple to the throat.
HOOD_RIM = [
    (-0.05, 0.1), (0.06, 0.13), (0.2, 0.19), (0.34, 0.3), (0.43, 0.46), (0.46, 0.64),
    (0.44, 0.82), (0.39, 0.98), (0.34, 1.12), (0.33, 1.32),
]
HOOD_OUTER = [
    (-0.05, 0.1), (-0.08, 0.02), (-0.055, -0.075), (0.04, -0.155), (0.25, -0.215), (0.5, -0.225),
    (0.75, -0.17), (0.95, -0.04),
    (1.08, 0.16), (1.2, 0.5), (1.3, 0.95), (1.45, 1.3), (1.6, 1.7), (0.9, 1.8), (0.2, 1.8),
    (-0.05, 1.75), (0.06, 1.5), (0.2, 1.3), (0.33, 1.32), (0.34, 1.12), (0.39, 0.98),
    (0.44, 0.82), (0.46, 0.64), (0.43, 0.46), (0.34, 0.3), (0.2, 0.19), (0.06, 0.12),
]
EYE_FRONT = (0.072, 0.47)
EYE_BACK = (0.172, 0.466)

SKIN_SHADOW = "#1b2331"
SKIN = "#3b4859"
SKIN_LIGHT = "#8796aa"


def face_region():
    """The visible face: the profile line closed by the rim of the hood."""
    return PROFILE + list(reversed(HOOD_RIM[1:-1]))


def hooded_head(sk, ox, oy, s, eyes_open=True, near=False):
    """A hooded head in the rain at canvas origin (ox, oy) and `s` pixels per head height.
    Only the eye depends on eyes_open, and it is drawn from its own random generator, so
    a blink pair differs at the eye and nowhere else. `near` adds the finer marks a much
    closer view needs (lashes, skin pores of rain, the lamp reflected in the eye)."""
    P = lambda pts: place(pts, ox, oy, s)
    unit = s / 700.0

    # The hood and the cloak: near-black wet cloth in heavy folds that catch the moon.
    outer = P(sample(HOOD_OUTER, per=8))
    sk.wash(outer, ink.INK, 0.6, layers=3, amount=4 * unit, step=12 * unit, solid=True)
    hood_clip = sk.clip(ink.path(outer))
    light = sk.linear([(0, ink.MOON, 0.14), (0.4, ink.MIDDLE, 0.1), (1, ink.INK, 0.0)],
                      user=(ox - 0.1 * s, oy - 0.2 * s, ox + 0.9 * s, oy + 0.7 * s))
    sk.add(f'<path d="{ink.path(outer)}" fill="url(#{light})"/>')
    sk.add(f'<g clip-path="url(#{hood_clip})">')
    for k in range(1, 8):
        # Folds follow the opening round the back of the head and fall to the shoulder.
        shift = 0.1 * k + sk.rng.uniform(-0.02, 0.02)
        centre = [(x + shift * (0.7 + 0.5 * y), y - 0.12 * shift) for x, y in HOOD_RIM[1:]]
        centre.append((centre[-1][0] + 0.1 * k, 1.9))
        width = sk.rng.uniform(0.04, 0.08)
        sk.wash(P(ribbon(centre, width)), ink.FAR if k % 2 else ink.MIDDLE, 0.22,
                layers=2, amount=3 * unit, step=14 * unit, edge=False)
        crease = [(x + width * 0.7, y) for x, y in centre]
        sk.strokes([smooth(P(crease), False)], ink.INK, 0.7, 3.5 * unit)
    sk.hatch((ox + 0.3 * s, oy - 0.2 * s, ox + 1.6 * s, oy + 1.8 * s), 64, 8 * unit, ink.MIDDLE,
             0.18, 1.2 * unit, wobble=6 * unit)
    sk.add("</g>")
    # The rolled rim of the hood's opening, wet and catching the light at its lower edge.
    rim_band = P(ribbon([(-0.06, 0.095), (0.06, 0.115), (0.22, 0.18), (0.37, 0.31), (0.46, 0.5),
                         (0.48, 0.68)], 0.05))
    sk.wash(rim_band, ink.MIDDLE, 0.55, layers=2, amount=2 * unit, step=10 * unit, edge=False)
    lip = P([(-0.052, 0.1), (0.05, 0.125), (0.2, 0.19), (0.33, 0.29), (0.41, 0.42)])
    sk.add(f'<path d="{smooth(lip, False)}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.4" '
           f'stroke-width="{fmt(2.2 * unit)}" stroke-linecap="round"/>')
    # Moonlight along the crown of the hood, and the wet sheen of its rim.
    crown = [(-0.075, 0.0), (-0.045, -0.085), (0.05, -0.15), (0.25, -0.205), (0.5, -0.215)]
    sk.glow(ox + 0.12 * s, oy - 0.1 * s, 0.28 * s, ink.MOON, 0.14, ry=0.09 * s, rotate=-14)
    for k in range(4):
        crease = [(-0.05 + 0.025 * k, 0.05 - 0.01 * k), (0.04 + 0.08 * k, -0.09 - 0.015 * k),
                  (0.25 + 0.12 * k, -0.13 - 0.01 * k), (0.5 + 0.1 * k, -0.07 + 0.03 * k)]
        sk.strokes([smooth(P(crease), False)], ink.INK, 0.5, 3 * unit)
    sk.add(f'<path d="{smooth(P(crown), False)}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.3" '
           f'stroke-width="{fmt(1.6 * unit)}" stroke-linecap="round" '
           f'stroke-dasharray="{fmt(60 * unit)} {fmt(8 * unit)} {fmt(25 * unit)} {fmt(12 * unit)}"/>')
    for k, (bx, by) in enumerate(sample(crown, closed=False, per=3)[1:-1]):
        sk.drop(ox + bx * s, oy + (by + 0.01) * s, 0.0045 * s * (0.7 + 0.3 * ((k * 7) % 3)), opacity=0.6)

    # The face: mid-tone skin, lit at the front, falling into the hood's shadow behind.
    region = P(face_region())
    face_d = smooth(region)
    face_clip = sk.clip(face_d)
    sk.add(f'<path d="{face_d}" fill="{SKIN}"/>')
    sk.add(f'<g clip-path="url(#{face_clip})">')
    front = sk.linear([(0, SKIN_LIGHT, 0.75), (0.35, SKIN, 0.2), (0.75, SKIN_SHADOW, 0.85),
                       (1, ink.INK, 1.0)],
                      user=(ox - 0.05 * s, oy, ox + 0.47 * s, oy + 0.08 * s))
    sk.add(f'<path d="{face_d}" fill="url(#{front})"/>')
    # Planes that face the moon.
    for (x, y, r, a) in [(0.06, 0.28, 0.12, 0.45), (0.0, 0.58, 0.06, 0.55), (0.13, 0.6, 0.1, 0.4),
                         (0.04, 0.9, 0.07, 0.35), (0.03, 0.75, 0.04, 0.35)]:
        sk.glow(ox + x * s, oy + y * s, r * s, ink.MOON, a, ry=r * s * 1.3)
    # Shadows: the socket under the brow, below the nose, the hollow of the cheek, the jaw.
    for (x, y, rx, ry, a) in [(0.12, 0.475, 0.08, 0.05, 0.85), (0.05, 0.70, 0.06, 0.02, 0.5),
                              (0.26, 0.78, 0.13, 0.16, 0.6), (0.2, 0.99, 0.2, 0.06, 0.8),
                              (0.07, 0.83, 0.04, 0.02, 0.5), (0.2, 0.2, 0.2, 0.09, 0.8)]:
        sk.glow(ox + x * s, oy + y * s, rx * s, SKIN_SHADOW, a, ry=ry * s)
    sk.hatch((ox + 0.16 * s, oy + 0.62 * s, ox + 0.46 * s, oy + 1.05 * s), 118, 7 * unit,
             ink.INK, 0.35, 1.1 * unit, wobble=3 * unit)
    sk.hatch((ox + 0.25 * s, oy + 0.2 * s, ox + 0.48 * s, oy + 0.62 * s), 100, 6 * unit,
             ink.INK, 0.3, 1.0 * unit, wobble=3 * unit)
    # The shadow the hood casts along its rim, soft towards the face.
    rim = smooth(P(HOOD_RIM), closed=False)
    for width, alpha in [(0.16, 0.25), (0.09, 0.35), (0.04, 0.5)]:
        sk.add(f'<path d="{rim}" fill="none" stroke="{ink.INK}" stroke-opacity="{alpha}" '
               f'stroke-width="{fmt(width * s)}"/>')
    # Washes of shadow laid over the skin, and the rain running down it.
    for pts, alpha in [([(0.2, 0.5), (0.34, 0.42), (0.45, 0.6), (0.43, 0.95), (0.3, 0.98),
                         (0.27, 0.8), (0.22, 0.64)], 0.3),
                       ([(0.1, 0.98), (0.3, 0.96), (0.36, 1.2), (0.2, 1.25)], 0.55),
                       ([(0.06, 0.2), (0.3, 0.22), (0.2, 0.3), (0.08, 0.27)], 0.3)]:
        sk.wash(P(pts), SKIN_SHADOW, alpha, layers=2, amount=6 * unit, step=12 * unit, edge=False)
    # The brow, the wing of the nose, the lips, a crease at the mouth's corner.
    marks = [
        smooth(P([(-0.034, 0.682), (-0.03, 0.657), (-0.006, 0.648), (0.012, 0.668), (0.004, 0.686)]), False),
        smooth(P([(0.01, 0.774), (0.04, 0.779), (0.062, 0.773)]), False),
        smooth(P([(0.05, 0.7), (0.07, 0.725), (0.078, 0.75)]), False),
    ]
    sk.strokes(marks, ink.INK, 0.6, 2.4 * unit)
    brow = []
    for k in range(22):
        t = k / 21
        x, y = 0.008 + 0.15 * t, 0.428 - 0.012 * math.sin(t * math.pi) + 0.006 * t
        length = 0.022 * (1.0 - 0.5 * t)
        brow.append(f"M{fmt(ox + x * s)},{fmt(oy + (y + 0.006) * s)} "
                    f"l{fmt(length * s)},{fmt(-length * 0.35 * s)}")
    sk.strokes(brow, ink.INK, 0.7, 1.8 * unit)
    upper_lip = P([(-0.012, 0.752), (0.004, 0.742), (0.03, 0.752), (0.06, 0.772), (0.012, 0.775)])
    sk.add(f'<path d="{smooth(upper_lip)}" fill="{SKIN_SHADOW}" fill-opacity="0.45"/>')
    sk.glow(ox + 0.005 * s, oy + 0.79 * s, 0.018 * s, ink.MOON, 0.5, ry=0.012 * s)
    sk.add("</g>")
    # Moonlight on the edge of the profile.
    edge = smooth(P(PROFILE[:21]), closed=False)
    sk.add(f'<path d="{edge}" fill="none" stroke="{ink.MOON}" stroke-opacity="0.35" '
           f'stroke-width="{fmt(5 * unit)}"/>')
    sk.add(f'<path d="{edge}" fill="none" stroke="#e8eef5" stroke-opacity="0.7" '
           f'stroke-width="{fmt(1.6 * unit)}"/>')

    # The collar of the cloak, turned up round the throat.
    collar = P([(0.5, 0.9), (0.44, 1.02), (0.3, 1.1), (0.16, 1.15), (0.04, 1.3), (-0.04, 1.55),
                (-0.06, 1.9), (0.7, 1.9), (0.62, 1.2)])
    sk.wash(collar, ink.INK, 0.6, layers=3, amount=5 * unit, step=16 * unit, solid=True)
    collar_edge = P([(0.46, 0.98), (0.32, 1.09), (0.17, 1.14), (0.05, 1.28), (-0.03, 1.52)])
    sk.add(f'<path d="{smooth(collar_edge, False)}" fill="none" stroke="{ink.MOON}" '
           f'stroke-opacity="0.3" stroke-width="{fmt(3 * unit)}" stroke-linecap="round"/>')
    sk.strokes([smooth(P([(0.3 + 0.06 * k, 1.15 + 0.02 * k), (0.25 + 0.07 * k, 1.4), (0.2 + 0.08 * k, 1.9)]), False)
                for k in range(5)], ink.MIDDLE, 0.5, 4 * unit)

    # Wet hair slipping out of the hood: clumps falling over the temple behind the eye,
    # a few short locks stuck to the forehead.
    locks = []
    for k in range(11):
        t = k / 10
        root = (0.1 + 0.26 * t, 0.14 + 0.15 * t)
        length = sk.rng.uniform(0.22, 0.42) * (1.0 - 0.3 * t)
        tip = (root[0] + 0.05 + 0.05 * t + sk.rng.uniform(-0.02, 0.02), root[1] + length)
        bend = -0.035 + sk.rng.uniform(-0.015, 0.015)
        width = sk.rng.uniform(0.012, 0.022)
        locks.append((root, bend, tip, width))
    for k in range(5):
        root = (0.03 + 0.05 * k, 0.13 + 0.015 * k)
        tip = (root[0] - 0.01 + sk.rng.uniform(-0.01, 0.02), 0.27 + sk.rng.uniform(0, 0.07))
        locks.append((root, -0.02, tip, sk.rng.uniform(0.008, 0.014)))
    for root, bend, tip, width in locks:
        mid = ((root[0] + tip[0]) / 2 + bend, (root[1] + tip[1]) / 2)
        shape = [(root[0] - width, root[1]), (mid[0] - width * 0.6, mid[1]), tip,
                 (mid[0] + width * 0.6, mid[1]), (root[0] + width, root[1])]
        sk.add(f'<path d="{smooth(P(shape))}" fill="{ink.INK}" fill-opacity="0.85"/>')
        sk.strokes([smooth(P([(root[0] - width * 0.3, root[1]), (mid[0] - width * 0.3, mid[1]),
                              tip]), False)], ink.MIST, 0.35, 1.3 * unit)
    fine = []
    for k in range(18):
        t = k / 17
        root = (0.05 + 0.3 * t, 0.13 + 0.16 * t)
        tip = (root[0] + sk.rng.uniform(0.0, 0.1), root[1] + sk.rng.uniform(0.1, 0.35))
        mid = ((root[0] + tip[0]) / 2 - 0.03, (root[1] + tip[1]) / 2)
        fine.append(smooth(P([root, mid, tip]), False))
    sk.strokes(fine, ink.INK, 0.8, 1.4 * unit)

    # Rain on the face: beads on the brow, the cheek and the tip of the nose.
    for (x, y, r) in [(-0.066, 0.66, 0.012), (0.0, 0.95, 0.009), (0.1, 0.58, 0.006),
                      (0.05, 0.33, 0.005), (0.15, 0.68, 0.005), (0.02, 0.22, 0.004)]:
        sk.drop(ox + x * s, oy + y * s, r * s)
    trail = [smooth(P([(0.1, 0.585), (0.105, 0.63), (0.112, 0.66)]), False)]
    sk.strokes(trail, ink.MOON, 0.18, 3 * unit)

    eye(sk, ox, oy, s, eyes_open, near)


def eye(sk, ox, oy, s, is_open, near):
    """The eye seen from the side, open or shut; its own generator keeps the rest of the
    picture identical between the two frames of a blink."""
    rng = random.Random(7)
    P = lambda pts: place(pts, ox, oy, s)
    unit = s / 700.0
    fx, fy = EYE_FRONT
    bx, by = EYE_BACK
    if is_open:
        ball = P([(fx, fy - 0.002), (fx + 0.035, fy - 0.016), (bx - 0.02, by - 0.012), (bx, by),
                  (bx - 0.03, by + 0.012), (fx + 0.03, fy + 0.015)])
        ball_d = smooth(ball)
        white = sk.linear([(0, "#c9d2dd", 0.95), (0.6, "#6e7b8c", 0.9), (1, SKIN_SHADOW, 1)],
                          user=(ox + fx * s, 0, ox + bx * s, 0))
        sk.add(f'<path d="{ball_d}" fill="url(#{white})"/>')
        # The iris and pupil, seen edge-on at the front of the eye.
        sk.add(f'<ellipse cx="{fmt(ox + (fx + 0.018) * s)}" cy="{fmt(oy + (fy + 0.001) * s)}" '
               f'rx="{fmt(0.011 * s)}" ry="{fmt(0.016 * s)}" fill="#223044"/>')
        sk.add(f'<ellipse cx="{fmt(ox + (fx + 0.014) * s)}" cy="{fmt(oy + (fy + 0.001) * s)}" '
               f'rx="{fmt(0.006 * s)}" ry="{fmt(0.011 * s)}" fill="{ink.INK}"/>')
        sk.add(f'<circle cx="{fmt(ox + (fx + 0.01) * s)}" cy="{fmt(oy + (fy - 0.006) * s)}" '
               f'r="{fmt(0.0035 * s)}" fill="#ffffff" fill-opacity="0.95"/>')
        if near:
            # The lit window far off, caught in the eye.
            sk.add(f'<circle cx="{fmt(ox + (fx + 0.019) * s)}" cy="{fmt(oy + (fy + 0.007) * s)}" '
                   f'r="{fmt(0.0022 * s)}" fill="{ink.LAMP}" fill-opacity="0.9"/>')
        # Upper lid with its crease, lower lid, lashes reaching forward.
        upper = P([(fx - 0.004, fy - 0.001), (fx + 0.04, fy - 0.02), (bx - 0.02, by - 0.014), (bx + 0.004, by)])
        sk.add(f'<path d="{smooth(upper, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.9" '
               f'stroke-width="{fmt(4 * unit)}" stroke-linecap="round"/>')
        crease = P([(fx + 0.012, fy - 0.022), (fx + 0.05, fy - 0.034), (bx - 0.01, by - 0.022)])
        sk.add(f'<path d="{smooth(crease, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.6" '
               f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')
        lower = P([(fx + 0.002, fy + 0.003), (fx + 0.035, fy + 0.017), (bx - 0.03, by + 0.013)])
        sk.add(f'<path d="{smooth(lower, False)}" fill="none" stroke="{SKIN_SHADOW}" stroke-opacity="0.8" '
               f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')
        lashes = []
        for k in range(9 if near else 6):
            t = k / (8 if near else 5)
            x = fx + 0.002 + 0.06 * t
            y = fy - 0.004 - 0.016 * math.sin(min(1.0, t * 1.6) * math.pi / 2)
            length = 0.018 * (1 - 0.5 * t) * rng.uniform(0.8, 1.1)
            lashes.append(smooth(P([(x, y), (x - length * 0.7, y - length * 0.35),
                                    (x - length, y - length * 0.9)]), False))
        sk.strokes(lashes, ink.INK, 0.9, 1.6 * unit)
    else:
        # Shut: the lid comes down over the eye; the lashes point down and forward.
        lid = P([(fx - 0.003, fy - 0.002), (fx + 0.03, fy - 0.02), (bx - 0.02, by - 0.016),
                 (bx + 0.004, by), (bx - 0.03, by + 0.008), (fx + 0.03, fy + 0.01)])
        # The lid's skin runs on from the socket without an edge; only its lower part,
        # where it bulges over the eye, catches a little light.
        lid_shade = sk.linear([(0, "#4a586c", 0.0), (0.55, "#4a586c", 0.75), (1, "#56657a", 0.95)],
                              user=(0, oy + (fy - 0.022) * s, 0, oy + (fy + 0.01) * s))
        sk.add(f'<path d="{smooth(lid)}" fill="url(#{lid_shade})"/>')
        line = P([(fx - 0.004, fy + 0.001), (fx + 0.035, fy + 0.012), (bx - 0.03, by + 0.009), (bx + 0.004, by)])
        sk.add(f'<path d="{smooth(line, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.9" '
               f'stroke-width="{fmt(3.5 * unit)}" stroke-linecap="round"/>')
        crease = P([(fx + 0.012, fy - 0.018), (fx + 0.05, fy - 0.028), (bx - 0.01, by - 0.02)])
        sk.add(f'<path d="{smooth(crease, False)}" fill="none" stroke="{ink.INK}" stroke-opacity="0.45" '
               f'stroke-width="{fmt(2 * unit)}" stroke-linecap="round"/>')
        lashes = []
        for k in range(9 if near else 6):
            t = k / (8 if near else 5)
            x = fx + 0.0 + 0.06 * t
            y = fy + 0.002 + 0.011 * math.sin(min(1.0, t * 1.6) * math.pi / 2)
            length = 0.016 * (1 - 0.5 * t) * rng.uniform(0.8, 1.1)
            lashes.append(smooth(P([(x, y), (x - length * 0.6, y + length * 0.4),
                                    (x - length * 0.9, y + length * 0.95)]), False))
        sk.strokes(lashes, ink.INK, 0.9, 1.6 * unit)
        # A glint of wet light along the closed lid.
        sk.add(f'<path d="{smooth(P([(fx + 0.02, fy - 0.012), (fx + 0.05, fy - 0.017), (bx - 0.03, by - 0.012)]), False)}" '
               f'fill="none" stroke="{ink.MOON}" stroke-opacity="0.18" stroke-width="{fmt(2 * unit)}"/>')
