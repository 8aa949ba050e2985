// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner over 100 000 random loads: every solution applied to its load
// leaves a residual |G| < 1e-9, the three-stub tuner never asks for a
// negative susceptance, and the double stub's region is g <= 1 / sin^2(beta d).
#include "TunerApply.h"

#include "Transmission.h"
#include "Tuner.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace merivane {
namespace {

using tunertest::Apply;
using tunertest::Wr340Lg;

constexpr int kLoads = 100000;
constexpr double kResidual = 1e-9;

// Uniform over the disc |G| < 0.999.
struct TLoads {
    std::mt19937_64 rng{20240521};
    std::uniform_real_distribution<double> unit{0.0, 1.0};
    cplx Next() { return std::polar(0.999 * std::sqrt(unit(rng)), 2 * std::numbers::pi * unit(rng)); }
};

struct TMethodCase {
    const char* name;
    MatchMethod method;
    double spacingOverLg;  // 0: the default
    bool reachesEvery;     // proven to match every passive load
};

class EveryLoad : public ::testing::TestWithParam<TMethodCase> {};

TEST_P(EveryLoad, SolutionsAppliedLeaveNoReflection)
{
    const TMethodCase& c = GetParam();
    TLoads loads;
    const double lg = Wr340Lg();
    int matched = 0, failures = 0;
    for (int n = 0; n < kLoads; ++n) {
        const cplx gl = loads.Next();
        TSweepInputs line;
        const TMatchResult r = SolveMatch(c.method, line, gl, c.spacingOverLg * lg);
        if (!r.Matchable) continue;
        ++matched;
        for (int i = 0; i < r.SolutionCount; ++i) {
            const double residual = std::abs(Apply(r, i, gl));
            if (!(residual < kResidual) && ++failures <= 5) {
                ADD_FAILURE() << "load " << gl << " solution " << i << " residual " << residual;
            }
            if (r.Method == MatchMethod::SingleStub) {
                EXPECT_GE(r.Solutions[i].DistanceMm, 0.0);
                EXPECT_LT(r.Solutions[i].DistanceMm, lg / 2);
            }
        }
    }
    EXPECT_EQ(failures, 0);
    if (c.reachesEvery) {
        EXPECT_EQ(matched, kLoads);
    } else {
        EXPECT_GT(matched, kLoads / 4);
    }
}

const TMethodCase kMethodCases[] = {
    {"single_stub", MatchMethod::SingleStub, 0, true},
    {"eh", MatchMethod::EH, 0, true},
    {"three_stub_quarter", MatchMethod::ThreeStub, 0, true},
    {"three_stub_eighth", MatchMethod::ThreeStub, 0.125, false},
    {"three_stub_three_eighths", MatchMethod::ThreeStub, 0.375, false},
    {"double_stub_eighth", MatchMethod::DoubleStub, 0, false},
    {"double_stub_0_2", MatchMethod::DoubleStub, 0.2, false},
    {"double_stub_three_eighths", MatchMethod::DoubleStub, 0.375, false},
};

INSTANTIATE_TEST_SUITE_P(Tuner, EveryLoad, ::testing::ValuesIn(kMethodCases), ROW_NAMES(std::string(r.name)));

TEST(ThreeStubProperty, QuarterWaveMatchesByThePlaneTwoWithScrewsOnly)
{
    // The proof in the solver: with lg/4 spacing the rule holds at plane 1
    // or plane 2, so every load matches with b >= 0.
    TLoads loads;
    for (int n = 0; n < kLoads; ++n) {
        const cplx gl = loads.Next();
        const TMatchResult r = SolveThreeStub(Wr340Lg(), gl);
        ASSERT_TRUE(r.Matchable) << gl;
        for (double b : r.Solutions[0].Susceptances) ASSERT_GE(b, 0.0) << gl;
        // By plane 2 at the latest: stub 1 out, or stub 3 out.
        const double* b = r.Solutions[0].Susceptances;
        ASSERT_TRUE(b[0] == 0.0 || b[2] == 0.0) << gl;
    }
}

TEST(ThreeStubProperty, OtherSpacingsNeverGoNegative)
{
    TLoads loads;
    std::uniform_real_distribution<double> spacing(0.02, 0.48);
    int refused = 0;
    for (int n = 0; n < kLoads; ++n) {
        const cplx gl = loads.Next();
        const TMatchResult r = SolveThreeStub(Wr340Lg(), gl, spacing(loads.rng) * Wr340Lg());
        if (!r.Matchable) {
            ASSERT_STREQ(r.Status, kMatchNotCapacitive);
            ++refused;
            continue;
        }
        for (double b : r.Solutions[0].Susceptances) ASSERT_GE(b, 0.0) << gl;
    }
    EXPECT_GT(refused, 0);  // some spacings cannot reach every load with screws
}

TEST(DoubleStubProperty, NotMatchableExactlyBeyondTheLimit)
{
    TLoads loads;
    std::uniform_real_distribution<double> spacing(0.01, 0.49);
    int outside = 0;
    for (int n = 0; n < kLoads; ++n) {
        const cplx gl = loads.Next();
        const double d = spacing(loads.rng) * Wr340Lg();
        const TMatchResult r = SolveDoubleStub(Wr340Lg(), gl, d);
        const double g = ((1.0 - gl) / (1.0 + gl)).real();
        const double s = std::sin(2 * std::numbers::pi * d / Wr340Lg());
        const bool beyond = g > 1.0 / (s * s);
        ASSERT_EQ(r.Matchable, !beyond) << gl << " d " << d;
        outside += beyond;
    }
    EXPECT_GT(outside, kLoads / 100);  // the region's edge was reached
}

TEST(AfterMatchProperty, MatchedPowerIsTheModelRunWithTheLoadMatched)
{
    // The power after the match is taken as Pmatch; the model itself, run
    // again with Gl = 0, must give the same over sources and loads.
    TLoads loads;
    for (int n = 0; n < 10000; ++n) {
        TModel m;
        m.Va = 1000 + n;
        m.Ia = 0.5 + 1e-4 * n;
        m.Eff = 0.6;
        const cplx gs = loads.Next(), gl = loads.Next();
        m.SrcRfl.Mag = std::abs(gs);
        m.SrcRfl.Pha = std::arg(gs) * 180 / std::numbers::pi;
        m.LoaRfl.Mag = std::abs(gl);
        m.LoaRfl.Pha = std::arg(gl) * 180 / std::numbers::pi;
        CalcTransmission(m, true);
        TModel matched = m;
        matched.LoaRfl.Mag = 0;
        CalcTransmission(matched, true);
        const TAfterMatch a = AfterMatch(m);
        ASSERT_NEAR(a.MatchedAbsorbedW, matched.Pload, 1e-12 * matched.Pload) << gs << " " << gl;
        ASSERT_EQ(a.AbsorbedW, m.Pload);
    }
}

}  // namespace
}  // namespace merivane
