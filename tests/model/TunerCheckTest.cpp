// SPDX-License-Identifier: GPL-3.0-or-later
// A tuner lists only what matches: over a table of loads every solution of
// every method, applied to its load on the line, leaves |G| <= 1e-6 with no
// setting beyond +-1000; stubs a multiple of lg/2 apart match nothing and
// say so; a double root is listed once.
#include "TunerApply.h"

#include "LineSweep.h"
#include "Tuner.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace merivane {
namespace {

using tunertest::Apply;
using tunertest::Wr340Lg;

constexpr double kDeg = std::numbers::pi / 180.0;

cplx OfAdmittance(cplx y) { return (1.0 - y) / (1.0 + y); }

// Loads over the chart: matched, the examples' loads, near a short and an
// open, one on the circle g = 1, and one too close to |G| = 1 for any
// setting within +-1000 (|G| = 1 - 1e-7 needs b = 2|G| / sqrt(1 - |G|^2) ~ 4472).
const cplx kLoads[] = {
    cplx(0.0, 0.0),
    std::polar(0.4, 120 * kDeg),
    std::polar(0.5, 60 * kDeg),
    std::polar(0.5, -60 * kDeg),
    std::polar(0.9, 90 * kDeg),
    std::polar(0.99, 180 * kDeg),
    std::polar(0.99, 0 * kDeg),
    std::polar(0.999, -135 * kDeg),
    OfAdmittance(cplx(1.0, 0.5)),
    std::polar(1.0 - 1e-7, 30 * kDeg),
};

struct TMethodRow {
    const char* name;
    MatchMethod method;
    double spacingMm;  // 0: the default
};

double Settings(const TMatchResult& r, const TMatchSolution& s)
{
    double m = std::fmax(std::fabs(s.Susceptance), std::fabs(s.Reactance));
    for (int k = 0; k < s.SusceptanceCount; ++k) m = std::fmax(m, std::fabs(s.Susceptances[k]));
    return r.Method == MatchMethod::SingleStub ? std::fabs(s.Susceptance) : m;
}

class ListedSolutions : public ::testing::TestWithParam<TMethodRow> {};

TEST_P(ListedSolutions, AppliedToTheLoadLeaveAMatch)
{
    const TMethodRow& row = GetParam();
    int matched = 0;
    for (const cplx gl : kLoads) {
        SCOPED_TRACE(::testing::Message() << "load " << gl);
        const TMatchResult r = SolveMatch(row.method, TSweepInputs{}, gl, row.spacingMm);
        if (!r.Matchable) {
            EXPECT_EQ(r.SolutionCount, 0);
            EXPECT_STRNE(r.Status, kMatchOk);
            EXPECT_EQ(ResidualReflection(r, 0, gl), gl);  // the magnetron still sees the load
            continue;
        }
        ++matched;
        ASSERT_GT(r.SolutionCount, 0);
        for (int i = 0; i < r.SolutionCount; ++i) {
            // on impedances and the line equation, not the solver's reflections
            EXPECT_LE(std::abs(Apply(r, i, gl)), 1e-6) << "solution " << i;
            EXPECT_LE(std::abs(ResidualReflection(r, i, gl)), 1e-6) << "solution " << i;
            EXPECT_LE(Settings(r, r.Solutions[i]), 1000.0) << "solution " << i;
        }
    }
    EXPECT_GT(matched, 0);
}

const double kLg = Wr340Lg();
const TMethodRow kMethodRows[] = {
    {"single_stub", MatchMethod::SingleStub, 0},
    {"eh", MatchMethod::EH, 0},
    {"three_stub_quarter", MatchMethod::ThreeStub, 0},
    {"three_stub_eighth", MatchMethod::ThreeStub, kLg / 8},
    {"three_stub_0_3", MatchMethod::ThreeStub, 0.3 * kLg},
    {"three_stub_just_off_half", MatchMethod::ThreeStub, kLg / 2 * (1 + 1e-6)},
    {"double_stub_eighth", MatchMethod::DoubleStub, 0},
    {"double_stub_0_3", MatchMethod::DoubleStub, 0.3 * kLg},
    {"double_stub_just_off_half", MatchMethod::DoubleStub, kLg / 2 * (1 + 1e-6)},
};

INSTANTIATE_TEST_SUITE_P(Tuner, ListedSolutions, ::testing::ValuesIn(kMethodRows), ROW_NAMES(std::string(r.name)));

struct THalfWaveRow {
    const char* name;
    double spacingMm;
};

class HalfWaveSpacing : public ::testing::TestWithParam<THalfWaveRow> {};

TEST_P(HalfWaveSpacing, MatchesNothingAndSaysWhy)
{
    // b = (cos(bd) +- sqrt(g - g^2 sin^2(bd))) / sin(bd): at 86.690153 mm,
    // 2e-8 mm off lg/2 = 86.6901530 mm, sin(bd) ~ 7e-10 and b ~ 3e9.
    const THalfWaveRow& row = GetParam();
    for (MatchMethod m : {MatchMethod::ThreeStub, MatchMethod::DoubleStub}) {
        for (const cplx gl : {std::polar(0.4, 120 * kDeg), std::polar(0.5, 60 * kDeg), std::polar(0.9, 90 * kDeg)}) {
            SCOPED_TRACE(::testing::Message() << MatchMethodName(m) << " load " << gl);
            const TMatchResult r = SolveMatch(m, TSweepInputs{}, gl, row.spacingMm);
            EXPECT_FALSE(r.Matchable);
            EXPECT_EQ(r.SolutionCount, 0);
            EXPECT_STREQ(r.Status, kMatchHalfWaveSpacing);
            EXPECT_EQ(ResidualReflection(r, 0, gl), gl);
        }
    }
}

const THalfWaveRow kHalfWaveRows[] = {
    {"typed_86_690153_mm", 86.690153},
    {"exactly_half", kLg / 2},
    {"one_wavelength", kLg},
    {"three_halves_rounded", 1.5 * kLg * (1 + 1e-9)},
};

INSTANTIATE_TEST_SUITE_P(Tuner, HalfWaveSpacing, ::testing::ValuesIn(kHalfWaveRows), ROW_NAMES(std::string(r.name)));

TEST(TunerCheck, BeyondReachIsNotMatchableWithTheseStubs)
{
    // |G| = 1 - 1e-7: g = (1 - |G|) / (1 + |G|) ~ 5e-8 at 0 deg, and every
    // method needs a setting near sqrt(1 / g) ~ 4472.
    const cplx gl(1.0 - 1e-7, 0.0);
    for (MatchMethod m : {MatchMethod::SingleStub, MatchMethod::EH, MatchMethod::ThreeStub, MatchMethod::DoubleStub}) {
        const TMatchResult r = SolveMatch(m, TSweepInputs{}, gl);
        EXPECT_FALSE(r.Matchable) << MatchMethodName(m);
        EXPECT_EQ(r.SolutionCount, 0) << MatchMethodName(m);
        EXPECT_STREQ(r.Status, kMatchNotWithTheseStubs) << MatchMethodName(m);
    }
}

TEST(TunerCheck, ADoubleRootOfTheEHTunerIsListedOnce)
{
    // 0.5 at 60 deg: z = 1 + j2/sqrt(3) lies on r = 1, where x_s = -x +- 0:
    // one solution, x = -1.1547, b = 0.
    const cplx gl = LoadReflection(0.5, 60);
    const TMatchResult r = SolveEH(gl);
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 1);
    EXPECT_STREQ(r.Solutions[0].Order, kSeriesThenShunt);
    EXPECT_NEAR(r.Solutions[0].Reactance, -2 / std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(r.Solutions[0].Susceptance, 0.0, 1e-6);
    EXPECT_LE(std::abs(Apply(r, 0, gl)), 1e-9);
}

TEST(TunerCheck, StubsNearlyAHalfWaveApartStillMatchALoadOnTheUnitCircle)
{
    // y = 1 + j0.5: stub A alone cancels b. Of b1 = (c +- sqrt(1 - s^2)) / s
    // with s ~ -pi 1e-6 the - root gives b1 ~ 0, so bA = -0.5 and bB ~ 0; the
    // + root asks for b1 ~ 6e5 and is dropped.
    const cplx gl = OfAdmittance(cplx(1.0, 0.5));
    const TMatchResult r = SolveDoubleStub(Wr340Lg(), gl, Wr340Lg() / 2 * (1 + 1e-6));
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 1);
    EXPECT_NEAR(r.Solutions[0].Susceptances[0], -0.5, 1e-6);
    EXPECT_NEAR(r.Solutions[0].Susceptances[1], 0.0, 1e-6);
}

}  // namespace
}  // namespace merivane
