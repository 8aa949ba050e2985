// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithEdit.h"

#include "EntryReader.h"
#include "InputRows.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace merivane::present {

namespace {

// A step's sum without the binary tail a decimal step leaves (0.1 + 0.2):
// held to 1e-9, far below what a field shows.
double Tidy(double v) { return std::round(v * 1e9) / 1e9; }

// The shortest text that reads back to v exactly.
std::string Exact(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace

TCase WithLoad(const TCase& c, double mag, double phaDeg)
{
    TCase out = c;
    TRefl& load = out.inputs.LoaRfl;
    const TInputRow& magRow = InputRow(Input::LoaMag);
    const TInputRow& phaRow = InputRow(Input::LoaPha);
    const double m = std::isfinite(mag) ? std::clamp(Tidy(mag), magRow.lo, magRow.hi) : load.Mag;
    // the phase through the reader of a typed phase: 190 is -170, as typed
    const double p = std::isfinite(phaDeg) ? ReadEntry(phaRow, Exact(Tidy(phaDeg)), load.Pha).value : load.Pha;
    SetReflMagnitude(load, 0, m);
    load.Pha = p;
    return out;
}

TCase WithDraggedLoad(const TCase& c, double mag, double phaDeg)
{
    TCase out = WithLoad(c, mag, phaDeg);
    TRefl& load = out.inputs.LoaRfl;
    const int form = c.display.loaRfl >= 0 && c.display.loaRfl <= 2 ? c.display.loaRfl : 0;
    const TInputRow& magRow = InputRow(Input::LoaMag);
    SetReflMagnitude(load, form, RoundedToField(magRow, ReflValue(load, form), form));
    load.Pha = RoundedToField(InputRow(Input::LoaPha), load.Pha);
    return out;
}

TCase LoadPhaseStep(const TCase& c, double deg)
{
    return WithLoad(c, c.inputs.LoaRfl.Mag, c.inputs.LoaRfl.Pha + deg);
}

TCase LoadMagnitudeStep(const TCase& c, double d)
{
    return WithLoad(c, c.inputs.LoaRfl.Mag + d, c.inputs.LoaRfl.Pha);
}

TCase LoadToConjugate(const TCase& c)
{
    // Gs* = |Gs| at -phase(Gs)
    return WithLoad(c, c.inputs.SrcRfl.Mag, -c.inputs.SrcRfl.Pha);
}

}  // namespace merivane::present
