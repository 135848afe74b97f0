"""The hooded walker of the procession: one figure in a long cloak, a lantern hanging from
its near hand, walking to the right, drawn at any phase of its walk cycle.

The figure walks on the spot: the foot on the ground always stands on the sole line FY,
and the hip stays above FX, so every frame of the cycle can be placed at the same point.
A cycle is two steps. Each leg spends the first half of its cycle on the ground (sliding
back from the front of the stride to the back) and the second half swinging forward in
an arc; the other leg runs half a cycle behind. The hip bobs twice a cycle (lowest when
both feet touch), the cloak's tail sways behind, the front of the cloak rides on the
forward knee, the near arm swings against the near leg and the lantern swings on its
bail a little behind the arm.
"""

import math
import random

from lib import ink
from lib.moorbrush import Defs, glow, hatch, lerp, num, poly, smooth

WIDTH, HEIGHT = 480, 720
FX, FY = 240, 690          # the feet point: under the hip, on the sole line
STRIDE = 176               # from the back foot to the front foot at heel strike
THIGH, SHIN = 168, 162
ANKLE = 16                 # ankle above the sole
HIP_Y = FY - ANKLE - 300   # mean hip height
BOB = 9                    # half the rise and fall of the body per step

CLOAK = "#0d121a"
CLOAK_FOLD = "#243044"
CAPE = "#111823"
SLEEVE = "#1a2230"
NEAR_LEG = "#090c12"
FAR_LEG = "#1b2331"
RIM = "#8a9bb3"


def leg(phase):
    """Ankle position and foot tilt (degrees, toe up negative) of a leg at its own phase:
    0 heel strike in front, 0.5 toe-off behind."""
    half = STRIDE / 2
    if phase < 0.5:
        t = phase / 0.5
        x = FX + half - STRIDE * t
        lift = max(0.0, (t - 0.7) / 0.3) * 16           # the heel rolls up before toe-off
        tilt = -14 * max(0.0, 1 - t / 0.18) + 34 * max(0.0, (t - 0.7) / 0.3)
    else:
        t = (phase - 0.5) / 0.5
        ease = 0.5 - 0.5 * math.cos(math.pi * t)
        x = FX - half + STRIDE * ease
        lift = 16 * (1 - t) + 52 * math.sin(math.pi * min(1.0, t * 1.15))
        tilt = 34 * (1 - t) ** 2 + 12 * math.sin(math.pi * t) - 14 * t ** 3
    return (x, FY - ANKLE - lift), tilt


def knee(hip, ankle):
    """The knee of a leg from hip to ankle, bent forward (towards +x)."""
    hx, hy = hip
    ax, ay = ankle
    d = math.hypot(ax - hx, ay - hy)
    d = min(d, THIGH + SHIN - 0.5)
    a = (THIGH ** 2 - SHIN ** 2 + d ** 2) / (2 * d)
    h = math.sqrt(max(0.0, THIGH ** 2 - a ** 2))
    ux, uy = (ax - hx) / d, (ay - hy) / d
    px, py = hx + a * ux, hy + a * uy
    k1 = (px - h * uy, py + h * ux)
    k2 = (px + h * uy, py - h * ux)
    return k1 if k1[0] > k2[0] else k2


def limb(a, b, wa, wb):
    """A tapered limb segment from a (width wa) to b (width wb), round-ended."""
    ax, ay = a
    bx, by = b
    d = math.hypot(bx - ax, by - ay) or 1
    nx, ny = -(by - ay) / d, (bx - ax) / d
    return (
        f"M{num(ax + nx * wa / 2)},{num(ay + ny * wa / 2)} "
        f"L{num(bx + nx * wb / 2)},{num(by + ny * wb / 2)} "
        f"A{num(wb / 2)},{num(wb / 2)} 0 0 1 {num(bx - nx * wb / 2)},{num(by - ny * wb / 2)} "
        f"L{num(ax - nx * wa / 2)},{num(ay - ny * wa / 2)} "
        f"A{num(wa / 2)},{num(wa / 2)} 0 0 1 {num(ax + nx * wa / 2)},{num(ay + ny * wa / 2)}Z"
    )


def boot(ankle, tilt):
    """A boot around the ankle, toe to the right, tilted by `tilt` degrees (heel up
    positive, toe up negative)."""
    x, y = ankle
    shape = [(-12, -22), (11, -22), (13, -6), (30, 2), (44, 7), (47, 13), (44, 16), (-16, 16),
             (-18, 6), (-13, -4)]
    a = math.radians(tilt)
    c, s = math.cos(a), math.sin(a)
    # Rotate about the ball of the foot when the heel is up, about the heel otherwise.
    px, py = (32, 16) if tilt > 0 else (-16, 16)
    pts = []
    for u, v in shape:
        u, v = u - px, v - py
        pts.append((x + px + u * c - v * s, y + py + u * s + v * c))
    return poly(pts)


def hem_tatters():
    """A fixed ragged pattern along the hem, so that the tatters travel with the cloth
    instead of flickering from frame to frame."""
    rng = random.Random(7)
    return [rng.uniform(0, 1) ** 2 * 18 for _ in range(40)]


TATTERS = hem_tatters()


def sleeve_outline(shoulder, elbow, hand):
    """One smooth outline of a loose sleeve from the shoulder over the elbow to a wide
    cuff at the wrist, its cloth sagging under the forearm."""
    def normal(a, b):
        d = math.hypot(b[0] - a[0], b[1] - a[1]) or 1
        return (-(b[1] - a[1]) / d, (b[0] - a[0]) / d)
    n1, n2 = normal(shoulder, elbow), normal(elbow, hand)
    ne = ((n1[0] + n2[0]) / 2, (n1[1] + n2[1]) / 2)

    def at(p, n, w):
        return (p[0] + n[0] * w, p[1] + n[1] * w)
    # The normals point to the figure's back (-x) for an arm hanging down.
    cuff_in = at(hand, n2, -20)
    cuff_out = at(hand, n2, 24)
    sag = (cuff_out[0] - 6, cuff_out[1] + 14)
    return smooth([
        at(shoulder, n1, -30), at(elbow, ne, -25), cuff_in, (hand[0] + 2, hand[1] + 10),
        sag, at(elbow, ne, 30), at(shoulder, n1, 32), (shoulder[0], shoulder[1] - 26),
    ], close=True, tension=0.8)


def fill(pieces, colour, extra=""):
    """Pieces of the figure as separate paths, so that overlaps never cut holes."""
    return "".join(f'<path d="{d}" fill="{colour}" {extra}/>' for d in pieces)


def figure(phase):
    """The SVG of the walker at phase 0..1 of its two-step cycle."""
    defs = Defs("w")
    tau = 2 * math.pi
    bob = -BOB * math.cos(2 * tau * phase)          # lowest (largest y) at both contacts
    hip = (FX - 8, HIP_Y - bob)
    ankle_a, tilt_a = leg(phase % 1.0)
    ankle_b, tilt_b = leg((phase + 0.5) % 1.0)
    knee_a, knee_b = knee(hip, ankle_a), knee(hip, ankle_b)

    # The upper body leans forward and rides on the hip; the head is bowed a little.
    ny = hip[1] - 176                                 # base of the neck
    nx = FX + 36
    hx, hy = nx + 22, ny - 44                         # middle of the head

    # Cloak: the tail sways behind, the front rides on the forward knee.
    sway = 16 * math.sin(2 * tau * phase + 1.1) + 7 * math.sin(tau * phase + 0.4)
    front_knee = max(knee_a[0], knee_b[0])
    front_x = max(FX + 66, front_knee + 20)
    hem_back = (FX - 150 + sway * 1.4, FY - 92 + 6 * math.sin(2 * tau * phase + 1.1))
    hem_front = (front_x, FY - 100 - max(0.0, front_knee - (FX + 40)) * 0.3)
    knee_high = min(knee_a[1], knee_b[1])

    back_edge = [
        (nx - 36, ny - 2),
        (nx - 84 + sway * 0.1, ny + 120),
        (nx - 128 + sway * 0.7, ny + 250),
        hem_back,
    ]
    hem = []
    n = len(TATTERS)
    for i in range(n + 1):
        t = i / n
        x = lerp(hem_back[0], hem_front[0], t)
        y = lerp(hem_back[1], hem_front[1], t) + 14 * math.sin(math.pi * t) * (1 - t)
        # The hem is lifted where the forward knee presses the cloth.
        y -= max(0.0, 1 - abs(x - front_knee) / 80) * max(0.0, (FY - 170) - knee_high) * 0.5
        if 0 < i < n:
            y += TATTERS[i] * (0.35 + 0.65 * (i % 2))
        hem.append((x, y))
    front_edge = [
        hem_front,
        (front_x - 6, ny + 250),
        (nx + 50, ny + 150),
        (nx + 54, ny + 60),
        (nx + 40, ny + 10),
    ]
    cloak = (
        smooth(back_edge)
        + " " + poly(hem, close=False).replace("M", "L", 1)
        + " " + smooth(front_edge).replace("M", "L", 1)
        + "Z"
    )
    # A short cape over the shoulders with a ragged edge.
    cape_rng = random.Random(5)
    cape_hem = []
    for i in range(13):
        t = i / 12
        x = lerp(nx - 96 + sway * 0.3, nx + 60, t)
        y = lerp(ny + 176, ny + 96, t) + 12 * math.sin(math.pi * t) + cape_rng.uniform(0, 10) * (i % 2)
        cape_hem.append((x, y))
    cape = (
        smooth([(nx + 44, ny + 6), (nx + 10, ny - 6), (nx - 40, ny), (nx - 84, ny + 70),
                cape_hem[0]])
        + " " + poly(cape_hem, close=False).replace("M", "L", 1)
        + " " + smooth([cape_hem[-1], (nx + 62, ny + 60), (nx + 44, ny + 6)]).replace("M", "L", 1)
        + "Z"
    )

    # Hood: a cowl with its point trailing back, the face in shadow, facing right.
    hood = smooth([
        (nx + 44, ny + 16), (hx + 34, hy + 28), (hx + 44, hy - 2), (hx + 32, hy - 38),
        (hx + 4, hy - 58), (hx - 36, hy - 54), (hx - 74 + sway * 0.25, hy - 40),
        (hx - 54, hy - 16), (nx - 44, ny + 10), (nx - 20, ny + 30), (nx + 20, ny + 32),
    ], close=True, tension=0.9)
    face = smooth([
        (hx + 40, hy - 30), (hx + 20, hy - 32), (hx + 10, hy - 8), (hx + 16, hy + 18),
        (hx + 34, hy + 26), (hx + 42, hy + 2),
    ], close=True)

    # The near arm hangs at the side and swings against the near leg; the lantern hangs
    # from its hand on a bail, swinging a little behind the arm.
    shoulder = (nx + 4, ny + 54)
    arm_angle = -0.3 * math.cos(tau * phase)
    elbow = (shoulder[0] + 112 * math.sin(arm_angle), shoulder[1] + 112 * math.cos(arm_angle))
    fore = arm_angle + 0.45
    hand = (elbow[0] + 92 * math.sin(fore), elbow[1] + 92 * math.cos(fore))
    lag = -0.3 * math.cos(tau * (phase - 0.12))
    swing = -0.5 * (lag - arm_angle) - 0.08
    down = (math.sin(swing), math.cos(swing))
    top = (hand[0] + 2, hand[1] + 6)
    lx, ly = top[0] + down[0] * 46, top[1] + down[1] * 46
    sleeve = [sleeve_outline(shoulder, elbow, hand)]

    far_leg = [limb(hip, knee_b, 40, 30), limb(knee_b, ankle_b, 30, 21), boot(ankle_b, tilt_b)]
    near_leg = [limb(hip, knee_a, 40, 30), limb(knee_a, ankle_a, 30, 21), boot(ankle_a, tilt_a)]
    upper = [cloak, hood, cape] + sleeve

    lamp_light = defs.radial(
        [(0, ink.LAMP, 0.5), (0.3, ink.EMBER, 0.2), (1, ink.EMBER, 0)],
        cx=lx, cy=ly, r=170, user=True)
    cloak_clip = defs.clip(cloak)
    cape_clip = defs.clip(cape)

    body = []
    # Far leg first, a shade lighter, so the legs read as two when they cross.
    body.append(fill(far_leg, FAR_LEG))
    body.append(fill(far_leg, lamp_light))
    # Rim light on the top and front edges: a pale copy, shifted, under the dark one.
    body.append(f'<g opacity="0.5" transform="translate(3,-3)">{fill(upper + near_leg, RIM)}</g>')
    body.append(fill(near_leg, NEAR_LEG))
    body.append(fill(near_leg, lamp_light))
    body.append(fill([cloak], CLOAK))
    # Folds of the cloak: ink creases and paler ridges, clipped to the cloak.
    fold_rng = random.Random(31)
    creases, ridges = [], []
    for k in range(5):
        t = (k + 0.5) / 5 + fold_rng.uniform(-0.05, 0.05)
        start = (lerp(nx - 60, nx + 46, t) + fold_rng.uniform(-10, 10),
                 ny + 120 + fold_rng.uniform(0, 90))
        end = hem[min(n, int((t ** 1.3) * n))]
        lean = sway * (1 - t) * 0.6
        mid = (lerp(start[0], end[0], 0.5) + lean - 14 * (1 - t), lerp(start[1], end[1], 0.5))
        d = smooth([start, mid, (end[0], end[1] + 4)])
        (creases if k % 2 == 0 else ridges).append(d)
    body.append(
        f'<g clip-path="{cloak_clip}">'
        + hatch(23, (FX - 170, ny, FX + 130, FY), 76, 11, CLOAK_FOLD, 0.3, 1.2, (16, 60), 0.55)
        + f'<path d="{" ".join(ridges)}" stroke="{CLOAK_FOLD}" stroke-width="9" fill="none" '
        f'opacity="0.3" stroke-linecap="round"/>'
        + f'<path d="{" ".join(creases)}" stroke="#020305" stroke-width="2.5" fill="none" '
        f'opacity="0.8" stroke-linecap="round"/>'
        + "</g>"
    )
    # Lamplight on the cloak; the near arm in front of it, under the cape.
    body.append(fill([cloak], lamp_light, 'opacity="0.55"'))
    body.append(fill(sleeve, "#020305", 'stroke="#020305" stroke-width="7" opacity="0.8"'))
    body.append(f'<g opacity="0.6" transform="translate(2,-2)">{fill(sleeve, RIM)}</g>')
    body.append(fill(sleeve, SLEEVE))
    body.append(fill(sleeve, lamp_light, 'opacity="0.6"'))
    body.append(f'<path d="{poly(cape_hem, close=False)}" stroke="#020305" stroke-width="6" '
                f'fill="none" opacity="0.35" transform="translate(0,4)"/>')
    body.append(fill([cape, hood], CAPE))
    body.append(
        f'<g clip-path="{cape_clip}">'
        + hatch(29, (nx - 100, ny - 10, nx + 70, ny + 140), 70, 9, CLOAK_FOLD, 0.35, 1.2,
                (12, 40), 0.5)
        + "</g>"
    )
    body.append(fill([cape], lamp_light, 'opacity="0.4"'))
    # Face in the hood: deep shadow, its inner edge catching a little sky.
    body.append(f'<path d="{face}" fill="#030407"/>')
    body.append(f'<path d="{face}" fill="none" stroke="{RIM}" stroke-width="2" opacity="0.25" '
                'transform="translate(-2,1)"/>')

    # The lantern: its glow, the bail, cap, glass with the flame, and the gloved hand.
    rot = -math.degrees(swing)
    body.append(glow(defs, lx, ly, 110, ink.LAMP, 0.45))
    body.append(
        f'<path d="M{num(hand[0] - 6)},{num(hand[1] + 2)} L{num(lx - down[0] * 30)},{num(ly - 30)}" '
        f'stroke="#05070a" stroke-width="3" fill="none"/>'
    )
    body.append(
        f'<g transform="translate({num(lx)},{num(ly)}) rotate({num(rot)})">'
        '<path d="M-15,-20 L15,-20 L8,-30 L-8,-30Z" fill="#07090c"/>'
        f'<rect x="-13" y="-20" width="26" height="36" rx="3" fill="{ink.LAMP}"/>'
        f'<ellipse cx="0" cy="0" rx="7" ry="11" fill="{ink.LAMP_CORE}"/>'
        '<path d="M-13,-20 V16 M13,-20 V16" stroke="#120d06" stroke-width="3.5"/>'
        '<path d="M0,-20 V16" stroke="#120d06" stroke-width="2"/>'
        '<path d="M-16,16 L16,16 L11,23 L-11,23Z" fill="#07090c"/>'
        '</g>'
    )
    fist = (f'M{num(hand[0] - 9)},{num(hand[1] - 4)} q8,-6 15,-1 q4,6 -1,11 q-7,4 -13,-1 z')
    body.append(f'<path d="{fist}" fill="#2b241c"/>')
    return ink.document("\n".join(body), WIDTH, HEIGHT, defs.text())
