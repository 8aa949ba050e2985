// SPDX-License-Identifier: GPL-3.0-or-later
// The guide in the case: its defaults, the reference figures through the
// case's one computation, the line's loss in the sweep, no loss changing no
// bit, and the case file's section "guide" written and read back.
#include "CaseFile.h"
#include "CaseModel.h"
#include "Fields.h"
#include "InputValues.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

namespace {

using namespace merivane;
using namespace merivane::present;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Every number of two snapshots' models and sweeps, bit for bit.
void ExpectSameSnapshot(const TSnapshot& x, const TSnapshot& y)
{
    for (const TFieldSpec& f : ModelFields()) EXPECT_TRUE(SameBits(f.value(x.m), f.value(y.m))) << f.name;
    const auto samePoint = [](const TSweepPoint& a, const TSweepPoint& b) {
        return SameBits(a.Pinc, b.Pinc) && SameBits(a.Prefl, b.Prefl) && SameBits(a.Pload, b.Pload) &&
               SameBits(a.PloadMinV, b.PloadMinV) && SameBits(a.PloadMaxV, b.PloadMaxV);
    };
    EXPECT_TRUE(samePoint(x.sweep.AtZero, y.sweep.AtZero));
    EXPECT_TRUE(samePoint(x.sweep.AtMax, y.sweep.AtMax));
    EXPECT_TRUE(samePoint(x.sweep.AtMin, y.sweep.AtMin));
    EXPECT_TRUE(SameBits(x.sweep.Stats.Mean, y.sweep.Stats.Mean));
    EXPECT_TRUE(SameBits(x.sweep.Stats.Deviation, y.sweep.Stats.Deviation));
    EXPECT_TRUE(SameBits(x.sweep.Stats.Low, y.sweep.Stats.Low));
    EXPECT_TRUE(SameBits(x.sweep.Stats.High, y.sweep.Stats.High));
    ASSERT_EQ(x.sweep.Points.size(), y.sweep.Points.size());
    for (std::size_t i = 0; i < x.sweep.Points.size(); ++i)
        EXPECT_TRUE(samePoint(x.sweep.Points[i], y.sweep.Points[i])) << i;
}

TEST(GuideCase, DefaultsComeFromTheTable)
{
    const TCase c = DefaultCase();
    EXPECT_EQ(c.guide.loss, LossSource::None);
    EXPECT_EQ(c.guide.lossDbPerM, GuideRow(GuideInput::LossDbPerM).def);
    EXPECT_EQ(c.guide.breakdownKvPerM, GuideRow(GuideInput::BreakdownKvPerM).def);
    EXPECT_EQ(c.guide.breakdownKvPerM, 3000.0);  // 3 MV/m, dry air at sea level
    EXPECT_EQ(c.guide.heightMm, GuideRow(GuideInput::HeightMm).def);
    TCase other = c;
    other.guide.metal = Conductor::Brass;
    EXPECT_FALSE(c == other);
}

// A magnetron of powerW into a matched load: Va 10 kV, efficiency 100 %.
TCase Delivering(double powerW, LineType line, double fMHz)
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::AnodeV, 10000);
    SetFieldValue(c.inputs, Input::AnodeI, powerW / 10000);
    SetFieldValue(c.inputs, Input::Effic, 100);  // in percent, as the field
    SetFieldValue(c.inputs, Input::LoaMag, 0);
    c.line.Line = line;
    c.line.FreqMHz = fMHz;
    return c;
}

TEST(GuideCase, ReferenceFiguresOfThePeakField)
{
    // sqrt(4 * 533.8 ohm * 1000 W / (0.08636 m * 0.04318 m)) = 23.93 kV/m;
    // sqrt(4 * 502.3 ohm * 75000 W / (0.24765 m * 0.123825 m)) = 70.10 kV/m
    const TSnapshot a = ComputeCase(Delivering(1000, LineType::WR340, 2450), 0);
    EXPECT_NEAR(a.guide.load.PeakFieldKvPerM, 23.93, 0.005);
    EXPECT_NEAR(a.guide.load.BreakdownMargin, 3000 / 23.93, 0.01);
    const TSnapshot b = ComputeCase(Delivering(75000, LineType::WR975, 915), 0);
    EXPECT_NEAR(b.guide.load.PeakFieldKvPerM, 70.10, 0.005);
}

TEST(GuideCase, CopperWr340OverTenMetres)
{
    // alpha = 1.6875e-3 Np/m = 0.014657 dB/m; over 10 m e^(-2 alpha L) =
    // e^(-0.03375) = 0.966813. The default case (Pmatch 10200 W, Gs 0.2@0,
    // Gl 0.5@90): the source end sees 0.5 * 0.966813.
    TCase c = DefaultCase();
    c.line.LengthM = 10;
    c.guide.loss = LossSource::Conductor;
    const TSnapshot s = ComputeCase(c, 0);
    EXPECT_STREQ(s.guide.attenuation.Status, kLossOk);
    EXPECT_NEAR(s.guide.attenuation.DbPerM, 0.0146572, 1e-6);
    EXPECT_NEAR(s.guide.loss.PassFactor, 0.966813, 1e-6);
    EXPECT_NEAR(s.guide.loss.SourceEndReflMag, 0.5 * 0.966813, 1e-6);
    EXPECT_NEAR(s.guide.loss.NetInW, s.guide.loss.AbsorbedW + s.guide.loss.LineLossW, 1e-9);
    EXPECT_GT(s.guide.loss.LineLossW, 0);
    // the sweep takes the loss: at the present length the load takes what the record says
    EXPECT_NEAR(s.sweep.AtZero.Pload, s.guide.loss.AbsorbedW, 1e-9);
    // and so does the model itself: one figure for the absorbed power
    EXPECT_EQ(s.sweep.AtZero.Pload, s.m.Pload);
    // the field is bounded with the forward wave at the source end and the load's |Gl|
    EXPECT_NEAR(s.guide.load.PeakFieldKvPerM,
                PeakFieldVPerM(s.guide.loss.ForwardAtSourceW, 0.5, 86.36, 43.18, 2450) / 1000, 1e-9);
}

TEST(GuideCase, CoaxTakesAnEnteredLossButNoConductor)
{
    TCase c = DefaultCase();
    c.line.Line = LineType::Coax;
    c.line.LengthM = 1;
    c.guide.loss = LossSource::Conductor;
    EXPECT_STREQ(ComputeCase(c, 0).guide.attenuation.Status, kLossNeedsWaveguide);
    EXPECT_EQ(ComputeCase(c, 0).guide.loss.PassFactor, 1.0);
    c.guide.loss = LossSource::Entered;
    c.guide.lossDbPerM = 10 * std::log10(2.0) / 2;  // 1.505 dB/m
    const TSnapshot s = ComputeCase(c, 0);
    // a power ratio one way of 10^(-1.505 dB/m * 1 m / 10) = 2^(-1/2)
    EXPECT_NEAR(s.guide.loss.PassFactor, 1 / std::sqrt(2.0), 1e-15);
    EXPECT_STREQ(s.guide.load.Status, kGuideNotWaveguide);
}

struct TNoLoss {
    const char* name;
    std::function<void(TCase&)> make;
};

class NoLoss : public ::testing::TestWithParam<TNoLoss> {};

TEST_P(NoLoss, EveryResultIsTheLosslessCasesBitForBit)
{
    TCase lossless = DefaultCase();
    lossless.line.LengthM = 7.5;
    lossless.line.SpanMHz = 10;
    lossless.ideal = false;
    TCase c = lossless;
    GetParam().make(c);
    const TSnapshot x = ComputeCase(lossless), y = ComputeCase(c);
    ExpectSameSnapshot(x, y);
    EXPECT_EQ(y.guide.loss.LineLossW, 0.0);
    EXPECT_EQ(y.guide.loss.AbsorbedW, x.m.Pload);
    // and the lossless sweep is the model's own at the present length
    EXPECT_EQ(y.sweep.AtZero.Pload, x.m.Pload);
    EXPECT_EQ(y.sweep.AtZero.Pinc, x.m.Pinc);
}

const TNoLoss kNoLoss[] = {
    {"no_loss_chosen", [](TCase&) {}},
    {"entered_zero", [](TCase& c) { c.guide.loss = LossSource::Entered; }},
    {"conductor_over_no_length", [](TCase& c) { c.guide.loss = LossSource::Conductor, c.line.LengthM = 0; }},
    {"a_figure_kept_while_no_loss_is_chosen", [](TCase& c) { c.guide.lossDbPerM = 3; }},
    {"conductor_on_coax", [](TCase& c) { c.line.Line = LineType::Coax, c.guide.loss = LossSource::Conductor; }},
};

INSTANTIATE_TEST_SUITE_P(GuideCase, NoLoss, ::testing::ValuesIn(kNoLoss), ROW_NAMES(std::string(r.name)));

TEST(GuideCaseFile, EveryChoiceReadsBack)
{
    for (const Conductor metal : {Conductor::Copper, Conductor::Aluminium, Conductor::Brass}) {
        for (const TLossModeName& mode : LossModeNames()) {
            TCase c = DefaultCase();
            c.guide.loss = mode.mode;
            c.guide.metal = metal;
            c.guide.lossDbPerM = 0.1 + 0.2;  // no short decimal text
            c.guide.breakdownKvPerM = 1234.5;
            c.guide.heightMm = 50.8;
            const TCaseReadResult r = ReadCaseFile(CaseFileText(c));
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_EQ(r.warning, "");
            EXPECT_TRUE(r.c == c) << mode.key << " " << ConductorKey(metal);
        }
    }
}

TEST(GuideCaseFile, TheSectionAsWritten)
{
    TCase c = DefaultCase();
    c.guide.loss = LossSource::Conductor;
    c.guide.metal = Conductor::Aluminium;
    const std::string text = CaseFileText(c);
    EXPECT_NE(text.find("\"guide\": {\n    \"loss\": \"conductor\",\n    \"loss_db_per_m\": 0,\n    \"metal\": "
                        "\"aluminium\",\n    \"breakdown_kv_per_m\": 3000,\n    \"height_mm\": 43.18\n  }"),
              std::string::npos)
        << text;
}

std::string WithGuide(const std::string& section)
{
    return "{\"format\": \"merivane-case\", \"version\": 1, \"guide\": " + section + "}";
}

TEST(GuideCaseFile, AMissingSectionOrKeyIsTheDefault)
{
    const TCaseReadResult none = ReadCaseFile("{\"format\": \"merivane-case\", \"version\": 1}");
    ASSERT_TRUE(none.ok);
    EXPECT_TRUE(none.c.guide == TGuideInputs{});
    const TCaseReadResult some = ReadCaseFile(WithGuide("{\"metal\": \"BRASS\", \"breakdown_kv_per_m\": \"2500\"}"));
    ASSERT_TRUE(some.ok) << some.error;
    EXPECT_EQ(some.c.guide.metal, Conductor::Brass);
    EXPECT_EQ(some.c.guide.breakdownKvPerM, 2500.0);
    EXPECT_EQ(some.c.guide.loss, LossSource::None);
}

struct TBad {
    const char* name;
    const char* section;
    const char* error;  // a part of the message
};

class BadGuide : public ::testing::TestWithParam<TBad> {};

TEST_P(BadGuide, IsRefusedWithTheKeyNamed)
{
    const TCaseReadResult r = ReadCaseFile(WithGuide(GetParam().section));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().error), std::string::npos) << r.error;
}

const TBad kBad[] = {
    {"not_an_object", "[1]", "guide: an object is expected, not a list"},
    {"unknown_mode", "{\"loss\": \"lots\"}", "guide.loss: \"lots\" is not one of none, entered, conductor"},
    {"unknown_metal", "{\"metal\": \"gold\"}", "guide.metal: \"gold\" is not one of copper, aluminium, brass"},
    {"mode_not_a_name", "{\"loss\": 3}", "guide.loss: a name is expected, not a number"},
    {"figure_not_a_number", "{\"loss_db_per_m\": \"much\"}", "guide.loss_db_per_m: \"much\": not a number"},
    {"figure_of_wrong_type", "{\"breakdown_kv_per_m\": true}", "guide.breakdown_kv_per_m: a number is expected"},
};

INSTANTIATE_TEST_SUITE_P(GuideCaseFile, BadGuide, ::testing::ValuesIn(kBad), ROW_NAMES(std::string(r.name)));

TEST(GuideCaseFile, ClampsAndUnknownKeysAreWarnings)
{
    const TCaseReadResult r =
        ReadCaseFile(WithGuide("{\"loss_db_per_m\": -1, \"breakdown_kv_per_m\": 1e9, \"colour\": 1}"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.c.guide.lossDbPerM, 0.0);
    EXPECT_EQ(r.c.guide.breakdownKvPerM, GuideRow(GuideInput::BreakdownKvPerM).hi);
    EXPECT_NE(r.warning.find("guide.colour"), std::string::npos) << r.warning;
    EXPECT_NE(r.warning.find("guide.loss_db_per_m"), std::string::npos) << r.warning;
    EXPECT_NE(r.warning.find("guide.breakdown_kv_per_m"), std::string::npos) << r.warning;
}

}  // namespace
