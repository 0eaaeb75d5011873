#!/usr/bin/env python3
"""Writes the seed figures of the engine fuzzer into corpus/.

Each seed is ten little-endian doubles (Xa, Ya, Xb, Yb, Xc, Yc, S1, S2, S3
and a loose value for the text rules), then the point name.
"""
import math
import pathlib
import struct
import sys

WORKED = (2500, 2600, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345)
NORTH = (984.808, 173.648, 0, 0, 500, -866.025, 656.39, 500, 656.39)
TINY = 5e-324        # the smallest subnormal
SUBNORMAL = 2.2e-310
HUGE = 1e308
NAN = struct.unpack("<d", struct.pack("<Q", 0x7FF8000000000001))[0]
INF = math.inf


def figure(Xa, Ya, Xb, Yb, Xc, Yc, S1, S2, S3):
    return (Xa, Ya, Xb, Yb, Xc, Yc, S1, S2, S3)


SEEDS = {
    "worked": (WORKED, 3.125, "P1"),
    "worked_exact": (WORKED[:6] + (math.sqrt(260000), math.sqrt(170000), math.sqrt(225000)), 0.125, "P1"),
    "north": (NORTH, 1234.0625, "N"),
    "swapped_a_c": ((2450, 3550, 3000, 3000, 2500, 2600, 474.345, 412.308, 509.905), -2.5, "P1"),
    "b_on_a": ((3000, 3000, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345), 0.03125, "P1"),
    "b_on_c": ((2500, 2600, 3000, 3000, 3000, 3000, 509.905, 412.308, 474.345), 35812.9, ""),
    "zero_s1": (WORKED[:6] + (0, 412.308, 474.345), 0.0, "P1"),
    "zero_s2": (WORKED[:6] + (509.905, 0, 474.345), -0.0, "P1"),
    "negative_s3": (WORKED[:6] + (509.905, 412.308, -474.345), -0.0004, "P1"),
    # p = 3, q = 4, r = 5 at A: the angle BAP is exactly 90 degrees.
    "right_angle": (figure(0, 0, 3, 0, 10, 10, 4, 5, 8), 12345678, "R"),
    "no_triangle": (WORKED[:6] + (1, 1, 474.345), 2.675, "T"),
    # P on the line AB beyond B: angAPB exactly 0, h1 is zero.
    "collinear_abp": (figure(0, 0, 100, 0, 50, 100, 150, 50, math.hypot(100, 100)), 1e15, "L"),
    "collinear_all": (figure(0, 0, 100, 0, 200, 0, 100, 1, 100), 0.5, "L"),
    # A misclosure of exactly zero: ms and md are 0 and the relative error divides by zero.
    "zero_misclosure": (figure(-20, -50, 0, 0, 100, 100, 30, math.hypot(50, 50), math.hypot(150, 150)), 1.5, ""),
    "huge": ((HUGE, HUGE, 0, 0, -HUGE, HUGE, HUGE, HUGE, HUGE), HUGE, "H"),
    "huge_distances": (WORKED[:6] + (HUGE, 412.308, -HUGE), -HUGE, "H"),
    "beyond_single": ((1e39, 2e39, 0, 0, 3e39, -1e39, 2e39, 1.5e39, 3e39), 3.5e38, "F"),
    "subnormal": ((TINY, SUBNORMAL, 0, 0, -SUBNORMAL, TINY, SUBNORMAL, TINY, SUBNORMAL), TINY, "S"),
    "subnormal_worked": (WORKED[:6] + (509.905, 412.308, 474.345 + TINY), SUBNORMAL, "S"),
    "steep_ba": ((1e-300, 1e20, 0, 0, 2450, 3550, 1e20, 412.308, 474.345), 1e-300, "V"),
    "nan_input": ((2500, NAN, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345), NAN, "X"),
    "inf_input": (WORKED[:6] + (INF, 412.308, 474.345), -INF, "X"),
    "second_figure": (figure(500, 400, 1000, 1000, 450, 1600, 657.651, 403.110, 570.090), 104152.33, "P2"),
    "route_b": (figure(500, 400, 2000, 1000, 450, 1600, 657.651, 1400.890, 570.090), 0.9999999995, "P3"),
    "route_c": (figure(500, 400, 1000, 1000, 300, 2600, 657.651, 403.110, 1578.767), 999999.9995, "P4"),
    "bc_near_north": ((0, -1000, 0, 0, 1000, 1e-9, 1000, 700, 800), -1e-9, "N2"),
}

# Typed lines after the name, for the number reading.
LINES = "\n".join(["P1", " 2500 ", "-3.5e+2", "1e999", "1e-999", "1,5", "0x1p3", "inf", ".5", "5.", "+"])


def main():
    out = pathlib.Path(__file__).resolve().parent / "corpus"
    out.mkdir(exist_ok=True)
    for name, (values, loose, point) in SEEDS.items():
        assert len(values) == 9, name
        blob = struct.pack("<10d", *[float(v) for v in values], float(loose)) + point.encode()
        (out / name).write_bytes(blob)
    (out / "typed_lines").write_bytes(struct.pack("<10d", *[float(v) for v in WORKED], 0.125) + LINES.encode())
    print(f"{len(SEEDS) + 1} seeds in {out}", file=sys.stderr)


if __name__ == "__main__":
    main()
