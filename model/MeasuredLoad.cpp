// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasuredLoad.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane {

TMeasuredAt MeasuredGammaAt(const TMeasuredLoad& load, double fHz)
{
    const std::vector<double>& f = load.freqHz;
    if (fHz <= f.front()) return {load.gamma.front(), fHz == f.front()};
    if (fHz >= f.back()) return {load.gamma.back(), fHz == f.back()};
    // the first point above f, and the one before it (the later of a repeated pair)
    const auto above = static_cast<std::size_t>(std::upper_bound(f.begin(), f.end(), fHz) - f.begin());
    const std::size_t below = above - 1;
    if (f[below] == fHz) return {load.gamma[below], true};
    // Γ(f) = Γa + (Γb − Γa)(f − fa)/(fb − fa), the parts each on its own line
    const double t = (fHz - f[below]) / (f[above] - f[below]);
    const std::complex<double> a = load.gamma[below], b = load.gamma[above];
    return {{a.real() + (b.real() - a.real()) * t, a.imag() + (b.imag() - a.imag()) * t}, true};
}

std::complex<double> ShiftedGamma(std::complex<double> g, double shiftMm, double inverseGuideWavelengthPerMm,
                                  double alphaNpPerM)
{
    if (shiftMm == 0) return g;
    // e^(−2αℓ) with ℓ in m, and the turn −4πℓ/λg
    const double scale = std::exp(-2.0 * alphaNpPerM * shiftMm / 1000.0);
    const double turn = -4.0 * std::numbers::pi * shiftMm * inverseGuideWavelengthPerMm;
    return g * std::polar(scale, turn);
}

}  // namespace merivane
