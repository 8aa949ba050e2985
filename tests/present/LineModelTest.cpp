// SPDX-License-Identifier: GPL-3.0-or-later
// One model of the case's lossy line: every part of the snapshot shows the
// powers at the load through the line, and without a loss the snapshot's
// model is the plain lossless one, bit for bit.
#include "CaseModel.h"
#include "Fields.h"
#include "GuideInputs.h"
#include "Smith.h"
#include "Transmission.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace merivane::present {
namespace {

// 4000 V, 3 A, 85 %, source 0.2 at 0 deg, load SWR 2.5 at 90 deg, WR340 at
// 2450 MHz, 20 m of line at an entered 1 dB/m.
TCase LossyCase()
{
    TCase c = DefaultCase();
    c.inputs.Va = 4000;
    c.inputs.Ia = 3;
    c.inputs.Eff = 0.85;
    c.inputs.SrcRfl = TRefl{0.2, 0, 20 * std::log10(0.2), 1.5, 0};
    c.inputs.LoaRfl = TRefl{1.5 / 3.5, 90, 20 * std::log10(1.5 / 3.5), 2.5, 0};
    c.line.Line = LineType::WR340;
    c.line.FreqMHz = 2450;
    c.line.LengthM = 20;
    c.guide.loss = LossSource::Entered;
    c.guide.lossDbPerM = 1;
    return c;
}

// By hand: Pmatch = 4000 * 3 * 0.85 = 10200 W; |Gl| = 1.5 / 3.5 = 3/7; 20 dB
// each way, e^(-2 alpha L) = 0.01; Gs Gin = 0.2 * 3/7 * 0.01 = 6/7000 at
// 90 deg, |1 - Gs Gin|^2 = 1 + (6/7000)^2. The load takes
// 10200 * 0.01 * (1 - 9/49) / (1 + (6/7000)^2) = 83.2652 W.
const double kAbsorbedW = 10200 * 0.01 * (40.0 / 49) / (1 + (6 / 7000.0) * (6 / 7000.0));

TEST(LineModel, EveryPartShowsThePowerAbsorbedThroughTheLine)
{
    TCase c = LossyCase();
    c.tube.measurement.waterFlowLpm = 1;
    c.tube.measurement.waterRiseK = 1.2;
    const TSnapshot s = ComputeCase(c, 36);
    EXPECT_NEAR(kAbsorbedW, 83.27, 0.005);
    EXPECT_NEAR(s.m.Pload, kAbsorbedW, 1e-9);
    EXPECT_NEAR(s.m.Pinc, 102 / (1 + (6 / 7000.0) * (6 / 7000.0)), 1e-9);
    // the guide's record, the sweep at the present length and the tube's water load
    EXPECT_NEAR(s.guide.loss.PassFactor, 0.01, 1e-15);
    EXPECT_EQ(s.guide.loss.AbsorbedW, s.m.Pload);
    EXPECT_EQ(s.sweep.AtZero.Pload, s.m.Pload);
    EXPECT_EQ(s.sweep.AtZero.PloadMinV, s.m.PloadMinV);
    // 0.998 kg/L * 4182 J/(kg K) * 1 L/min / 60 * 1.2 K = 83.4707 W of water
    const double water = 0.998 * 4182 / 60 * 1.2;
    ASSERT_TRUE(s.tube.calorimetry.DifferenceDefined);
    EXPECT_NEAR(s.tube.calorimetry.DifferenceDb, 10 * std::log10(water / kAbsorbedW), 1e-9);
    // the Smith chart's readout at the load itself
    const smith::TLocus locus = smith::CalcLocus(s.m.LoaRfl, s.sweep, 36);
    const smith::TPointReading at = smith::ReadPoint(smith::ToGamma(s.m.LoaRfl), s.m, locus);
    EXPECT_NEAR(at.absorbedW, kAbsorbedW, 1e-6);
    // the tube sees |Gl| e^(-2 alpha L) = 3/700
    EXPECT_NEAR(s.tube.seen.Mag, 3 / 700.0, 1e-15);
    // the note of the Transmission page
    EXPECT_EQ(LineLossNote(s.guide.loss), "includes 20.0 dB of line loss each way");
}

TEST(LineModel, TheLossyLineSettlesTheLongLineOnOneFrequency)
{
    TCase c = LossyCase();
    c.tube.magnetron.pullingMHz = 20;
    const TSnapshot lossy = ComputeCase(c, 0);
    TCase plain = c;
    plain.guide.loss = LossSource::None;
    const TSnapshot lossless = ComputeCase(plain, 0);
    ASSERT_TRUE(lossy.tube.magnetron.LongLine.Defined);
    EXPECT_EQ(lossy.tube.magnetron.LongLine.FrequenciesMHz.size(), 1u);
    EXPECT_GT(lossless.tube.magnetron.LongLine.FrequenciesMHz.size(), 1u);
    EXPECT_EQ(LineLossNote(lossless.guide.loss), "");
}

struct TPlain {
    const char* name;
    double gs, gsPha, gl, glPha;
    double dirDb;  // below 0: ideal couplers
    LossSource loss;
    double dbPerM, lengthM;
};

class LosslessCase : public ::testing::TestWithParam<TPlain> {};

TEST_P(LosslessCase, EveryFieldIsThePlainModelsBitForBit)
{
    const TPlain& t = GetParam();
    TCase c = DefaultCase();
    c.inputs.SrcRfl = TRefl{t.gs, t.gsPha, 0, 0, 0};
    c.inputs.LoaRfl = TRefl{t.gl, t.glPha, 0, 0, 0};
    c.inputs.CplDirDb = t.dirDb < 0 ? 20 : t.dirDb;
    c.ideal = t.dirDb < 0;
    c.guide.loss = t.loss;
    c.guide.lossDbPerM = t.dbPerM;
    c.line.LengthM = t.lengthM;
    const TSnapshot s = ComputeCase(c, 0);
    TModel plain;
    static_cast<TInputs&>(plain) = c.inputs;
    plain.SelUnit = c.factorUnit;
    plain.SelErrUnit = c.measUnit;
    CalcTransmission(plain, c.ideal);
    for (const TFieldSpec& f : ModelFields())
        EXPECT_EQ(std::bit_cast<std::uint64_t>(f.value(s.m)), std::bit_cast<std::uint64_t>(f.value(plain))) << f.name;
    EXPECT_EQ(s.guide.loss.PassFactor, 1.0);
}

const TPlain kPlain[] = {
    {"default_no_loss_mode", 0.2, 0, 0.5, 90, -1, LossSource::None, 0, 10},
    {"entered_zero_db_per_m", 0.6, -35, 0.8, 170, 20, LossSource::Entered, 0, 10},
    {"a_loss_on_a_line_of_no_length", 0.3, 10, 0.9, 45, 30, LossSource::Entered, 2, 0},
    {"full_source_near_full_load", 1.0, 0, 0.99999999996, 0, 20, LossSource::None, 0, 5},
    {"matched_load", 0.5, 120, 0.0, 0, -1, LossSource::Entered, 0, 3},
};

INSTANTIATE_TEST_SUITE_P(LineModel, LosslessCase, ::testing::ValuesIn(kPlain), ROW_NAMES(std::string(r.name)));

}  // namespace
}  // namespace merivane::present
