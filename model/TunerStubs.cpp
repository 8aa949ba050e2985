// SPDX-License-Identifier: GPL-3.0-or-later
// The double stub and the three-stub tuner of capacitive screws.
#include "Tuner.h"
#include "TunerCommon.h"

#include <cmath>
#include <numbers>

namespace merivane {

namespace {

constexpr double kPi = std::numbers::pi;
using detail::BeginMatch;
using detail::NearHalfWave;
using detail::Turned;

// A susceptance this close below zero is a rounding of zero (a screw just out).
constexpr double kScrewTolerance = 1e-12;

// The two stubs' settings at one plane, for the admittance y there and the
// electrical spacing beta d.
struct TPair {
    const char* Status = kMatchOk;
    int Count = 0;
    double A[2] = {0.0, 0.0};  // the stub on the load side
    double B[2] = {0.0, 0.0};  // the stub one spacing toward the source
};

// Pozar's double-stub closed form (Microwave Engineering, "Double-stub
// tuning"), with t = tan(beta d):
//   B1 = -B_L + (1 +- sqrt((1 + t^2) G_L - G_L^2 t^2)) / t,
//   B2 = (+- sqrt(G_L (1 + t^2) - G_L^2 t^2) + G_L) / (G_L t),
// matchable for 0 <= G_L <= (1 + t^2) / t^2 = 1 / sin^2(beta d).
// Written here with s = sin(beta d), c = cos(beta d) so that the quarter-wave
// spacing (t infinite) needs no case of its own. Past the first stub the
// admittance is y1 = g + j b1, and one spacing on
//   y2 = (c y1 + j s) / (c + j s y1).
// Re(N conj D) = g for that quotient, so Re y2 = g / ((c - s b1)^2 + s^2 g^2),
// and Re y2 = 1 asks
//   (c - s b1)^2 = g - g^2 s^2   =>   b1 = (c +- sqrt(g - g^2 s^2)) / s,
// real exactly while g <= 1 / s^2 (multiplied by c, Pozar's B1). Then
// |D|^2 = g and the second stub cancels
//   Im y2 = (c^2 b1 - c s b1^2 + s c - s^2 b1 - c s g^2) / g.
TPair DoubleStubAt(cplx y, double betaD)
{
    TPair p;
    const double s = std::sin(betaD), c = std::cos(betaD);
    // stubs half a wavelength apart stand, electrically, at one plane
    if (std::fabs(s) < 1e-12) {
        p.Status = kMatchHalfWaveSpacing;
        return p;
    }
    const double g = y.real(), bl = y.imag();
    const double disc = g - g * g * s * s;
    if (disc < 0) {
        p.Status = kMatchOutsideRegion;
        return p;
    }
    const double root = std::sqrt(disc);
    p.Count = root == 0 ? 1 : 2;
    for (int k = 0; k < p.Count; ++k) {
        const double b1 = (c + (k == 0 ? root : -root)) / s;
        const double im2 = (c * c * b1 - c * s * b1 * b1 + s * c - s * s * b1 - c * s * g * g) / g;
        p.A[k] = b1 - bl;
        p.B[k] = -im2;
    }
    return p;
}

double BetaD(double spacingMm, double lg) { return 2.0 * kPi * spacingMm / lg; }

// Checks the guide and takes the default spacing for 0. False with the
// status set when no solving is possible.
bool SetSpacing(TMatchResult& r, double lg, double spacingMm, double defaultFraction)
{
    if (r.Status != kMatchOk) return false;
    if (!(lg > 0) || !std::isfinite(lg)) {
        r.Status = kMatchNoWave;
        return false;
    }
    if (spacingMm == 0) spacingMm = defaultFraction * lg;
    if (!(spacingMm > 0) || !std::isfinite(spacingMm)) {
        r.Status = kMatchBadSpacing;
        return false;
    }
    r.SpacingMm = spacingMm;
    return true;
}

// The rule at a stub plane where y = g + jb, for stubs a quarter wavelength
// apart: with g <= 1 and b <= sqrt(g (1 - g)) this stub brings y to
// g + j sqrt(g (1 - g)); a quarter wavelength on that is
//   1 / (g + j sqrt(g (1 - g))) = (g - j sqrt(g (1 - g))) / g
//                               = 1 - j sqrt((1 - g) / g),
// which the next stub cancels. Both settings are >= 0.
bool QuarterWaveRule(cplx y, double& here, double& next)
{
    const double g = y.real(), b = y.imag();
    if (!(g <= 1.0)) return false;
    const double root = std::sqrt(g * (1.0 - g));
    if (!(b <= root)) return false;
    here = root - b;
    next = std::sqrt((1.0 - g) / g);
    return true;
}

TMatchResult DoubleStubForm(double guideWavelengthMm, cplx gammaL, double spacingMm)
{
    TMatchResult r = BeginMatch(MatchMethod::DoubleStub, guideWavelengthMm, gammaL);
    if (!SetSpacing(r, guideWavelengthMm, spacingMm, 0.125)) return r;
    // Stub A at the load-side plane sees the load itself. The full
    // condition g <= 1 / sin^2(beta d) holds; the half of it that some
    // tables give is too strict.
    const TPair p = DoubleStubAt(cplx(r.LoadAdmittance[0], r.LoadAdmittance[1]), BetaD(r.SpacingMm, guideWavelengthMm));
    r.Status = p.Status;
    if (p.Status != kMatchOk) return r;
    r.Matchable = true;
    r.SolutionCount = p.Count;
    for (int k = 0; k < p.Count; ++k) {
        r.Solutions[k].SusceptanceCount = 2;
        r.Solutions[k].Susceptances[0] = p.A[k];
        r.Solutions[k].Susceptances[1] = p.B[k];
    }
    return r;
}

}  // namespace

TMatchResult SolveDoubleStub(double guideWavelengthMm, cplx gammaL, double spacingMm)
{
    TMatchResult r = DoubleStubForm(guideWavelengthMm, gammaL, spacingMm);
    detail::KeepSolutionsThatHold(r, gammaL);
    return r;
}

// Why lg/4 spacing always matches by the second plane when |Gl| < 1:
// a passive load with |Gl| < 1 has g = (1 - |G|^2) / |1 + G|^2 > 0 and a
// finite y. A quarter wavelength on, y' = 1 / y, that is
//   g' = g / (g^2 + b^2),   b' = -b / (g^2 + b^2),
// and the rule holds at the second plane when g' <= 1 and
// b' <= sqrt(g' (1 - g')) = sqrt(g (g^2 + b^2 - g)) / (g^2 + b^2),
// i.e. when g^2 + b^2 >= g and -b <= sqrt(g (g^2 + b^2 - g)).
// The rule fails at the first plane in one of two ways:
// - g > 1. Then g^2 > g, so g' < 1. If b >= 0 the second condition holds
//   as -b <= 0. If b < 0 it reads b^2 <= g^3 + g b^2 - g^2, that is
//   (g - 1) b^2 >= -(g - 1) g^2, true for g > 1.
// - g <= 1 and b > sqrt(g (1 - g)) >= 0. Then b^2 > g - g^2, so g' < 1,
//   and b > 0 gives b' < 0 <= the root.
// Either way the rule holds at plane 2, and stubs 2 and 3 match.
// The same holds for any odd multiple of lg/4, where y' = 1 / y again.
TMatchResult SolveThreeStub(double guideWavelengthMm, cplx gammaL, double spacingMm)
{
    TMatchResult r = BeginMatch(MatchMethod::ThreeStub, guideWavelengthMm, gammaL);
    if (!SetSpacing(r, guideWavelengthMm, spacingMm, 0.25)) return r;
    const double lg = guideWavelengthMm;
    TMatchSolution sol;
    sol.SusceptanceCount = 3;
    bool found = false, rejected = false;
    // The settings a at stub k and b at stub k + 1, the third screw out,
    // when they pass the check; of two that pass, the one that puts in the
    // least susceptance.
    const auto offer = [&](int k, double a, double b) {
        TMatchSolution c;
        c.SusceptanceCount = 3;
        c.Susceptances[k] = a;
        c.Susceptances[k + 1] = b;
        if (!SolutionHolds(r, c, gammaL)) {
            rejected = true;
            return;
        }
        if (found && a + b >= sol.Susceptances[k] + sol.Susceptances[k + 1]) return;
        sol = c;
        found = true;
    };
    // The line repeats every lg / 2.
    const double frac = std::fmod(r.SpacingMm / lg, 0.5);
    if (std::fabs(frac - 0.25) <= 1e-12) {
        // G turned by half a turn: y at plane 2 is 1 / y at plane 1.
        const cplx planes[2] = {AdmittanceOf(gammaL), AdmittanceOf(-gammaL)};
        for (int k = 0; k < 2 && !found; ++k) {
            double here = 0, next = 0;
            if (QuarterWaveRule(planes[k], here, next)) offer(k, here, next);
        }
    } else {
        // Each adjacent pair by the double-stub form, the first with both
        // screws in or out (>= 0).
        for (int k = 0; k < 2 && !found; ++k) {
            const cplx y = AdmittanceOf(Turned(gammaL, k * r.SpacingMm, lg));
            const TPair p = DoubleStubAt(y, BetaD(r.SpacingMm, lg));
            if (p.Status == kMatchHalfWaveSpacing) {
                r.Status = p.Status;
                return r;
            }
            for (int i = 0; i < p.Count; ++i) {
                if (p.A[i] < -kScrewTolerance || p.B[i] < -kScrewTolerance) continue;
                offer(k, std::fmax(p.A[i], 0.0), std::fmax(p.B[i], 0.0));
            }
        }
    }
    if (!found) {
        // capacitive settings that fail the check: the spacing, or the load
        r.Status = NearHalfWave(r.SpacingMm, lg) ? kMatchHalfWaveSpacing
                   : rejected                    ? kMatchNotWithTheseStubs
                                                 : kMatchNotCapacitive;
        return r;
    }
    r.Matchable = true;
    r.SolutionCount = 1;
    r.Solutions[0] = sol;
    return r;
}

}  // namespace merivane
