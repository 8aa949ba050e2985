// SPDX-License-Identifier: GPL-3.0-or-later
// A tuner's settings applied to a load, worked out here on impedances and
// the transmission-line equation rather than on the model's reflections.
#pragma once

#include "LineSweep.h"
#include "Tuner.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace merivane::tunertest {

using C = std::complex<double>;

inline double Wr340Lg()
{
    // l0 / sqrt(1 - (l0 / 2a)^2), l0 = c / 2450 MHz, a = 86.36 mm
    const double l0 = kLightSpeed / 2450e3;
    return l0 / std::sqrt(1.0 - std::pow(l0 / (2 * 86.36), 2));
}

// The normalised admittance a length l further toward the source:
// y' = (y + j tan(beta l)) / (1 + j y tan(beta l)), in the form with sin and
// cos that stays finite at a quarter wave.
inline C Along(C y, double lengthMm, double lg)
{
    const double bl = 2 * std::numbers::pi * lengthMm / lg;
    const C j(0, 1);
    return (y * std::cos(bl) + j * std::sin(bl)) / (std::cos(bl) + j * y * std::sin(bl));
}

inline C ToGamma(C y) { return (1.0 - y) / (1.0 + y); }

// The reflection left at the tuner's source side by solution i.
inline C Apply(const TMatchResult& r, int i, C gl)
{
    const TMatchSolution& s = r.Solutions[i];
    const C j(0, 1);
    const C yl = (1.0 - gl) / (1.0 + gl);
    switch (r.Method) {
    case MatchMethod::SingleStub: {
        // the shorted stub's own admittance, -j cot(beta l), stands for b
        const double bl = 2 * std::numbers::pi * s.StubLengthMm / r.GuideWavelengthMm;
        return ToGamma(Along(yl, s.DistanceMm, r.GuideWavelengthMm) - j * std::cos(bl) / std::sin(bl));
    }
    case MatchMethod::EH:
        if (s.Order == kSeriesThenShunt) return ToGamma(1.0 / (1.0 / yl + j * s.Reactance) + j * s.Susceptance);
        return ToGamma(1.0 / (1.0 / (yl + j * s.Susceptance) + j * s.Reactance));
    default: {
        C y = yl + j * s.Susceptances[0];
        for (int k = 1; k < s.SusceptanceCount; ++k) y = Along(y, r.SpacingMm, r.GuideWavelengthMm) + j * s.Susceptances[k];
        return ToGamma(y);
    }
    }
}

}  // namespace merivane::tunertest
