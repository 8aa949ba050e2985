#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The yardstick of merivane-calc --batch: the same cases computed with
vectorised pandas and numpy, the way one would script it without the program.

    batch_pandas.py IN.csv OUT.csv        the batch: IN's cases, OUT's rows
    batch_pandas.py --make-input N FILE   N random cases, as the batch reads them

IN has the batch's columns va, ia, eff, source, load and directivity (a
reflection is MAG, db:RLOSS or swr:SWR, then @PHASE; an empty directivity is
ideal couplers); OUT has the batch's columns: the inputs, then every model
field, computed with the program's formulas (model/Transmission.cpp,
model/CouplerMeas.cpp) for a line without loss.
"""

import sys

import numpy as np
import pandas as pd

# The model fields in the order the batch writes them.
FIELDS = [
    "Va", "Ia", "Eff",
    "SrcRfl.Mag", "SrcRfl.Pha", "SrcRfl.Rloss", "SrcRfl.Swr", "SrcRfl.Mism",
    "LoaRfl.Mag", "LoaRfl.Pha", "LoaRfl.Rloss", "LoaRfl.Swr", "LoaRfl.Mism",
    "MeaMin.Mag", "MeaMin.Pha", "MeaMin.Rloss", "MeaMin.Swr", "MeaMin.Mism",
    "MeaMax.Mag", "MeaMax.Pha", "MeaMax.Rloss", "MeaMax.Swr", "MeaMax.Mism",
    "Interf", "InterfMin", "InterfMax", "TrGain", "TrGainMin", "TrGainMax",
    "Pav", "Pmatch", "Pinc", "PincMin", "PincMax", "Prefl", "PreflMin", "PreflMax",
    "Pload", "PloadMin", "PloadMax", "SelUnit", "SelErrUnit", "CplIdeal", "CplDirDb",
    "ErrInciMinus", "ErrInciPlus", "PincMinV", "PincMaxV", "ErrReflMinus", "ErrReflPlus",
    "PreflMinV", "PreflMaxV", "PloadMinV", "PloadMaxV", "PloadMinRelat", "PloadMaxRelat",
]
INPUTS = ["va", "ia", "eff", "source", "load", "directivity"]
# The window's defaults where a cell is empty: 4000 V, 3 A, 85 %, 0.2@0, 0.5@90, 20 dB.
DEFAULTS = {"va": 4000.0, "ia": 3.0, "eff": 85.0, "directivity": 20.0}
SOURCE_DEFAULT, LOAD_DEFAULT = (0.2, 0.0), (0.5, 90.0)
INF = np.inf
KINF = 1e16  # the model's infinity, as its results store and write it


def divide(num, den):
    """num / den, 0 for num 0 and an infinity of num's sign for den 0."""
    with np.errstate(divide="ignore", invalid="ignore"):
        q = num / den
    q = np.where(den == 0, np.copysign(INF, num), q)
    return np.where(num == 0, 0.0, q)


def mag_to_db(mag):
    """20 log10 |G|, -160 dB from |G| = 1e-8 down."""
    with np.errstate(divide="ignore", invalid="ignore"):
        return np.where(mag > 1e-8, 20.0 * np.log10(mag), -160.0)


def mag_to_swr(mag):
    """SWR = (1 + |G|) / (1 - |G|), 9999.999 within 1e-4 of |G| = 1."""
    with np.errstate(divide="ignore", invalid="ignore"):
        return np.select([mag < 0.9999, mag <= 1.0001], [(1.0 + mag) / (1.0 - mag), 9999.999],
                         (1.0 + mag) / (mag - 1.0))


def reading_swr(mag):
    """A coupler's reading of 1 or more has no finite SWR."""
    return np.where(mag >= 1.0, INF, mag_to_swr(mag))


def wrap_phase(deg):
    """A phase outside -180 .. 180 degrees reduced by whole turns: 270 is -90, 540 is 180."""
    x = np.fmod(deg, 360.0)
    x = np.where(x > 180.0, x - 360.0, x)
    x = np.where(x < -180.0, x + 360.0, x)
    return np.where((deg < -180.0) | (deg > 180.0), x, deg)


def stored(x):
    """A result as the model stores it: an infinity as the sentinel +-1e16."""
    return np.clip(np.nan_to_num(np.asarray(x, dtype=float), nan=KINF, posinf=KINF, neginf=-KINF), -KINF, KINF)


def reflection(cells, default):
    """MAG, db:RLOSS or swr:SWR with an optional @PHASE: the magnitude, the
    phase, the return loss, the SWR and the form (0 Mag, 1 dB, 2 SWR)."""
    text = cells.fillna("").astype(str)
    parts = text.str.split("@", n=1, expand=True)
    body = parts[0]
    phase = pd.to_numeric(parts[1], errors="coerce") if parts.shape[1] > 1 else pd.Series(np.nan, index=text.index)
    form = np.select([body.str.startswith("db:"), body.str.startswith("swr:")], [1, 2], 0)
    number = pd.to_numeric(body.str.replace(r"^(db|swr):", "", regex=True), errors="coerce").to_numpy()
    empty = (body == "").to_numpy()
    # a positive dB is a return loss: db:20 is -20 dB; |G| = 10^(dB / 20)
    rloss = np.where(form == 1, -np.abs(number), 0.0)
    swr_in = np.where(form == 2, number, 1.0)
    mag = np.select([form == 1, form == 2], [10.0 ** (rloss / 20.0), (swr_in - 1.0) / (swr_in + 1.0)], number)
    mag = np.where(empty, default[0], mag)
    rloss = np.where(form == 1, rloss, mag_to_db(mag))
    swr = np.where(form == 2, swr_in, mag_to_swr(mag))
    pha = wrap_phase(np.where(np.isnan(phase.to_numpy()), default[1], phase.to_numpy()))
    return mag, pha, rloss, swr, form


def reflection_text(mag, pha, rloss, swr, form):
    """The reflection as the batch writes it, in its entered form."""
    value = pd.Series(np.select([form == 1, form == 2], [rloss, swr], mag)).astype(str)
    prefix = pd.Series(np.select([form == 1, form == 2], ["db:", "swr:"], ""))
    return prefix + value + "@" + pd.Series(pha).astype(str)


def transmission(va, ia, eff, s, g, theta):
    """The model of Transmission.cpp for a lossless line (pass 1)."""
    f = {}
    src_mism, loa_mism = (1.0 - s) * (1.0 + s), (1.0 - g) * (1.0 + g)
    f["SrcRfl.Mism"], f["LoaRfl.Mism"] = src_mism, loa_mism
    # |1 - Gs Gl|^2 = (1 - r)^2 + 4 r sin^2(theta / 2), between (1 - r)^2 and (1 + r)^2
    r = s * g
    div = (1.0 - r) ** 2 + 4.0 * r * np.sin(np.radians(theta) / 2.0) ** 2
    divs = {"": div, "Min": (1.0 + r) ** 2, "Max": (1.0 - r) ** 2}
    pmatch = va * ia * eff  # Pmatch = Va Ia Eff
    pav = divide(pmatch, src_mism)  # Pav = Pmatch / (1 - |Gs|^2)
    f["Pmatch"], f["Pav"] = pmatch, pav
    # the incident power's scale Pav (1 - |Gs|^2), Pmatch for a full source reflection
    with np.errstate(invalid="ignore"):
        q = np.where(np.isinf(pav), pmatch, pav * src_mism)
    for k, d in divs.items():
        f["Interf" + k] = divide(np.ones_like(d), d)
        f["TrGain" + k] = divide(src_mism * loa_mism, d)  # Gt = (1 - |Gs|^2)(1 - |Gl|^2) / |1 - Gs Gl|^2
        f["Pinc" + k] = divide(q, d)  # Pinc = Pav (1 - |Gs|^2) / |1 - Gs Gl|^2
        f["Prefl" + k] = divide(q * g * g, d)
        f["Pload" + k] = divide(q * loa_mism, d)
    return f


def couplers(f, g, ideal, dir_db):
    """The couplers' readings of CouplerMeas.cpp: directivity D = 10^(-dB / 20)."""
    d = np.where(ideal, 0.0, 10.0 ** (-dir_db / 20.0))
    below, above = 1.0 - g, 1.0 + g
    factors = {
        "Inc": ((1.0 - d * g) ** 2, (1.0 + d * g) ** 2),
        "Refl": ((g - d) ** 2, (g + d) ** 2),
        "Load": ((below - d * above) * (above + d * below), (below + d * above) * (above - d * below)),
    }
    pinc = f["Pinc"]
    f["ErrInciMinus"], f["ErrInciPlus"] = factors["Inc"]
    for k, name in (("Inc", "Pinc"), ("Refl", "Prefl"), ("Load", "Pload")):
        lo, hi = factors[k]
        f[name + "MinV"] = np.where(lo == 0, 0.0, pinc * lo)
        f[name + "MaxV"] = np.where(hi == 0, 0.0, pinc * hi)
    # (|Gl| -+ D)^2 / |Gl|^2, and the absorbed power's factors over 1 - |Gl|^2
    g2, mism = g * g, below * above
    no_refl = g2 == 0
    f["ErrReflMinus"] = np.where(no_refl, INF, divide(factors["Refl"][0], g2))
    f["ErrReflPlus"] = np.where(no_refl, INF, divide(factors["Refl"][1], g2))
    undefined = (f["Pload"] == 0) | (mism == 0)
    f["PloadMinRelat"] = np.where(undefined, INF, divide(factors["Load"][0], mism))
    f["PloadMaxRelat"] = np.where(undefined, INF, divide(factors["Load"][1], mism))
    # the lowest reading |(|Gl| - D)| / (1 + D |Gl|), the highest (|Gl| + D) / (1 - D |Gl|)
    lo_mag = np.abs(g - d) / (1.0 + d * g)
    hi_mag = divide(g + d, 1.0 - d * g)
    for name, m in (("MeaMin", lo_mag), ("MeaMax", hi_mag)):
        # a bound has no phase (an empty cell); its mismatch is 1 - |G|^2
        f[name + ".Mag"], f[name + ".Pha"], f[name + ".Mism"] = m, np.nan, np.where(np.isinf(m), -INF, (1.0 - m) * (1.0 + m))
        f[name + ".Rloss"] = np.where(np.isinf(m), INF, mag_to_db(m))
        f[name + ".Swr"] = reading_swr(m)
    f["CplIdeal"] = ideal.astype(int)
    f["CplDirDb"] = dir_db


def number(df, name):
    col = pd.to_numeric(df[name], errors="coerce") if name in df else pd.Series(np.nan, index=df.index)
    return col.fillna(DEFAULTS[name]).to_numpy(dtype=float)


def run(path_in, path_out):
    df = pd.read_csv(path_in, sep=",", dtype=str, keep_default_na=False, na_values=[""])
    va = np.trunc(number(df, "va"))
    ia = number(df, "ia")
    eff = number(df, "eff") / 100.0
    src = reflection(df.get("source", pd.Series(np.nan, index=df.index)), SOURCE_DEFAULT)
    loa = reflection(df.get("load", pd.Series(np.nan, index=df.index)), LOAD_DEFAULT)
    ideal = df["directivity"].isna().to_numpy() if "directivity" in df else np.ones(len(df), bool)
    dir_db = number(df, "directivity")

    f = transmission(va, ia, eff, src[0], loa[0], src[1] + loa[1])
    couplers(f, loa[0], ideal, dir_db)
    f["Va"], f["Ia"], f["Eff"] = va.astype(np.int64), ia, eff
    for name, (mag, pha, rloss, swr, _) in (("SrcRfl", src), ("LoaRfl", loa)):
        f[name + ".Mag"], f[name + ".Pha"], f[name + ".Rloss"], f[name + ".Swr"] = mag, pha, rloss, swr
    f["SelUnit"], f["SelErrUnit"] = 0, 0

    out = pd.DataFrame({
        "va": va.astype(np.int64), "ia": ia, "eff": eff * 100.0,
        "source": reflection_text(*src), "load": reflection_text(*loa),
        "directivity": np.where(ideal, np.nan, dir_db),
    })
    fields = pd.DataFrame({name: stored(np.broadcast_to(f[name], len(df))) for name in FIELDS})
    fields[["MeaMin.Pha", "MeaMax.Pha"]] = np.nan  # written as empty cells
    pd.concat([out, fields], axis=1).to_csv(path_out, index=False)


def make_input(rows, path):
    """Random cases over the inputs' ranges in every entry form, with the few
    decimals a user types; one in four with ideal couplers."""
    rng = np.random.default_rng(13)
    va = rng.integers(0, 100001, rows)
    ia = rng.integers(0, 100001, rows) / 100.0
    eff = rng.integers(0, 1001, rows) / 10.0

    def refl():
        form = rng.integers(0, 3, rows)
        mag = pd.Series(rng.integers(0, 1001, rows) / 1000.0).astype(str)
        db = "db:" + pd.Series(-rng.integers(0, 601, rows) / 10.0).astype(str)
        swr = "swr:" + pd.Series(rng.integers(100, 2001, rows) / 100.0).astype(str)
        body = pd.Series(np.select([form == 1, form == 2], [db, swr], mag))
        return body + "@" + pd.Series(rng.integers(-36, 37, rows) * 5).astype(str)

    src, loa = refl(), refl()
    directivity = pd.Series(rng.integers(0, 121, rows) / 2.0).astype(str).where(rng.integers(0, 4, rows) != 0, "")
    pd.DataFrame({"va": va, "ia": ia, "eff": eff, "source": src, "load": loa, "directivity": directivity}).to_csv(
        path, index=False)


def main(argv):
    if len(argv) == 4 and argv[1] == "--make-input":
        make_input(int(argv[2]), argv[3])
    elif len(argv) == 3:
        run(argv[1], argv[2])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
