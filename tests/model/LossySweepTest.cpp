// SPDX-License-Identifier: GPL-3.0-or-later
// The Line Sweep over a lossy line: hand examples, the statistics against the
// curve itself, the line loss record at the present length, and a pass factor
// of 1 changing no bit.
#include "LineLoss.h"
#include "LineSweep.h"
#include "ModelCases.h"
#include "Transmission.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace merivane {
namespace {

TModel Computed(double gs, double gsPha, double gl, double glPha, bool ideal = true)
{
    TModel m = testcases::Defaults();  // Pmatch = 4000 V * 3 A * 0.85 = 10200 W
    m.SrcRfl.Mag = gs;
    m.SrcRfl.Pha = gsPha;
    m.LoaRfl.Mag = gl;
    m.LoaRfl.Pha = glPha;
    CalcTransmission(m, ideal);
    return m;
}

TEST(LossySweep, AMatchedSourceSeesNoInterference)
{
    // Gs = 0: the source sends Pmatch at every length. Half the power passes
    // each way: 5100 W reach the load, which reflects 5100 * 0.25 and takes
    // 5100 * 0.75.
    const TSweepResult r = CalcLineSweep(TSweepCase{Computed(0, 0, 0.5, 90), {}, 0.5}, 36);
    ASSERT_FALSE(r.Points.empty());
    for (const TSweepPoint& p : r.Points) {
        EXPECT_NEAR(p.Pinc, 5100, 1e-9);
        EXPECT_NEAR(p.Prefl, 1275, 1e-9);
        EXPECT_NEAR(p.Pload, 3825, 1e-9);
    }
    EXPECT_NEAR(r.Stats.Mean, 3825, 1e-9);
    EXPECT_NEAR(r.Stats.Deviation, 0, 1e-9);
}

TEST(LossySweep, InPhaseHandExample)
{
    // Gs = 0.2 at 0, Gl = 0.5 at 0, pass 1/2: Gs Gl seen = 0.05, so at the
    // present length 10200 / 0.95^2 leaves the source, half of it reaches the
    // load, which reflects a quarter and takes three quarters; over a random phase the mean is 10200 * 0.375 / (1 - 0.05^2), and
    // the least is 10200 * 0.375 / 1.05^2, half a period on.
    const TSweepResult r = CalcLineSweep(TSweepCase{Computed(0.2, 0, 0.5, 0), {}, 0.5}, 0);
    EXPECT_NEAR(r.AtZero.Pinc, 10200 * 0.5 / (0.95 * 0.95), 1e-9);
    EXPECT_NEAR(r.AtZero.Pload, 10200 * 0.375 / (0.95 * 0.95), 1e-9);
    EXPECT_NEAR(r.AtZero.Prefl, 10200 * 0.125 / (0.95 * 0.95), 1e-9);
    EXPECT_NEAR(r.AtMin.Pload, 10200 * 0.375 / (1.05 * 1.05), 1e-9);
    EXPECT_NEAR(r.AddForMin, r.Period / 2, 1e-9);
    EXPECT_NEAR(r.Stats.Mean, 10200 * 0.375 / (1 - 0.0025), 1e-9);
}

struct TLossy {
    const char* name;
    double gs, gsPha, gl, glPha, dbPerM, lengthM;
    bool ideal;
};

class LossyLines : public ::testing::TestWithParam<TLossy> {};

TEST_P(LossyLines, TheStatisticsAreThoseOfTheCurve)
{
    // the mean of the curve over one whole period (the rectangle rule is
    // exact to rounding for a smooth periodic function) and its extremes on
    // a fine grid
    const TLossy& s = GetParam();
    const double pass = std::pow(10.0, -2 * s.dbPerM * s.lengthM / 10 / 2);  // e^(-2 alpha L), alpha L in dB / 8.686
    const TModel m = Computed(s.gs, s.gsPha, s.gl, s.glPha, s.ideal);
    const TSweepResult r = CalcLineSweep(TSweepCase{m, {}, pass}, 0);
    constexpr int n = 3600;
    double sum = 0, low = kInfinity, high = 0;
    for (int i = 0; i < n; ++i) {
        const double p = SweepPointAtPhase(m, 360.0 * i / n, pass).Pload;
        sum += p;
        low = std::min(low, p);
        high = std::max(high, p);
    }
    EXPECT_NEAR(r.Stats.Mean, sum / n, 1e-9 * r.Stats.Mean);
    EXPECT_NEAR(r.AtMax.Pload, high, 1e-6 * high);
    EXPECT_NEAR(r.AtMin.Pload, low, 1e-6 * high);  // the grid lies within 0.05 deg of it
    EXPECT_LE(r.AtMin.Pload, low);
    EXPECT_GE(r.AtMax.Pload, high);
    EXPECT_LE(r.Stats.Low, r.Stats.Mean);
    EXPECT_GE(r.Stats.High, r.Stats.Mean);
}

TEST_P(LossyLines, ThePresentLengthIsTheLineLossRecord)
{
    const TLossy& s = GetParam();
    const TModel m = Computed(s.gs, s.gsPha, s.gl, s.glPha, s.ideal);
    const TLineLoss l = CalcLineLoss(m, s.dbPerM, s.lengthM);
    const TSweepResult r = CalcLineSweep(TSweepCase{m, {}, l.PassFactor}, 0);
    // the sweep's powers are at the load: the forward wave after the line
    EXPECT_NEAR(r.AtZero.Pinc, l.ForwardAtSourceW * l.PassFactor, 1e-12 * l.ForwardAtSourceW);
    EXPECT_NEAR(r.AtZero.Pload, l.AbsorbedW, 1e-12 * l.ForwardAtSourceW);
    EXPECT_NEAR(r.AtZero.Prefl, r.AtZero.Pinc * s.gl * s.gl, 1e-12 * l.ForwardAtSourceW);
    // what enters the line is what the load takes and the line loses
    EXPECT_NEAR(l.NetInW, l.AbsorbedW + l.LineLossW, 1e-9 * l.ForwardAtSourceW);
    // and every value is the lossy model's, bit for bit, with the couplers at the load
    TModel lossy = m;
    CalcTransmission(lossy, s.ideal, l.PassFactor);
    EXPECT_EQ(r.AtZero.Pinc, lossy.Pinc);
    EXPECT_EQ(r.AtZero.Prefl, lossy.Prefl);
    EXPECT_EQ(r.AtZero.Pload, lossy.Pload);
    EXPECT_EQ(r.AtZero.PloadMinV, lossy.PloadMinV);
    EXPECT_EQ(r.AtZero.PloadMaxV, lossy.PloadMaxV);
    // the lossy model given to the sweep does not take the loss twice
    const TSweepResult again = CalcLineSweep(TSweepCase{lossy, {}, l.PassFactor}, 0);
    EXPECT_EQ(again.AtZero.Pload, r.AtZero.Pload);
    EXPECT_EQ(again.Stats.Mean, r.Stats.Mean);
}

TEST_P(LossyLines, APassFactorOfOneChangesNoBit)
{
    const TLossy& s = GetParam();
    const TModel m = Computed(s.gs, s.gsPha, s.gl, s.glPha, s.ideal);
    TSweepInputs in;
    in.LengthM = s.lengthM;
    in.SpanMHz = 5;
    const TSweepResult plain = CalcLineSweep(TSweepCase{m, in});
    const TSweepResult one = CalcLineSweep(TSweepCase{m, in, 1.0});
    ASSERT_EQ(plain.Points.size(), one.Points.size());
    EXPECT_EQ(std::memcmp(plain.Points.data(), one.Points.data(), plain.Points.size() * sizeof(TSweepPoint)), 0);
    EXPECT_EQ(std::memcmp(&plain.Stats, &one.Stats, sizeof plain.Stats), 0);
    // and the model's own values at the present length
    EXPECT_EQ(plain.AtZero.Pinc, m.Pinc);
    EXPECT_EQ(plain.AtZero.Pload, m.Pload);
    EXPECT_EQ(plain.AtZero.Prefl, m.Prefl);
    // while any loss lowers what the load takes, when it takes anything
    if (s.gl < 1) {
        EXPECT_LT(CalcLineSweep(TSweepCase{m, in, 0.999}, 0).Stats.Mean, plain.Stats.Mean);
    }
}

const TLossy kLossy[] = {
    {"worked_example_copper_10m", 0.2, 0, 0.5, 90, 0.01466, 10, true},
    {"strong_mismatch_real_couplers", 0.6, -35, 0.8, 170, 0.5, 3, false},
    {"long_lossy_coax", 0.1, 40, 0.3, -150, 1.5, 20, false},
    {"full_reflection", 0.3, 10, 1.0, 45, 0.2, 5, true},
};

INSTANTIATE_TEST_SUITE_P(LossySweep, LossyLines, ::testing::ValuesIn(kLossy), ROW_NAMES(std::string(r.name)));

}  // namespace
}  // namespace merivane
