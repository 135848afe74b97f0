"""Rain drops for the "rain_particles" emitter: thin pale streaks, the blur of a drop falling
fast, in three sizes. Each is drawn upright on a small transparent canvas; the emitter turns
them to the slant of the fall. The streak is faint at its tail (top), brightest just above its
head and fades off quickly at the head (bottom), with a soft halo around a whiter core.
"""

from lib import ink

CORE = "#eef3fa"

# key: (canvas width, canvas height, core width, opacity of the brightest point)
DROPS = {
    "rain_0": (4, 72, 2, 0.9),
    "rain_1": (3, 56, 1, 0.8),
    "rain_2": (2, 40, 1, 0.7),
}


def streak(width, height, core_width, peak):
    def draw():
        # Faint tail, brightest near the head, quick fade at the very tip.
        opacity = [(0.0, 0.0), (0.45, 0.35 * peak), (0.82, peak), (1.0, 0.0)]
        halo = ink.linear_gradient("halo", [(o, ink.RAIN, round(a * 0.45, 3)) for o, a in opacity])
        core = ink.linear_gradient("core", [(o, CORE, round(a, 3)) for o, a in opacity])
        core_x = (width - core_width) / 2
        body = (
            f'<rect x="0" y="0" width="{width}" height="{height}" rx="{width / 2}" fill="url(#halo)"/>\n'
            f'<rect x="{core_x}" y="0" width="{core_width}" height="{height}" rx="{core_width / 2}" '
            f'fill="url(#core)"/>'
        )
        return ink.document(body, width, height, halo + core)

    return draw


PICTURES = {key: streak(*shape) for key, shape in DROPS.items()}

ink.main(PICTURES)
