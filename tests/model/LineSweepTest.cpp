// SPDX-License-Identifier: GPL-3.0-or-later
// The line sweep: agreement with the model, guide wavelengths, cut-off, length
// advice, the spread of frequency pulling and the random-phase statistics.
#include "CouplerMeas.h"
#include "LineSweep.h"
#include "ModelCases.h"
#include "RowNames.h"
#include "Transmission.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>

namespace merivane {
namespace {

using testcases::Defaults;
constexpr double kPi = std::numbers::pi;

// A set-up, computed by the model.
struct TSetup {
    const char* name;
    double src, srcPha, loa, loaPha;
    bool ideal;
    double dirDb;
};

TModel Computed(const TSetup& s)
{
    TModel m = Defaults();
    m.SrcRfl.Mag = s.src;
    m.SrcRfl.Pha = s.srcPha;
    m.LoaRfl.Mag = s.loa;
    m.LoaRfl.Pha = s.loaPha;
    m.CplDirDb = s.dirDb;
    CalcTransmission(m, s.ideal);
    return m;
}

void ExpectRel(double actual, double expected, double rel, const char* what)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * rel + 1e-12) << what;
}

class SetupTable : public ::testing::TestWithParam<TSetup> {};

const TSetup kSetups[] = {
    {"worked example ideal", 0.2, 0, 0.5, 90, true, 20},
    {"worked example 20 dB coupler", 0.2, 0, 0.5, 90, false, 20},
    {"strong mismatch 10 dB coupler", 0.6, -35, 0.8, 170, false, 10},
    {"source at 120, load at -150", 0.35, 120, 0.3, -150, false, 30},
    {"matched source", 0, 0, 0.5, 45, false, 20},
};

TEST_P(SetupTable, AtNoAddedLengthEveryValueIsTheModels)
{
    const TModel m = Computed(GetParam());
    const TSweepPoint p = SweepPointAtPhase(m, 0.0);
    EXPECT_DOUBLE_EQ(p.Pinc, m.Pinc);
    EXPECT_DOUBLE_EQ(p.Prefl, m.Prefl);
    EXPECT_DOUBLE_EQ(p.Pload, m.Pload);
    EXPECT_DOUBLE_EQ(p.PloadMinV, m.PloadMinV);
    EXPECT_DOUBLE_EQ(p.PloadMaxV, m.PloadMaxV);
}

TEST_P(SetupTable, OverOnePeriodTheExtremesAreTheModelsBounds)
{
    const TSetup& s = GetParam();
    const TModel m = Computed(s);
    TSweepCase c{m, {}};
    const TSweepResult r = CalcLineSweep(c);
    ASSERT_GE(r.Points.size(), 721u);
    const auto [lo, hi] = std::minmax_element(r.Points.begin(), r.Points.end(),
                                              [](const TSweepPoint& a, const TSweepPoint& b) { return a.Pinc < b.Pinc; });
    ExpectRel(lo->Pinc, m.PincMin, 1e-12, "PincMin");
    ExpectRel(hi->Pinc, m.PincMax, 1e-12, "PincMax");
    ExpectRel(r.AtMin.Prefl, m.PreflMin, 1e-12, "PreflMin");
    ExpectRel(r.AtMax.Prefl, m.PreflMax, 1e-12, "PreflMax");
    ExpectRel(r.AtMin.Pload, m.PloadMin, 1e-12, "PloadMin");
    ExpectRel(r.AtMax.Pload, m.PloadMax, 1e-12, "PloadMax");
    // the coupler bounds: Pinc [(1 - D|Gl|)^2 - (|Gl| + D)^2] and
    // Pinc [(1 + D|Gl|)^2 - (|Gl| - D)^2], by hand from the directivity
    const double d = s.ideal ? 0.0 : std::pow(10.0, -s.dirDb / 20);
    const double g = s.loa;
    const double kMin = (1 - d * g) * (1 - d * g) - (g + d) * (g + d);
    const double kMax = (1 + d * g) * (1 + d * g) - (g - d) * (g - d);
    double minV = INFINITY, maxV = -INFINITY;
    for (const TSweepPoint& p : r.Points) {
        minV = std::min(minV, p.PloadMinV);
        maxV = std::max(maxV, p.PloadMaxV);
        ExpectRel(p.PloadMinV, p.Pinc * kMin, 1e-12, "lower bound along the line");
        ExpectRel(p.PloadMaxV, p.Pinc * kMax, 1e-12, "upper bound along the line");
        ExpectRel(p.Pload, p.Pinc * (1 - g * g), 1e-12, "Pload = Pinc - Prefl");
    }
    // a negative factor (a leak larger than the reflection allows) turns the
    // lowest bound to the highest incident power
    ExpectRel(minV, (kMin >= 0 ? m.PincMin : m.PincMax) * kMin, 1e-12, "lowest coupler bound");
    ExpectRel(maxV, (kMax >= 0 ? m.PincMax : m.PincMin) * kMax, 1e-12, "highest coupler bound");
}

TEST_P(SetupTable, TheAdvisedLengthsReachTheMaximumAndTheMinimum)
{
    const TSetup& s = GetParam();
    const TModel m = Computed(s);
    const TSweepResult r = CalcLineSweep(TSweepCase{m, {}}, 0);
    ASSERT_TRUE(r.OverLength);
    if (s.src == 0) {
        EXPECT_FALSE(r.AdviceDefined);  // no phase to bring anywhere
        return;
    }
    EXPECT_TRUE(r.AdviceDefined);
    const double lg = r.Guide.wavelengthMm;
    for (const auto& [d, target] : {std::pair{r.AddForMax, 0.0}, std::pair{r.AddForMin, 180.0}}) {
        EXPECT_GE(d, 0.0);
        EXPECT_LT(d, lg / 2);
        // the phase of Gs Gl e^(-j2bd), b = 2 pi / lg, formed independently
        const std::complex<double> gs = std::polar(s.src, s.srcPha * kPi / 180);
        const std::complex<double> gl = std::polar(s.loa, s.loaPha * kPi / 180);
        const double phase = std::arg(gs * gl * std::polar(1.0, -2 * (2 * kPi / lg) * d)) * 180 / kPi;
        const double off = std::remainder(phase - target, 360.0);
        EXPECT_NEAR(off, 0.0, 1e-9) << "target " << target;
        // evaluated there, the absorbed power is the extreme
        const TSweepPoint p = SweepPointAtPhase(m, 720 * d / lg);
        ExpectRel(p.Pload, target == 0 ? m.PloadMax : m.PloadMin, 1e-12, "power at the advised length");
    }
}

INSTANTIATE_TEST_SUITE_P(Sweep, SetupTable, ::testing::ValuesIn(kSetups), ROW_NAMES(std::string(r.name)));

TEST(LineSweep, WorkedExampleAdviceIsAnEighthAndThreeEighthsOfTheGuideWavelength)
{
    // Gs Gl has the phase 90 deg: it reaches 0 after 90 deg of round trip,
    // lg/8 of added length, and 180 after 270 deg, 3 lg/8.
    TModel m = Defaults();
    CalcTransmission(m, true);
    const TSweepResult r = CalcLineSweep(TSweepCase{m, {}}, 0);
    EXPECT_NEAR(r.AddForMax, 21.672538, 1e-5);
    EXPECT_NEAR(r.AddForMin, 65.017615, 1e-5);
    EXPECT_NEAR(r.Period, 86.690153, 1e-5);
    EXPECT_TRUE(r.AdviceDefined);
}

TEST(LineSweep, TheCurvesRunOverOnePeriodWithTheExtremesAmongThem)
{
    TModel m = Defaults();
    CalcTransmission(m, true);
    const TSweepResult r = CalcLineSweep(TSweepCase{m, {}});
    ASSERT_EQ(r.X.size(), 723u);
    EXPECT_EQ(r.X.front(), 0.0);
    EXPECT_DOUBLE_EQ(r.X.back(), r.Period);
    EXPECT_TRUE(std::is_sorted(r.X.begin(), r.X.end()));
    EXPECT_NE(std::find(r.X.begin(), r.X.end(), r.AddForMax), r.X.end());
    EXPECT_NE(std::find(r.X.begin(), r.X.end(), r.AddForMin), r.X.end());
    // one period later the interference repeats
    EXPECT_NEAR(r.Points.back().Pload, r.Points.front().Pload, 1e-9);
}

struct GuideRow {
    const char* line;
    LineType type;
    double fMHz;
    double lgMm;  // c / sqrt(f^2 - fc^2), worked by hand
};

class GuideTable : public ::testing::TestWithParam<GuideRow> {};

TEST_P(GuideTable, PresetsGiveTheirGuideWavelength)
{
    TSweepInputs in;
    in.Line = GetParam().type;
    const TGuide g = GuideAt(in, GetParam().fMHz);
    ASSERT_TRUE(g.propagates);
    EXPECT_NEAR(g.wavelengthMm, GetParam().lgMm, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Presets, GuideTable,
                         ::testing::Values(GuideRow{"WR284", LineType::WR284, 2450, 230.982116},
                                           GuideRow{"WR340", LineType::WR340, 2450, 173.380306},
                                           GuideRow{"WR430", LineType::WR430, 2450, 147.715961},
                                           GuideRow{"WR975", LineType::WR975, 915, 436.889104}),
                         ROW_NAMES(std::string(r.line) + " at " + rows::Num(r.fMHz)));

TEST(LineSweep, WR340At2450MHzHasTheKnownGuideWavelength)
{
    EXPECT_NEAR(GuideAt(TSweepInputs{}, 2450).wavelengthMm, 173.4, 0.05);
}

TEST(LineSweep, ACustomWaveguideUsesItsWidthAndCoaxItsVelocityFactor)
{
    TSweepInputs in;
    in.Line = LineType::CustomWaveguide;
    in.WidthMm = 72.136;  // the WR284 width, typed
    EXPECT_NEAR(GuideAt(in, 2450).wavelengthMm, 230.982116, 1e-5);
    in.Line = LineType::Coax;
    in.Vf = 0.66;
    const TGuide g = GuideAt(in, 1000);
    EXPECT_TRUE(g.propagates);
    EXPECT_EQ(g.cutoffMHz, 0.0);
    EXPECT_NEAR(g.wavelengthMm, 0.66 * 299.792458, 1e-9);
}

TEST(LineSweep, AtOrBelowCutOffNoWavePropagatesAndTheSweepRunsOverPhase)
{
    TSweepInputs in;  // WR340: fc = c / 2a = 1735.7136 MHz
    EXPECT_NEAR(CutoffMHz(86.36), 1735.7136, 1e-4);
    EXPECT_FALSE(GuideAt(in, CutoffMHz(86.36)).propagates);
    EXPECT_FALSE(GuideAt(in, 1735.7).propagates);
    EXPECT_TRUE(GuideAt(in, 1735.72).propagates);
    EXPECT_EQ(InverseGuideWavelength(in, 1700), 0.0);

    TModel m = Defaults();
    CalcTransmission(m, true);
    in.FreqMHz = 1500;
    in.LengthM = 5;
    in.SpanMHz = 10;
    const TSweepResult r = CalcLineSweep(TSweepCase{m, in});
    EXPECT_FALSE(r.Guide.propagates);
    EXPECT_NEAR(r.Guide.cutoffMHz, 1735.7136, 1e-4);
    EXPECT_FALSE(r.OverLength);
    EXPECT_EQ(r.Period, 360.0);
    EXPECT_DOUBLE_EQ(r.X.back(), 360.0);
    EXPECT_NEAR(r.AddForMax, 90.0, 1e-9);  // degrees of round-trip phase now
    EXPECT_FALSE(r.SpreadDefined);
}

struct SpreadRow {
    const char* name;
    LineType type;
    double vf, lengthM, fMHz, spanMHz;
    double spreadDeg;  // worked by hand
    bool belowCutoff = false;  // f - df lies below the cut-off
};

class SpreadTable : public ::testing::TestWithParam<SpreadRow> {};

TEST_P(SpreadTable, SpreadOfTheRoundTripPhase)
{
    const SpreadRow& row = GetParam();
    TSweepInputs in;
    in.Line = row.type;
    in.Vf = row.vf;
    in.LengthM = row.lengthM;
    in.FreqMHz = row.fMHz;
    in.SpanMHz = row.spanMHz;
    EXPECT_NEAR(PhaseSpreadDeg(in), row.spreadDeg, 1e-6 * std::max(1.0, row.spreadDeg));

    TModel m = Defaults();
    CalcTransmission(m, true);
    const TSweepResult r = CalcLineSweep(TSweepCase{m, in}, 0);
    EXPECT_EQ(r.SpanBelowCutoff, row.belowCutoff);
    if (row.belowCutoff) {
        // the phase is not defined over the whole span: no spread and no band
        EXPECT_FALSE(r.SpreadDefined);
        EXPECT_FALSE(r.PhaseRandom);
        EXPECT_EQ(r.SpanBelow + r.SpanAbove, 0.0);
        return;
    }
    ASSERT_TRUE(r.SpreadDefined);
    EXPECT_EQ(r.PhaseRandom, row.spreadDeg >= 360);
    // the band around the present point covers the spread, in mm of added length
    const double band = row.spreadDeg * r.Guide.wavelengthMm / 720;
    EXPECT_NEAR(r.SpanBelow + r.SpanAbove, band, 1e-6 * std::max(1.0, band));
    EXPECT_GE(r.SpanBelow, 0.0);
    EXPECT_GE(r.SpanAbove, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Pulling, SpreadTable,
    ::testing::Values(
        // TEM: 720 L 2 df / (vf c)
        SpreadRow{"coax 10 m 10 MHz", LineType::Coax, 1.0, 10, 2450, 10, 480.332297},
        SpreadRow{"coax 10 m 10 MHz vf 0.5", LineType::Coax, 0.5, 10, 2450, 10, 960.664594},
        // a TEM line has no cut-off: from 0 Hz to 250 MHz, 720 L 250 MHz / c
        SpreadRow{"coax lower end at 0 Hz", LineType::Coax, 1.0, 1, 100, 150, 600.415371},
        // TE10: 720 L (sqrt(f1^2 - fc^2) - sqrt(f0^2 - fc^2)) / c
        SpreadRow{"WR340 3 m 5 MHz", LineType::WR340, 1.0, 3, 2450, 5, 102.089253},
        // the lower end below cut-off adds no phase: 720 L sqrt(1900^2 - fc^2) / c
        SpreadRow{"WR340 lower end cut off", LineType::WR340, 1.0, 2, 1800, 100, 3712.251501, true},
        SpreadRow{"no line", LineType::WR340, 1.0, 0, 2450, 30, 0.0},
        SpreadRow{"no span", LineType::WR340, 1.0, 5, 2450, 0, 0.0}),
    ROW_NAMES(std::string(r.name)));

TEST(LineSweep, WithoutALineTheSweepRunsOverTheRoundTripPhase)
{
    TSweepCase c{Computed(kSetups[0]), TSweepInputs{}};
    c.In.LineKnown = false;
    const TSweepResult r = CalcLineSweep(c);
    EXPECT_FALSE(r.Guide.propagates);
    EXPECT_EQ(r.Guide.cutoffMHz, 0.0);
    EXPECT_FALSE(r.OverLength);
    EXPECT_EQ(r.Period, 360.0);
    // Gs Gl at 90 degrees: a round-trip phase change of 90 brings it to 0, of 270 to 180
    ASSERT_TRUE(r.AdviceDefined);
    EXPECT_NEAR(r.AddForMax, 90.0, 1e-9);
    EXPECT_NEAR(r.AddForMin, 270.0, 1e-9);
    EXPECT_FALSE(r.SpreadDefined);
    EXPECT_EQ(r.AtZero.Pload, c.M.Pload);
}

TEST(RandomPhase, WorkedExampleStatistics)
{
    // K = Pav (1 - |Gs|^2)(1 - |Gl|^2) = 7650 W, r = 0.1
    TModel m = Defaults();
    CalcTransmission(m, true);
    const TRandomPhaseStats s = RandomPhaseStats(m);
    EXPECT_NEAR(s.Mean, 7727.272727, 1e-5);
    EXPECT_NEAR(s.Deviation, 1098.306721, 1e-5);
    EXPECT_NEAR(s.Low, 6325.537111, 1e-5);
    EXPECT_NEAR(s.High, 9437.261253, 1e-5);
    EXPECT_NEAR(RandomPhaseQuantile(m, 0), m.PloadMin, 1e-9);
    EXPECT_NEAR(RandomPhaseQuantile(m, 1), m.PloadMax, 1e-9);
}

class StatsTable : public ::testing::TestWithParam<TSetup> {};

TEST_P(StatsTable, AgreeWithTheClosedFormsAndWithAnAverageOverThePhase)
{
    const TSetup& s = GetParam();
    const TModel m = Computed(s);
    const TRandomPhaseStats st = RandomPhaseStats(m);
    const double r = s.src * s.loa;
    const double k = m.Pav * (1 - s.src * s.src) * (1 - s.loa * s.loa);
    // mean of 1/|1 - r e^(j theta)|^2 is 1/(1 - r^2), its variance 2 r^2/(1 - r^2)^3
    ExpectRel(st.Mean, k / (1 - r * r), 1e-12, "mean");
    ExpectRel(st.Deviation, k * std::sqrt(2 * r * r / std::pow(1 - r * r, 3)), 1e-12, "deviation");
    // an even average over the phase of the sweep's own absorbed power
    constexpr int n = 20000;
    double sum = 0, sum2 = 0;
    int below = 0, above = 0;
    for (int i = 0; i < n; ++i) {
        const double p = SweepPointAtPhase(m, 360.0 * (i + 0.5) / n).Pload;
        sum += p;
        sum2 += p * p;
        below += p < st.Low;
        above += p > st.High;
    }
    const double mean = sum / n;
    ExpectRel(mean, st.Mean, 1e-9, "phase average");
    ExpectRel(std::sqrt(sum2 / n - mean * mean), st.Deviation, 1e-6, "phase deviation");
    if (r > 0) {
        EXPECT_NEAR(below / double(n), 0.025, 2.0 / n);
        EXPECT_NEAR(above / double(n), 0.025, 2.0 / n);
    }
}

INSTANTIATE_TEST_SUITE_P(Stats, StatsTable, ::testing::ValuesIn(kSetups), ROW_NAMES(std::string(r.name)));

TEST(RandomPhase, NoReflectionOnOneSideLeavesNothingToChance)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 0;
    CalcTransmission(m, true);
    const TRandomPhaseStats s = RandomPhaseStats(m);
    EXPECT_DOUBLE_EQ(s.Mean, m.Pload);
    EXPECT_EQ(s.Deviation, 0.0);
    EXPECT_DOUBLE_EQ(s.Low, m.Pload);
    EXPECT_DOUBLE_EQ(s.High, m.Pload);
    EXPECT_FALSE(CalcLineSweep(TSweepCase{m, {}}, 0).AdviceDefined);
}

TEST(RandomPhase, TwoFullReflectionsAbsorbNothing)
{
    TModel m = Defaults();
    m.SrcRfl.Mag = 1;
    m.LoaRfl.Mag = 1;
    CalcTransmission(m, true);
    const TRandomPhaseStats s = RandomPhaseStats(m);
    EXPECT_EQ(s.Mean, 0.0);
    EXPECT_EQ(s.High, 0.0);
}

struct TNextModeRow {
    const char* name;
    LineType line;
    double widthMm;
    double expectedMHz;  // by hand: c / a (TE20) or c / 2b (TE01), the lower
};

class NextMode : public ::testing::TestWithParam<TNextModeRow> {};

TEST_P(NextMode, IsTheLowerOfTE20AndTE01)
{
    TSweepInputs in;
    in.Line = GetParam().line;
    in.WidthMm = GetParam().widthMm;
    EXPECT_NEAR(NextModeCutoffMHz(in), GetParam().expectedMHz, 5e-3);
    // property: the next mode lies above TE10, at most at twice its cut-off
    if (GetParam().expectedMHz > 0) {
        const double fc = CutoffMHz(BroadWallMm(in));
        EXPECT_GT(NextModeCutoffMHz(in), fc);
        EXPECT_LE(NextModeCutoffMHz(in), 2 * fc * (1 + 1e-12));
    }
}

INSTANTIATE_TEST_SUITE_P(
    LineSweep, NextMode,
    ::testing::Values(
        // 299792.458 / 72.136 = 4155.93; TE01 at 299792.458 / 68.08 = 4403.53 lies above
        TNextModeRow{"WR284", LineType::WR284, 0, 4155.934},
        // a = 2b: TE20 and TE01 together at 299792.458 / 86.36
        TNextModeRow{"WR340", LineType::WR340, 0, 3471.427},
        TNextModeRow{"WR430", LineType::WR430, 0, 2744.850},
        TNextModeRow{"WR975", LineType::WR975, 0, 1210.549},
        // the custom guide's height is not known: TE20 alone
        TNextModeRow{"custom_100_mm", LineType::CustomWaveguide, 100, 2997.925},
        TNextModeRow{"coax", LineType::Coax, 0, 0.0}),
    ROW_NAMES(std::string(r.name)));

TEST(LineSweep, MultimodeAboveTheNextMode)
{
    TSweepCase c{Defaults(), {}};
    CalcTransmission(c.M, true);
    EXPECT_FALSE(CalcLineSweep(c, 0).Multimode);  // WR340 at 2450 MHz
    c.In.FreqMHz = 3472;
    const TSweepResult r = CalcLineSweep(c, 0);
    EXPECT_TRUE(r.Multimode);
    EXPECT_NEAR(r.NextModeMHz, 3471.427, 5e-3);
}

TEST(LineSweep, AFullyReflectingSourceSweepsPmatchTimesTheInterference)
{
    // Gs = 1, Gl = 0.5 at 90 deg: Pinc = 10200 / |1 - 0.5j e^(-j phi)|^2,
    // from 10200 / 2.25 to 10200 / 0.25; the random-phase mean Pmatch (1 - |Gl|^2) / (1 - |Gl|^2)
    TSweepCase c{Defaults(), {}};
    c.M.SrcRfl.Mag = 1;
    CalcTransmission(c.M, true);
    const TSweepResult r = CalcLineSweep(c, 0);
    EXPECT_NEAR(r.AtZero.Pinc, 8160, 1e-6);
    EXPECT_NEAR(r.AtMax.Pload, 30600, 1e-6);
    EXPECT_NEAR(r.AtMin.Pload, 3400, 1e-6);
    EXPECT_NEAR(r.Stats.Mean, 10200, 1e-6);
}

}  // namespace
}  // namespace merivane
