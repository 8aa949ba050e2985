// The transmission model: worked example, edge cases and the physics over all phases.
#include "CouplerMeas.h"
#include "ModelCases.h"
#include "Transmission.h"

#include "Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace merivane {
namespace {

using testcases::Defaults;

TEST(Transmission, WorkedExampleOfTheDefaults)
{
    TModel m = Defaults();
    CalcTransmission(m, true);
    EXPECT_NEAR(m.Pmatch, 10200, 1e-9);
    EXPECT_NEAR(m.SrcRfl.Mism, 0.96, 1e-15);
    EXPECT_NEAR(m.LoaRfl.Mism, 0.75, 1e-15);
    EXPECT_NEAR(m.Pav, 10625, 1e-9);
    EXPECT_NEAR(m.Interf, 1 / 1.01, 1e-12);
    EXPECT_NEAR(m.Interf, 0.990099, 5e-7);
    EXPECT_NEAR(m.InterfMin, 0.826446, 5e-7);
    EXPECT_NEAR(m.InterfMax, 1.234568, 5e-7);
    EXPECT_NEAR(m.TrGain, 0.712871, 5e-7);
    EXPECT_NEAR(m.TrGainMin, 0.595041, 5e-7);
    EXPECT_NEAR(m.TrGainMax, 0.888889, 5e-7);
    EXPECT_NEAR(m.Pinc, 10099.01, 5e-3);
    EXPECT_NEAR(m.PincMin, 8429.75, 5e-3);
    EXPECT_NEAR(m.PincMax, 12592.59, 5e-3);
    EXPECT_NEAR(m.Prefl, 2524.75, 5e-3);
    EXPECT_NEAR(m.PreflMin, 2107.44, 5e-3);
    EXPECT_NEAR(m.PreflMax, 3148.15, 5e-3);
    EXPECT_NEAR(m.Pload, 7574.26, 5e-3);
    EXPECT_NEAR(m.PloadMin, 6322.31, 5e-3);
    EXPECT_NEAR(m.PloadMax, 9444.44, 5e-3);
}

TEST(Transmission, ZeroMagnitudeMakesInterferenceExactlyOne)
{
    for (const bool sourceZero : {true, false}) {
        TModel m = Defaults();
        (sourceZero ? m.SrcRfl : m.LoaRfl).Mag = 0;
        CalcTransmission(m, true);
        EXPECT_EQ(m.Interf, 1.0);
        EXPECT_EQ(m.InterfMin, 1.0);
        EXPECT_EQ(m.InterfMax, 1.0);
        EXPECT_EQ(m.TrGain, m.TrGainMin);
        EXPECT_EQ(m.TrGain, m.TrGainMax);
        if (!sourceZero) {
            EXPECT_EQ(m.Prefl, 0.0);
            EXPECT_EQ(m.PreflMax, 0.0);
            EXPECT_EQ(m.Pload, m.Pinc);
            EXPECT_EQ(m.PloadMin, m.PincMin);
        }
    }
}

TEST(Transmission, FullSourceReflectionMakesAvailablePowerInfinite)
{
    TModel m = Defaults();
    m.SrcRfl.Mag = 1;
    CalcTransmission(m, false);
    EXPECT_EQ(m.SrcRfl.Mism, 0.0);
    EXPECT_EQ(m.Pav, kInfinity);
    EXPECT_NEAR(m.Pmatch, 10200, 1e-9);
    // relative to an infinite available power the gains are 0
    for (double v : {m.TrGain, m.TrGainMin, m.TrGainMax}) EXPECT_EQ(v, 0.0);
}

// A fully reflecting source still sends Pmatch / |1 - Gs Gl|^2 to the load,
// the limit of Pav (1 - |Gs|^2) / |1 - Gs Gl|^2 as |Gs| -> 1. Worked by hand
// for the defaults (Pmatch 10200 W) with Gs = 1 at 0 deg:
struct TFullSourceCase {
    const char* name;
    double loaMag, loaPha;
    double interf, interfMin, interfMax;  // 1/|1 - Gs Gl|^2, 1/(1 + |Gl|)^2, 1/(1 - |Gl|)^2
};

class FullSource : public ::testing::TestWithParam<TFullSourceCase> {};

TEST_P(FullSource, PowersArePmatchTimesTheInterference)
{
    const TFullSourceCase& c = GetParam();
    TModel m = Defaults();
    m.SrcRfl = TRefl{1, 0, 0, 0, 0};
    m.LoaRfl.Mag = c.loaMag;
    m.LoaRfl.Pha = c.loaPha;
    CalcTransmission(m, false);
    const double l2 = c.loaMag * c.loaMag;
    const double triples[3][4] = {
        {c.interf, m.Pinc, m.Prefl, m.Pload},
        {c.interfMin, m.PincMin, m.PreflMin, m.PloadMin},
        {c.interfMax, m.PincMax, m.PreflMax, m.PloadMax},
    };
    for (const auto& t : triples) {
        const double pinc = 10200 * t[0];
        EXPECT_NEAR(t[1], pinc, 1e-9 * pinc);
        EXPECT_NEAR(t[2], pinc * l2, 1e-9 * pinc);
        EXPECT_NEAR(t[3], pinc * (1 - l2), 1e-9 * pinc);
    }
    EXPECT_EQ(m.Pav, kInfinity);
    EXPECT_EQ(m.TrGain, 0.0);
    // the couplers now see a real absorbed power: finite relative errors
    EXPECT_LT(m.PloadMinRelat, kInfinity);
}

INSTANTIATE_TEST_SUITE_P(
    Transmission, FullSource,
    ::testing::Values(
        // Gs Gl = 0.5j: |1 - 0.5j|^2 = 1.25, so 8160 W incident, 2040 reflected, 6120 absorbed
        TFullSourceCase{"load_half_at_90", 0.5, 90, 0.8, 1 / 2.25, 4.0},
        // Gs Gl = -0.2: |1.2|^2 = 1.44
        TFullSourceCase{"load_0_2_at_180", 0.2, 180, 1 / 1.44, 1 / 1.44, 1 / 0.64},
        // Gs Gl = 0.2: |0.8|^2 = 0.64
        TFullSourceCase{"load_0_2_at_0", 0.2, 0, 1 / 0.64, 1 / 1.44, 1 / 0.64},
        // a matched load takes Pmatch whatever the source
        TFullSourceCase{"matched_load", 0.0, 0, 1.0, 1.0, 1.0}),
    [](const ::testing::TestParamInfo<TFullSourceCase>& i) { return std::string(i.param.name); });

TEST(Transmission, FullSourceIsTheLimitOfAnAlmostFullOne)
{
    // property: the powers are continuous as |Gs| -> 1
    TModel near = Defaults(), full = Defaults();
    near.SrcRfl.Mag = 1 - 1e-9;
    full.SrcRfl.Mag = 1;
    CalcTransmission(near, false);
    CalcTransmission(full, false);
    for (auto f : {&TModel::Pinc, &TModel::PincMin, &TModel::PincMax, &TModel::Prefl, &TModel::Pload, &TModel::PloadMax})
        EXPECT_NEAR(full.*f, near.*f, 1e-6 * near.*f);
}

TEST(Transmission, FullSourceWithNoInputDeliversNothing)
{
    TModel m = Defaults();
    m.SrcRfl.Mag = 1;
    m.Va = 0;
    CalcTransmission(m, false);
    EXPECT_EQ(m.Pav, kInfinity);  // 0 / 0
    for (double v : {m.Pinc, m.PincMax, m.Prefl, m.Pload}) EXPECT_EQ(v, 0.0);
}

TEST(Transmission, TwoFullReflections)
{
    TModel m = Defaults();
    m.SrcRfl.Mag = 1;
    m.LoaRfl.Mag = 1;
    CalcTransmission(m, true);
    EXPECT_EQ(m.InterfMin, 0.25);
    EXPECT_EQ(m.InterfMax, kInfinity);
    EXPECT_EQ(m.TrGainMax, 0.0);
    // Pmatch times an infinite interference, all of it reflected
    EXPECT_EQ(m.PincMax, kInfinity);
    EXPECT_EQ(m.PreflMax, kInfinity);
    EXPECT_EQ(m.PloadMax, 0.0);
    // at the lowest interference: 10200 W / 4 incident, all reflected
    EXPECT_NEAR(m.PincMin, 2550, 1e-9);
    EXPECT_NEAR(m.PreflMin, 2550, 1e-9);
    EXPECT_EQ(m.PloadMin, 0.0);
}

TEST(Transmission, TwoFullReflectionsInPhaseStoreInfinityAndGoOn)
{
    TModel m = Defaults();
    m.SrcRfl = TRefl{1, 0, 0, 0, 0};
    m.LoaRfl = TRefl{1, 0, 0, 0, 0};
    m.PloadMaxV = -123;  // must be overwritten: the run goes on
    CalcTransmission(m, false);
    EXPECT_EQ(m.Interf, kInfinity);
    EXPECT_EQ(m.InterfMax, kInfinity);
    EXPECT_EQ(m.TrGain, 0.0);
    EXPECT_EQ(m.Pinc, kInfinity);
    EXPECT_EQ(m.Pload, 0.0);
    // infinite readings on both couplers: the absorbed bounds are no number
    EXPECT_EQ(m.PincMinV, kInfinity);
    EXPECT_EQ(m.PreflMinV, kInfinity);
    EXPECT_TRUE(std::isnan(m.PloadMinV) && std::isnan(m.PloadMaxV)) << m.PloadMinV << " " << m.PloadMaxV;
    EXPECT_EQ(m.PloadMinRelat, kInfinity);
}

TEST(Transmission, FullLoadReflection)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 1;
    CalcTransmission(m, false);
    EXPECT_EQ(m.LoaRfl.Mism, 0.0);
    EXPECT_EQ(m.TrGain, 0.0);
    EXPECT_EQ(m.TrGainMax, 0.0);
    EXPECT_EQ(m.Prefl, m.Pinc);
    EXPECT_EQ(m.PreflMin, m.PincMin);
    EXPECT_EQ(m.Pload, 0.0);
    EXPECT_EQ(m.PloadMax, 0.0);
    EXPECT_EQ(m.PloadMinRelat, kInfinity);
    EXPECT_EQ(m.PloadMaxRelat, kInfinity);
    EXPECT_LT(m.PloadMinV, 0.0);
}

TEST(Transmission, NoInputPowerGivesZeroPowers)
{
    for (int which = 0; which < 3; ++which) {
        TModel m = Defaults();
        if (which == 0) m.Va = 0;
        if (which == 1) m.Ia = 0;
        if (which == 2) m.Eff = 0;
        CalcTransmission(m, true);
        EXPECT_EQ(m.Pmatch, 0.0);
        EXPECT_EQ(m.Pav, 0.0);
        EXPECT_EQ(m.Pinc, 0.0);
        EXPECT_EQ(m.PloadMax, 0.0);
        EXPECT_EQ(m.PloadMinRelat, kInfinity);
    }
}

TEST(Transmission, AllZeroStateOfANewWindow)
{
    TModel m;
    CalcTransmission(m, false);
    EXPECT_EQ(m.SrcRfl.Mism, 1.0);
    EXPECT_EQ(m.LoaRfl.Mism, 1.0);
    EXPECT_EQ(m.Interf, 1.0);
    EXPECT_EQ(m.InterfMin, 1.0);
    EXPECT_EQ(m.InterfMax, 1.0);
    EXPECT_EQ(m.TrGain, 1.0);
    EXPECT_EQ(m.TrGainMin, 1.0);
    EXPECT_EQ(m.TrGainMax, 1.0);
    EXPECT_EQ(m.Pmatch, 0.0);
    EXPECT_EQ(m.Pav, 0.0);
    EXPECT_EQ(m.Pinc, 0.0);
    EXPECT_EQ(m.PloadMax, 0.0);
}

// The min/max over phases must bound every phase pair and be reached at a
// phase sum of 0 or 180 degrees; only the sum of the phases matters.
TEST(Physics, ActualValuesLieWithinTheBoundsOverAllPhases)
{
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<double> mag(0.0, 0.999);
    std::uniform_real_distribution<double> pha(-180.0, 180.0);
    for (int trial = 0; trial < 200; ++trial) {
        TModel m = Defaults();
        m.SrcRfl.Mag = mag(rng);
        m.LoaRfl.Mag = mag(rng);
        for (int k = 0; k < 20; ++k) {
            m.SrcRfl.Pha = pha(rng);
            m.LoaRfl.Pha = pha(rng);
            CalcTransmission(m, true);
            const double tol = 1e-9;
            EXPECT_GE(m.Interf, m.InterfMin * (1 - tol));
            EXPECT_LE(m.Interf, m.InterfMax * (1 + tol));
            EXPECT_GE(m.TrGain, m.TrGainMin * (1 - tol));
            EXPECT_LE(m.TrGain, m.TrGainMax * (1 + tol));
            EXPECT_GE(m.Pinc, m.PincMin * (1 - tol));
            EXPECT_LE(m.Pinc, m.PincMax * (1 + tol));
            EXPECT_GE(m.Pload, m.PloadMin * (1 - tol));
            EXPECT_LE(m.Pload, m.PloadMax * (1 + tol));
            EXPECT_GE(m.Prefl, m.PreflMin * (1 - tol) - 1e-9);
            EXPECT_LE(m.Prefl, m.PreflMax * (1 + tol) + 1e-9);
            // independent of the model's own formula: Pinc = Pmatch / |1 - Gs Gl|^2
            const double ang = (m.SrcRfl.Pha + m.LoaRfl.Pha) * 3.14159265358979323846 / 180;
            const double r = m.SrcRfl.Mag * m.LoaRfl.Mag;
            const double den = 1 - 2 * r * std::cos(ang) + r * r;
            EXPECT_NEAR(m.Pinc, m.Pmatch / den, 1e-9 * m.Pmatch / den);
        }
        const double sum = pha(rng);
        m.SrcRfl.Pha = sum / 2;
        m.LoaRfl.Pha = -sum / 2;  // sum 0: in phase, the maximum
        CalcTransmission(m, true);
        EXPECT_NEAR(m.Interf, m.InterfMax, 1e-9 * m.InterfMax);
        EXPECT_NEAR(m.Pload, m.PloadMax, 1e-9 * m.PloadMax + 1e-9);
        m.SrcRfl.Pha = sum;
        m.LoaRfl.Pha = 180 - sum;  // sum 180: in anti-phase, the minimum
        CalcTransmission(m, true);
        EXPECT_NEAR(m.Interf, m.InterfMin, 1e-9);
        EXPECT_NEAR(m.Pinc, m.PincMin, 1e-9 * m.PincMin + 1e-9);
    }
}

TEST(Physics, OnlyThePhaseSumMatters)
{
    TModel a = Defaults(), b = Defaults();
    a.SrcRfl.Pha = 0;
    a.LoaRfl.Pha = 90;
    b.SrcRfl.Pha = 45;
    b.LoaRfl.Pha = 45;
    CalcTransmission(a, false);
    CalcTransmission(b, false);
    EXPECT_NEAR(a.Interf, b.Interf, 1e-14);
    EXPECT_NEAR(a.Pload, b.Pload, 1e-9);
    EXPECT_NEAR(a.PloadMinV, b.PloadMinV, 1e-9);
}

// While the leak is no larger than the reflection (D <= |Gl|), the readings
// bracket the true values.
TEST(Physics, CouplerReadingsBracketTheTruth)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mag(0.1, 0.99), dir(20, 60);
    for (int i = 0; i < 500; ++i) {
        TModel m = Defaults();
        m.LoaRfl.Mag = mag(rng);
        m.CplDirDb = dir(rng);
        CalcTransmission(m, false);
        EXPECT_LE(m.PincMinV, m.Pinc);
        EXPECT_GE(m.PincMaxV, m.Pinc);
        EXPECT_LE(m.PloadMinV, m.Pload * (1 + 1e-12));
        EXPECT_GE(m.PloadMaxV, m.Pload * (1 - 1e-12));
        EXPECT_LE(m.MeaMin.Mag, m.LoaRfl.Mag);
        EXPECT_GE(m.MeaMax.Mag, m.LoaRfl.Mag);
        EXPECT_GE(m.MeaMin.Mag, 0.0);
    }
}

}  // namespace
}  // namespace merivane
