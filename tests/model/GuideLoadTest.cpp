// SPDX-License-Identifier: GPL-3.0-or-later
// The guide's load: the peak field against its reference figures and the
// breakdown margin, and the walls' TE10 attenuation against the textbook form.
#include "GuideLoad.h"
#include "Transmission.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace merivane {
namespace {

// A magnetron delivering powerW into a matched line: Gs = 0, Gl = gl.
TModel Delivering(double powerW, double gl = 0.0, double gs = 0.0)
{
    TModel m;
    m.Va = 10000;
    m.Ia = powerW / 10000;
    m.Eff = 1;
    m.SrcRfl.Mag = gs;
    m.LoaRfl.Mag = gl;
    m.LoaRfl.Pha = 30;
    CalcTransmission(m, true);
    return m;
}

TSweepInputs Line(LineType type, double fMHz)
{
    TSweepInputs in;
    in.Line = type;
    in.FreqMHz = fMHz;
    return in;
}

struct TFieldCase {
    const char* name;
    LineType line;
    double fMHz, powerW, kvPerM;
};

class PeakField : public ::testing::TestWithParam<TFieldCase> {};

TEST_P(PeakField, ReferenceFigures)
{
    const TFieldCase& c = GetParam();
    const TGuideLoad g = CalcGuideLoad(Delivering(c.powerW), Line(c.line, c.fMHz));
    ASSERT_TRUE(g.Defined);
    EXPECT_NEAR(g.PeakFieldKvPerM, c.kvPerM, 0.05);
    EXPECT_DOUBLE_EQ(g.PeakFieldMaxKvPerM, g.PeakFieldKvPerM);  // matched: no phase to vary
    EXPECT_NEAR(g.BreakdownMargin, 3000.0 / g.PeakFieldKvPerM, 1e-9);
}

const TFieldCase kFieldCases[] = {
    // Z_TE = 376.73 / 0.70576 = 533.8 ohm; sqrt(4 * 533.8 * 1000 / (0.08636 * 0.04318))
    {"wr340_1kw_2450", LineType::WR340, 2450, 1000, 23.93},
    // Z_TE = 376.73 / 0.74994 = 502.3 ohm; sqrt(4 * 502.3 * 75000 / (0.24765 * 0.123825))
    {"wr975_75kw_915", LineType::WR975, 915, 75000, 70.10},
};

INSTANTIATE_TEST_SUITE_P(GuideLoad, PeakField, ::testing::ValuesIn(kFieldCases), ROW_NAMES(std::string(r.name)));

TEST(GuideLoad, MarginUsesTheHighestIncidentPowerAndTheStandingWave)
{
    // Gs = 0.2, Gl = 0.5: PincMax = Pmatch / (1 - 0.1)^2; E = E0 (1 + 0.5).
    const TModel m = Delivering(1000, 0.5, 0.2);
    TGuideLoadInputs in;
    in.BreakdownKvPerM = 1000;
    const TGuideLoad g = CalcGuideLoad(m, Line(LineType::WR340, 2450), in);
    ASSERT_TRUE(g.Defined);
    const double z = kFreeSpaceImpedance / std::sqrt(1 - std::pow(kLightSpeed / (2 * 0.08636) / 2450e6, 2));
    const double pincMax = 1000 / (0.9 * 0.9);
    const double eMax = std::sqrt(4 * z * pincMax / (0.08636 * 0.04318)) * 1.5 / 1000;
    EXPECT_NEAR(g.PeakFieldMaxKvPerM, eMax, 1e-9 * eMax);
    EXPECT_NEAR(g.BreakdownMargin, 1000 / eMax, 1e-9);
    EXPECT_NEAR(g.BreakdownMarginDb, 20 * std::log10(1000 / eMax), 1e-9);
    EXPECT_LT(g.PeakFieldKvPerM, g.PeakFieldMaxKvPerM);
}

TEST(GuideLoad, HeightsOfThePresetsAndTheCustomGuide)
{
    EXPECT_EQ(StandardHeightMm(LineType::WR284), 34.04);
    EXPECT_EQ(StandardHeightMm(LineType::WR340), 43.18);
    EXPECT_EQ(StandardHeightMm(LineType::WR430), 54.61);
    EXPECT_EQ(StandardHeightMm(LineType::WR975), 123.825);
    TSweepInputs custom = Line(LineType::CustomWaveguide, 2450);
    custom.WidthMm = 86.36;
    EXPECT_STREQ(CalcGuideLoad(Delivering(1000), custom).Status, kGuideNoHeight);
    TGuideLoadInputs in;
    in.HeightMm = 43.18;
    // the custom guide of WR340's size gives WR340's figure
    EXPECT_NEAR(CalcGuideLoad(Delivering(1000), custom, in).PeakFieldKvPerM, 23.93, 0.005);
    EXPECT_STREQ(CalcGuideLoad(Delivering(1000), Line(LineType::Coax, 2450)).Status, kGuideNotWaveguide);
    EXPECT_STREQ(CalcGuideLoad(Delivering(1000), Line(LineType::WR975, 500)).Status, kGuideNoWave);
}

// The textbook form of the same attenuation:
//   alpha = Rs / (eta0 b sqrt(1 - (fc/f)^2)) (1 + (2b/a) (fc/f)^2).
double TextbookAlpha(double sigma, double a, double b, double f)
{
    const double rs = std::sqrt(2 * std::numbers::pi * f * kMu0 / (2 * sigma));
    const double r = kLightSpeed / (2 * a) / f;
    return rs / (kFreeSpaceImpedance * b * std::sqrt(1 - r * r)) * (1 + 2 * b / a * r * r);
}

struct TAlphaCase {
    const char* name;
    Conductor metal;
    double widthMm, heightMm, fMHz;
};

class Attenuation : public ::testing::TestWithParam<TAlphaCase> {};

TEST_P(Attenuation, PozarsFormAgreesWithTheTextbookForm)
{
    const TAlphaCase& c = GetParam();
    const double sigma = ConductorOf(c.metal).conductivitySPerM;
    const double alpha = ConductorAttenuationNpPerM(sigma, c.widthMm, c.heightMm, c.fMHz);
    const double expected = TextbookAlpha(sigma, c.widthMm / 1000, c.heightMm / 1000, c.fMHz * 1e6);
    EXPECT_NEAR(alpha, expected, 1e-12 * expected);
    EXPECT_GT(alpha, 0);
}

const TAlphaCase kAlphaCases[] = {
    {"wr340_copper", Conductor::Copper, 86.36, 43.18, 2450},
    {"wr340_brass", Conductor::Brass, 86.36, 43.18, 2450},
    {"wr975_aluminium", Conductor::Aluminium, 247.65, 123.825, 915},
    {"wr284_copper_3ghz", Conductor::Copper, 72.136, 34.04, 3000},
    {"wr430_brass_near_cutoff", Conductor::Brass, 109.22, 54.61, 1400},
};

INSTANTIATE_TEST_SUITE_P(GuideLoad, Attenuation, ::testing::ValuesIn(kAlphaCases), ROW_NAMES(std::string(r.name)));

TEST(GuideLoad, Wr340CopperHandFigure)
{
    // Rs = sqrt(2 pi 2.45e9 * 4 pi 1e-7 / (2 * 5.813e7)) = 0.012899 ohm,
    // k = 51.348 /m, beta = 36.239 /m: alpha = 0.012899 * 2.5505 / 19.496
    // = 1.6875e-3 Np/m = 0.01466 dB/m.
    const double alpha = ConductorAttenuationNpPerM(5.813e7, 86.36, 43.18, 2450);
    EXPECT_NEAR(alpha, 1.6875e-3, 1e-7);
    EXPECT_NEAR(NpToDb(alpha), 0.01466, 1e-5);
    // alpha scales as 1 / sqrt(sigma)
    EXPECT_NEAR(ConductorAttenuationNpPerM(5.813e7 / 4, 86.36, 43.18, 2450), 2 * alpha, 1e-15);
    EXPECT_EQ(ConductorAttenuationNpPerM(5.813e7, 86.36, 43.18, 1700), 0.0);  // below cut-off
    EXPECT_NEAR(DbToNp(NpToDb(0.37)), 0.37, 1e-15);
    EXPECT_NEAR(NpToDb(1.0), 8.685889638, 1e-9);
}

// The three metals worked by hand from Pozar's form, with Rs = sqrt(omega
// mu0 / (2 sigma)): WR340 at 2450 MHz (k = 51.3482 /m, beta = 36.2393 /m)
// and WR975 at 915 MHz (k = 19.1770 /m, beta = 14.3816 /m).
struct TMetalFigure {
    const char* name;
    Conductor metal;
    double widthMm, heightMm, fMHz;
    double rsOhm, dbPerM;
};

class MetalFigures : public ::testing::TestWithParam<TMetalFigure> {};

TEST_P(MetalFigures, HandFigures)
{
    const TMetalFigure& c = GetParam();
    const double sigma = ConductorOf(c.metal).conductivitySPerM;
    EXPECT_NEAR(std::sqrt(2 * std::numbers::pi * c.fMHz * 1e6 * kMu0 / (2 * sigma)), c.rsOhm, 1e-6);
    EXPECT_NEAR(NpToDb(ConductorAttenuationNpPerM(sigma, c.widthMm, c.heightMm, c.fMHz)), c.dbPerM, 1e-6);
}

const TMetalFigure kMetalFigures[] = {
    // Rs 0.012899: 0.012899 * (2 * 0.04318 * pi^2 + 0.08636^3 * 51.3482^2) / (0.08636^3 * 0.04318 * 36.2393 * 51.3482 * eta0)
    {"wr340_copper", Conductor::Copper, 86.36, 43.18, 2450, 0.012899, 0.014657},
    {"wr340_aluminium", Conductor::Aluminium, 86.36, 43.18, 2450, 0.015921, 0.018090},
    {"wr340_brass", Conductor::Brass, 86.36, 43.18, 2450, 0.019422, 0.022070},
    {"wr975_copper", Conductor::Copper, 247.65, 123.825, 915, 0.007883, 0.0028137},
    {"wr975_aluminium", Conductor::Aluminium, 247.65, 123.825, 915, 0.009729, 0.0034727},
    {"wr975_brass", Conductor::Brass, 247.65, 123.825, 915, 0.011869, 0.0042365},
};

INSTANTIATE_TEST_SUITE_P(GuideLoad, MetalFigures, ::testing::ValuesIn(kMetalFigures), ROW_NAMES(std::string(r.name)));

}  // namespace
}  // namespace merivane
