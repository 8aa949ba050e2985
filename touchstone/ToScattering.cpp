// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToScattering.h"

#include "ComplexSolve.h"
#include "Conversions.h"

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <numbers>

namespace merivane::touchstone {

namespace {

using C = std::complex<double>;

// cos + i sin of an angle in degrees, reduced exactly to the nearest quarter
// turn and a remainder within 45 degrees of it.
C UnitAt(double degrees)
{
    const double turn = std::abs(degrees) <= 180 ? degrees : std::remainder(degrees, 360.0);  // exact, within [-180, 180]
    const int quarters = turn > 45 ? (turn > 135 ? 2 : 1) : (turn < -45 ? (turn < -135 ? -2 : -1) : 0);
    const double rest = (turn - quarters * 90.0) * (std::numbers::pi / 180.0);  // the subtraction is exact
    const C r = rest == 0 ? C(1, 0) : C(std::cos(rest), std::sin(rest));
    switch (quarters) {
    case 1: return {-r.imag(), r.real()};
    case -1: return {r.imag(), -r.real()};
    case 2:
    case -2: return -r;
    default: return r;
    }
}

// m (normalised z or y) into S: S = (z + I)^-1 (z - I) = (I + y)^-1 (I - y).
bool FromImmittance(C* m, std::size_t n, bool impedance, TScratch& scratch)
{
    scratch.a.assign(m, m + n * n);
    scratch.b.resize(n * n);
    const double sign = impedance ? 1.0 : -1.0;  // z - I against I - y
    for (std::size_t i = 0; i < n * n; ++i) scratch.b[i] = sign * m[i];
    for (std::size_t i = 0; i < n; ++i) {
        scratch.a[i * n + i] += 1.0;
        scratch.b[i * n + i] += impedance ? -1.0 : 1.0;
    }
    if (!SolveInPlace(scratch.a.data(), scratch.b.data(), static_cast<int>(n))) return false;
    for (std::size_t i = 0; i < n * n; ++i) {
        // all but singular
        if (!std::isfinite(scratch.b[i].real()) || !std::isfinite(scratch.b[i].imag())) return false;
        m[i] = scratch.b[i];
    }
    return true;
}

// The normalised H of a two-port into S.
bool FromHybrid(C* h)
{
    const C d = (1.0 + h[0]) * (1.0 + h[3]) - h[1] * h[2];
    if (d == C(0) || !std::isfinite(std::abs(d))) return false;
    const C s11 = ((h[0] - 1.0) * (h[3] + 1.0) - h[1] * h[2]) / d;
    const C s12 = 2.0 * h[1] / d;
    const C s21 = -2.0 * h[2] / d;
    const C s22 = ((1.0 + h[0]) * (1.0 - h[3]) + h[1] * h[2]) / d;
    for (const C& s : {s11, s12, s21, s22})
        if (!std::isfinite(s.real()) || !std::isfinite(s.imag())) return false;
    h[0] = s11;
    h[1] = s12;
    h[2] = s21;
    h[3] = s22;
    return true;
}

// Divides by the references as the parameter's units ask. Z: Z_ij /
// sqrt(Ri Rj); Y: Y_ij sqrt(Ri Rj); H and G: each entry by its own ratio.
void Normalise(C* m, std::size_t n, char parameter, const std::vector<double>& refs)
{
    if (parameter == 'Z' || parameter == 'Y') {
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                const double root = std::sqrt(refs[i] * refs[j]);
                m[i * n + j] = parameter == 'Z' ? m[i * n + j] / root : m[i * n + j] * root;
            }
        return;
    }
    const double r1 = refs[0], r2 = refs[1];
    const double across = std::sqrt(parameter == 'H' ? r2 / r1 : r1 / r2);
    m[0] *= parameter == 'H' ? 1.0 / r1 : r1;  // h11 ohms, g11 siemens
    m[1] *= across;
    m[2] *= across;
    m[3] *= parameter == 'H' ? r2 : 1.0 / r2;  // h22 siemens, g22 ohms
}

}  // namespace

C FromPair(double first, double second, TFormat format)
{
    switch (format) {
    case TFormat::RI: return {first, second};
    case TFormat::MA: return first * UnitAt(second);
    case TFormat::DB: return DbToMag(first) * UnitAt(second);
    }
    return {first, second};
}

bool ToScattering(C* m, int order, char parameter, bool normalised, const std::vector<double>& refs, TScratch& scratch)
{
    const auto n = static_cast<std::size_t>(order);
    if (parameter == 'S') return true;
    if (!normalised) Normalise(m, n, parameter, refs);
    if (parameter == 'Z' || parameter == 'Y') return FromImmittance(m, n, parameter == 'Z', scratch);
    if (parameter == 'H') return FromHybrid(m);
    // G: the H of the swapped network, [[g22, g21], [g12, g11]]; S swapped back
    std::swap(m[0], m[3]);
    std::swap(m[1], m[2]);
    if (!FromHybrid(m)) return false;
    std::swap(m[0], m[3]);
    std::swap(m[1], m[2]);
    return true;
}

}  // namespace merivane::touchstone
