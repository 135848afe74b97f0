"""The last picture of the film: the house on the moor, near now, its door open on a lit
room, and the hooded figure standing on the threshold with the lantern, seen from behind.
The sky is left empty, so the rain drawn behind the picture falls there."""

from lib import ink
from lib.opening import (Sketch, bent_tree, fmt, heather, night_sky, ribbon, ridge, smooth,
                         stone_wall, tufts)
from lib.opening_house import farmhouse

GROUND = 905          # the foot of the house's front wall
HOUSE_X = 1130        # its lower left corner
HOUSE_SCALE = 2.6
DOOR_X = HOUSE_X + 122 * HOUSE_SCALE   # the middle of the doorway


def figure(sk, x, y, h):
    """A hooded, cloaked figure seen from behind, feet at (x, y), h tall, dark against the
    light of the door, its edges lit warm; the lantern hangs from its right hand."""
    outline = [(-0.085, -0.93), (-0.04, -0.995), (0.02, -1.0), (0.075, -0.955), (0.1, -0.86),
               (0.19, -0.77), (0.225, -0.62), (0.24, -0.36), (0.27, -0.1), (0.3, 0.0),
               (0.12, 0.012), (-0.05, 0.0), (-0.22, 0.01), (-0.29, 0.0), (-0.25, -0.2),
               (-0.235, -0.5), (-0.215, -0.7), (-0.17, -0.78), (-0.1, -0.85)]
    pts = [(x + px * h, y + py * h) for px, py in outline]
    d = smooth(pts)
    sk.add(f'<path d="{d}" fill="none" stroke="{ink.LAMP}" stroke-opacity="0.35" stroke-width="{fmt(0.03 * h)}"/>')
    sk.add(f'<path d="{d}" fill="none" stroke="{ink.LAMP_CORE}" stroke-opacity="0.6" stroke-width="{fmt(0.008 * h)}"/>')
    sk.add(f'<path d="{d}" fill="{ink.INK}"/>')
    clip = sk.clip(d)
    folds = []
    for k in range(7):
        fx = -0.2 + 0.07 * k
        folds.append(smooth([(x + (fx * 0.6) * h, y - 0.75 * h), (x + fx * 0.9 * h, y - 0.4 * h),
                             (x + fx * 1.15 * h, y)], False))
    sk.add(f'<g clip-path="url(#{clip})">')
    sk.strokes(folds, ink.NEAR, 0.9, 0.012 * h)
    sk.glow(x, y - 0.9 * h, 0.1 * h, ink.NEAR, 0.8)
    sk.add("</g>")
    # The lantern in the right hand, low, still burning.
    lx, ly = x + 0.27 * h, y - 0.3 * h
    sk.glow(lx, ly + 0.06 * h, 0.35 * h, ink.LAMP, 0.4)
    sk.add(f'<path d="M{fmt(lx - 0.02 * h)},{fmt(ly - 0.08 * h)} L{fmt(lx)},{fmt(ly - 0.12 * h)} '
           f'L{fmt(lx + 0.02 * h)},{fmt(ly - 0.08 * h)}" fill="none" stroke="{ink.INK}" stroke-width="2"/>')
    sk.add(f'<rect x="{fmt(lx - 0.028 * h)}" y="{fmt(ly - 0.08 * h)}" width="{fmt(0.056 * h)}" '
           f'height="{fmt(0.12 * h)}" rx="{fmt(0.012 * h)}" fill="{ink.LAMP}"/>')
    sk.add(f'<ellipse cx="{fmt(lx)}" cy="{fmt(ly - 0.015 * h)}" rx="{fmt(0.012 * h)}" ry="{fmt(0.03 * h)}" '
           f'fill="{ink.LAMP_CORE}"/>')
    sk.add(f'<path d="M{fmt(lx - 0.034 * h)},{fmt(ly - 0.08 * h)} L{fmt(lx + 0.034 * h)},{fmt(ly - 0.08 * h)} '
           f'M{fmt(lx - 0.034 * h)},{fmt(ly + 0.04 * h)} L{fmt(lx + 0.034 * h)},{fmt(ly + 0.04 * h)}" '
           f'stroke="{ink.INK}" stroke-width="{fmt(0.012 * h)}"/>')


def endgame():
    sk = Sketch(201)
    night_sky(sk, moon=(1700, 110))
    sk.glow(700, 730, 900, ink.MIST, 0.12, ry=170)
    # The moor falling away to the left, far folds paler.
    ridge(sk, 700, -20, 1300, 18, ink.MIST, 0.3, seed=0.4)
    ridge(sk, 745, -20, 1300, 22, ink.FAR, 0.85, seed=1.9)
    sk.add('<g>')
    bent_tree(sk, 330, 790, 260)
    sk.add('</g>')
    land = [(-20, 1100), (-20, 820), (300, 800), (700, 830), (1000, 880), (1300, 905), (1940, 912), (1940, 1100)]
    shade = sk.linear([(0, ink.MIDDLE, 1), (0.4, ink.NEAR, 1), (1, ink.INK, 1)], user=(0, 800, 0, 1080))
    sk.add(f'<path d="{smooth(land)}" fill="url(#{shade})"/>')
    sk.wash(land, ink.FAR, 0.15, layers=2, amount=4, step=12, edge=False)
    land_clip = sk.clip(smooth(land))
    sk.add(f'<g clip-path="url(#{land_clip})">')
    heather(sk, (-20, 820, 1200, 1000), 50, ink.NEAR, 0.45, size=(20, 60))
    tufts(sk, (-20, 800, 1300, 1000), 120, ink.INK, 0.5, height=(8, 22), lit=0.12)
    sk.add("</g>")
    stone_wall(sk, [(-20, 985), (300, 930), (620, 900), (880, 896)], 64, lit=0.35)
    # The house, near, its door standing open on the lamp-lit room.
    farmhouse(sk, HOUSE_X, GROUND, HOUSE_SCALE, lit=1.0, door_open=True)
    # The light from the door laid out on the wet ground, and the figure's shadow in it.
    spill = [(DOOR_X - 60, GROUND), (DOOR_X + 60, GROUND), (DOOR_X + 250, 1090), (DOOR_X - 230, 1090)]
    pool = sk.linear([(0, ink.LAMP, 0.5), (0.6, ink.EMBER, 0.2), (1, ink.EMBER, 0.0)], user=(0, GROUND, 0, 1090))
    sk.wash(spill, ink.EMBER, 0.0, layers=1, amount=6, step=10, edge=False)
    sk.add(f'<path d="{ink.path(sk.ragged(spill, 5, 10))}" fill="url(#{pool})"/>')
    for y, w in [(930, 70), (968, 110), (1012, 160), (1050, 190)]:
        sk.add(f'<path d="M{fmt(DOOR_X - w * 0.5)},{y} l{w},0" stroke="{ink.LAMP_CORE}" stroke-opacity="0.3" '
               f'stroke-width="2" stroke-linecap="round"/>')
    shadow = ribbon([(DOOR_X + 22, GROUND + 8), (DOOR_X + 40, 990), (DOOR_X + 66, 1090)], 70, taper=False)
    sk.wash(shadow, ink.INK, 0.45, layers=2, amount=4, step=10, edge=False)
    figure(sk, DOOR_X + 22, GROUND + 10, 246)
    # The near ground: dark heather and grass at the foot of the picture.
    ridge(sk, 1040, -20, 1100, 26, ink.INK, 0.9, seed=2.2)
    tufts(sk, (-20, 1030, 1300, 1095), 90, ink.INK, 0.9, height=(20, 46), lit=0.15)
    tufts(sk, (1680, 1010, 1940, 1095), 40, ink.INK, 0.9, height=(20, 46), lit=0.1)
    return sk.svg()


PICTURES = {"endgame": endgame}

if __name__ == "__main__":
    ink.main(PICTURES)
