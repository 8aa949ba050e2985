// SPDX-License-Identifier: GPL-3.0-or-later
// Frequency pulling and the critical length: the worked examples, hand
// calculations, the sign convention and the range over all phases.
#include "LineSweep.h"
#include "Magnetron.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace merivane {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(Pulling, WorkedExampleQextFromThePullingFigure)
{
    // 2450 * (1.5^2 - 1) / 3 / 10 = 2450 * 0.416667 / 10
    EXPECT_NEAR(QextFromPulling(2450.0, 10.0), 102.083, 5e-4);
    EXPECT_EQ(QextFromPulling(2450.0, 0.0), 0.0);
    EXPECT_EQ(QextFromPulling(0.0, 10.0), 0.0);
}

TEST(Pulling, ThePullingFigureAtSwr15GivesBackTheDatasheetsFigure)
{
    const double cases[][2] = {{2450, 10}, {2450, 23}, {915, 4}, {5800, 35}};
    for (const auto& c : cases) {
        const double q = QextFromPulling(c[0], c[1]);
        EXPECT_NEAR(PullingAtSwrMHz(c[0], q, 1.5), c[1], 1e-12 * c[1]) << c[0] << " MHz, PF " << c[1];
        // the same through the magnitude 0.2 of SWR 1.5
        EXPECT_NEAR(PullingAtMagMHz(c[0], q, 0.2), c[1], 1e-12 * c[1]);
    }
}

struct TShiftCase {
    const char* name;
    double mag, phaDeg;
    double shiftMHz;  // by hand, f0 = 2450 MHz, PF = 10 MHz: f0 / (2 Qext) = 12
};

// y = (1 - G)/(1 + G) by hand, df = -12 b:
//   0.5 at 90:   y = 0.6 - j0.8  -> +9.60
//   0.5 at -90:  y = 0.6 + j0.8  -> -9.60 (capacitive, lowers)
//   1/3 at 90:   y = 0.8 - j0.6  -> +7.20
//   0.5 at 0 and 180: y real     -> 0
//   0.5 at 30: G = 0.4330 + j0.25, |1 + G|^2 = 2.1160, b = -0.5 / 2.1160 = -0.23629 -> +2.8355
const TShiftCase kShifts[] = {
    {"worked example 0.5 at 90", 0.5, 90, 9.60},
    {"capacitive 0.5 at -90", 0.5, -90, -9.60},
    {"one third at 90", 1.0 / 3.0, 90, 7.20},
    {"short-like 0.5 at 0", 0.5, 0, 0.0},
    {"open-like 0.5 at 180", 0.5, 180, 0.0},
    {"0.5 at 30", 0.5, 30, 2.8355},
    {"matched", 0.0, 0, 0.0},
};

class ShiftTable : public ::testing::TestWithParam<TShiftCase> {};

TEST_P(ShiftTable, ShiftAtThePresentLoad)
{
    const TShiftCase& c = GetParam();
    const double q = QextFromPulling(2450.0, 10.0);
    EXPECT_NEAR(PullingShiftMHz(2450.0, q, c.mag, c.phaDeg), c.shiftMHz, 5e-4);
}

TEST_P(ShiftTable, ACapacitiveLoadLowersTheFrequency)
{
    const TShiftCase& c = GetParam();
    const std::complex<double> g = std::polar(c.mag, c.phaDeg * kPi / 180.0);
    const double b = ((1.0 - g) / (1.0 + g)).imag();
    const double shift = PullingShiftMHz(2450.0, 100.0, c.mag, c.phaDeg);
    if (b > 1e-12) {
        EXPECT_LT(shift, 0.0);
    }
    if (b < -1e-12) {
        EXPECT_GT(shift, 0.0);
    }
    EXPECT_NEAR(shift, -2450.0 * b / 200.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Loads, ShiftTable, ::testing::ValuesIn(kShifts), ROW_NAMES(std::string(r.name)));

TEST(Pulling, WorkedExampleRangeAtSwr3)
{
    // +- 12 * (9 - 1) / 6 = +- 16.00 MHz; SWR 3 is |G| = 0.5
    TSweepInputs line;
    TRefl load;
    load.Mag = 0.5;
    load.Pha = 90;
    const TMagnetronResult r = CalcMagnetron(load, line, {10.0, 0.0});
    ASSERT_TRUE(r.Defined);
    EXPECT_NEAR(r.Qext, 102.083, 5e-4);
    EXPECT_NEAR(r.ShiftMHz, 9.60, 5e-4);
    EXPECT_NEAR(r.ShiftMaxMHz, 16.00, 5e-4);
    EXPECT_NEAR(r.ShiftMinMHz, -16.00, 5e-4);
    EXPECT_NEAR(PullingAtSwrMHz(2450.0, r.Qext, 3.0), 32.00, 1e-3);
}

TEST(Pulling, TheRangeIsTheExtremeShiftOverAllPhases)
{
    for (const double mag : {0.05, 0.2, 0.5, 0.8, 0.95}) {
        const double q = 80.0;
        double lo = 0, hi = 0;
        for (int i = 0; i < 36000; ++i) {
            const double s = PullingShiftMHz(915.0, q, mag, i * 0.01);
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        const double half = PullingAtMagMHz(915.0, q, mag) / 2;
        EXPECT_NEAR(hi, half, 1e-4 * half) << mag;
        EXPECT_NEAR(lo, -half, 1e-4 * half) << mag;
    }
}

TEST(Pulling, AGivenQextIsUsedInsteadOfThePullingFigure)
{
    TSweepInputs line;
    TRefl load;
    load.Mag = 0.5;
    load.Pha = 90;
    const TMagnetronResult r = CalcMagnetron(load, line, {10.0, 200.0});
    EXPECT_EQ(r.Qext, 200.0);
    EXPECT_NEAR(r.ShiftMHz, 2450.0 * 0.8 / 400.0, 1e-9);
}

TEST(Pulling, UndefinedWithoutQextOrAtAFullReflection)
{
    TSweepInputs line;
    TRefl load;
    load.Mag = 0.5;
    EXPECT_FALSE(CalcMagnetron(load, line, {0.0, 0.0}).Defined);
    load.Mag = 1.0;
    EXPECT_FALSE(CalcMagnetron(load, line, {10.0, 0.0}).Defined);
}

TEST(GroupVelocity, WaveguideCoaxAndNoWave)
{
    TSweepInputs wr340;  // fc = 1735.71 MHz; vg / c = sqrt(1 - (1735.71 / 2450)^2) = 0.705756
    EXPECT_NEAR(GroupVelocity(wr340, 2450.0) / kLightSpeed, 0.705756, 1e-6);
    TSweepInputs coax;
    coax.Line = LineType::Coax;
    coax.Vf = 0.66;
    EXPECT_NEAR(GroupVelocity(coax, 2450.0), 0.66 * kLightSpeed, 1e-6);
    TSweepInputs wr284;  // fc = 2078 MHz: no wave at 915 MHz
    wr284.Line = LineType::WR284;
    EXPECT_EQ(GroupVelocity(wr284, 915.0), 0.0);
    wr340.LineKnown = false;
    EXPECT_EQ(GroupVelocity(wr340, 2450.0), 0.0);
}

TEST(GroupVelocity, TimesThePhaseVelocityIsCSquared)
{
    // vg vp = c^2 in a hollow guide, with vp = f lg from the line sweep's guide
    for (const LineType t : {LineType::WR284, LineType::WR340, LineType::WR430}) {
        TSweepInputs in;
        in.Line = t;
        for (const double f : {2300.0, 2450.0, 2600.0}) {
            const double vp = f * 1e6 * GuideAt(in, f).wavelengthMm / 1000.0;
            EXPECT_NEAR(GroupVelocity(in, f) * vp / (kLightSpeed * kLightSpeed), 1.0, 1e-12);
        }
    }
}

struct TCriticalCase {
    const char* name;
    LineType line;
    double vf, swr, lengthM;  // by hand from (1 - r)^2 vg Qext / (4 pi f0 r), f0 2450 MHz, PF 10 MHz
};

const TCriticalCase kCritical[] = {
    // r = 1/3, vg = 0.705756 c: 0.44444 * 2.11580e8 * 102.083 / (4 pi 2.45e9 / 3)
    {"worked example WR340 SWR 2", LineType::WR340, 1.0, 2.0, 0.935},
    // vg = c: 0.44444 * 2.99792e8 * 102.083 / 1.02625e10
    {"air coax SWR 2", LineType::Coax, 1.0, 2.0, 1.3254},
    {"coax vf 0.66 SWR 2", LineType::Coax, 0.66, 2.0, 0.8747},
};

class CriticalTable : public ::testing::TestWithParam<TCriticalCase> {};

TEST_P(CriticalTable, CriticalLength)
{
    const TCriticalCase& c = GetParam();
    TSweepInputs line;
    line.Line = c.line;
    line.Vf = c.vf;
    TRefl load;
    load.Mag = (c.swr - 1) / (c.swr + 1);
    const TMagnetronResult r = CalcMagnetron(load, line, {10.0, 0.0});
    ASSERT_TRUE(r.CriticalDefined);
    EXPECT_NEAR(r.CriticalLengthM, c.lengthM, 5e-4);
}

INSTANTIATE_TEST_SUITE_P(Lines, CriticalTable, ::testing::ValuesIn(kCritical), ROW_NAMES(std::string(r.name)));

TEST(CriticalLength, InfiniteForAMatchAndUndefinedWithoutAWave)
{
    EXPECT_EQ(CriticalLengthM(2450.0, 100.0, 0.0, kLightSpeed), kInfinity);
    EXPECT_EQ(CriticalLengthM(2450.0, 100.0, 0.3, 0.0), 0.0);
    TSweepInputs line;
    line.LineKnown = false;
    TRefl load;
    load.Mag = 0.3;
    EXPECT_FALSE(CalcMagnetron(load, line, {10.0, 0.0}).CriticalDefined);
}

}  // namespace
}  // namespace merivane
