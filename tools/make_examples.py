#!/usr/bin/env python3
"""Writes the synthetic run files of examples/: made up here byte by byte, so a
newcomer has files to open at once. None of them was recorded by a meter.

    tools/make_examples.py [folder]     (default: examples/ beside tools/)
"""
import pathlib
import sys

RUN_NAME, PITCH, VEHICLE_NAME, WEIGHT, ROLLOUT, REDLINE, SHIFT_POINT, VERSION = (
    20, 77, 132, 148, 150, 152, 154, 273)


def text_field(text, width):
    data = text.encode("cp1252") + b"\0"
    return (data + b"\xff" * width)[:width]


def run_file(version, run_name, vehicle, weight, rollout, redline, shift, pitch,
             records=0, length=20, damaged=(), notes=None):
    start = 311 if version == "1.1.1" else 312
    data = bytearray(start - 1)

    def put(position, raw):
        data[position - 1:position - 1 + len(raw)] = raw

    put(RUN_NAME, text_field(run_name, 48))
    put(PITCH, bytes([pitch]))
    put(VEHICLE_NAME, text_field(vehicle, 16))
    put(WEIGHT, weight.to_bytes(2, "big"))
    put(ROLLOUT, bytes([rollout]))
    put(REDLINE, redline.to_bytes(2, "big"))
    put(SHIFT_POINT, shift.to_bytes(2, "big"))
    put(VERSION, (b"PASSVERSION" + version.encode("ascii")).ljust(17, b"\0"))
    if records == 0:
        data.append(0)
        return bytes(data)
    for index in range(records):
        data.append(length)
        # A made-up, smoothly rising trace stands in for the meter's samples.
        data.extend(((index * 7 + sample * 3) % 250 for sample in range(length)))
        data.extend(b"\0\x17\0" if index in damaged else b"\0\0\0")
    if notes is not None:
        stored = notes.replace("\n", "\r").encode("cp1252")
        data.append(len(stored))
        data.extend(stored)
        data.append(0)
    return bytes(data)


EXAMPLES = {
    "STREET.GTP": run_file("1.1.1", "Street run 1", "Civic", 2650, 24, 7200, 6800, 0,
                           records=40, notes="Street tyres, 28 psi\nDry, 18 C"),
    "TRACK.GTP": run_file("2.0", "Track day, run 3", "Mustang GT", 3540, 27, 6500, 6200, 25,
                          records=180, length=24,
                          notes="Track day at the club circuit.\nLaunch at 3000 rpm.\nShift light set to 6200."),
    "DAMAGED.GTP": run_file("2.0", "Drag strip", "Camaro", 3300, 26, 6000, 5800, 18,
                            records=30, damaged=(4, 17), notes="Two records were cut by a loose cable."),
    "EMPTY.GTP": run_file("2.0", "Not started", "Miata", 2300, 22, 7000, 6500, 12),
}


def main():
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "examples"
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in EXAMPLES.items():
        (folder / name).write_bytes(data)
        print(f"{folder / name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
