#!/usr/bin/env python3
"""Draws Tachlet's icons as SVG: the application icon, a tachometer on the dusk
colours of the window background, and the run-file icon, a page carrying the
same dial. tools/make_icons.sh renders the PNG sizes from them.

    draw_icons.py APP_SVG FILE_TYPE_SVG
"""
import math
import sys

# The dial sweeps 270 degrees clockwise from lower left to lower right; its
# last fifth is the red line.
SWEEP_FROM, SWEEP = 225.0, 270.0
RED_FROM = 0.8
NEEDLE_AT = 0.70


def point(cx, cy, r, frac):
    a = math.radians(SWEEP_FROM - frac * SWEEP)
    return cx + r * math.cos(a), cy - r * math.sin(a)


def arc(cx, cy, r, frac0, frac1):
    x0, y0 = point(cx, cy, r, frac0)
    x1, y1 = point(cx, cy, r, frac1)
    large = 1 if (frac1 - frac0) * SWEEP > 180 else 0
    return f"M{x0:.2f},{y0:.2f} A{r:.2f},{r:.2f} 0 {large} 1 {x1:.2f},{y1:.2f}"


def dial(cx, cy, r):
    """The gauge: bezel, face, ticks, red line and needle, centred on cx, cy."""
    parts = [
        f'<circle cx="{cx}" cy="{cy}" r="{r:.2f}" fill="#d8d6e4"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r * 0.93:.2f}" fill="url(#face)"/>',
        f'<path d="{arc(cx, cy, r * 0.72, RED_FROM, 1.0)}" fill="none" stroke="#d02828" '
        f'stroke-width="{r * 0.10:.2f}"/>',
    ]
    for i in range(9):
        frac = i / 8
        x0, y0 = point(cx, cy, r * 0.86, frac)
        x1, y1 = point(cx, cy, r * 0.68, frac)
        colour = "#ff5a46" if frac > RED_FROM else "#ebebf0"
        parts.append(f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" stroke="{colour}" '
                     f'stroke-width="{r * 0.055:.2f}" stroke-linecap="round"/>')
    tx, ty = point(cx, cy, r * 0.78, NEEDLE_AT)
    bx, by = point(cx, cy, r * 0.16, NEEDLE_AT + 0.5)
    parts += [
        f'<line x1="{bx:.2f}" y1="{by:.2f}" x2="{tx:.2f}" y2="{ty:.2f}" stroke="#ff7828" '
        f'stroke-width="{r * 0.075:.2f}" stroke-linecap="round"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r * 0.09:.2f}" fill="#5a5a64"/>',
    ]
    return "\n  ".join(parts)


FACE = """<radialGradient id="face" cx="0.5" cy="0.4" r="0.6">
    <stop offset="0" stop-color="#2c2a44"/>
    <stop offset="1" stop-color="#0c0c14"/>
  </radialGradient>"""


def app_icon():
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
  <linearGradient id="dusk" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#18163a"/>
    <stop offset="0.55" stop-color="#5c346e"/>
    <stop offset="0.85" stop-color="#d66e54"/>
    <stop offset="1" stop-color="#fabe6e"/>
  </linearGradient>
  {FACE}
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="44" fill="url(#dusk)"/>
  {dial(128, 132, 100)}
</svg>
"""


def file_type_icon():
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <defs>
  {FACE}
  </defs>
  <path d="M9,3 H31 L41,13 V45 H9 Z" fill="#f4f3f8" stroke="#6a6880" stroke-width="1.5" stroke-linejoin="round"/>
  <path d="M31,3 V13 H41" fill="#d8d6e4" stroke="#6a6880" stroke-width="1.5" stroke-linejoin="round"/>
  {dial(25, 29, 12.5)}
</svg>
"""


def main(app_path, file_type_path):
    with open(app_path, "w", encoding="utf-8") as f:
        f.write(app_icon())
    with open(file_type_path, "w", encoding="utf-8") as f:
        f.write(file_type_icon())


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
