// SPDX-License-Identifier: GPL-3.0-or-later
// The single stub, the E-H tuner, the dispatch on the line and the power
// after the match. The stub tuners of two and three screws are in
// TunerStubs.cpp, the check of every solution in TunerCheck.cpp.
#include "Tuner.h"

#include "Conversions.h"
#include "Division.h"
#include "TunerCommon.h"

#include <cmath>
#include <numbers>

namespace merivane {

namespace {

constexpr double kPi = std::numbers::pi;
using detail::DivideOrInfinity;

}  // namespace

const char* MatchMethodName(MatchMethod method)
{
    switch (method) {
    case MatchMethod::SingleStub: return "single-stub";
    case MatchMethod::ThreeStub: return "three-stub";
    case MatchMethod::EH: return "eh";
    case MatchMethod::DoubleStub: return "double-stub";
    }
    return "single-stub";
}

cplx LoadReflection(double mag, double phaseDeg) { return std::polar(mag, phaseDeg * kPi / 180.0); }

cplx AdmittanceOf(cplx gamma) { return (1.0 - gamma) / (1.0 + gamma); }

cplx ReflectionOfAdmittance(cplx y) { return (1.0 - y) / (1.0 + y); }

double ShortedStubLengthMm(double susceptance, double guideWavelengthMm)
{
    return guideWavelengthMm * (0.5 * kPi + std::atan(susceptance)) / (2.0 * kPi);
}

namespace detail {

TMatchResult BeginMatch(MatchMethod method, double guideWavelengthMm, cplx gammaL)
{
    TMatchResult r;
    r.Method = method;
    r.GuideWavelengthMm = guideWavelengthMm;
    // |G| = 1 given as a magnitude and a phase comes out of the polar form
    // within a few ulps of 1 either way; that is still full reflection.
    constexpr double kUnitTolerance = 1e-12;
    const double rho = std::abs(gammaL);
    if (rho > 1.0 + kUnitTolerance) {
        r.Status = kMatchActiveLoad;
    } else if (rho >= 1.0 - kUnitTolerance) {
        // y = (1 - G)/(1 + G) is purely imaginary (or infinite): no lossless
        // network brings a lossless load to a match.
        r.Status = kMatchFullReflection;
    } else {
        const cplx y = AdmittanceOf(gammaL);
        r.LoadAdmittance[0] = y.real();
        r.LoadAdmittance[1] = y.imag();
        r.Status = kMatchOk;
    }
    return r;
}

cplx Turned(cplx gamma, double lengthMm, double guideWavelengthMm)
{
    // G(l) = G e^(-j 4 pi l / lg)
    return gamma * std::polar(1.0, -4.0 * kPi * lengthMm / guideWavelengthMm);
}

}  // namespace detail

using detail::BeginMatch;

namespace {

TMatchResult SingleStubForm(double guideWavelengthMm, cplx gammaL)
{
    TMatchResult r = BeginMatch(MatchMethod::SingleStub, guideWavelengthMm, gammaL);
    if (r.Status != kMatchOk) return r;
    if (!(guideWavelengthMm > 0) || !std::isfinite(guideWavelengthMm)) {
        r.Status = kMatchNoWave;
        return r;
    }
    const double lg = guideWavelengthMm;
    const double rho = std::abs(gammaL);
    r.Matchable = true;
    // A shorted stub of length l offers y = -j cot(2 pi l / lg). For the
    // susceptance b that is 2 pi l / lg = pi/2 + atan b, within (0, pi): a
    // stub shorter than half a wavelength.
    const auto stubLength = [lg](double b) { return ShortedStubLengthMm(b, lg); };
    if (rho == 0.0) {
        // Already matched: no stub, or one a quarter wavelength long (an open
        // circuit at its junction).
        r.SolutionCount = 1;
        r.Solutions[0].StubLengthMm = stubLength(0.0);
        return r;
    }
    // With G = rho e^(j phi) at the distance d, phi = theta - 4 pi d / lg,
    //   y = (1 - rho^2 - 2j rho sin phi) / |1 + G|^2,
    //   |1 + G|^2 = 1 + 2 rho cos phi + rho^2.
    // Re y = 1 where cos phi = -rho, i.e. phi = +-(pi - acos rho). There
    // |1 + G|^2 = 1 - rho^2 and Im y = -2 rho sin phi / (1 - rho^2) =
    // -+ 2 rho / sqrt(1 - rho^2); the stub cancels it with
    //   b = +- 2 rho / sqrt(1 - rho^2).
    // (The same solutions as Pozar's tan(beta d) form for the shunt stub,
    // Microwave Engineering, "Single-stub tuning", without its case R = Z0.)
    const double theta = std::arg(gammaL);
    const double phi0 = kPi - std::acos(rho);
    const double b0 = 2.0 * rho / std::sqrt((1.0 - rho) * (1.0 + rho));
    for (int k = 0; k < 2; ++k) {
        const double sign = k == 0 ? 1.0 : -1.0;
        // d = (theta - phi) lg / (4 pi), reduced into one period [0, lg/2)
        double turn = std::fmod(theta - sign * phi0, 2.0 * kPi);
        if (turn < 0) turn += 2.0 * kPi;
        double d = turn * lg / (4.0 * kPi);
        if (d >= 0.5 * lg) d = 0.0;
        TMatchSolution& s = r.Solutions[k];
        s.DistanceMm = d;
        s.Susceptance = sign * b0;
        s.StubLengthMm = stubLength(s.Susceptance);
    }
    r.SolutionCount = 2;
    return r;
}

TMatchResult EHForm(cplx gammaL)
{
    TMatchResult r = BeginMatch(MatchMethod::EH, 0.0, gammaL);
    if (r.Status != kMatchOk) return r;
    r.Matchable = true;
    // Where r <= 1 (z = r + jx), a series reactance first brings the
    // impedance to the circle whose admittance has unit conductance:
    //   1 / (r + jx') has real part 1  <=>  x'^2 = r (1 - r),
    // so x_s = -x +- sqrt(r (1 - r)). Then y = 1 -+ j sqrt((1 - r) / r), and
    // the shunt susceptance b_p = +- sqrt((1 - r) / r) cancels it.
    // Otherwise g = r / |z|^2 < 1 / r < 1, and the same rule runs on the
    // admittance: shunt b_s = -b +- sqrt(g (1 - g)), then series
    // x_p = +- sqrt((1 - g) / g).
    const cplx y(r.LoadAdmittance[0], r.LoadAdmittance[1]);
    const cplx zn = (1.0 + gammaL) / (1.0 - gammaL);
    const bool seriesFirst = zn.real() <= 1.0;
    const cplx w = seriesFirst ? zn : y;
    const double re = w.real(), im = w.imag();
    const double root = std::sqrt(re * (1.0 - re));
    const double second = std::sqrt((1.0 - re) / re);
    for (int k = 0; k < 2; ++k) {
        const double sign = k == 0 ? 1.0 : -1.0;
        TMatchSolution& s = r.Solutions[k];
        const double first = -im + sign * root;
        s.Order = seriesFirst ? kSeriesThenShunt : kShuntThenSeries;
        s.Reactance = seriesFirst ? first : sign * second;
        s.Susceptance = seriesFirst ? sign * second : first;
    }
    r.SolutionCount = 2;
    return r;
}

}  // namespace

TMatchResult SolveSingleStub(double guideWavelengthMm, cplx gammaL)
{
    TMatchResult r = SingleStubForm(guideWavelengthMm, gammaL);
    detail::KeepSolutionsThatHold(r, gammaL);
    return r;
}

TMatchResult SolveEH(cplx gammaL)
{
    // A load on the circle r = 1 (or g = 1) has one solution, which the
    // closed form gives twice; the check lists it once.
    TMatchResult r = EHForm(gammaL);
    detail::KeepSolutionsThatHold(r, gammaL);
    return r;
}

TMatchResult SolveMatch(MatchMethod method, const TSweepInputs& line, cplx gammaL, double spacingMm)
{
    if (method == MatchMethod::EH) return SolveEH(gammaL);
    const TGuide g = GuideAt(line, line.FreqMHz);
    const double lg = g.propagates ? g.wavelengthMm : 0.0;
    switch (method) {
    case MatchMethod::ThreeStub: return SolveThreeStub(lg, gammaL, spacingMm);
    case MatchMethod::DoubleStub: return SolveDoubleStub(lg, gammaL, spacingMm);
    default: return SolveSingleStub(lg, gammaL);
    }
}

TAfterMatch AfterMatch(const TModel& m, cplx residual)
{
    TAfterMatch a;
    a.AbsorbedW = m.Pload;
    // The same case with the load matched: with Gl = 0 the interference
    // 1 / |1 - Gs Gl|^2 is 1, Pinc = Pav (1 - |Gs|^2) = Pmatch and
    // Pload = Pinc (1 - |Gl|^2) = Pmatch, the model's power into a matched
    // load (no second run of the model per case: the batch computes this
    // for every row).
    a.MatchedAbsorbedW = m.Pmatch;
    // gain = matched / now: in % 100 (gain - 1), in dB 10 log10 gain
    const double ratio = DivideOrInfinity(a.MatchedAbsorbedW, a.AbsorbedW);
    a.GainPercent = ratio >= kInfinity ? kInfinity : 100.0 * (ratio - 1.0);
    a.GainDb = ratio >= kInfinity ? kInfinity : RatioToDb(ratio);
    a.SeenReflMag = std::abs(residual);
    a.SeenReturnLossDb = MagToDb(a.SeenReflMag);
    a.SeenSwr = MagToSwr(a.SeenReflMag);
    return a;
}

}  // namespace merivane
