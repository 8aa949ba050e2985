#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The yardstick of merivane-calc --touchstone --format json: a version 1
Touchstone file of S in RI or MA read with numpy, the way one would script it,
and printed as the same JSON object "touchstone".

    touchstone_numpy.py FILE.sNp
"""

import json
import os
import re
import sys

import numpy as np

UNITS = {"hz": 1.0, "khz": 1e3, "mhz": 1e6, "ghz": 1e9}


def read(path):
    ports = int(re.search(r"\.s(\d+)p$", path, re.I).group(1))
    unit, fmt, ref = 1e9, "MA", 50.0
    numbers = []
    option_seen = False
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.split("!", 1)[0].strip()
            if not line:
                continue
            if line.startswith("#"):
                if option_seen:
                    continue
                option_seen = True
                words = line[1:].split()
                for i, w in enumerate(words):
                    lw = w.lower()
                    if lw in UNITS:
                        unit = UNITS[lw]
                    elif lw in ("ri", "ma", "db"):
                        fmt = w.upper()
                    elif lw == "r":
                        ref = float(words[i + 1])
                continue
            numbers.append(line)
    data = np.array(" ".join(numbers).split(), dtype=float)
    per = 1 + 2 * ports * ports
    data = data.reshape(-1, per)
    freq = data[:, 0] * unit
    a, b = data[:, 1::2], data[:, 2::2]
    if fmt == "RI":
        s = a + 1j * b
    else:
        mag = a if fmt == "MA" else 10 ** (a / 20)
        s = mag * np.exp(1j * np.deg2rad(b))
    if ports == 2:
        s = s[:, [0, 2, 1, 3]]  # N11 N21 N12 N22 to row by row
    return ports, fmt, ref, freq, s


def main():
    path = sys.argv[1]
    ports, fmt, ref, freq, s = read(path)
    obj = {
        "touchstone": {
            "file": os.path.basename(path), "version": "1.0", "ports": ports, "points": len(freq),
            "parameter": "S", "format": fmt, "reference_ohm": [ref] * ports,
            "frequencies_hz": freq.tolist(),
            "s": [[[z.real, z.imag] for z in row] for row in s.tolist()],
            "noise": None,
        }
    }
    sys.stdout.write(json.dumps(obj, indent=2) + "\n")


if __name__ == "__main__":
    main()
