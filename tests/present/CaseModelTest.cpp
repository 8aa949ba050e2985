// The case and its one computation: defaults from the input table, the
// results the transmission model and the line sweep give, and a second
// computation that changes nothing.
#include "CaseModel.h"
#include "Fields.h"
#include "InputRows.h"
#include "Transmission.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace merivane;
using namespace merivane::present;

TEST(CaseModel, TheDefaultCaseIsTheInputTablesDefaults)
{
    const TCase c = DefaultCase();
    EXPECT_EQ(c.inputs.Va, 4000);
    EXPECT_EQ(c.inputs.Ia, 3.0);
    EXPECT_EQ(c.inputs.Eff, 0.85);
    EXPECT_EQ(c.inputs.SrcRfl.Mag, 0.2);
    EXPECT_EQ(c.inputs.LoaRfl.Mag, 0.5);
    EXPECT_EQ(c.inputs.LoaRfl.Pha, 90.0);
    EXPECT_NEAR(c.inputs.LoaRfl.Swr, 3.0, 1e-12);       // (1 + 0.5)/(1 - 0.5)
    EXPECT_NEAR(c.inputs.LoaRfl.Rloss, -6.0206, 1e-4);  // 20 log10 0.5
    EXPECT_EQ(c.inputs.CplDirDb, 20.0);
    EXPECT_TRUE(c.ideal);
    EXPECT_EQ(c.line.FreqMHz, 2450.0);
}

// The worked example: Pmatch = 4000 * 3 * 0.85 = 10200 W; with Gs Gl =
// 0.1 at 90 deg, |1 - Gs Gl|^2 = 1.01, so Pinc = 10200 / 1.01 and the load
// absorbs 0.75 of it.
TEST(CaseModel, ComputesTheWorkedExample)
{
    const TSnapshot s = ComputeCase(DefaultCase());
    EXPECT_DOUBLE_EQ(s.m.Pmatch, 10200.0);
    EXPECT_NEAR(s.m.Pinc, 10200.0 / 1.01, 1e-9);
    EXPECT_NEAR(s.m.Pload, 0.75 * 10200.0 / 1.01, 1e-9);
    EXPECT_TRUE(s.m.CplIdeal);
    EXPECT_NEAR(s.sweep.Guide.wavelengthMm, 173.38, 0.01);  // WR340 at 2450 MHz
}

TEST(CaseModel, TheCaseItselfIsNotChangedByComputing)
{
    TCase c = DefaultCase();
    c.ideal = false;
    const TSnapshot s = ComputeCase(c);
    EXPECT_TRUE(s.c == c);
    EXPECT_FALSE(s.m.CplIdeal);
}

TEST(CaseModel, ASecondComputationGivesTheSameSnapshotBitForBit)
{
    TCase c = DefaultCase();
    c.ideal = false;
    c.inputs.LoaRfl.Mag = 0.9995;
    c.line.LengthM = 3;
    c.line.SpanMHz = 5;
    const TSnapshot a = ComputeCase(c);
    const TSnapshot b = ComputeCase(a.c);
    for (const TFieldSpec& f : ModelFields()) {
        const double x = f.value(a.m), y = f.value(b.m);
        EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << f.name;
    }
    ASSERT_EQ(a.sweep.Points.size(), b.sweep.Points.size());
    for (std::size_t i = 0; i < a.sweep.Points.size(); ++i) EXPECT_EQ(a.sweep.Points[i].Pload, b.sweep.Points[i].Pload);
}

TEST(CaseModel, SameCaseSeesEveryInputAndChoice)
{
    const TCase base = DefaultCase();
    const auto differs = [&base](auto change) {
        TCase c = base;
        change(c);
        return base != c;
    };
    EXPECT_TRUE(base == DefaultCase());
    EXPECT_TRUE(differs([](TCase& c) { c.inputs.Va = 3999; }));
    EXPECT_TRUE(differs([](TCase& c) { c.inputs.Ia = 3.0000001; }));
    EXPECT_TRUE(differs([](TCase& c) { c.inputs.LoaRfl.Pha = -90; }));
    EXPECT_TRUE(differs([](TCase& c) { c.inputs.SrcRfl.Swr = 2; }));
    EXPECT_TRUE(differs([](TCase& c) { c.ideal = false; }));
    EXPECT_TRUE(differs([](TCase& c) { c.line.Line = LineType::WR430; }));
    EXPECT_TRUE(differs([](TCase& c) { c.line.SpanMHz = 5; }));  // a span edit is an undo step
    EXPECT_TRUE(differs([](TCase& c) { c.line.LengthM = 2; }));
    EXPECT_TRUE(differs([](TCase& c) { c.guide.heightMm = 50; }));
    EXPECT_TRUE(differs([](TCase& c) { c.tube.measurement.waterRiseK = 4; }));
    EXPECT_TRUE(differs([](TCase& c) { c.tuner.spacingMm += 1; }));
    EXPECT_TRUE(differs([](TCase& c) { c.display.power = PowerUnit::Dbm; }));
    EXPECT_TRUE(differs([](TCase& c) { c.display.loaRfl = 1; }));
    EXPECT_TRUE(differs([](TCase& c) { c.measUnit = 2; }));
    EXPECT_TRUE(differs([](TCase& c) { c.name = "Line 3"; }));
}

}  // namespace
