// SPDX-License-Identifier: GPL-3.0-or-later
// The long-line effect: one running frequency below the critical length, more
// beyond it, every solution satisfying the equation, none missed against a
// dense scan.
#include "LineSweep.h"
#include "LongLine.h"
#include "Magnetron.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace merivane {
namespace {

constexpr double kPi = std::numbers::pi;

// f0 = 2450 MHz, PF = 10 MHz, SWR 2 on WR340 (L_crit 0.935 m), or on coax.
struct TLineCase {
    const char* name;
    LineType line;
    double vf;
    double mag;
};

const TLineCase kLines[] = {
    {"WR340 SWR 2", LineType::WR340, 1.0, 1.0 / 3.0},
    {"WR284 SWR 4", LineType::WR284, 1.0, 0.6},
    {"coax vf 0.8 SWR 1.5", LineType::Coax, 0.8, 0.2},
};

TSweepInputs LineOf(const TLineCase& c, double lengthM)
{
    TSweepInputs in;
    in.Line = c.line;
    in.Vf = c.vf;
    in.LengthM = lengthM;
    return in;
}

double Qext() { return QextFromPulling(2450.0, 10.0); }

double Critical(const TLineCase& c) { return CriticalLengthM(2450.0, Qext(), c.mag, GroupVelocity(LineOf(c, 0), 2450.0)); }

// f - f0 - df(G(f)) straight from the definition, with beta = 2 pi / lg from
// the line sweep's guide wavelength: G(f) = G_l e^(-j 2 (beta - beta0) L),
// y = (1 - G) / (1 + G), df = -f0 Im y / (2 Qext).
double Residual(const TSweepInputs& in, double mag, double phaDeg, double f)
{
    const double beta = 2 * kPi / (GuideAt(in, f).wavelengthMm / 1000.0);
    const double beta0 = 2 * kPi / (GuideAt(in, in.FreqMHz).wavelengthMm / 1000.0);
    const std::complex<double> g = std::polar(mag, phaDeg * kPi / 180.0) * std::polar(1.0, -2.0 * (beta - beta0) * in.LengthM);
    const double b = ((1.0 - g) / (1.0 + g)).imag();
    return f - in.FreqMHz + in.FreqMHz * b / (2.0 * Qext());
}

// f solves the equation: the residual changes sign within 1e-6 MHz of it.
bool Solves(const TSweepInputs& in, double mag, double phaDeg, double f)
{
    const double below = Residual(in, mag, phaDeg, f - 1e-6), above = Residual(in, mag, phaDeg, f + 1e-6);
    return below == 0 || above == 0 || (below < 0) != (above < 0);
}

class LongLineTable : public ::testing::TestWithParam<TLineCase> {};

TEST_P(LongLineTable, BelowTheCriticalLengthExactlyOneSolutionForEveryPhase)
{
    const TLineCase& c = GetParam();
    const TSweepInputs in = LineOf(c, 0.95 * Critical(c));
    const double half = PullingAtMagMHz(2450.0, Qext(), c.mag) / 2;
    for (int i = 0; i < 1000; ++i) {
        const double pha = -180.0 + 0.36 * i;
        const TLongLineSolutions s = LongLineFrequencies(in, Qext(), c.mag, pha);
        ASSERT_TRUE(s.Defined);
        ASSERT_EQ(s.FrequenciesMHz.size(), 1u) << "phase " << pha;
        const double f = s.FrequenciesMHz[0];
        EXPECT_TRUE(Solves(in, c.mag, pha, f)) << "phase " << pha << ", " << f << " MHz";
        EXPECT_LE(std::fabs(f - 2450.0), half + 1e-9);
    }
}

TEST_P(LongLineTable, AtFiveCriticalLengthsSomePhaseHasMoreThanOne)
{
    const TLineCase& c = GetParam();
    const TSweepInputs in = LineOf(c, 5 * Critical(c));
    const double half = PullingAtMagMHz(2450.0, Qext(), c.mag) / 2;
    int most = 0;
    for (int i = 0; i < 1000; ++i) {
        const double pha = -180.0 + 0.36 * i;
        const TLongLineSolutions s = LongLineFrequencies(in, Qext(), c.mag, pha);
        const int n = static_cast<int>(s.FrequenciesMHz.size());
        most = std::max(most, n);
        // h runs from below zero to above: an odd number of crossings
        EXPECT_EQ(n % 2, 1) << "phase " << pha;
        for (std::size_t k = 0; k < s.FrequenciesMHz.size(); ++k) {
            const double f = s.FrequenciesMHz[k];
            EXPECT_TRUE(Solves(in, c.mag, pha, f)) << "phase " << pha << ", " << f << " MHz";
            EXPECT_LE(std::fabs(f - 2450.0), half + 1e-9);
            if (k > 0) {
                EXPECT_GT(f, s.FrequenciesMHz[k - 1]);
            }
        }
    }
    EXPECT_GT(most, 1);
}

TEST_P(LongLineTable, TheWorstPhaseTurnsAtTheCriticalLength)
{
    // At 180 deg the load's phase sits where the pulled frequency's slope is
    // steepest, with the solution at f0 itself: one solution just below the
    // critical length, three just above.
    const TLineCase& c = GetParam();
    EXPECT_EQ(LongLineFrequencies(LineOf(c, 0.95 * Critical(c)), Qext(), c.mag, 180.0).FrequenciesMHz.size(), 1u);
    const TLongLineSolutions s = LongLineFrequencies(LineOf(c, 1.05 * Critical(c)), Qext(), c.mag, 180.0);
    ASSERT_EQ(s.FrequenciesMHz.size(), 3u);
    EXPECT_NEAR(s.FrequenciesMHz[1], 2450.0, 1e-6);
}

TEST_P(LongLineTable, NoSolutionMissedAgainstADenseScan)
{
    const TLineCase& c = GetParam();
    for (const double times : {3.0, 20.0}) {
        const TSweepInputs in = LineOf(c, times * Critical(c));
        for (int i = 0; i < 12; ++i) {
            const double pha = -180.0 + 30.0 * i + 7.0;
            const TLongLineSolutions s = LongLineFrequencies(in, Qext(), c.mag, pha);
            const int steps = 100000;
            int crossings = 0;
            double prev = Residual(in, c.mag, pha, s.LowMHz);
            for (int k = 1; k <= steps; ++k) {
                const double h = Residual(in, c.mag, pha, s.LowMHz + (s.HighMHz - s.LowMHz) * k / steps);
                if ((prev < 0) != (h < 0)) ++crossings;
                prev = h;
            }
            EXPECT_EQ(static_cast<int>(s.FrequenciesMHz.size()), crossings) << times << " L_crit, phase " << pha;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, LongLineTable, ::testing::ValuesIn(kLines), ROW_NAMES(std::string(r.name)));

TEST(LongLine, WithoutALineTheOnlySolutionIsThePresentShift)
{
    TSweepInputs in;  // WR340, length 0
    const TLongLineSolutions s = LongLineFrequencies(in, Qext(), 0.5, 90.0);
    ASSERT_TRUE(s.Defined);
    ASSERT_EQ(s.FrequenciesMHz.size(), 1u);
    EXPECT_NEAR(s.FrequenciesMHz[0], 2450.0 + 9.60, 5e-4);
}

TEST(LongLine, UndefinedWithoutAWaveOrAKnownLine)
{
    TSweepInputs wr284;  // no wave at 915 MHz
    wr284.Line = LineType::WR284;
    wr284.FreqMHz = 915.0;
    wr284.LengthM = 2.0;
    EXPECT_FALSE(LongLineFrequencies(wr284, 100.0, 0.3, 0.0).Defined);
    TSweepInputs unknown;
    unknown.LineKnown = false;
    unknown.LengthM = 2.0;
    EXPECT_FALSE(LongLineFrequencies(unknown, 100.0, 0.3, 0.0).Defined);
    TSweepInputs wr340;
    wr340.LengthM = 2.0;
    EXPECT_FALSE(LongLineFrequencies(wr340, 100.0, 1.0, 0.0).Defined);
    EXPECT_FALSE(LongLineFrequencies(wr340, 0.0, 0.3, 0.0).Defined);
}

TEST(LongLine, AVeryLongLineStillFindsEverySolutionInOrder)
{
    // 200 m of WR340 at SWR 2: the load turns many times over the window
    TSweepInputs in;
    in.LengthM = 200.0;
    const TLongLineSolutions s = LongLineFrequencies(in, Qext(), 1.0 / 3.0, 40.0);
    ASSERT_GT(s.FrequenciesMHz.size(), 3u);
    for (std::size_t k = 0; k < s.FrequenciesMHz.size(); ++k) {
        EXPECT_TRUE(Solves(in, 1.0 / 3.0, 40.0, s.FrequenciesMHz[k])) << s.FrequenciesMHz[k];
        if (k > 0) {
            EXPECT_GT(s.FrequenciesMHz[k], s.FrequenciesMHz[k - 1]);
        }
    }
}

}  // namespace
}  // namespace merivane
