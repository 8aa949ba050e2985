// SPDX-License-Identifier: GPL-3.0-or-later
// The model with the case's line between the magnetron and the load: hand
// examples of the powers at the load, the interference the tube sees, and the
// couplers at the load.
#include "ModelCases.h"
#include "Transmission.h"

#include "RowNames.h"

#include <gtest/gtest.h>

namespace merivane {
namespace {

struct TLossyHand {
    const char* name;
    double gs, gsPha, gl, glPha, pass;
    double interf, interfMax;  // by hand: 1 / |1 - Gs Gl e^(-2 alpha L)|^2 and 1 / (1 - r)^2
    double pinc, prefl, pload;  // at the load
};

class LossyModel : public ::testing::TestWithParam<TLossyHand> {};

TEST_P(LossyModel, PowersAtTheLoadByHand)
{
    const TLossyHand& t = GetParam();
    TModel m = testcases::Defaults();
    m.SrcRfl.Mag = t.gs;
    m.SrcRfl.Pha = t.gsPha;
    m.LoaRfl.Mag = t.gl;
    m.LoaRfl.Pha = t.glPha;
    CalcTransmission(m, false, t.pass);
    EXPECT_NEAR(m.Interf, t.interf, 1e-12);
    EXPECT_NEAR(m.InterfMax, t.interfMax, 1e-12);
    EXPECT_NEAR(m.Pinc, t.pinc, 1e-9 * t.pinc);
    EXPECT_NEAR(m.Prefl, t.prefl, 1e-9 * t.pinc);
    EXPECT_NEAR(m.Pload, t.pload, 1e-9 * t.pinc);
    // the line leaves the available power and the load's own mismatch alone
    EXPECT_NEAR(m.Pav, 10200 / (1 - t.gs * t.gs), 1e-9);
    EXPECT_NEAR(m.LoaRfl.Mism, 1 - t.gl * t.gl, 1e-15);
    // Gt = Pload / Pav
    EXPECT_NEAR(m.TrGain, t.pload / m.Pav, 1e-12);
    // the couplers at the load: a 20 dB coupler (d = 0.1) on |Gl|
    const double d = 0.1, g = t.gl;
    EXPECT_NEAR(m.PincMinV, t.pinc * (1 - d * g) * (1 - d * g), 1e-9 * t.pinc);
    EXPECT_NEAR(m.PreflMaxV, t.pinc * (g + d) * (g + d), 1e-9 * t.pinc);
    EXPECT_NEAR(m.PloadMinV, t.pinc * ((1 - d * g) * (1 - d * g) - (g + d) * (g + d)), 1e-9 * t.pinc);
    // ideal couplers read the true powers exactly: their errors are 0, not
    // a rounding's 2e-13 W
    CalcTransmission(m, true, t.pass);
    EXPECT_EQ(m.PincMinV - m.Pinc, 0.0);
    EXPECT_EQ(m.PincMaxV - m.Pinc, 0.0);
    EXPECT_EQ(m.PreflMaxV - m.Prefl, 0.0);
    EXPECT_EQ(m.PloadMinV - m.Pload, 0.0);
    EXPECT_EQ(m.PloadMaxV - m.Pload, 0.0);
}

// Pmatch = 4000 V * 3 A * 0.85 = 10200 W throughout.
const TLossyHand kHand[] = {
    // SWR 2.5: |Gl| = 1.5 / 3.5 = 3/7; 20 m at 1 dB/m is 20 dB each way, a pass
    // of 0.01. Gs Gin = 0.2 * 3/7 * 0.01 = 6/7000 at 90 deg: |1 - j 6/7000|^2 =
    // 1 + 36/49e6. 102 W reach the load over that; it takes 40/49 of them:
    // 83.2652 W, and reflects 9/49.
    {"swr_2_5_at_90_through_20_db", 0.2, 0, 3.0 / 7, 90, 0.01, 1 / (1 + 36 / 49e6), 1 / ((1 - 6 / 7000.0) * (1 - 6 / 7000.0)),
     102 / (1 + 36 / 49e6), 102 * 9.0 / 49 / (1 + 36 / 49e6), 102 * 40.0 / 49 / (1 + 36 / 49e6)},
    // 3 dB each way: Gs Gin = 0.5 * 0.5 * 0.5 = 0.125 in phase, F = 1 / 0.875^2;
    // 5100 / 0.765625 = 6661.22 W reach the load, a quarter comes back
    {"half_and_half_in_phase_3_db", 0.5, 0, 0.5, 0, 0.5, 1 / 0.765625, 1 / 0.765625, 5100 / 0.765625,
     1275 / 0.765625, 3825 / 0.765625},
    // against each other: Gs Gin = -0.125, F = 1 / 1.125^2
    {"half_and_half_in_antiphase_3_db", 0.5, 90, 0.5, 90, 0.5, 1 / 1.265625, 1 / 0.765625, 5100 / 1.265625,
     1275 / 1.265625, 3825 / 1.265625},
    // a matched source: no interference, 10 dB each way
    {"matched_source_10_db", 0.0, 0, 0.8, 45, 0.1, 1, 1, 1020, 1020 * 0.64, 1020 * 0.36},
};

INSTANTIATE_TEST_SUITE_P(Transmission, LossyModel, ::testing::ValuesIn(kHand), ROW_NAMES(std::string(r.name)));

TEST(Transmission, AModelComputedAgainTakesTheLossOnce)
{
    // only the inputs are read: a second run with the same pass changes nothing
    TModel m = testcases::Defaults();
    CalcTransmission(m, false, 0.25);
    const TModel once = m;
    CalcTransmission(m, false, 0.25);
    EXPECT_EQ(m.Pload, once.Pload);
    EXPECT_EQ(m.PloadMinV, once.PloadMinV);
    // and a run without the loss gives the lossless model back
    TModel plain = testcases::Defaults();
    CalcTransmission(plain, false);
    CalcTransmission(m, false);
    EXPECT_EQ(m.Pload, plain.Pload);
}

}  // namespace
}  // namespace merivane
