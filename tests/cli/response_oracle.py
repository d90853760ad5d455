#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks `ventbox-cli response` against a computation of its own.

usage: response_oracle.py VENTBOX_CLI [DESIGN_FILE...]

Besides the files given, it checks designs of its own, saved by
`ventbox-cli calc --save` into a scratch folder.

The inputs and results come from `ventbox-cli show`; the levels are
computed here from the transfer functions with complex arithmetic, the -3 dB
points by a fine scan and bisection, the peak by a finer scan, the group
delay from the slope of the phase, and the duct's air speed and the cone's
excursion at 90 dB SPL from the flows of the box's circuit. Every CSV level
must agree within 0.001 dB, every F3 within 0.01 Hz, the peak within its
printed 0.01 dB, the delay within 0.001 ms and the speeds and excursions
within 0.01 % or their printed 0.0001.
"""
import cmath
import csv
import io
import math
import os
import subprocess
import sys
import tempfile

QL = 7.0

# Field texts of designs beyond the example files (which the test is also
# given): a small driver in a small box, a large driver in a large one, and
# a deep duct.
OWN_DESIGNS = [
    ["4", "80", "2.2", "0.6", "15", "20", "25", "2", "4", "8"],
    ["12", "22", "40", "0.25", "40", "60", "50", "8", "12", "20"],
    ["10", "45", "20", "1.1", "20", "25", "20", "5", "5", "30"],
]


def run(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, check=True)
    return done.stdout.decode("utf-8")


def number(text, unit=""):
    return float(text[: len(text) - len(unit)] if unit else text)


def design_values(cli, path):
    kv = dict(line.split("=", 1) for line in run(cli, "show", "--format", "kv", path).splitlines())
    fo, mo, qo = number(kv["fo"]), number(kv["mo"]), number(kv["Qo"])
    so = round(4 * math.pi ** 2 * fo * fo * mo)
    return dict(fo=fo, Qo=qo, so=so, sc=number(kv["CabinetST"]), fd=number(kv["DuctFD"], "Hz"),
                a=number(kv["a"]), r=number(kv["KolvexRR"], "cm"), name=kv["name"])


def transfer(d, f):
    alpha, h, qt, ql = d["sc"] / d["so"], d["fd"] / d["fo"], d["Qo"], QL
    s = 1j * f / (d["fo"] * math.sqrt(h))
    a1 = (ql + h * qt) / (math.sqrt(h) * ql * qt)
    a2 = (h + (alpha + 1 + h * h) * ql * qt) / (h * ql * qt)
    a3 = (h * ql + qt) / (math.sqrt(h) * ql * qt)
    return s ** 4 / (s ** 4 + a1 * s ** 3 + a2 * s ** 2 + a3 * s + 1)


def vented(d, f):
    return 20 * math.log10(abs(transfer(d, f)))


def delay_ms(d, f):
    step = f * 1e-6
    turn = cmath.phase(transfer(d, f + step) / transfer(d, f - step))
    return -turn / (2 * math.pi * 2 * step) * 1000


def drive(d, f, level=90.0):
    """The duct's air speed (m/s) and the cone's excursion (mm), peak.

    The box radiates U0 = p/(rho f) at 1 m in half space; its air is a
    spring between the cone, the duct's mass and the leak, so the duct
    carries -U0 (wb/s)^2 and the cone U0 (1 + (wb/s)^2 + wb/(Ql s))."""
    pressure = math.sqrt(2) * 20e-6 * 10 ** (level / 20) * abs(transfer(d, f))
    radiated = pressure / (1.2 * f)
    s, wb = 2j * math.pi * f, 2 * math.pi * d["fd"]
    duct = radiated * abs((wb / s) ** 2) / (math.pi * (d["r"] / 100) ** 2)
    cone = radiated * abs(1 + (wb / s) ** 2 + wb / (QL * s))
    return duct, cone / (abs(s) * math.pi * (d["a"] / 100) ** 2) * 1000


def closed(d, f):
    # The same driver sealed in the box: the box's stiffness adds to the
    # suspension's, the moving mass is the driver's alone.
    rise = math.sqrt(1 + d["sc"] / d["so"])
    s = 1j * f / (d["fo"] * rise)
    return 20 * math.log10(abs(s * s / (s * s + s / (d["Qo"] * rise) + 1)))


def f3(level):
    f = 20000.0
    step = 2 ** (-1 / 400)
    while level(f * step) > -3:
        f *= step
    low, high = f * step, f
    for _ in range(80):
        mid = (low + high) / 2
        low, high = (mid, high) if level(mid) <= -3 else (low, mid)
    return high


def main():
    cli, paths = sys.argv[1], sys.argv[2:]
    scratch = tempfile.TemporaryDirectory()
    for i, fields in enumerate(OWN_DESIGNS):
        run(cli, "calc", *fields, "--save", f"own{i}", "--data-dir", scratch.name)
        paths.append(os.path.join(scratch.name, f"own{i}.dat"))
    designs = [design_values(cli, p) for p in paths]
    rows = list(csv.reader(io.StringIO(run(cli, "response", "--format", "csv", *paths))))
    failures = []
    n = len(designs)
    if len(rows) != 162 or len(rows[0]) != 1 + 5 * n:
        failures.append(f"table of {len(rows)} rows, {len(rows[0])} columns")
    for k, row in enumerate(rows[1:]):
        f = 10 * 2 ** (k / 24)
        if abs(float(row[0]) - f) > 0.00005:
            failures.append(f"row {k}: frequency {row[0]}, expected {f:.4f}")
        for i, d in enumerate(designs):
            for got, expected, what in ((row[1 + 2 * i], vented(d, f), "vented"),
                                        (row[2 + 2 * i], closed(d, f), "closed")):
                if abs(float(got) - expected) > 0.001:
                    failures.append(f"{d['name']} {what} at {f:.4f} Hz: {got}, expected {expected:.5f}")
            duct, cone = drive(d, f)
            base = 1 + 2 * n + 3 * i
            for got, expected, what, within in (
                    (row[base], delay_ms(d, f), "delay", 0.001),
                    (row[base + 1], duct, "duct air speed", max(1e-4 * duct, 0.00006)),
                    (row[base + 2], cone, "excursion", max(1e-4 * cone, 0.00006))):
                if abs(float(got) - expected) > within:
                    failures.append(f"{d['name']} {what} at {f:.4f} Hz: {got}, expected {expected:.6f}")
    summary = run(cli, "response", *paths).splitlines()[1:]
    for d, line in zip(designs, summary):
        cells = line.split()
        for got, level, what in ((cells[-4], lambda f: vented(d, f), "vented"),
                                 (cells[-3], lambda f: closed(d, f), "closed")):
            expected = f3(level)
            if abs(float(got) - expected) > 0.01:
                failures.append(f"{d['name']} F3 {what}: {got}, expected {expected:.4f}")
        scan = [vented(d, 10 * 2 ** (k / 2400)) for k in range(16001)]
        peak = max(scan)
        # A rise of less than 0.01 dB is the rounding of a flat top, no peak.
        if peak in (scan[0], scan[-1]) or peak < 0.01:
            if cells[-2:] != ["none", "none"]:
                failures.append(f"{d['name']} peak: {cells[-2]} at {cells[-1]}, expected none")
        elif abs(float(cells[-2]) - peak) > 0.006 or abs(vented(d, float(cells[-1])) - peak) > 0.006:
            failures.append(f"{d['name']} peak: {cells[-2]} dB at {cells[-1]} Hz, expected {peak:.3f}")
    for failure in failures[:20]:
        print(failure)
    print(f"{len(designs)} designs, {len(failures)} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
