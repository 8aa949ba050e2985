// SPDX-License-Identifier: GPL-3.0-or-later
// How to match the load: a single shunt stub, a three-stub tuner of
// capacitive screws, an E-H tuner and a double stub; and what the match gains.
//
// The conventions every solver here keeps:
// - Planes. The load Gl is given at the tuner's load-side plane, the
//   reference plane of the model. Moving toward the source by l turns it:
//   G(l) = Gl e^(-j 4 pi l / lg).
// - Admittance. The normalised admittance is y = (1 - G) / (1 + G), the
//   normalised impedance z = 1 / y.
// - Stubs are shunt susceptances; a capacitive one is positive. Stub 1
//   stands at the load-side plane, stub k at (k - 1) spacing toward the
//   source. A double stub's stub A stands at the load-side plane, stub B one
//   spacing toward the source.
// - The line. lg is that of the Line Sweep's line at its frequency
//   (GuideAt); a coaxial line uses l0 vf, and its stubs are shorted stubs of
//   the same line.
// - A load with |Gl| >= 1 cannot be matched by a lossless tuner.
// - Every solution is checked before it is listed: put on the line as above
//   and applied to Gl, it must leave |G| <= kMatchResidualMax at the source
//   side, with no normalised setting beyond +-kMatchSettingMax. A solution
//   that fails is dropped, one that repeats another is listed once; with
//   none left the load is not matchable and the status says why.
//
// The results are plain records; their names follow the command line's JSON
// object "match": Method ("method"), LoadAdmittance ("load_admittance"),
// Solutions ("solutions", each with DistanceMm, Susceptance, StubLengthMm,
// Susceptances, Reactance, Order), Matchable ("matchable").
#pragma once

#include "LineSweep.h"
#include "Model.h"

#include <complex>

namespace merivane {

enum class MatchMethod { SingleStub, ThreeStub, EH, DoubleStub };

// "single-stub", "three-stub", "eh", "double-stub"
const char* MatchMethodName(MatchMethod method);

// Why a solver did or did not match; short codes for the callers to map.
// Arrays, not pointers to literals: each code is one object, so codes compare
// by address in every build (unmerged literals would not).
inline constexpr char kMatchOk[] = "matched";
inline constexpr char kMatchFullReflection[] = "full-reflection";  // |Gl| = 1
inline constexpr char kMatchActiveLoad[] = "active-load";          // |Gl| > 1
inline constexpr char kMatchNoWave[] = "no-wave";                  // no wave propagates on the line
inline constexpr char kMatchOutsideRegion[] = "outside-matchable-region";
inline constexpr char kMatchNotCapacitive[] = "not-matchable-with-capacitive-screws";
inline constexpr char kMatchHalfWaveSpacing[] = "spacing-multiple-of-half-wavelength";
inline constexpr char kMatchBadSpacing[] = "bad-spacing";  // negative or not finite
// closed-form settings exist, but none of them passes the check
inline constexpr char kMatchNotWithTheseStubs[] = "not-matchable-with-these-stubs";

// The check of a solution: the reflection it may leave, and the largest
// normalised susceptance (or the E-H tuner's reactance) a tuner can offer.
inline constexpr double kMatchResidualMax = 1e-6;
inline constexpr double kMatchSettingMax = 1000.0;

// E-H tuner orders, counted from the load.
inline constexpr char kSeriesThenShunt[] = "series-then-shunt";
inline constexpr char kShuntThenSeries[] = "shunt-then-series";

// One way to match. Which fields carry meaning depends on the method:
// - single stub: DistanceMm, Susceptance (the stub's), StubLengthMm;
// - three-stub: Susceptances[0..2] = b1, b2, b3;
// - double stub: Susceptances[0..1] = bA, bB;
// - E-H tuner: Reactance (series), Susceptance (shunt), Order.
struct TMatchSolution {
    double DistanceMm = 0.0;
    double Susceptance = 0.0;
    double StubLengthMm = 0.0;
    double Susceptances[3] = {0.0, 0.0, 0.0};
    int SusceptanceCount = 0;
    double Reactance = 0.0;
    const char* Order = nullptr;
};

struct TMatchResult {
    MatchMethod Method = MatchMethod::SingleStub;
    const char* Status = kMatchNoWave;
    bool Matchable = false;
    double LoadAdmittance[2] = {0.0, 0.0};  // g, b at the load-side plane
    double GuideWavelengthMm = 0.0;
    double SpacingMm = 0.0;  // the spacing in force (three-stub, double stub)
    TMatchSolution Solutions[2];
    int SolutionCount = 0;
};

using cplx = std::complex<double>;

// Gl from the model's record: magnitude and phase in degrees.
cplx LoadReflection(double mag, double phaseDeg);
// y = (1 - G) / (1 + G)
cplx AdmittanceOf(cplx gamma);
// G = (1 - y) / (1 + y)
cplx ReflectionOfAdmittance(cplx y);

// A shorted stub of length l offers y = -j cot(2 pi l / lg); for the
// susceptance b, 2 pi l / lg = pi/2 + atan b, shorter than half a wavelength.
double ShortedStubLengthMm(double susceptance, double guideWavelengthMm);

// The solvers on a known guide wavelength (mm). spacingMm <= 0 takes the
// default: lg / 4 for the three-stub tuner, lg / 8 for the double stub.
TMatchResult SolveSingleStub(double guideWavelengthMm, cplx gammaL);
TMatchResult SolveThreeStub(double guideWavelengthMm, cplx gammaL, double spacingMm = 0.0);
TMatchResult SolveEH(cplx gammaL);
TMatchResult SolveDoubleStub(double guideWavelengthMm, cplx gammaL, double spacingMm = 0.0);

// The same on the Line Sweep's line at its frequency; kMatchNoWave where the
// line carries no wave (the E-H tuner needs none).
TMatchResult SolveMatch(MatchMethod method, const TSweepInputs& line, cplx gammaL, double spacingMm = 0.0);

// The reflection left at the tuner's source side when solution i is applied
// to gammaL: what the magnetron sees through a lossless line. gammaL itself
// when the result has no solution i.
cplx ResidualReflection(const TMatchResult& r, int i, cplx gammaL);
// The same for a solution of r's method, line and spacing.
cplx AppliedReflection(const TMatchResult& r, const TMatchSolution& s, cplx gammaL);
// The check: s applied to gammaL leaves |G| <= kMatchResidualMax, and no
// setting of s exceeds kMatchSettingMax in magnitude.
bool SolutionHolds(const TMatchResult& r, const TMatchSolution& s, cplx gammaL);

// After the match, beside the set-up as it is.
struct TAfterMatch {
    double AbsorbedW = 0.0;         // Pload of the model as it is
    double MatchedAbsorbedW = 0.0;  // Pload of the same case with Gl = 0
    double GainPercent = 0.0;       // 100 (matched / now - 1)
    double GainDb = 0.0;            // 10 log10(matched / now)
    double SeenReflMag = 0.0;       // |G| the magnetron then sees
    double SeenReturnLossDb = 0.0;  // 20 log10 of it, floor -160
    double SeenSwr = 1.0;
};

// m as CalcTransmission left it; residual is the reflection left by the
// tuner (0 for an ideal one).
TAfterMatch AfterMatch(const TModel& m, cplx residual = cplx(0.0, 0.0));

}  // namespace merivane
