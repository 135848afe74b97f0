"""The sea monster: long scaled necks and the heads at their ends, and the waves and
clouds of the storm it comes out of. Each neck is a tapering ribbon along a smooth curve;
each head is drawn pointing right in its own frame and turned into place.
"""

import math

from lib import ink
from lib.machinery import Picture, f, normals, ribbon, sample_smooth, smooth


def blob(rng, cx, cy, rx, ry, n=14, jitter=0.2):
    """A ragged rounded shape (a cloud, a patch of wash, a wave's foam)."""
    pts = []
    for i in range(n):
        a = i * 2 * math.pi / n
        k = rng.uniform(1 - jitter, 1 + jitter)
        pts.append((cx + math.cos(a) * rx * k, cy + math.sin(a) * ry * k))
    return smooth(pts, closed=True)


def neck(pic, points, w0, w1, body, dark, light, edge=ink.INK, scales=True, edge_width=2.5,
         spine_side=-1):
    """A long neck along a curve through `points`, tapering from w0 to w1; returns the
    end point and the direction there (radians). The spines run along the left side of
    the direction of travel (spine_side -1) or the right (+1)."""
    rng = pic.rng
    line = sample_smooth(points, steps=14)
    n = len(line)
    widths = [w0 + (w1 - w0) * (i / (n - 1)) ** 0.8 for i in range(n)]
    shape = ribbon(line, widths)
    shade = pic.uid("neck")
    pic.define(f'<linearGradient id="{shade}" x1="0" y1="0" x2="1" y2="0">'
               f'<stop offset="0" stop-color="{light}"/><stop offset="0.45" stop-color="{body}"/>'
               f'<stop offset="1" stop-color="{dark}"/></linearGradient>')
    pic.add(f'<path d="{ink.path(shape)}" fill="url(#{shade})" stroke="{edge}" '
            f'stroke-width="{edge_width}" stroke-linejoin="round"/>')
    ns = normals(line)
    # the pale belly along one side
    belly = [(x + nx * w * 0.3, y + ny * w * 0.3) for (x, y), (nx, ny), w in zip(line, ns, widths)]
    pic.add(f'<path d="{ink.path(belly, False)}" fill="none" stroke="{light}" '
            f'stroke-width="{f((w0 + w1) / 2 * 0.18)}" stroke-opacity="0.45" '
            f'stroke-linecap="round"/>')
    if scales:
        # scale rows: short arcs across the neck, staggered
        arcs = []
        step = max(3, int(n / 60))
        for i in range(2, n - 2, step):
            (x, y), (nx, ny), w = line[i], ns[i], widths[i]
            for k in (-0.3, 0.0, 0.3):
                cx, cy = x + nx * w * k, y + ny * w * k
                r = w * 0.12
                tx, ty = -ny, nx
                arcs.append(f"M{f(cx - nx * r)},{f(cy - ny * r)} Q{f(cx + tx * r * 1.4)},"
                            f"{f(cy + ty * r * 1.4)} {f(cx + nx * r)},{f(cy + ny * r)}")
        pic.add(f'<path d="{" ".join(arcs)}" fill="none" stroke="{edge}" stroke-width="1.8" '
                f'stroke-opacity="0.5"/>')
        # ridge of spines along the other side
        spines = []
        for i in range(4, n - 6, max(4, int(n / 40))):
            (x, y), (nx, ny), w = line[i], ns[i], widths[i]
            nx, ny = nx * spine_side * -1, ny * spine_side * -1
            bx, by = x - nx * w * 0.48, y - ny * w * 0.48
            h = w * rng.uniform(0.25, 0.4)
            tx, ty = line[i + 1][0] - x, line[i + 1][1] - y
            tl = math.hypot(tx, ty) or 1
            tx, ty = tx / tl, ty / tl
            spines.append(f"M{f(bx - tx * w * 0.12)},{f(by - ty * w * 0.12)} "
                          f"L{f(bx - nx * h + tx * w * 0.1)},{f(by - ny * h + ty * w * 0.1)} "
                          f"L{f(bx + tx * w * 0.14)},{f(by + ty * w * 0.14)} Z")
        pic.add(f'<path d="{" ".join(spines)}" fill="{dark}" stroke="{edge}" stroke-width="2"/>')
    (x1, y1), (x0, y0) = line[-1], line[-4]
    return (x1, y1), math.atan2(y1 - y0, x1 - x0)


def head(pic, x, y, angle, scale, body, dark, light, eye=ink.LAMP, edge=ink.INK, gape=1.0,
         flip=False):
    """A serpent's head in profile, its neck joint at (x, y), pointing along `angle`
    (radians), jaws open by `gape` (0 shut, 1 wide)."""
    rng = pic.rng
    g = gape
    skull = [(-10, -42), (40, -58), (80, -52), (118, -40), (170, -26), (208, -12), (214, 2),
             (196, 10), (120, 14), (70, 18), (20, 30), (-10, 34)]
    jaw = [(56, 20), (120, 26 + 22 * g), (182, 44 + 40 * g), (188, 54 + 44 * g),
           (170, 60 + 44 * g), (110, 56 + 30 * g), (40, 50), (0, 36)]
    mouth = [(62, 16), (196, 12), (186, 48 + 42 * g), (110, 40 + 24 * g)]
    sy = -1 if flip else 1
    transform = (f'translate({f(x)},{f(y)}) rotate({f(math.degrees(angle))}) '
                 f'scale({f(scale)},{f(scale * sy)})')
    shade = pic.linear([(0, light, 1), (0.5, body, 1), (1, dark, 1)], x1=0, y1=0, x2=0, y2=1)
    parts = []
    parts.append(f'<path d="{smooth(mouth, closed=True, tension=0.6)}" fill="#1a0c0c"/>')
    # teeth along both jaws
    teeth = []
    for i in range(9):
        t = i / 8
        tx, ty = 78 + t * 112, 12 - t * 2
        teeth.append(f"M{f(tx - 4)},{f(ty)} L{f(tx)},{f(ty + 12 - t * 3)} L{f(tx + 4)},{f(ty)} Z")
        bx, by = 70 + t * 106, 42 + (t * 18 + 6) * g + 4
        teeth.append(f"M{f(bx - 4)},{f(by)} L{f(bx)},{f(by - 11 + t * 2)} L{f(bx + 4)},{f(by)} Z")
    parts.append(f'<path d="{" ".join(teeth)}" fill="#b9b3a4" stroke="{edge}" stroke-width="1"/>')
    parts.append(f'<path d="{smooth(jaw, closed=True, tension=0.7)}" fill="{shade}" '
                 f'stroke="{edge}" stroke-width="2.5" stroke-linejoin="round"/>')
    parts.append(f'<path d="{smooth(skull, closed=True, tension=0.7)}" fill="{shade}" '
                 f'stroke="{edge}" stroke-width="2.5" stroke-linejoin="round"/>')
    # horns sweeping back from the brow, a frill behind the jaw
    parts.append(f'<path d="M30,-50 Q-20,-92 -70,-104 Q-22,-70 6,-40 Z M60,-54 Q30,-104 -10,-130 '
                 f'Q20,-84 44,-50 Z M-4,30 Q-40,60 -60,48 Q-36,36 -8,14 Z" fill="{dark}" '
                 f'stroke="{edge}" stroke-width="3" stroke-linejoin="round"/>')
    # brow ridge, nostril, scale hatching on the skull
    parts.append(f'<path d="M70,-44 Q100,-50 130,-34" fill="none" stroke="{edge}" '
                 f'stroke-width="5" stroke-linecap="round"/>')
    parts.append(f'<ellipse cx="196" cy="-6" rx="6" ry="3" fill="{edge}"/>')
    hatch = []
    for i in range(16):
        hx = 20 + i * 10 + rng.uniform(-2, 2)
        hatch.append(f"M{f(hx)},{f(-30 + i * 1.2)} q5,8 0,16")
    parts.append(f'<path d="{" ".join(hatch)}" fill="none" stroke="{edge}" stroke-width="1.6" '
                 f'stroke-opacity="0.45"/>')
    parts.append(f'<path d="M30,8 Q110,4 190,2" fill="none" stroke="{light}" stroke-width="3" '
                 f'stroke-opacity="0.4"/>')
    # the eye: a faint glow, a bright slit
    glow = pic.radial([(0, eye, 0.85), (0.4, eye, 0.3), (1, eye, 0)])
    parts.append(f'<ellipse cx="100" cy="-28" rx="34" ry="26" fill="{glow}"/>')
    parts.append(f'<ellipse cx="100" cy="-28" rx="11" ry="7" fill="{eye}" stroke="{edge}" '
                 f'stroke-width="2.5"/><path d="M100,-34 v12" stroke="{edge}" stroke-width="3"/>')
    pic.add(f'<g transform="{transform}">', *parts, "</g>")


def wave_crest(rng, x0, x1, y, height, n):
    """Points of a rolling wave line: crests and troughs between x0 and x1."""
    pts = []
    for i in range(n + 1):
        t = i / n
        x = x0 + (x1 - x0) * t
        pts.append((x, y - height * (0.5 + 0.5 * math.sin(t * math.pi * n / 2.3 + rng.uniform(0, 0.6)))
                    * rng.uniform(0.6, 1.0)))
    return pts
