"""The pictures of the opening: the makers' mark, the title, the face in the rain, the
hand with the lantern, the house on the moor, the eye, and the mist that drifts over it."""

import math

from lib import ink
from lib.opening import (Sketch, bent_tree, fmt, heather, night_sky, ribbon, ridge, rule, sample,
                         smooth, stone_wall, tufts)
from lib.opening_face import hooded_head
from lib.opening_house import farmhouse


def cottage(sk, x, y, size, lit=1.0):
    """A far cottage: a dark block, a roof and one warm window."""
    w, h = 34 * size, 16 * size
    sk.glow(x, y - h * 0.5, 90 * size, ink.LAMP, 0.3 * lit, ry=50 * size)
    sk.add(f'<path d="M{fmt(x - w / 2)},{fmt(y)} L{fmt(x - w / 2)},{fmt(y - h)} '
           f'L{fmt(x - w * 0.3)},{fmt(y - h * 1.8)} L{fmt(x + w * 0.35)},{fmt(y - h * 1.8)} '
           f'L{fmt(x + w / 2)},{fmt(y - h)} L{fmt(x + w / 2)},{fmt(y)} Z" fill="{ink.NEAR}"/>')
    sk.add(f'<rect x="{fmt(x - w * 0.18)}" y="{fmt(y - h * 0.75)}" width="{fmt(w * 0.14)}" '
           f'height="{fmt(h * 0.4)}" fill="{ink.LAMP_CORE}" fill-opacity="{lit:.2f}"/>')


def far_moor(sk, window=None):
    """The far edge of the moor: pale blue folds far off, darker towards us."""
    ridge(sk, 850, -20, 1800, 14, ink.MIST, 0.55, seed=1.0)
    sk.mist((0, 820, 1500, 870), 8, ink.MIST, 0.2, size=(180, 320), flat=0.1)
    if window:
        cottage(sk, window[0], window[1], 1.0)
    ridge(sk, 905, -20, 1800, 22, ink.FAR, 0.85, seed=2.5)
    ridge(sk, 990, -20, 1800, 30, ink.MIDDLE, 0.95, seed=4.0)
    ridge(sk, 1050, -20, 1800, 20, ink.NEAR, 1.0, seed=0.3)


def closeup1(eyes_open):
    sk = Sketch(101)
    night_sky(sk)
    far_moor(sk, window=(560, 858))
    hooded_head(sk, 1400, 170, 700, eyes_open)
    return sk.svg()


def closeup(eyes_open):
    """The same face, much nearer: the eye, the brow, the wet hair, the tip of the nose."""
    sk = Sketch(103)
    night_sky(sk, moon=(240, 120))
    hooded_head(sk, 1120, -145, 1500, eyes_open, near=True)
    return sk.svg()


def flame(sk, x, y, height, lean, bright):
    """The wick's flame: a blue root, a gold body and a white heart."""
    h = height
    body = [(x - 0.16 * h, y), (x - 0.2 * h, y - 0.25 * h), (x - 0.08 * h + lean * 0.5, y - 0.7 * h),
            (x + lean, y - h), (x + 0.1 * h + lean * 0.4, y - 0.62 * h), (x + 0.2 * h, y - 0.22 * h),
            (x + 0.14 * h, y)]
    sk.glow(x + lean * 0.4, y - 0.45 * h, 0.9 * h, ink.LAMP, 0.9 * bright, ry=1.1 * h)
    sk.add(f'<path d="{smooth(body)}" fill="{ink.LAMP}" fill-opacity="0.95"/>')
    heart = [(px * 0.6 + x * 0.4, py * 0.75 + y * 0.25) for px, py in body]
    sk.add(f'<path d="{smooth(heart)}" fill="{ink.LAMP_CORE}"/>')
    sk.add(f'<ellipse cx="{fmt(x)}" cy="{fmt(y - 0.04 * h)}" rx="{fmt(0.14 * h)}" ry="{fmt(0.07 * h)}" '
           f'fill="#6d8fc4" fill-opacity="0.75"/>')


def lantern(sk, cx, flicker):
    """A storm lantern hanging from its wire bail: the tank, the side tubes, the glass
    globe with its guard wires, the vented cap. Only the flame and its light change with
    `flicker`."""
    bright = 0.62 if flicker else 1.0
    # The light thrown into the rain: wide and faint, then warm round the globe.
    sk.glow(cx, 640, 760, ink.EMBER, 0.22 * bright, ry=640)
    sk.glow(cx, 640, 360, ink.LAMP, 0.30 * bright, ry=330)
    metal = ink.NEAR
    # The side tubes rising from the tank and bending into the cap.
    for side in (-1, 1):
        tube = [(cx + side * 128, 800), (cx + side * 134, 640), (cx + side * 124, 505),
                (cx + side * 88, 470), (cx + side * 50, 462)]
        sk.add(f'<path d="{smooth(tube, False)}" fill="none" stroke="{metal}" stroke-width="20" '
               f'stroke-linecap="round"/>')
        sk.add(f'<path d="{smooth(tube, False)}" fill="none" stroke="{ink.BRASS}" stroke-width="4" '
               f'stroke-opacity="0.7" transform="translate({-side * 5},0)"/>')
    # The globe: warm glass, brighter round the flame, with a moonlit rim on the left.
    globe = [(cx - 68, 520), (cx - 96, 580), (cx - 104, 650), (cx - 84, 730), (cx - 62, 770),
             (cx + 62, 770), (cx + 84, 730), (cx + 104, 650), (cx + 96, 580), (cx + 68, 520)]
    glass = sk.radial([(0, ink.LAMP_CORE, round(0.95 * bright, 2)), (0.3, ink.LAMP, round(0.6 * bright, 2)),
                       (1, ink.EMBER, round(0.3 * bright, 2))], cx=0.5, cy=0.68, r=0.6)
    soot = sk.linear([(0, ink.INK, 0.85), (0.3, ink.INK, 0.25), (0.5, ink.INK, 0)])
    sk.add(f'<path d="{smooth(globe)}" fill="{ink.NEAR}"/>')
    sk.add(f'<path d="{smooth(globe)}" fill="url(#{glass})"/>')
    sk.add(f'<path d="{smooth(globe)}" fill="url(#{soot})"/>')
    flame(sk, cx, 712, 120 if not flicker else 84, 0 if not flicker else 14, bright)
    # The burner below the flame, then the glass's own sheen.
    sk.add(f'<path d="M{cx - 30},{712} L{cx + 30},{712} L{cx + 40},{770} L{cx - 40},{770} Z" '
           f'fill="{ink.INK}" fill-opacity="0.85"/>')
    sk.add(f'<path d="{smooth([(cx - 78, 560), (cx - 92, 640), (cx - 76, 720)], False)}" fill="none" '
           f'stroke="#fff6df" stroke-opacity="0.55" stroke-width="6" stroke-linecap="round"/>')
    sk.add(f'<path d="{smooth(globe)}" fill="none" stroke="{ink.INK}" stroke-width="3" stroke-opacity="0.6"/>')
    # Guard wires over the glass.
    for k in (-0.8, -0.3, 0.3, 0.8):
        wire = [(cx + k * 70, 505), (cx + k * 108, 580), (cx + k * 118, 650), (cx + k * 96, 735), (cx + k * 70, 785)]
        sk.add(f'<path d="{smooth(wire, False)}" fill="none" stroke="{ink.INK}" stroke-width="6"/>')
        sk.add(f'<path d="{smooth(wire, False)}" fill="none" stroke="{ink.BRASS_LIGHT}" stroke-width="1.6" '
               f'stroke-opacity="0.6" transform="translate(-2,0)"/>')
    sk.add(f'<ellipse cx="{cx}" cy="640" rx="118" ry="10" fill="none" stroke="{ink.INK}" stroke-width="6"/>')
    # The cap: a cone with vents, a rim of brass, the chimney on top.
    cap = [(cx - 92, 528), (cx - 80, 500), (cx - 40, 462), (cx - 26, 440), (cx + 26, 440),
           (cx + 40, 462), (cx + 80, 500), (cx + 92, 528)]
    cap_light = sk.linear([(0, ink.MIDDLE, 1), (0.5, ink.NEAR, 1), (1, ink.INK, 1)], 0, 0, 1, 0)
    sk.add(f'<path d="{ink.path(cap)}" fill="url(#{cap_light})"/>')
    sk.hatch((cx - 92, 440, cx + 92, 530), 65, 5, ink.INK, 0.5, 1.2, clip=sk.clip(ink.path(cap)))
    sk.add(f'<path d="M{cx - 70},505 Q{cx - 50},470 {cx - 30},452" fill="none" stroke="{ink.MOON}" '
           f'stroke-width="2" stroke-opacity="0.3"/>')
    sk.add(f'<path d="M{cx - 92},528 Q{cx},548 {cx + 92},528" fill="none" stroke="{ink.BRASS}" stroke-width="7"/>')
    sk.add(f'<path d="M{cx - 92},528 Q{cx},548 {cx + 92},528" fill="none" stroke="{ink.LAMP}" '
           f'stroke-width="2" stroke-opacity="{0.8 * bright:.2f}" transform="translate(0,3)"/>')
    for k in range(-3, 4):
        sk.add(f'<rect x="{cx + k * 18 - 4}" y="492" width="8" height="16" rx="3" fill="{ink.INK}"/>')
    sk.add(f'<rect x="{cx - 24}" y="410" width="48" height="32" rx="5" fill="{ink.NEAR}" stroke="{ink.INK}" stroke-width="3"/>')
    sk.add(f'<path d="M{cx - 34},412 L{cx + 34},412" stroke="{ink.MIST}" stroke-width="4" stroke-opacity="0.6"/>')
    # The tank: a squat drum of dented metal, lit warm from above, with the wick's key.
    tank = [(cx - 150, 800), (cx - 140, 786), (cx - 60, 772), (cx + 60, 772), (cx + 140, 786),
            (cx + 150, 800), (cx + 148, 850), (cx + 120, 872), (cx - 120, 872), (cx - 148, 850)]
    tank_light = sk.linear([(0, ink.EMBER, 0.8), (0.25, ink.NEAR, 1), (1, ink.INK, 1)])
    sk.add(f'<path d="{smooth(tank)}" fill="url(#{tank_light})"/>')
    sk.hatch((cx - 150, 790, cx + 150, 875), 80, 6, ink.INK, 0.5, 1.2, clip=sk.clip(smooth(tank)))
    sk.add(f'<path d="M{cx - 146},806 Q{cx},826 {cx + 146},806" fill="none" stroke="{ink.BRASS_LIGHT}" '
           f'stroke-width="2.5" stroke-opacity="0.55"/>')
    sk.add(f'<circle cx="{cx + 62}" cy="{790}" r="13" fill="{ink.BRASS}" stroke="{ink.INK}" stroke-width="3"/>')
    # Rain on the glass and water dripping from the tank.
    for x, y, r in [(cx - 60, 600, 4), (cx + 40, 560, 3), (cx + 70, 690, 4.5), (cx - 30, 730, 3),
                    (cx + 10, 590, 2.5), (cx - 80, 690, 3)]:
        sk.drop(x, y, r, light=ink.LAMP_CORE)
    for x, y, r in [(cx - 100, 884, 4), (cx + 30, 890, 3.5), (cx - 20, 940, 3), (cx + 96, 960, 2.5)]:
        sk.drop(x, y, r, light=ink.LAMP, opacity=0.7)


def hand(sk, gx, gy):
    """A right hand closed round the bail wire at (gx, gy), seen from its back, its sleeve
    coming down from the upper right; lit warm from the lantern below."""
    # The bail: from the tops of the side tubes up through the fist.
    bail = [(gx - 128, 505), (gx - 120, 420), (gx - 80, gy + 28), (gx, gy + 4), (gx + 80, gy + 28),
            (gx + 120, 420), (gx + 128, 505)]
    sk.add(f'<path d="{smooth(bail, False)}" fill="none" stroke="{ink.INK}" stroke-width="7"/>')
    sk.add(f'<path d="{smooth(bail, False)}" fill="none" stroke="{ink.LAMP}" stroke-width="2" '
           f'stroke-opacity="0.5" transform="translate(0,2)"/>')
    # The back of the hand, narrowing to the wrist; dark, with the lamp's warmth below.
    skin = sk.linear([(0, "#0e1219", 1), (0.55, "#231f26", 1), (0.85, "#4a3328", 1), (1, "#8a5a30", 1)],
                     user=(0, gy - 160, 0, gy - 20))
    back = [(gx - 86, gy - 40), (gx - 70, gy - 95), (gx - 34, gy - 160), (gx + 56, gy - 165),
            (gx + 84, gy - 100), (gx + 88, gy - 40), (gx, gy - 30)]
    sk.add(f'<path d="{smooth(back)}" fill="url(#{skin})"/>')
    sk.hatch((gx - 90, gy - 170, gx + 90, gy - 40), 70, 9, ink.INK, 0.3, 1.1,
             clip=sk.clip(smooth(back)))
    # Knuckles, each catching a little moonlight on its crown.
    for x in (-62, -20, 22, 60):
        sk.glow(gx + x, gy - 50, 20, ink.MOON, 0.22, ry=10)
        sk.strokes([smooth([(gx + x * 0.5 + 6, gy - 140), (gx + x * 0.8, gy - 95), (gx + x, gy - 60)], False)],
                   ink.INK, 0.5, 2.5)
    # Four fingers curled round the wire; the little finger smallest, on the right.
    fingers = [(-62, 40, 60), (-20, 42, 66), (22, 40, 62), (60, 34, 52)]
    for x, width, length in fingers:
        fx = gx + x
        finger = [(fx - width / 2, gy - 54), (fx - width / 2 - 2, gy - 10), (fx - width * 0.38, gy + length - 40),
                  (fx, gy + length - 28), (fx + width * 0.38, gy + length - 40), (fx + width / 2 + 2, gy - 10),
                  (fx + width / 2, gy - 54)]
        shade = sk.linear([(0, "#12161e", 1), (0.55, "#2a2429", 1), (0.82, "#6e4a2e", 1), (1, "#c0803e", 1)],
                          user=(0, gy - 50, 0, gy + length - 28))
        sk.add(f'<path d="{smooth(finger)}" fill="url(#{shade})" stroke="{ink.INK}" stroke-width="3"/>')
        sk.add(f'<path d="M{fmt(fx - width * 0.32)},{fmt(gy - 2)} Q{fx},{fmt(gy + 6)} {fmt(fx + width * 0.32)},{fmt(gy - 2)}" '
               f'fill="none" stroke="{ink.INK}" stroke-width="2" stroke-opacity="0.7"/>')
        sk.add(f'<path d="M{fmt(fx - width * 0.3)},{fmt(gy + length - 38)} Q{fx},{fmt(gy + length - 24)} '
               f'{fmt(fx + width * 0.3)},{fmt(gy + length - 38)}" fill="none" stroke="{ink.LAMP}" '
               f'stroke-width="3" stroke-opacity="0.6"/>')
    # The thumb, laid across the first finger; its root melts into the back of the hand.
    thumb = ribbon([(gx - 66, gy - 120), (gx - 96, gy - 62), (gx - 84, gy - 14), (gx - 34, gy + 4)], 38, "tip")
    shade = sk.linear([(0, "#12161e", 1), (0.6, "#2c262b", 1), (1, "#a06a38", 1)], user=(0, gy - 90, 0, gy + 22))
    sk.add(f'<path d="{ink.path(thumb)}" fill="url(#{shade})"/>')
    half = len(thumb) // 2
    sk.add(f'<path d="{ink.path(thumb[half // 3:half * 5 // 3], False)}" fill="none" stroke="{ink.INK}" '
           f'stroke-width="3" stroke-linejoin="round"/>')
    sk.add(f'<path d="M{gx - 46},{gy - 6} q10,-5 18,4" fill="none" stroke="{ink.MOON}" stroke-width="2" stroke-opacity="0.45"/>')
    # The sleeve over the wrist, heavy and wet, from the corner of the picture.
    sleeve = [(gx - 90, gy - 118), (gx - 70, gy - 220), (gx + 40, gy - 340), (gx + 300, gy - 420),
              (gx + 700, gy - 420), (gx + 700, gy - 240), (gx + 300, gy - 110), (gx + 110, gy - 100)]
    sk.wash(sample(sleeve, per=6), ink.INK, 0.75, layers=3, amount=4, step=12, solid=True)
    for k in range(5):
        fold = [(gx + 30 + 50 * k, gy - 130 - 20 * k), (gx + 140 + 60 * k, gy - 250 - 10 * k),
                (gx + 330 + 70 * k, gy - 330 - 5 * k)]
        sk.strokes([smooth(fold, False)], ink.MIDDLE, 0.45, 5)
    cuff = [(gx - 62, gy - 140), (gx - 10, gy - 118), (gx + 60, gy - 102), (gx + 130, gy - 100)]
    sk.add(f'<path d="{smooth(cuff, False)}" fill="none" stroke="{ink.EMBER}" stroke-width="4" '
           f'stroke-opacity="0.6" stroke-linecap="round"/>')
    # Water running off the knuckles.
    for x, y, r in [(gx - 20, gy + 40, 4), (gx + 60, gy + 30, 3.5), (gx + 30, gy + 62, 3)]:
        sk.drop(x, y, r, light=ink.LAMP_CORE)


def closeup2(flicker):
    sk = Sketch(102)
    sk.add('<g transform="translate(1290,640) scale(1.3) translate(-1320,-640)">')
    lantern(sk, 1320, flicker)
    hand(sk, 1320, 300)
    sk.add("</g>")
    return sk.svg()


def house(flicker):
    """A lonely house on a rise of the moor at night, one window lit."""
    sk = Sketch(104)
    lit = 0.35 if flicker else 1.0
    night_sky(sk, moon=(1590, 150))
    ridge(sk, 655, -20, 1940, 16, ink.MIST, 0.32, seed=0.8)
    sk.mist((0, 630, 1920, 690), 10, ink.MIST, 0.12, size=(200, 380), flat=0.1)
    ridge(sk, 705, -20, 1940, 24, ink.FAR, 0.85, seed=2.0)
    # The rise the house stands on, with its heather, its wall and its path.
    rise = [(-20, 1100), (-20, 800), (400, 790), (800, 752), (1100, 700), (1300, 676), (1500, 672),
            (1700, 690), (1940, 722), (1940, 1100)]
    land = sk.linear([(0, ink.FAR, 1), (0.2, ink.MIDDLE, 1), (1, ink.NEAR, 1)], user=(0, 670, 0, 1000))
    sk.add(f'<path d="{smooth(rise)}" fill="url(#{land})"/>')
    sk.wash(rise, ink.MIDDLE, 0.25, layers=2, amount=4, step=12, edge=False)
    rise_clip = sk.clip(smooth(rise))
    sk.add(f'<g clip-path="url(#{rise_clip})">')
    heather(sk, (-20, 740, 1940, 1000), 70, ink.NEAR, 0.35, size=(20, 60))
    sk.hatch((-20, 690, 1940, 1000), 172, 9, ink.NEAR, 0.35, 1.2, wobble=4)
    tufts(sk, (-20, 720, 1940, 1000), 140, ink.INK, 0.45, height=(6, 18), lit=0.12)
    sk.add("</g>")
    # The sky is a little paler along the horizon behind the house.
    sk.glow(1250, 660, 700, ink.MIST, 0.16, ry=150)
    bent_tree(sk, 1090, 722, 230)
    stone_wall(sk, [(-20, 915), (300, 870), (700, 806), (1000, 746), (1180, 712), (1262, 694)], 44)
    # The track to the door: two wet ruts and puddles that hold the lamp's light.
    for side in (-1, 1):
        rut = ribbon([(860 + side * 60, 1100), (930 + side * 48, 960), (1070 + side * 32, 858),
                      (1250 + side * 18, 758), (1372 + side * 8, 700), (1406, 688)], 26, taper=False)
        sk.wash(rut, ink.MIST, 0.14, layers=2, amount=4, step=10, edge=False)
    for px, py, w in [(925, 965, 70), (1060, 866, 48), (1225, 772, 30), (1340, 714, 18)]:
        pool = [(px - w, py), (px - w * 0.6, py - w * 0.09), (px + w * 0.2, py - w * 0.12), (px + w, py - w * 0.02),
                (px + w * 0.5, py + w * 0.1), (px - w * 0.4, py + w * 0.1)]
        sk.add(f'<path d="{smooth(pool)}" fill="{ink.SKY_LOW}" fill-opacity="0.8"/>')
        sk.add(f'<path d="M{px - w * 0.6:.1f},{py - w * 0.03:.1f} l{w * 1.2:.1f},0" stroke="{ink.MOON}" '
               f'stroke-width="1.5" stroke-opacity="0.35"/>')
        sk.add(f'<path d="M{px + w * 0.1:.1f},{py:.1f} l{w * 0.4:.1f},0" stroke="{ink.LAMP}" '
               f'stroke-width="{max(1.5, w * 0.06):.1f}" stroke-opacity="{0.7 * lit:.2f}" stroke-linecap="round"/>')
    farmhouse(sk, 1300, 680, 0.95, lit=lit)
    # The near ground, dark heather against the track.
    ridge(sk, 1000, -20, 1940, 36, ink.NEAR, 1.0, seed=1.3)
    heather(sk, (-20, 990, 1940, 1080), 40, ink.INK, 0.8, size=(30, 70))
    tufts(sk, (-20, 990, 1940, 1090), 120, ink.INK, 0.85, height=(20, 50), lit=0.18)
    return sk.svg()


def veil():
    """Mist drifting over the near face: a low bank and long wisps, thin enough to see the
    eye through. It slides to the right, so nothing touches its left edge: no straight
    line ever shows where it begins."""
    sk = Sketch(105)
    rng = sk.rng

    def wisp(x, y, rx, ry, colour, alpha):
        x = max(x, rx * 1.02)
        sk.glow(x, y, rx, colour, alpha, ry=ry, falloff=((0, 1.0), (0.5, 0.5), (1, 0.0)),
                rotate=rng.uniform(-4, 4))

    # The bank along the bottom.
    for _ in range(26):
        rx = rng.uniform(220, 480)
        wisp(rng.uniform(0, 2100), rng.uniform(860, 1080), rx, rx * rng.uniform(0.2, 0.35), ink.MIST, rng.uniform(0.25, 0.45))
    # Long wisps across the face, thinner and paler upwards.
    for _ in range(30):
        y = rng.uniform(420, 880)
        rx = rng.uniform(200, 520)
        fade = (y - 420) / 460
        wisp(rng.uniform(0, 2100), y, rx, rx * rng.uniform(0.04, 0.1), ink.MOON if rng.random() < 0.3 else ink.MIST,
             0.1 + 0.2 * fade)
    # Torn edges inside the bank.
    for _ in range(8):
        x = rng.uniform(400, 1900)
        sk.cloud(x, rng.uniform(900, 1040), rng.uniform(200, 360), rng.uniform(20, 40), ink.MIST, 0.08, layers=2)
    return sk.svg()


def makers_mark():
    """The makers' mark: a tent pitched in the rain with a lamp inside, in a ring of ink
    like a seal, with the word "zelt" beneath it. Pale ink on a soft dark halo, so that it
    reads over the face and the rain."""
    sk = Sketch(106)
    cx, cy = 960, 540
    paper = "#e4ddcc"
    sk.glow(cx, cy, 420, ink.INK, 0.85, falloff=((0, 1.0), (0.6, 0.8), (1, 0.0)))
    # The ring: a heavy outer line, a fine inner one, both with a stamp's uneven edge.
    outer = [(cx + 262 * math.cos(a / 90 * math.pi), cy + 262 * math.sin(a / 90 * math.pi)) for a in range(180)]
    inner = [(cx + 238 * math.cos(a / 90 * math.pi), cy + 238 * math.sin(a / 90 * math.pi)) for a in range(180)]
    sk.add(f'<path d="{ink.path(sk.ragged(outer, 1.5, 10))} {ink.path(sk.ragged(inner, 1.5, 10))}" '
           f'fill="{paper}" fill-rule="evenodd" fill-opacity="0.9"/>')
    inner2 = [(cx + 226 * math.cos(a / 90 * math.pi), cy + 226 * math.sin(a / 90 * math.pi)) for a in range(180)]
    sk.add(f'<path d="{ink.path(sk.ragged(inner2, 0.8, 10))}" fill="none" stroke="{paper}" stroke-width="2.5" '
           f'stroke-opacity="0.7"/>')
    # Rain falling through the upper half of the seal.
    rain = []
    for _ in range(46):
        x, y = sk.rng.uniform(cx - 190, cx + 190), sk.rng.uniform(cy - 200, cy - 20)
        if math.hypot(x - cx, y - cy) < 205 and not (abs(x - cx) < 150 - (y - (cy - 150)) * 0.0 and y > cy - 150 and abs(x - cx) < (y - (cy - 150)) * 0.62):
            length = sk.rng.uniform(16, 34)
            rain.append(f"M{fmt(x)},{fmt(y)} l{fmt(-length * 0.2)},{fmt(length)}")
    sk.strokes(rain, paper, 0.55, 2.2)
    # The tent: a ridge tent, its flap tied back on a warm, lit inside.
    apex, base_y = (cx, cy - 150), cy + 100
    left, right = (cx - 150, base_y), (cx + 150, base_y)
    sk.glow(cx, base_y - 50, 150, ink.LAMP, 0.35, ry=90)
    body = (f"M{apex[0]},{apex[1]} Q{cx - 62},{cy - 10} {left[0]},{left[1]} "
            f"Q{cx},{base_y - 14} {right[0]},{right[1]} Q{cx + 62},{cy - 10} {apex[0]},{apex[1]} Z")
    sk.add(f'<path d="{body}" fill="{paper}" fill-opacity="0.92"/>')
    sk.hatch((cx - 150, cy - 150, cx + 150, base_y), 118, 9, ink.INK, 0.45, 2.0,
             clip=sk.clip(f"M{apex[0]},{apex[1]} L{cx + 14},{cy - 120} L{cx + 40},{base_y} L{right[0]},{right[1]} Z"))
    door = f"M{cx + 2},{cy - 92} Q{cx - 14},{cy + 20} {cx - 52},{base_y - 8} Q{cx},{base_y - 14} {cx + 40},{base_y - 10} Q{cx + 14},{cy + 10} {cx + 2},{cy - 92} Z"
    glow_in = sk.radial([(0, ink.LAMP_CORE, 1), (0.6, ink.LAMP, 1), (1, ink.EMBER, 1)], cy=0.85, r=0.6)
    sk.add(f'<path d="{door}" fill="url(#{glow_in})"/>')
    flap = f"M{cx + 2},{cy - 92} Q{cx - 14},{cy + 20} {cx - 52},{base_y - 8} Q{cx - 80},{base_y - 30} {cx - 100},{base_y - 12} Q{cx - 50},{cy - 10} {cx + 2},{cy - 92} Z"
    sk.add(f'<path d="{flap}" fill="#b4ad9c"/>')
    sk.hatch((cx - 110, cy - 100, cx + 10, base_y), 60, 7, ink.INK, 0.5, 1.6, clip=sk.clip(flap))
    sk.add(f'<path d="{flap}" fill="none" stroke="{ink.INK}" stroke-width="3" stroke-linejoin="round"/>')
    sk.add(f'<path d="M{apex[0]},{apex[1] - 26} L{apex[0]},{apex[1] + 4} M{apex[0]},{apex[1]} L{cx - 205},{base_y} '
           f'M{apex[0]},{apex[1]} L{cx + 205},{base_y}" stroke="{paper}" stroke-width="2.5" stroke-opacity="0.8"/>')
    sk.add(f'<path d="{body}" fill="none" stroke="{ink.INK}" stroke-width="3" stroke-linejoin="round"/>')
    # The ground, and the name.
    ground = sk.ragged([(cx - 215, base_y + 2), (cx + 215, base_y + 2)], 1.5, 8, closed=False)
    sk.add(f'<path d="{ink.path(ground, False)}" fill="none" stroke="{paper}" stroke-width="6" stroke-linecap="round"/>')
    sk.add(f'<text x="{cx}" y="{cy + 178}" font-family="EB Garamond" font-size="66" letter-spacing="18" '
           f'text-anchor="middle" fill="{paper}">ZELT</text>')
    return sk.svg()


def title():
    """The title lettering with its ornament: a small flame between two fine rules above,
    a long rule with a lozenge and three falling drops below. Pale ink on a soft dark
    halo, so that it reads over the face and the rain."""
    sk = Sketch(107)
    paper = "#ebe4d2"
    cx, base = 960, 612
    halo = sk.blur(18)
    sk.glow(cx, 545, 760, ink.INK, 0.75, ry=250, falloff=((0, 1.0), (0.55, 0.7), (1, 0.0)))
    lettering = (f'x="{cx}" y="{base}" font-family="EB Garamond" font-size="224" letter-spacing="8" '
                 f'text-anchor="middle"')
    sk.add(f'<text {lettering} fill="{ink.INK}" fill-opacity="0.95" stroke="{ink.INK}" stroke-width="14" '
           f'filter="url(#{halo})">Drennmoor</text>')
    face = sk.linear([(0, "#f6f0e0", 1), (0.7, paper, 1), (1, "#b8af99", 1)], user=(0, base - 160, 0, base + 10))
    sk.add(f'<text {lettering} fill="url(#{face})">Drennmoor</text>')
    # Above: a flame between two rules.
    top = 392
    sk.add(f'<path d="{rule(cx - 150, top, 120, 2.2)} {rule(cx + 150, top, 120, 2.2)}" fill="{paper}" fill-opacity="0.85"/>')
    sk.glow(cx, top - 4, 46, ink.LAMP, 0.55)
    sk.add(f'<path d="M{cx},{top - 30} Q{cx + 14},{top - 4} {cx + 9},{top + 6} Q{cx},{top + 14} {cx - 9},{top + 6} '
           f'Q{cx - 14},{top - 4} {cx},{top - 30} Z" fill="{ink.LAMP}"/>')
    sk.add(f'<path d="M{cx},{top - 14} Q{cx + 6},{top + 2} {cx},{top + 7} Q{cx - 6},{top + 2} {cx},{top - 14} Z" '
           f'fill="{ink.LAMP_CORE}"/>')
    # Below: the long rule, a lozenge, and rain dropping from it.
    low = 672
    sk.add(f'<path d="{rule(cx, low, 420, 3.2)}" fill="{paper}" fill-opacity="0.85"/>')
    sk.add(f'<path d="M{cx},{low - 13} L{cx + 13},{low} L{cx},{low + 13} L{cx - 13},{low} Z" fill="{paper}"/>')
    sk.add(f'<path d="M{cx},{low - 6} L{cx + 6},{low} L{cx},{low + 6} L{cx - 6},{low} Z" fill="{ink.INK}"/>')
    for i, (dx, fall) in enumerate([(-180, 26), (0, 44), (180, 26)]):
        x, y = cx + dx, low + fall
        sk.add(f'<path d="M{x},{y - 12} Q{x + 6},{y} {x},{y + 5} Q{x - 6},{y} {x},{y - 12} Z" fill="{paper}" fill-opacity="0.8"/>')
    for side in (-1, 1):
        x = cx + side * 420
        sk.add(f'<circle cx="{x + side * 10}" cy="{low}" r="4" fill="{paper}" fill-opacity="0.8"/>')
    return sk.svg()


PICTURES = {
    "drennmoor": title,
    "zelt": makers_mark,
    "closeup1_0": lambda: closeup1(True),
    "closeup1_1": lambda: closeup1(False),
    "closeup2_0": lambda: closeup2(False),
    "closeup2_1": lambda: closeup2(True),
    "house_0": lambda: house(False),
    "house_1": lambda: house(True),
    "closeup_0": lambda: closeup(True),
    "closeup_1": lambda: closeup(False),
    "closeup_3": veil,
}

if __name__ == "__main__":
    ink.main(PICTURES)
