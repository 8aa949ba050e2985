// SPDX-License-Identifier: GPL-3.0-or-later
// The check of the tuner's solutions: each is put on the line and applied to
// the load, and only the ones that leave the magnetron a match are listed.
#include "Tuner.h"
#include "TunerCommon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane {

namespace {

// Two solutions whose settings differ by no more than this (normalised, and
// for lengths in units of lg) are one: the closed forms give a double root
// as two copies a rounding apart.
constexpr double kSameSetting = 1e-6;

bool Near(double a, double b, double scale) { return std::fabs(a - b) <= kSameSetting * scale; }

bool SameSolution(const TMatchResult& r, const TMatchSolution& a, const TMatchSolution& b)
{
    const double lg = r.GuideWavelengthMm;
    switch (r.Method) {
    case MatchMethod::SingleStub:
        return Near(a.DistanceMm, b.DistanceMm, lg) && Near(a.Susceptance, b.Susceptance, 1.0);
    case MatchMethod::EH:
        return a.Order == b.Order && Near(a.Reactance, b.Reactance, 1.0) && Near(a.Susceptance, b.Susceptance, 1.0);
    default:
        for (int k = 0; k < a.SusceptanceCount; ++k)
            if (!Near(a.Susceptances[k], b.Susceptances[k], 1.0)) return false;
        return a.SusceptanceCount == b.SusceptanceCount;
    }
}

bool WithinReach(double setting) { return std::fabs(setting) <= kMatchSettingMax; }

}  // namespace

cplx AppliedReflection(const TMatchResult& r, const TMatchSolution& s, cplx gammaL)
{
    const cplx j(0.0, 1.0);
    using detail::Turned;
    switch (r.Method) {
    case MatchMethod::SingleStub: {
        // the stub's susceptance at the distance d toward the source
        const cplx y = AdmittanceOf(Turned(gammaL, s.DistanceMm, r.GuideWavelengthMm)) + j * s.Susceptance;
        return ReflectionOfAdmittance(y);
    }
    case MatchMethod::EH: {
        // at one plane: z + jx, then y + jb, in the order counted from the load
        if (s.Order == kSeriesThenShunt) {
            const cplx z = 1.0 / AdmittanceOf(gammaL) + j * s.Reactance;
            return ReflectionOfAdmittance(1.0 / z + j * s.Susceptance);
        }
        const cplx y = AdmittanceOf(gammaL) + j * s.Susceptance;
        return ReflectionOfAdmittance(1.0 / (1.0 / y + j * s.Reactance));
    }
    default: {
        // stub k at (k - 1) spacing toward the source: turn G by the spacing,
        // then y + j b_k at the stub's plane
        cplx gamma = gammaL;
        for (int k = 0; k < s.SusceptanceCount; ++k) {
            if (k > 0) gamma = Turned(gamma, r.SpacingMm, r.GuideWavelengthMm);
            gamma = ReflectionOfAdmittance(AdmittanceOf(gamma) + j * s.Susceptances[k]);
        }
        return gamma;
    }
    }
}

cplx ResidualReflection(const TMatchResult& r, int i, cplx gammaL)
{
    if (!r.Matchable || i < 0 || i >= r.SolutionCount) return gammaL;
    return AppliedReflection(r, r.Solutions[i], gammaL);
}

bool SolutionHolds(const TMatchResult& r, const TMatchSolution& s, cplx gammaL)
{
    bool reach = true;
    switch (r.Method) {
    case MatchMethod::SingleStub: reach = WithinReach(s.Susceptance); break;
    case MatchMethod::EH: reach = WithinReach(s.Reactance) && WithinReach(s.Susceptance); break;
    default:
        for (int k = 0; k < s.SusceptanceCount; ++k) reach = reach && WithinReach(s.Susceptances[k]);
        break;
    }
    // not finite fails both comparisons
    return reach && std::abs(AppliedReflection(r, s, gammaL)) <= kMatchResidualMax;
}

namespace detail {

bool NearHalfWave(double spacingMm, double guideWavelengthMm)
{
    // The double-stub form's settings are b = (cos(bd) +- sqrt(g - g^2 sin^2(bd))) / sin(bd):
    // with |sin(bd)| below 1 / kMatchSettingMax the + root alone passes the
    // bound, and only loads near the circle g = 1 keep a setting within it.
    const double betaD = 2.0 * std::numbers::pi * spacingMm / guideWavelengthMm;
    return std::fabs(std::sin(betaD)) < 1.0 / kMatchSettingMax;
}

void KeepSolutionsThatHold(TMatchResult& r, cplx gammaL)
{
    if (!r.Matchable) return;
    int kept = 0;
    for (int i = 0; i < r.SolutionCount; ++i) {
        const TMatchSolution& s = r.Solutions[i];
        if (!SolutionHolds(r, s, gammaL)) continue;
        const auto same = [&](const TMatchSolution& k) { return SameSolution(r, k, s); };
        if (std::any_of(r.Solutions, r.Solutions + kept, same)) continue;
        r.Solutions[kept++] = s;
    }
    for (int i = kept; i < r.SolutionCount; ++i) r.Solutions[i] = TMatchSolution{};
    r.SolutionCount = kept;
    if (kept > 0) return;
    r.Matchable = false;
    const bool stubs = r.Method == MatchMethod::ThreeStub || r.Method == MatchMethod::DoubleStub;
    const bool halfWave = stubs && NearHalfWave(r.SpacingMm, r.GuideWavelengthMm);
    r.Status = halfWave ? kMatchHalfWaveSpacing : kMatchNotWithTheseStubs;
}

}  // namespace detail

}  // namespace merivane
