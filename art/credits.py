"""The credits: the title, what the film is, and who made what it is built from, set in
the film's own typeface on the night of the moor, with the far house still lit."""

from lib import ink
from lib.opening import Sketch, ridge, rule

PAPER = "#e4ddcc"
QUIET = "#8e9aab"

# What the film uses, and under which licence, in the order it is shown.
CREDITS = [
    ("Typeface", "EB Garamond by Georg Duffner", "SIL Open Font License 1.1"),
    ("Instruments", "FluidR3 GM soundfont by Frank Wen", "MIT licence"),
    ("Built with", "SFML (zlib licence) and nlohmann JSON (MIT licence)", None),
]
CLOSING = "Music, pictures and poem made for this film"


def text(x, y, size, content, fill=PAPER, italic=False, spacing=0, opacity=1.0):
    style = ' font-style="italic"' if italic else ""
    return (f'<text x="{x}" y="{y}" font-family="EB Garamond" font-size="{size}"{style} '
            f'letter-spacing="{spacing}" text-anchor="middle" fill="{fill}" fill-opacity="{opacity}">'
            f'{content}</text>')


def credits():
    sk = Sketch(301)
    cx = 960
    # Night: deep blue above, ink below, a few torn clouds, the moor far off.
    sky = sk.linear([(0, "#101621", 1), (0.65, "#0b0f16", 1), (1, ink.INK, 1)])
    sk.add(f'<rect width="1920" height="1080" fill="url(#{sky})"/>')
    sk.glow(cx, 380, 900, ink.SKY_HIGH, 0.35, ry=420)
    for x, y, rx in [(300, 160, 380), (1500, 120, 420), (1100, 240, 300)]:
        sk.cloud(x, y, rx, 26, ink.SKY_LOW, 0.08, layers=2)
    ridge(sk, 985, -20, 1940, 14, ink.FAR, 0.3, seed=0.9)
    ridge(sk, 1030, -20, 1940, 18, ink.NEAR, 0.95, seed=2.7)
    hx, hy = 1430, 990
    sk.glow(hx, hy - 8, 60, ink.LAMP, 0.3, ry=30)
    sk.add(f'<path d="M{hx - 16},{hy + 6} L{hx - 16},{hy - 8} L{hx - 8},{hy - 17} L{hx + 10},{hy - 17} '
           f'L{hx + 16},{hy - 8} L{hx + 16},{hy + 6} Z" fill="{ink.NEAR}"/>')
    sk.add(f'<rect x="{hx + 3}" y="{hy - 5}" width="5" height="5" fill="{ink.LAMP_CORE}"/>')

    # The title, its flame and what the film is.
    top = 178
    sk.add(f'<path d="{rule(cx - 110, top, 90, 1.8)} {rule(cx + 110, top, 90, 1.8)}" fill="{PAPER}" fill-opacity="0.7"/>')
    sk.glow(cx, top - 3, 34, ink.LAMP, 0.5)
    sk.add(f'<path d="M{cx},{top - 22} Q{cx + 10},{top - 3} {cx + 7},{top + 5} Q{cx},{top + 10} {cx - 7},{top + 5} '
           f'Q{cx - 10},{top - 3} {cx},{top - 22} Z" fill="{ink.LAMP}"/>')
    sk.add(text(cx, 322, 136, "Drennmoor", spacing=6))
    sk.add(text(cx, 392, 44, "a film in eight scenes", fill=QUIET, italic=True, spacing=1))
    sk.add(f'<path d="{rule(cx, 452, 260, 2.4)}" fill="{PAPER}" fill-opacity="0.6"/>')
    sk.add(f'<path d="M{cx},{452 - 9} L{cx + 9},452 L{cx},{452 + 9} L{cx - 9},452 Z" fill="{PAPER}" fill-opacity="0.8"/>')

    # The credits: a quiet spaced heading over each line.
    y = 540
    for heading, line, licence in CREDITS:
        sk.add(text(cx, y, 24, heading.upper(), fill=QUIET, spacing=6))
        detail = line if licence is None else f"{line} \u00b7 {licence}"
        sk.add(text(cx, y + 46, 38, detail))
        y += 118
    sk.add(f'<path d="{rule(cx, y - 14, 120, 1.6)}" fill="{PAPER}" fill-opacity="0.45"/>')
    sk.add(text(cx, y + 40, 36, CLOSING, fill=PAPER, italic=True, opacity=0.85))
    return sk.svg()


PICTURES = {"credits": credits}

if __name__ == "__main__":
    ink.main(PICTURES)
