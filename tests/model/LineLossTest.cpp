// SPDX-License-Identifier: GPL-3.0-or-later
// The line's loss: a hand example, the energy balance, zero loss changing
// nothing, the attenuation in force; and the power after the match.
#include "LineLoss.h"
#include "ModelCases.h"
#include "Transmission.h"
#include "Tuner.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace merivane {
namespace {

struct TSetup {
    const char* name;
    double src, srcPha, loa, loaPha;
    double dbPerM, lengthM;
};

TModel Computed(const TSetup& s)
{
    TModel m = testcases::Defaults();
    m.SrcRfl.Mag = s.src;
    m.SrcRfl.Pha = s.srcPha;
    m.LoaRfl.Mag = s.loa;
    m.LoaRfl.Pha = s.loaPha;
    CalcTransmission(m, false);
    return m;
}

TEST(LineLoss, HalfThePowerOverOneMetre)
{
    // 10 log10 2 dB/m over 1 m: e^(-2 alpha L) = 1/2. Gs = 0, Gl = 0.5,
    // Pinc = 10200 W: the source end sees 0.25, the load gets 5100 W forward
    // and takes 0.75 of it; the line loses 10200 (1/2) (1 + 0.25/2).
    const TModel m = Computed({"", 0.0, 0, 0.5, 90, 0, 0});
    const TLineLoss l = CalcLineLoss(m, 10 * std::log10(2.0), 1.0);
    EXPECT_NEAR(l.PassFactor, 0.5, 1e-15);
    EXPECT_NEAR(l.SourceEndReflMag, 0.25, 1e-15);
    EXPECT_NEAR(l.AtSource.LoaRfl.Pha, 90, 0);
    EXPECT_NEAR(l.ForwardAtSourceW, 10200, 1e-9);
    EXPECT_NEAR(l.ForwardAtLoadW, 5100, 1e-9);
    EXPECT_NEAR(l.AbsorbedW, 3825, 1e-9);
    EXPECT_NEAR(l.NetInW, 10200 * (1 - 0.0625), 1e-9);
    EXPECT_NEAR(l.LineLossW, 5737.5, 1e-9);
    EXPECT_NEAR(l.AtSource.LoaRfl.Swr, 1.25 / 0.75, 1e-12);
}

class LossySetups : public ::testing::TestWithParam<TSetup> {};

TEST_P(LossySetups, WhatEntersIsTakenOrLost)
{
    const TSetup& s = GetParam();
    const TLineLoss l = CalcLineLoss(Computed(s), s.dbPerM, s.lengthM);
    EXPECT_NEAR(l.NetInW, l.AbsorbedW + l.LineLossW, 1e-9 * l.NetInW);
    EXPECT_GE(l.LineLossW, 0.0);
    EXPECT_NEAR(l.SourceEndReflMag, s.loa * std::pow(10.0, -2 * s.dbPerM * s.lengthM / 20), 1e-15);
}

TEST_P(LossySetups, ZeroLossChangesNothing)
{
    const TSetup& s = GetParam();
    const TModel m = Computed(s);
    for (const auto& [db, len] : {std::pair{0.0, s.lengthM}, std::pair{s.dbPerM, 0.0}}) {
        const TLineLoss l = CalcLineLoss(m, db, len);
        EXPECT_EQ(std::memcmp(&l.AtSource, &m, sizeof m), 0);
        EXPECT_EQ(l.AbsorbedW, m.Pload);
        EXPECT_EQ(l.ForwardAtSourceW, m.Pinc);
        EXPECT_EQ(l.ForwardAtLoadW, m.Pinc);
        EXPECT_EQ(l.SourceEndReflMag, m.LoaRfl.Mag);
        EXPECT_EQ(l.LineLossW, 0.0);
    }
}

const TSetup kSetups[] = {
    {"worked_example_10m_copper", 0.2, 0, 0.5, 90, 0.01466, 10},
    {"strong_mismatch", 0.6, -35, 0.8, 170, 0.5, 3},
    {"matched_load", 0.35, 120, 0.0, 0, 0.2, 5},
    {"long_lossy_coax", 0.1, 40, 0.3, -150, 1.5, 20},
};

INSTANTIATE_TEST_SUITE_P(LineLoss, LossySetups, ::testing::ValuesIn(kSetups), ROW_NAMES(std::string(r.name)));

TEST(LineAttenuation, WhichFigureIsInForce)
{
    TSweepInputs wr340;
    TLineLossInputs in;
    EXPECT_STREQ(LineAttenuation(wr340, in).Status, kLossNone);
    in.Source = LossSource::Conductor;
    const TAttenuation copper = LineAttenuation(wr340, in);
    EXPECT_STREQ(copper.Status, kLossOk);
    EXPECT_NEAR(copper.DbPerM, 0.01466, 1e-5);
    in.Metal = Conductor::Brass;  // sqrt(5.813 / 2.564) times copper's
    EXPECT_NEAR(LineAttenuation(wr340, in).DbPerM, copper.DbPerM * std::sqrt(5.813 / 2.564), 1e-12);
    TSweepInputs coax;
    coax.Line = LineType::Coax;
    EXPECT_STREQ(LineAttenuation(coax, in).Status, kLossNeedsWaveguide);
    in.Source = LossSource::Entered;
    in.EnteredDbPerM = 0.3;
    EXPECT_NEAR(LineAttenuation(coax, in).NpPerM, 0.3 * std::log(10.0) / 20, 1e-15);
    in.EnteredDbPerM = -1;
    EXPECT_STREQ(LineAttenuation(coax, in).Status, kLossBadFigure);
}

TEST(AfterMatch, WorkedExampleGain)
{
    // Pmatch = 10200 W; now Pmatch (1 - 0.25) / |1 - 0.2 * j0.5|^2 = 10200 * 0.75 / 1.01.
    const TModel m = Computed({"", 0.2, 0, 0.5, 90, 0, 0});
    const TAfterMatch a = AfterMatch(m);
    EXPECT_NEAR(a.AbsorbedW, 10200 * 0.75 / 1.01, 1e-9);
    EXPECT_NEAR(a.MatchedAbsorbedW, 10200, 1e-9);
    EXPECT_NEAR(a.GainPercent, 100 * (1.01 / 0.75 - 1), 1e-9);
    EXPECT_NEAR(a.GainDb, 10 * std::log10(1.01 / 0.75), 1e-12);
    EXPECT_EQ(a.SeenReflMag, 0.0);
    EXPECT_EQ(a.SeenSwr, 1.0);
}

TEST(AfterMatch, TheResidualOfTheChosenSolutionIsWhatTheMagnetronSees)
{
    const TModel m = Computed({"", 0.2, 0, 0.4, 120, 0, 0});
    const cplx gl = LoadReflection(m.LoaRfl.Mag, m.LoaRfl.Pha);
    const TMatchResult r = SolveThreeStub(173.38, gl);
    const TAfterMatch a = AfterMatch(m, ResidualReflection(r, 0, gl));
    EXPECT_LT(a.SeenReflMag, 1e-12);
    EXPECT_EQ(a.SeenReturnLossDb, -160.0);
    // the unmatched load itself, as a residual, reads its own figures
    const TAfterMatch none = AfterMatch(m, gl);
    EXPECT_NEAR(none.SeenReflMag, 0.4, 1e-15);
    EXPECT_NEAR(none.SeenSwr, 1.4 / 0.6, 1e-12);
}

}  // namespace
}  // namespace merivane
