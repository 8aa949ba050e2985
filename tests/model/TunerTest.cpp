// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's worked examples: single stub, three-stub, E-H tuner and double
// stub, and the loads that cannot be matched.
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

// Gl = 0.4 at 120 deg, the examples' load: y = 1.1053 - j0.9116, z = 0.5385 + j0.4441.
const cplx kExampleLoad = std::polar(0.4, 120.0 * std::numbers::pi / 180.0);

TEST(SingleStub, WorkedExampleInWr340At2450MHz)
{
    // Re y = 1 where cos(phi) = -0.4: phi = +-113.58 deg; d = (120 - phi) lg / 720,
    // b = +-0.8 / sqrt(0.84); a shorted stub of (90 + atan b) / 360 lg.
    TSweepInputs line;  // WR340 at 2450 MHz, lg = 173.380 mm
    const TMatchResult r = SolveMatch(MatchMethod::SingleStub, line, kExampleLoad);
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 2);
    EXPECT_STREQ(r.Status, kMatchOk);
    EXPECT_NEAR(r.LoadAdmittance[0], 0.84 / 0.76, 1e-12);
    EXPECT_NEAR(r.LoadAdmittance[1], -0.4 * std::sqrt(3.0) / 0.76, 1e-12);
    struct {
        double d, b, stub;
    } const expected[] = {{1.55, 0.8729, 63.15}, {56.25, -0.8729, 23.54}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(r.Solutions[i].DistanceMm, expected[i].d, 0.005);
        EXPECT_NEAR(r.Solutions[i].Susceptance, expected[i].b, 5e-5);
        EXPECT_NEAR(r.Solutions[i].StubLengthMm, expected[i].stub, 0.005);
        EXPECT_LT(std::abs(Apply(r, i, kExampleLoad)), 1e-12);
    }
}

TEST(SingleStub, CoaxScalesWithTheVelocityFactor)
{
    TSweepInputs guide, coax;
    coax.Line = LineType::Coax;
    coax.Vf = 0.66;
    const TMatchResult g = SolveMatch(MatchMethod::SingleStub, guide, kExampleLoad);
    const TMatchResult c = SolveMatch(MatchMethod::SingleStub, coax, kExampleLoad);
    ASSERT_TRUE(c.Matchable);
    const double lambda = 0.66 * kLightSpeed / 2450e3;  // mm
    EXPECT_NEAR(c.GuideWavelengthMm, lambda, 1e-9);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(c.Solutions[i].DistanceMm / lambda, g.Solutions[i].DistanceMm / g.GuideWavelengthMm, 1e-12);
        EXPECT_NEAR(c.Solutions[i].StubLengthMm / lambda, g.Solutions[i].StubLengthMm / g.GuideWavelengthMm, 1e-12);
        EXPECT_DOUBLE_EQ(c.Solutions[i].Susceptance, g.Solutions[i].Susceptance);
    }
}

TEST(SingleStub, AMatchedLoadNeedsNoStub)
{
    const TMatchResult r = SolveSingleStub(Wr340Lg(), cplx(0.0, 0.0));
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 1);
    EXPECT_EQ(r.Solutions[0].Susceptance, 0.0);
    EXPECT_NEAR(r.Solutions[0].StubLengthMm, Wr340Lg() / 4, 1e-12);  // open at the junction
}

struct TThreeStubCase {
    const char* name;
    double mag, deg;
    double b1, b2, b3;
};

class ThreeStubExamples : public ::testing::TestWithParam<TThreeStubCase> {};

TEST_P(ThreeStubExamples, QuarterWaveSpacing)
{
    const TThreeStubCase& c = GetParam();
    const cplx gl = std::polar(c.mag, c.deg * std::numbers::pi / 180.0);
    const TMatchResult r = SolveThreeStub(Wr340Lg(), gl);
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 1);
    EXPECT_NEAR(r.SpacingMm, Wr340Lg() / 4, 1e-12);
    const TMatchSolution& s = r.Solutions[0];
    ASSERT_EQ(s.SusceptanceCount, 3);
    EXPECT_NEAR(s.Susceptances[0], c.b1, 5e-5);
    EXPECT_NEAR(s.Susceptances[1], c.b2, 5e-5);
    EXPECT_NEAR(s.Susceptances[2], c.b3, 5e-5);
    EXPECT_LT(std::abs(Apply(r, 0, gl)), 1e-9);
}

// Plane 1 of 0.4 at 120 deg has g = 1.105 > 1; plane 2 has y = z_L = 0.5385 +
// j0.4441: sqrt(g(1 - g)) = 0.4985, so b2 = 0.0544, b3 = sqrt(0.4615 / 0.5385).
// 0.5 at 60 deg: y = 0.4286 - j0.4949, b1 = 2 (0.4949), b2 = sqrt(4/3).
const TThreeStubCase kThreeStubCases[] = {
    {"load_0_4_at_120", 0.4, 120, 0.0, 0.0544, 0.9258},
    {"load_0_5_at_60", 0.5, 60, 0.9897, 1.1547, 0.0},
    {"matched_load", 0.0, 0, 0.0, 0.0, 0.0},
};

INSTANTIATE_TEST_SUITE_P(Tuner, ThreeStubExamples, ::testing::ValuesIn(kThreeStubCases), ROW_NAMES(std::string(r.name)));

TEST(ThreeStub, AnotherSpacingNearAQuarterAgreesWithTheRule)
{
    // Just off lg/4 the double-stub form runs on the pairs; it must land
    // beside the rule's settings.
    const cplx gl = std::polar(0.5, 60.0 * std::numbers::pi / 180.0);
    const TMatchResult rule = SolveThreeStub(Wr340Lg(), gl);
    const TMatchResult pairs = SolveThreeStub(Wr340Lg(), gl, Wr340Lg() / 4 * (1 + 1e-9));
    ASSERT_TRUE(pairs.Matchable);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(pairs.Solutions[0].Susceptances[k], rule.Solutions[0].Susceptances[k], 1e-6) << k;
}

TEST(ThreeStub, OtherSpacingFallsToTheSecondPair)
{
    // lg/8 (t = 1): b1 = 1 +- sqrt(2g - g^2), and the second stub takes
    // 0.5 (b1^2 + g^2 - 1) / g. G = -0.5 gives y = 3 at plane 1, beyond
    // 1 / sin^2(45 deg) = 2. Plane 2 sees G turned by -90 deg, +j0.5:
    // y = (1 - j0.5) / (1 + j0.5) = 0.6 - j0.8, b1 = 1 +- sqrt(0.84); only
    // the + sign leaves the second stub >= 0.
    const TMatchResult r = SolveThreeStub(Wr340Lg(), cplx(-0.5, 0.0), Wr340Lg() / 8);
    ASSERT_TRUE(r.Matchable);
    const double b1 = 1.0 + std::sqrt(0.84);
    EXPECT_EQ(r.Solutions[0].Susceptances[0], 0.0);
    EXPECT_NEAR(r.Solutions[0].Susceptances[1], b1 + 0.8, 1e-12);
    EXPECT_NEAR(r.Solutions[0].Susceptances[2], (b1 * b1 - 0.64) / 1.2, 1e-12);
    EXPECT_LT(std::abs(Apply(r, 0, cplx(-0.5, 0.0))), 1e-12);
}

TEST(ThreeStub, NotMatchableWithCapacitiveScrews)
{
    // 3/8 lg (s = -c = 1/sqrt 2): b1 = -1 +- sqrt(2g - g^2). y = 1 + j1 at
    // plane 1: b1 = 0 or -2, so stub 1 would take -1 or -3. Plane 2 sees
    // G = (-1 - j2)/5 turned by -270 deg: 0.4 - j0.2, y = 0.4 + j0.2,
    // b1 = -1 +- 0.8, stub 2 would take -0.4 or -2.
    const cplx y(1.0, 1.0);
    const TMatchResult r = SolveThreeStub(Wr340Lg(), (1.0 - y) / (1.0 + y), 3 * Wr340Lg() / 8);
    EXPECT_FALSE(r.Matchable);
    EXPECT_EQ(r.SolutionCount, 0);
    EXPECT_STREQ(r.Status, kMatchNotCapacitive);
}

TEST(EHTuner, SeriesThenShuntForTheExampleLoad)
{
    // z = 0.5385 + j0.4441, r <= 1: x_s = -0.4441 +- 0.4985, b_p = +-0.9258.
    const TMatchResult r = SolveEH(kExampleLoad);
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 2);
    const double expected[2][2] = {{0.0544, 0.9258}, {-0.9426, -0.9258}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_STREQ(r.Solutions[i].Order, kSeriesThenShunt);
        EXPECT_NEAR(r.Solutions[i].Reactance, expected[i][0], 5e-5);
        EXPECT_NEAR(r.Solutions[i].Susceptance, expected[i][1], 5e-5);
        EXPECT_LT(std::abs(Apply(r, i, kExampleLoad)), 1e-12);
    }
}

TEST(EHTuner, ShuntThenSeriesWhenTheResistanceExceedsOne)
{
    // G = 0.5: z = 3, y = 1/3. Shunt +-sqrt(1/3 * 2/3) = +-0.4714, then series +-sqrt(2).
    const TMatchResult r = SolveEH(cplx(0.5, 0.0));
    ASSERT_TRUE(r.Matchable);
    for (int i = 0; i < 2; ++i) {
        const double sign = i == 0 ? 1.0 : -1.0;
        EXPECT_STREQ(r.Solutions[i].Order, kShuntThenSeries);
        EXPECT_NEAR(r.Solutions[i].Susceptance, sign * std::sqrt(2.0) / 3.0, 1e-12);
        EXPECT_NEAR(r.Solutions[i].Reactance, sign * std::sqrt(2.0), 1e-12);
        EXPECT_LT(std::abs(Apply(r, i, cplx(0.5, 0.0))), 1e-12);
    }
}

TEST(DoubleStub, PozarsExampleAtAnEighthWavelength)
{
    // y_L = 1.5 - j0.5, t = 1: B_A = 0.5 + 1 +- sqrt(3 - 2.25),
    // B_B = (+-sqrt(0.75) + 1.5) / 1.5.
    const cplx y(1.5, -0.5);
    const cplx gl = (1.0 - y) / (1.0 + y);
    const TMatchResult r = SolveDoubleStub(Wr340Lg(), gl);
    ASSERT_TRUE(r.Matchable);
    ASSERT_EQ(r.SolutionCount, 2);
    EXPECT_NEAR(r.SpacingMm, Wr340Lg() / 8, 1e-12);
    const double expected[2][2] = {{2.366, 1.577}, {0.634, 0.423}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(r.Solutions[i].Susceptances[0], expected[i][0], 5e-4);
        EXPECT_NEAR(r.Solutions[i].Susceptances[1], expected[i][1], 5e-4);
        EXPECT_LT(std::abs(Apply(r, i, gl)), 1e-12);
    }
}

struct TRegionCase {
    const char* name;
    double g, b, spacingOverLg;
    bool matchable;
};

class DoubleStubRegion : public ::testing::TestWithParam<TRegionCase> {};

TEST_P(DoubleStubRegion, FullLimitNotTheHalfOne)
{
    const TRegionCase& c = GetParam();
    const cplx y(c.g, c.b);
    const TMatchResult r = SolveDoubleStub(Wr340Lg(), (1.0 - y) / (1.0 + y), c.spacingOverLg * Wr340Lg());
    EXPECT_EQ(r.Matchable, c.matchable);
    EXPECT_STREQ(r.Status, c.matchable ? kMatchOk : kMatchOutsideRegion);
}

// 1 / sin^2(beta d): 2 at lg/8, 1 at lg/4, 4 at lg/12 (30 deg).
const TRegionCase kRegionCases[] = {
    {"g_1_9_at_eighth", 1.9, 0.3, 0.125, true},  // beyond the half-limit 1, inside 2
    {"g_2_1_at_eighth", 2.1, 0.0, 0.125, false},
    {"g_0_9_at_quarter", 0.9, -2.0, 0.25, true},
    {"g_1_1_at_quarter", 1.1, 0.0, 0.25, false},
    {"g_3_9_at_twelfth", 3.9, 1.0, 1.0 / 12, true},
    {"g_4_2_at_twelfth", 4.2, 1.0, 1.0 / 12, false},
};

INSTANTIATE_TEST_SUITE_P(Tuner, DoubleStubRegion, ::testing::ValuesIn(kRegionCases), ROW_NAMES(std::string(r.name)));

TEST(DoubleStub, HalfWaveSpacingCannotMatch)
{
    const TMatchResult r = SolveDoubleStub(Wr340Lg(), cplx(0.3, 0.1), Wr340Lg() / 2);
    EXPECT_FALSE(r.Matchable);
    EXPECT_STREQ(r.Status, kMatchHalfWaveSpacing);
}

struct TUnmatchable {
    const char* name;
    cplx gamma;
    const char* status;
};

class Unmatchable : public ::testing::TestWithParam<TUnmatchable> {};

TEST_P(Unmatchable, EveryMethodSaysWhy)
{
    const TUnmatchable& c = GetParam();
    for (MatchMethod m : {MatchMethod::SingleStub, MatchMethod::ThreeStub, MatchMethod::EH, MatchMethod::DoubleStub}) {
        const TMatchResult r = SolveMatch(m, TSweepInputs{}, c.gamma);
        EXPECT_FALSE(r.Matchable) << MatchMethodName(m);
        EXPECT_EQ(r.SolutionCount, 0) << MatchMethodName(m);
        EXPECT_STREQ(r.Status, c.status) << MatchMethodName(m);
    }
}

const TUnmatchable kUnmatchable[] = {
    {"short", cplx(-1.0, 0.0), kMatchFullReflection},
    {"open", cplx(1.0, 0.0), kMatchFullReflection},
    {"reactive", std::polar(1.0, 2.0), kMatchFullReflection},
    // the polar form leaves |G| an ulp below 1 here: still full reflection
    {"reactive_at_120_deg", std::polar(1.0, 120.0 * std::numbers::pi / 180.0), kMatchFullReflection},
    {"active", cplx(0.0, 1.2), kMatchActiveLoad},
};

INSTANTIATE_TEST_SUITE_P(Tuner, Unmatchable, ::testing::ValuesIn(kUnmatchable), ROW_NAMES(std::string(r.name)));

TEST(SolveMatch, NoWaveBelowCutoffButTheEHTunerStillSolves)
{
    TSweepInputs line;
    line.Line = LineType::WR975;
    line.FreqMHz = 500;  // cut-off 605 MHz
    EXPECT_STREQ(SolveMatch(MatchMethod::SingleStub, line, kExampleLoad).Status, kMatchNoWave);
    EXPECT_STREQ(SolveMatch(MatchMethod::ThreeStub, line, kExampleLoad).Status, kMatchNoWave);
    EXPECT_STREQ(SolveMatch(MatchMethod::DoubleStub, line, kExampleLoad).Status, kMatchNoWave);
    EXPECT_TRUE(SolveMatch(MatchMethod::EH, line, kExampleLoad).Matchable);
}

TEST(SolveMatch, MethodNamesForTheCommandLine)
{
    EXPECT_STREQ(MatchMethodName(MatchMethod::SingleStub), "single-stub");
    EXPECT_STREQ(MatchMethodName(MatchMethod::ThreeStub), "three-stub");
    EXPECT_STREQ(MatchMethodName(MatchMethod::EH), "eh");
    EXPECT_STREQ(MatchMethodName(MatchMethod::DoubleStub), "double-stub");
}

}  // namespace
}  // namespace merivane
