"""The workshop: the tall hall itself and the tackle that moves through it.

workshop_1     the hall, 1920 x 5760, scrolled from the floor up to the high galleries;
               its window panes are left open so the rain behind shows through.
big_rope_1/2   the heavy cables the trolley hooks run along (through the hooks' path points).
hook_3         a trolley: a grooved wheel riding the cable and a hook below it; hangs by its
               top centre.
small_rope_1/2 long sagging lines with tags, notes, lanterns and tools hung on them.
hookline       a rope let down from above with a hook at its end.
"""

import math

from lib import ink
from lib.hall import workshop_1
from lib.hanging import small_rope
from lib.machinery import Picture, chain, f, hook, normals, sample_smooth

# The trolley hooks' stops along each cable, in canvas pixels (the scene adds the cable's y).
PATH_A = [(125, 359), (428, 301), (726, 245), (970, 202), (1189, 160), (1411, 120), (1633, 73),
          (1853, 35)]
PATH_B = [(1798, 359), (1495, 300), (1199, 245), (952, 201), (733, 159), (511, 119), (289, 73),
          (70, 31)]
ROPE_HEIGHT = 500

IRON = "#1b222c"
IRON_LIGHT = "#7d8a9b"
ROPE_DARK = "#0d1117"
ROPE = "#2a2f36"
ROPE_LIGHT = "#6f7782"
HEMP = "#4a4238"
HEMP_LIGHT = "#8c8068"


def twisted_rope(pic, line, width, dark=ROPE_DARK, body=ROPE, light=ROPE_LIGHT, lay=9.0):
    """A laid rope along a polyline: a dark core, the strands as slanted strokes, a lit
    upper edge."""
    d = "M " + " L ".join(f"{f(x)},{f(y)}" for x, y in line)
    pic.add(f'<path d="{d}" fill="none" stroke="{dark}" stroke-width="{f(width)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')
    pic.add(f'<path d="{d}" fill="none" stroke="{body}" stroke-width="{f(width * 0.62)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')
    # strands: resample the line evenly and lay a slanted stroke every `lay` pixels
    strands = []
    ns = normals(line)
    carry = 0.0
    for i in range(len(line) - 1):
        (x0, y0), (x1, y1) = line[i], line[i + 1]
        seg = math.hypot(x1 - x0, y1 - y0)
        if seg == 0:
            continue
        tx, ty = (x1 - x0) / seg, (y1 - y0) / seg
        nx, ny = ns[i]
        t = carry
        while t < seg:
            px, py = x0 + tx * t, y0 + ty * t
            h = width * 0.42
            strands.append(f"M{f(px + nx * h - tx * h * 0.7)},{f(py + ny * h - ty * h * 0.7)} "
                           f"L{f(px - nx * h + tx * h * 0.7)},{f(py - ny * h + ty * h * 0.7)}")
            t += lay
        carry = t - seg
    pic.add(f'<path d="{" ".join(strands)}" stroke="{dark}" stroke-width="{f(width * 0.14)}" '
            f'opacity="0.8" stroke-linecap="round"/>')
    top = [(x + nx * width * 0.22, y + ny * width * 0.22) for (x, y), (nx, ny) in zip(line, ns)]
    pic.add(f'<path d="M {" L ".join(f"{f(x)},{f(y)}" for x, y in top)}" fill="none" '
            f'stroke="{light}" stroke-width="{f(width * 0.12)}" stroke-dasharray="{f(lay * 0.55)} '
            f'{f(lay * 0.45)}" opacity="0.7"/>')


def pulley(pic, cx, cy, r, iron=IRON, light=IRON_LIGHT, edge=ink.INK):
    """A grooved iron sheave with spokes."""
    pic.add(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="{iron}" stroke="{edge}" '
            f'stroke-width="{f(max(1.5, r * 0.12))}"/>')
    pic.add(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r * 0.78)}" fill="none" stroke="{edge}" '
            f'stroke-width="{f(r * 0.1)}"/>')
    spokes = []
    for i in range(5):
        a = i * 2 * math.pi / 5 + 0.3
        spokes.append(f"M{f(cx)},{f(cy)} L{f(cx + math.cos(a) * r * 0.75)},"
                      f"{f(cy + math.sin(a) * r * 0.75)}")
    pic.add(f'<path d="{" ".join(spokes)}" stroke="{light}" stroke-width="{f(r * 0.12)}" '
            f'opacity="0.55" stroke-linecap="round"/>')
    pic.add(f'<path d="M{f(cx - r * 0.85)},{f(cy - r * 0.3)} A{f(r * 0.9)},{f(r * 0.9)} 0 0 1 '
            f'{f(cx + r * 0.3)},{f(cy - r * 0.85)}" fill="none" stroke="{light}" '
            f'stroke-width="{f(r * 0.1)}" opacity="0.6" stroke-linecap="round"/>')
    pic.add(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r * 0.2)}" fill="{light}" stroke="{edge}" '
            f'stroke-width="{f(r * 0.06)}" opacity="0.9"/>')


def wall_plate(pic, x, y, w, h, bolts=4):
    """An iron plate bolted on the wall (the cables are anchored to such plates)."""
    pic.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="3" fill="{IRON}" '
            f'stroke="{ink.INK}" stroke-width="3"/>')
    pic.add(f'<line x1="{f(x + 4)}" y1="{f(y + 4)}" x2="{f(x + 4)}" y2="{f(y + h - 4)}" '
            f'stroke="{IRON_LIGHT}" stroke-width="2" opacity="0.5"/>')
    for i in range(bolts):
        bx = x + w / 2
        by = y + h * (i + 0.5) / bolts
        pic.add(f'<circle cx="{f(bx)}" cy="{f(by)}" r="3.5" fill="{IRON_LIGHT}" opacity="0.6" '
                f'stroke="{ink.INK}" stroke-width="1.5"/>')


def big_rope(path_points):
    """A heavy cable through the trolley path: its high end made fast to an eye on a wall
    plate, its low end running over a sheave and down to a hanging counterweight."""
    pic = Picture(1920, ROPE_HEIGHT, seed=21)
    low, high = path_points[0], path_points[-1]
    side = -1 if low[0] < high[0] else 1  # the low end's side: -1 left, +1 right
    # carry the line a little beyond both ends, along its own direction
    d_low = ((low[0] - path_points[1][0]), (low[1] - path_points[1][1]))
    n = math.hypot(*d_low)
    sheave_r = 28
    over = (low[0] + d_low[0] / n * 62, low[1] + d_low[1] / n * 62)
    d_high = ((high[0] - path_points[-2][0]), (high[1] - path_points[-2][1]))
    n = math.hypot(*d_high)
    eye = (high[0] + d_high[0] / n * 34, high[1] + d_high[1] / n * 34)
    line = sample_smooth([over] + list(path_points) + [eye], steps=10)

    # the sheave at the low end: the cable comes over its top and drops to the weight
    scx, scy = over[0] + side * 6, over[1] + sheave_r
    bracket_x = scx + side * 10
    pic.add(f'<path d="M{f(scx)},{f(scy)} L{f(bracket_x + side * 28)},{f(scy - 70)} '
            f'L{f(bracket_x + side * 28)},{f(scy + 30)} Z" fill="{IRON}" stroke="{ink.INK}" '
            f'stroke-width="3" stroke-linejoin="round"/>')
    wall_plate(pic, bracket_x + side * 28 - 10, scy - 84, 20, 128, bolts=4)
    drop_x = scx + side * sheave_r
    weight_top = scy + 40
    twisted_rope(pic, [(drop_x, scy), (drop_x, weight_top)], 14)
    # the counterweight: a cast block with a ring
    wx = drop_x - 26
    shade = pic.linear([(0, IRON_LIGHT, 1), (0.35, IRON, 1), (1, ink.INK, 1)], x1=0, y1=0, x2=1,
                       y2=0)
    pic.add(f'<rect x="{f(drop_x - 7)}" y="{f(weight_top - 6)}" width="14" height="12" rx="5" '
            f'fill="none" stroke="{ink.INK}" stroke-width="4"/>')
    pic.add(f'<path d="M{f(wx + 6)},{f(weight_top + 6)} L{f(wx + 46)},{f(weight_top + 6)} '
            f'L{f(wx + 52)},{f(weight_top + 52)} L{f(wx)},{f(weight_top + 52)} Z" fill="{shade}" '
            f'stroke="{ink.INK}" stroke-width="3" stroke-linejoin="round"/>')
    for k in (20, 38):
        pic.add(f'<line x1="{f(wx + 3)}" y1="{f(weight_top + k)}" x2="{f(wx + 49)}" '
                f'y2="{f(weight_top + k)}" stroke="{ink.INK}" stroke-width="2" opacity="0.6"/>')
    pulley(pic, scx, scy, sheave_r)

    # the high end: an eye bolt on a wall plate, the cable spliced round it
    wall_plate(pic, eye[0] - side * 14 - 11, eye[1] - 26, 22, 62, bolts=3)
    pic.add(f'<circle cx="{f(eye[0] - side * 4)}" cy="{f(eye[1])}" r="9" fill="none" '
            f'stroke="{ink.INK}" stroke-width="7"/>'
            f'<circle cx="{f(eye[0] - side * 4)}" cy="{f(eye[1])}" r="9" fill="none" '
            f'stroke="{IRON_LIGHT}" stroke-width="2.5" opacity="0.7"/>')

    # the cable itself, wrapped over the sheave
    wrap = []
    a0 = math.atan2(over[1] - scy, over[0] - scx)
    a1 = 0 if side > 0 else math.pi
    # go round the top of the wheel from the tangent point to the outer side
    steps = 8
    for k in range(steps + 1):
        t = k / steps
        if side > 0:
            a = a0 + (a1 - a0 + (2 * math.pi if a1 < a0 else 0)) * t
        else:
            a = a0 - ((a0 - a1) % (2 * math.pi)) * t
        wrap.append((scx + math.cos(a) * (sheave_r + 2), scy + math.sin(a) * (sheave_r + 2)))
    twisted_rope(pic, list(reversed(wrap))[:-1] + line, 18)
    # a splice binding where the cable turns back on itself at the eye
    pic.add(f'<rect x="{f(eye[0] + side * 16 - 10)}" y="{f(eye[1] - 12)}" width="20" height="22" '
            f'rx="4" fill="{HEMP}" stroke="{ink.INK}" stroke-width="2" transform="rotate('
            f'{f(math.degrees(math.atan2(d_high[1], d_high[0])))} {f(eye[0] + side * 16)} '
            f'{f(eye[1])})"/>')
    return pic.svg()


def big_rope_1():
    return big_rope(PATH_A)


def big_rope_2():
    return big_rope(PATH_B)


def hook_3():
    """A trolley: the cable runs through the groove of its wheel at the canvas's top
    centre (60, 0); side cheeks carry a short chain and a hook."""
    pic = Picture(120, 220, seed=33)
    cx = 60
    # cheek plates behind the wheel, meeting at the chain pin
    pic.add(f'<path d="M{cx - 22},4 Q{cx - 26},30 {cx - 8},52 L{cx + 8},52 Q{cx + 26},30 '
            f'{cx + 22},4 Z" fill="{IRON}" stroke="{ink.INK}" stroke-width="2.5" '
            f'stroke-linejoin="round"/>')
    pulley(pic, cx, 8, 17)
    # front strap from the axle down to the pin
    pic.add(f'<path d="M{cx - 5},8 L{cx - 6},50 L{cx + 6},50 L{cx + 5},8 Z" fill="{IRON}" '
            f'stroke="{ink.INK}" stroke-width="2"/>')
    pic.add(f'<circle cx="{cx}" cy="8" r="4" fill="{IRON_LIGHT}" stroke="{ink.INK}" '
            f'stroke-width="1.5"/><circle cx="{cx}" cy="50" r="4" fill="{IRON_LIGHT}" '
            f'stroke="{ink.INK}" stroke-width="1.5"/>')
    links, end = chain(cx, 52, 90, 18, 4.5, ink.INK, IRON_LIGHT)
    pic.add(links)
    hook(pic, cx, end + 15, scale=0.68, iron=IRON, light=IRON_LIGHT)
    return pic.svg()


def hookline():
    """A rope let down from above with a hook spliced to its end."""
    pic = Picture(120, 760, seed=44)
    cx = 60
    twisted_rope(pic, [(cx, -10), (cx, 610)], 9, dark=ink.INK, body=HEMP, light=HEMP_LIGHT,
                 lay=7)
    # whipping where the rope is bound round the hook's eye
    pic.add(f'<rect x="{cx - 7}" y="592" width="14" height="20" rx="3" fill="{HEMP}" '
            f'stroke="{ink.INK}" stroke-width="2"/>')
    for y in (597, 602, 607):
        pic.add(f'<line x1="{cx - 6}" y1="{y}" x2="{cx + 6}" y2="{y}" stroke="{ink.INK}" '
                f'stroke-width="1.2" opacity="0.7"/>')
    hook(pic, cx, 636, scale=0.8, iron=IRON, light=IRON_LIGHT)
    return pic.svg()


def small_rope_1():
    return small_rope(seed=51)


def small_rope_2():
    return small_rope(seed=52)


PICTURES = {
    "workshop_1": workshop_1,
    "big_rope_1": big_rope_1,
    "big_rope_2": big_rope_2,
    "hook_3": hook_3,
    "small_rope_1": small_rope_1,
    "small_rope_2": small_rope_2,
    "hookline": hookline,
}

if __name__ == "__main__":
    ink.main(PICTURES)
