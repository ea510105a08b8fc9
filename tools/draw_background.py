#!/usr/bin/env python3
"""Draws Tachlet's window background: a road running into a dusk sky with a
stylised tachometer on the right. Writes a binary PPM; tools/make_background.sh
adds the maker's badge and turns it into the committed JPEG.
"""
import math
import sys

W, H = 780, 500
SS = 2  # supersampling factor for smooth edges


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def sky(y):
    stops = [(0.0, (24, 22, 58)), (0.45, (92, 52, 110)), (0.75, (214, 110, 84)), (1.0, (250, 190, 110))]
    t = y / (H * 0.62)
    t = max(0.0, min(1.0, t))
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return lerp(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


HORIZON = H * 0.62
VANISH_X = W * 0.38


def ground(x, y):
    depth = (y - HORIZON) / (H - HORIZON)
    base = lerp((40, 30, 48), (22, 20, 28), depth)
    half = 6 + depth * 330  # road half-width widens towards the viewer
    dx = x - (VANISH_X + depth * 60)
    if abs(dx) < half:
        road = lerp((70, 66, 80), (46, 44, 54), depth)
        edge = half - abs(dx)
        if edge < 2 + depth * 6:
            return (220, 200, 170)
        if abs(dx) < 1 + depth * 5:
            # centre dashes, shorter towards the horizon
            if math.sin(1.0 / max(depth, 0.02) * 9.0) > 0.1:
                return (240, 200, 90)
        return road
    return base


GAUGE_C = (W * 0.76, H * 0.40)
GAUGE_R = 120


def gauge(x, y, colour):
    cx, cy = GAUGE_C
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > GAUGE_R + 6:
        return colour
    if r > GAUGE_R:
        return (200, 200, 210)  # bezel
    colour = lerp((12, 12, 20), colour, 0.25)
    ang = math.degrees(math.atan2(-dy, dx))  # 0 to the right, counter-clockwise
    sweep_from, sweep_to = 225.0, -45.0  # 270 degree dial
    a = ang if ang >= -45 else ang + 360
    if sweep_to <= a <= sweep_from or (a > 225 and False):
        frac = (sweep_from - a) / (sweep_from - sweep_to)
        if GAUGE_R - 16 < r < GAUGE_R - 4:
            tick = (frac * 80) % 10
            if tick < 0.45 or tick > 9.55:
                return (255, 90, 70) if frac > 0.8 else (235, 235, 240)
            if GAUGE_R - 9 < r and ((frac * 80) % 2 < 0.25):
                return (180, 180, 190)
        if frac > 0.8 and GAUGE_R - 24 < r < GAUGE_R - 18:
            return (200, 40, 40)  # redline arc
    # needle at about 70 percent of the dial
    needle = math.radians(225 - 0.70 * 270)
    nx, ny = math.cos(needle), -math.sin(needle)
    along = dx * nx + dy * ny
    across = abs(dx * ny - dy * nx)
    if -10 < along < GAUGE_R - 14 and across < 2.2 - along / (GAUGE_R * 1.2):
        return (255, 120, 40)
    if r < 9:
        return (90, 90, 100)
    return colour


# The controls sit on top of the picture, so it is washed towards a pale grey
# to keep their blue text readable.
WASH = (238, 236, 242)
WASH_AMOUNT = 0.7


def pixel(x, y):
    return lerp(scene(x, y), WASH, WASH_AMOUNT)


def scene(x, y):
    c = sky(y) if y < HORIZON else ground(x, y)
    # a low sun on the horizon
    sdx, sdy = x - W * 0.30, y - HORIZON
    if y < HORIZON and math.hypot(sdx, sdy) < 38:
        c = lerp(c, (255, 220, 150), 0.85)
    return gauge(x, y, c)


def main(path):
    out = bytearray()
    for py in range(H):
        for px in range(W):
            acc = [0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = pixel(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    for i in range(3):
                        acc[i] += c[i]
            out += bytes(v // (SS * SS) for v in acc)
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "background.ppm")
