// The coupler-measurement model: worked example, edge cases and sentinels.
#include "CouplerMeas.h"
#include "ModelCases.h"
#include "Transmission.h"

#include "Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace merivane {
namespace {

using testcases::Defaults;

TEST(CouplerMeas, WorkedExampleWithATwentyDbCoupler)
{
    TModel m = Defaults();
    CalcTransmission(m, false);
    EXPECT_FALSE(m.CplIdeal);
    EXPECT_NEAR(m.ErrInciMinus, 0.9025, 1e-15);
    EXPECT_NEAR(m.ErrInciPlus, 1.1025, 1e-15);
    EXPECT_NEAR(m.PincMinV, 9114.36, 5e-3);
    EXPECT_NEAR(m.PincMaxV, 11134.16, 5e-3);
    EXPECT_NEAR(m.PreflMinV, 1615.84, 5e-3);
    EXPECT_NEAR(m.PreflMaxV, 3635.64, 5e-3);
    EXPECT_NEAR(m.ErrReflMinus, 0.64, 1e-14);
    EXPECT_NEAR(m.ErrReflPlus, 1.44, 1e-14);
    EXPECT_NEAR(m.PloadMinV, 5478.71, 5e-3);
    EXPECT_NEAR(m.PloadMaxV, 9518.32, 5e-3);
    EXPECT_NEAR(m.PloadMinRelat, 0.723333, 5e-7);
    EXPECT_NEAR(m.PloadMaxRelat, 1.256667, 5e-7);
    EXPECT_NEAR(m.MeaMin.Mag, 0.4 / 1.05, 1e-15);
    EXPECT_NEAR(m.MeaMin.Rloss, -8.38, 5e-3);
    EXPECT_NEAR(m.MeaMin.Swr, 2.230769, 5e-7);
    EXPECT_NEAR(m.MeaMax.Mag, 0.6 / 0.95, 1e-15);
    EXPECT_NEAR(m.MeaMax.Rloss, -3.99, 5e-3);
    EXPECT_NEAR(m.MeaMax.Swr, 4.428571, 5e-7);
    // the couplers read no phase; the readings' mismatch is 1 - |G|^2
    EXPECT_EQ(m.MeaMin.Pha, 0.0);
    EXPECT_NEAR(m.MeaMin.Mism, 1 - (0.4 / 1.05) * (0.4 / 1.05), 1e-15);
    EXPECT_NEAR(m.MeaMax.Mism, 1 - (0.6 / 0.95) * (0.6 / 0.95), 1e-15);
}

TEST(CouplerMeas, IdealCouplerReadsTheTruth)
{
    TModel m = Defaults();
    CalcTransmission(m, true);
    EXPECT_TRUE(m.CplIdeal);
    EXPECT_EQ(m.ErrInciMinus, 1.0);
    EXPECT_EQ(m.ErrInciPlus, 1.0);
    EXPECT_EQ(m.ErrReflMinus, 1.0);
    EXPECT_EQ(m.ErrReflPlus, 1.0);
    EXPECT_EQ(m.PincMinV, m.Pinc);
    EXPECT_EQ(m.PincMaxV, m.Pinc);
    EXPECT_EQ(m.PreflMinV, m.PreflMaxV);
    EXPECT_NEAR(m.PreflMinV, m.Prefl, 1e-9);
    EXPECT_EQ(m.PloadMinV, m.PloadMaxV);
    EXPECT_NEAR(m.PloadMinRelat, 1.0, 1e-15);
    EXPECT_NEAR(m.PloadMaxRelat, 1.0, 1e-15);
    EXPECT_EQ(m.MeaMin.Mag, 0.5);
    EXPECT_EQ(m.MeaMax.Mag, 0.5);
    EXPECT_EQ(m.MeaMin.Swr, MagToSwr(0.5));
    EXPECT_EQ(m.MeaMax.Rloss, MagToDb(0.5));
}

TEST(CouplerMeas, MatchedLoadWithARealCoupler)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 0;
    CalcTransmission(m, false);
    const double d = 0.1;
    EXPECT_EQ(m.ErrInciMinus, 1.0);
    EXPECT_EQ(m.ErrInciPlus, 1.0);
    EXPECT_NEAR(m.PreflMinV, m.Pinc * d * d, 1e-9);
    EXPECT_EQ(m.PreflMinV, m.PreflMaxV);
    EXPECT_EQ(m.ErrReflMinus, kInfinity);
    EXPECT_EQ(m.ErrReflPlus, kInfinity);
    // the lowest reading is the leak itself, never a negative magnitude
    EXPECT_NEAR(m.MeaMin.Mag, d, 1e-15);
    EXPECT_NEAR(m.MeaMin.Rloss, -20.0, 1e-12);
    EXPECT_NEAR(m.MeaMin.Swr, 1.1 / 0.9, 1e-14);
    EXPECT_NEAR(m.MeaMax.Mag, d, 1e-15);
}

TEST(CouplerMeas, MatchedLoadWithAnIdealCoupler)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 0;
    CalcTransmission(m, true);
    EXPECT_EQ(m.ErrReflMinus, kInfinity);
    EXPECT_EQ(m.ErrReflPlus, kInfinity);
    EXPECT_EQ(m.MeaMin.Mag, 0.0);
    EXPECT_EQ(m.MeaMax.Mag, 0.0);
    EXPECT_EQ(m.MeaMin.Rloss, -160.0);
    EXPECT_EQ(m.MeaMax.Rloss, -160.0);
    EXPECT_EQ(m.MeaMin.Swr, 1.0);
    EXPECT_EQ(m.MeaMax.Swr, 1.0);
}

TEST(CouplerMeas, LeakLargerThanTheReflectionGivesAPositiveLowestMagnitude)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 0.05;
    CalcTransmission(m, false);
    // |0.05 - 0.1| / (1 + 0.005)
    EXPECT_NEAR(m.MeaMin.Mag, 0.05 / 1.005, 1e-15);
    EXPECT_NEAR(m.MeaMin.Mag, 0.049751, 5e-7);
    EXPECT_NEAR(m.MeaMin.Rloss, -26.06, 5e-3);
    EXPECT_NEAR(m.MeaMin.Swr, 1.1047, 5e-5);
    EXPECT_NEAR(m.ErrReflMinus, 1.0, 1e-12);
    EXPECT_NEAR(m.ErrReflPlus, 9.0, 1e-12);
    // it agrees with the reflected-power reading Pinc (|Gl| - D)^2
    EXPECT_NEAR(m.PreflMinV, m.Pinc * 0.05 * 0.05, 1e-9);
}

TEST(CouplerMeas, ReportedMagnitudeAboveOne)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 0.9;
    CalcTransmission(m, false);
    EXPECT_NEAR(m.MeaMax.Mag, 1.0 / 0.91, 1e-14);
    EXPECT_NEAR(m.MeaMax.Rloss, 0.82, 5e-3);
    // a reading above 1 has no finite SWR
    EXPECT_EQ(m.MeaMax.Swr, kInfinity);
}

// SWR = (1 + |G|) / (1 - |G|) has no finite value for a reading of 1 or more.
struct TReadingCase {
    const char* name;
    double loaMag, dirDb;
    double meaMax;  // (|Gl| + D) / (1 - D |Gl|), by hand
    bool infinite;
};

class HighestReading : public ::testing::TestWithParam<TReadingCase> {};

TEST_P(HighestReading, HasAFiniteSwrOnlyBelowOne)
{
    const TReadingCase& c = GetParam();
    TModel m = Defaults();
    m.LoaRfl.Mag = c.loaMag;
    m.CplDirDb = c.dirDb;
    CalcTransmission(m, c.dirDb < 0);
    EXPECT_NEAR(m.MeaMax.Mag, c.meaMax, 1e-4);
    if (c.infinite) {
        EXPECT_EQ(m.MeaMax.Swr, kInfinity);
    } else {
        EXPECT_NEAR(m.MeaMax.Swr, (1 + c.meaMax) / (1 - c.meaMax), 1e-3 * m.MeaMax.Swr);
        // the reported SWR is at least the load's own
        EXPECT_GE(m.MeaMax.Swr, (1 + c.loaMag) / (1 - c.loaMag) - 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CouplerMeas, HighestReading,
    ::testing::Values(
        // D = 10^(-10/20) = 0.316228: (0.8 + 0.316228) / (1 - 0.252982) = 1.494245, above 1
        TReadingCase{"load_0_8_with_10_dB", 0.8, 10, 1.494245, true},
        // (0.9 + 0.1) / (1 - 0.09) = 1.098901
        TReadingCase{"load_0_9_with_20_dB", 0.9, 20, 1.098901, true},
        // an ideal coupler on a full reflection reads exactly 1
        TReadingCase{"full_load_ideal", 1.0, -1, 1.0, true},
        // (0.5 + 0.1) / 0.95 = 0.631579: SWR 4.428571
        TReadingCase{"worked_example", 0.5, 20, 0.631579, false},
        // (0.8 + 0.01) / (1 - 0.008) = 0.816532
        TReadingCase{"load_0_8_with_40_dB", 0.8, 40, 0.816532, false}),
    [](const ::testing::TestParamInfo<TReadingCase>& i) { return std::string(i.param.name); });

TEST(CouplerMeas, ZeroDbCouplerOnAFullReflectionStoresInfinityAndGoesOn)
{
    TModel m = Defaults();
    m.LoaRfl.Mag = 1;
    m.CplDirDb = 0;  // D = 1
    m.MeaMax.Swr = -5;
    CalcTransmission(m, false);
    EXPECT_EQ(m.MeaMin.Mag, 0.0);
    EXPECT_EQ(m.MeaMax.Mag, kInfinity);
    // infinite in every representation, not 320 dB and a perfect match
    EXPECT_EQ(m.MeaMax.Rloss, kInfinity);
    EXPECT_EQ(m.MeaMax.Swr, kInfinity);  // written, not left over
    EXPECT_EQ(m.PloadMinRelat, kInfinity);
    // a finite reading next time derives both again
    m.CplDirDb = 20;
    CalcTransmission(m, false);
    EXPECT_NEAR(m.MeaMax.Mag, 1.1 / 0.9, 1e-15);
    EXPECT_NEAR(m.MeaMax.Rloss, 20 * std::log10(1.1 / 0.9), 1e-12);
    EXPECT_EQ(m.MeaMax.Swr, kInfinity);  // 1.1 / 0.9 is above 1
}

TEST(CouplerMeas, RecomputesFromStoredFieldsOnly)
{
    TModel m = Defaults();
    CalcTransmission(m, true);
    const double pinc = m.Pinc;
    m.Va = 1;  // an input change alone does not reach the coupler model
    CalcCouplerMeas(m, false);
    EXPECT_EQ(m.Pinc, pinc);
    EXPECT_NEAR(m.PincMinV, pinc * 0.9025, 1e-9);
}

TEST(CouplerMeas, DirectivityFactor)
{
    EXPECT_EQ(DirectivityFactor(0), 1.0);
    EXPECT_NEAR(DirectivityFactor(20), 0.1, 1e-16);
    EXPECT_NEAR(DirectivityFactor(160), 1e-8, 1e-22);
}

}  // namespace
}  // namespace merivane
