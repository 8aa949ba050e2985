// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the "Line Sweep" page: readouts, status, axes and the pointer's readout.
#include "ModelCases.h"
#include "RowNames.h"
#include "SweepTexts.h"
#include "Transmission.h"

#include <gtest/gtest.h>

#include <cmath>

namespace merivane::present {
namespace {

TModel WorkedExample()
{
    TModel m = testcases::Defaults();
    CalcTransmission(m, true);
    return m;
}

std::string Joined(const std::vector<TSweepRow>& rows)
{
    std::string s;
    for (const TSweepRow& r : rows) s += r.caption + "=" + r.text + "|";
    return s;
}

struct UnitRow {
    PowerUnit unit;
    const char* expected;  // the last three readouts
};

class ReadoutsInUnits : public ::testing::TestWithParam<UnitRow> {};

TEST_P(ReadoutsInUnits, PowersFollowThePowerUnit)
{
    // mean 7727.27 W, deviation 1098.31 W, 95 % from 6325.54 to 9437.26 W; the
    // deviation, a spread of powers, stays in W or kW in every unit
    const auto rows = SweepRows(CalcLineSweep(TSweepCase{WorkedExample(), {}}, 0), GetParam().unit);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[5].caption + "=" + rows[5].text + "|" + rows[6].caption + "=" + rows[6].text + "|" + rows[7].caption +
                  "=" + rows[7].text,
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ReadoutsInUnits,
    ::testing::Values(
        UnitRow{PowerUnit::Watts,
                "Mean Absorbed Power (kW)=7.73|Absorbed Power Deviation (kW)=1.1|Absorbed Power 95 % Interval (kW)=6.33 .. 9.44"},
        UnitRow{PowerUnit::Dbm, "Mean Absorbed Power (dBm)=68.88|Absorbed Power Deviation (kW)=1.1|"
                                "Absorbed Power 95 % Interval (dBm)=68.01 .. 69.75"},
        UnitRow{PowerUnit::DbW, "Mean Absorbed Power (dBW)=38.88|Absorbed Power Deviation (kW)=1.1|"
                                "Absorbed Power 95 % Interval (dBW)=38.01 .. 39.75"},
        UnitRow{PowerUnit::DbkW, "Mean Absorbed Power (dBkW)=8.88|Absorbed Power Deviation (kW)=1.1|"
                                 "Absorbed Power 95 % Interval (dBkW)=8.01 .. 9.75"}),
    ROW_NAMES(r.expected));

TEST(SweepTexts, WorkedExampleReadoutsOnWR340At2450MHz)
{
    TSweepInputs in;
    in.LengthM = 3;
    in.SpanMHz = 5;
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    const auto rows = SweepRows(r, PowerUnit::Watts);
    EXPECT_EQ(Joined(rows), "Guide Wavelength (mm)=173.38|Length per Period (mm)=86.69|Add for Maximum (mm)=21.67|"
                            "Add for Minimum (mm)=65.02|Phase Spread (\u00b0)=102.09|Mean Absorbed Power (kW)=7.73|"
                            "Absorbed Power Deviation (kW)=1.1|Absorbed Power 95 % Interval (kW)=6.33 .. 9.44|");
    EXPECT_EQ(rows[0].name, "Guide Wavelength");
    EXPECT_EQ(rows[0].unit, "mm");
    EXPECT_EQ(rows[7].name, "Absorbed Power 95 % Interval");
    EXPECT_EQ(SweepStatus(r), "");
}

TEST(SweepTexts, BelowCutOffTheLengthsCannotBeGiven)
{
    TSweepInputs in;
    in.FreqMHz = 1500;
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    EXPECT_EQ(SweepStatus(r), "Below cut-off (fc = 1735.71 MHz): no wave propagates");
    const auto rows = SweepRows(r, PowerUnit::Watts);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rows[i].text, "n/a") << rows[i].name;
    EXPECT_EQ(rows[5].text, "7.73");  // the statistics need no line
    // no unit after what is no number
    EXPECT_EQ(rows[0].WithUnit(), "n/a");
    EXPECT_EQ(rows[4].WithUnit(), "n/a");
    EXPECT_EQ(rows[5].WithUnit(), "7.73 kW");
}

// A span whose lower end falls below the cut-off: the wave propagates at f,
// but the phase is not defined over the whole span.
TEST(SweepTexts, ASpanReachingBelowCutOffHasNoSpread)
{
    TSweepInputs in;
    in.FreqMHz = 1800;  // WR340: fc = c / (2 * 86.36 mm) = 1735.71 MHz
    in.SpanMHz = 100;
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    EXPECT_EQ(SweepStatus(r), "f \u2212 \u0394f is below cut-off (fc = 1735.71 MHz): no phase spread");
    const auto rows = SweepRows(r, PowerUnit::Watts);
    EXPECT_EQ(rows[4].text, "n/a");
    EXPECT_NE(rows[0].text, "n/a") << "the guide wavelength at f is defined";
    in.SpanMHz = 60;  // 1740 MHz is above the cut-off
    EXPECT_EQ(SweepStatus(CalcLineSweep(TSweepCase{WorkedExample(), in}, 0)), "");
}

TEST(SweepTexts, WithoutALineThereIsNoCutOffToName)
{
    TSweepInputs in;
    in.LineKnown = false;
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    EXPECT_EQ(SweepStatus(r), "");
    EXPECT_EQ(LengthAxisTitle(r.OverLength), "Round-trip phase change (\u00b0)");
}

TEST(SweepTexts, ASpreadOf360DegreesOrMoreMakesThePhaseRandom)
{
    TSweepInputs in;
    in.Line = LineType::Coax;
    in.LengthM = 10;
    in.SpanMHz = 10;  // 480.33 deg
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    EXPECT_EQ(SweepStatus(r), "Spread \u2265 360\u00b0: phase effectively random");
    EXPECT_EQ(SweepRows(r, PowerUnit::Watts)[4].text, "480.33");
}

struct SummaryRow {
    const char* name;
    bool lineKnown;
    LineType line;
    double fMHz, lengthM, spanMHz, srcMag;
    const char* expected;  // lg = c / f / sqrt(1 - (fc / f)^2), the lengths lg / 8 and 3 lg / 8
};

class Summary : public ::testing::TestWithParam<SummaryRow> {};

TEST_P(Summary, NamesWhatTheChartCannotSay)
{
    const SummaryRow& row = GetParam();
    TModel m = WorkedExample();
    m.SrcRfl.Mag = row.srcMag;
    CalcTransmission(m, true);
    TSweepInputs in;
    in.LineKnown = row.lineKnown;
    in.Line = row.line;
    in.FreqMHz = row.fMHz;
    in.LengthM = row.lengthM;
    in.SpanMHz = row.spanMHz;
    EXPECT_EQ(SweepSummary(in, CalcLineSweep(TSweepCase{m, in}, 0)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Report, Summary,
    ::testing::Values(
        SummaryRow{"WR340 with a spread", true, LineType::WR340, 2450, 3, 5, 0.2,
                   "Line Sweep: WR340 at 2450 MHz, \u03bbg = 173.38 mm; add 21.67 mm for the maximum, 65.02 mm for the "
                   "minimum; phase spread 102.09\u00b0 over 3 m at \u00b15 MHz"},
        SummaryRow{"coax random", true, LineType::Coax, 2450, 10, 10, 0.2,
                   "Line Sweep: Coax / TEM at 2450 MHz, \u03bbg = 122.36 mm; add 15.3 mm for the maximum, 45.89 mm for "
                   "the minimum; phase spread 480.33\u00b0 over 10 m at \u00b110 MHz, phase effectively random"},
        SummaryRow{"below cut-off", true, LineType::WR340, 1500, 3, 5, 0.2,
                   "Line Sweep: WR340 at 1500 MHz; below cut-off (fc = 1735.71 MHz): no wave propagates"},
        SummaryRow{"span below cut-off", true, LineType::WR340, 1800, 2, 100, 0.2,
                   "Line Sweep: WR340 at 1800 MHz, \u03bbg = 628.81 mm; add 78.6 mm for the maximum, 235.81 mm for the "
                   "minimum; f \u2212 \u0394f is below cut-off (fc = 1735.71 MHz): no phase spread"},
        SummaryRow{"matched source", true, LineType::WR340, 2450, 0, 0, 0,
                   "Line Sweep: WR340 at 2450 MHz, \u03bbg = 173.38 mm; any length gives the same power"},
        SummaryRow{"matched source, no line", false, LineType::WR340, 2450, 0, 0, 0,
                   "Line Sweep over the round-trip phase: any phase gives the same power"},
        SummaryRow{"a span but no length", true, LineType::WR340, 2450, 0, 5, 0.2,
                   "Line Sweep: WR340 at 2450 MHz, \u03bbg = 173.38 mm; add 21.67 mm for the maximum, 65.02 mm for the "
                   "minimum"},
        // Gs Gl at 0 + 90 degrees: the maximum a quarter turn on, the minimum three quarters
        SummaryRow{"no line", false, LineType::WR340, 2450, 0, 0, 0.2,
                   "Line Sweep over the round-trip phase: add 90\u00b0 for the maximum, 270\u00b0 for the minimum"}),
    ROW_NAMES(std::string(r.name)));

TEST(SweepTexts, WithoutReflectionOnOneSideAnyLengthWill)
{
    TModel m = WorkedExample();
    m.SrcRfl.Mag = 0;
    CalcTransmission(m, true);
    const auto rows = SweepRows(CalcLineSweep(TSweepCase{m, {}}, 0), PowerUnit::Watts);
    EXPECT_EQ(rows[2].text, "any length");
    EXPECT_EQ(rows[3].text, "any length");
    EXPECT_EQ(rows[3].WithUnit(), "any length");
    EXPECT_EQ(rows[1].WithUnit(), "86.69 mm");  // 173.38 / 2
}

TEST(SweepTexts, AnIntervalAcross1000WReadsInKilowattsAtBothEnds)
{
    TSweepResult r;
    r.Stats.Low = 950;
    r.Stats.High = 1050;
    EXPECT_EQ(SweepRows(r, PowerUnit::Watts)[7].caption, "Absorbed Power 95 % Interval (kW)");
    EXPECT_EQ(SweepRows(r, PowerUnit::Watts)[7].text, "0.95 .. 1.05");
    r.Stats.Low = 95;
    r.Stats.High = 105;
    EXPECT_EQ(SweepRows(r, PowerUnit::Watts)[7].text, "95 .. 105");
    EXPECT_EQ(SweepRows(r, PowerUnit::Watts)[7].unit, "W");
}

struct AxisRow {
    double largest, watts;
    PowerUnit unit;
    const char* title;
    double value;
};

class PowerAxis : public ::testing::TestWithParam<AxisRow> {};

TEST_P(PowerAxis, OneScaleForTheWholeAxis)
{
    const AxisRow& row = GetParam();
    const TPowerAxis a = PowerAxisFor(row.largest, row.unit);
    EXPECT_EQ(PowerAxisTitle(a), row.title);
    EXPECT_NEAR(AxisValue(a, row.watts), row.value, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Axes, PowerAxis,
                         ::testing::Values(AxisRow{999.99, 500, PowerUnit::Watts, "Power (W)", 500},
                                           AxisRow{1000, 500, PowerUnit::Watts, "Power (kW)", 0.5},
                                           AxisRow{12592.59, 7574.26, PowerUnit::None, "Power (kW)", 7.57426},
                                           AxisRow{1000, 1, PowerUnit::Dbm, "Power (dBm)", 30},
                                           AxisRow{1000, 1000, PowerUnit::DbW, "Power (dBW)", 30},
                                           AxisRow{1000, 10000, PowerUnit::DbkW, "Power (dBkW)", 10}),
                         ROW_NAMES(std::string(r.title) + " " + rows::Num(r.watts)));

TEST(SweepTexts, AZeroPowerHasNoDecibelValue)
{
    EXPECT_TRUE(std::isnan(AxisValue(PowerAxisFor(1, PowerUnit::Dbm), 0)));
    EXPECT_EQ(AxisValue(PowerAxisFor(1, PowerUnit::Watts), 0), 0.0);
}

TEST(SweepTexts, AxisTitlesAndTheReadoutAtThePointer)
{
    EXPECT_EQ(LengthAxisTitle(true), "Added length (mm)");
    EXPECT_EQ(LengthAxisTitle(false), "Round-trip phase change (\u00b0)");
    TSweepPoint p;
    p.Pinc = 10099.01;
    p.Prefl = 2524.7;
    p.Pload = 7574.26;
    p.PloadMinV = 999;
    p.PloadMaxV = 9518.32;
    EXPECT_EQ(PointText(12.346, true, p, PowerUnit::Watts, true),
              "d = 12.35 mm\nAbsorbed 7.57 kW\nIncident 10.1 kW\nReflected 2.52 kW");
    EXPECT_EQ(PointText(90, false, p, PowerUnit::Watts, false),
              "Phase change 90\u00b0\nAbsorbed 7.57 kW\nIncident 10.1 kW\nReflected 2.52 kW\nCoupler bounds 1 .. 9.52 kW");
}

struct DeviationRow {
    double srcMag;
    PowerUnit unit;
    const char* expected;  // caption=text of the deviation
};

class DeviationUnit : public ::testing::TestWithParam<DeviationRow> {};

TEST_P(DeviationUnit, IsInWattsOrKilowattsWhateverThePowerUnit)
{
    // K = 10200 * 0.75 = 7650 W at |Gs| = 0; r = 0.5 |Gs|, deviation
    // K sqrt(2 r^2 / (1 - r^2)^3)
    TModel m = WorkedExample();
    m.SrcRfl.Mag = GetParam().srcMag;
    CalcTransmission(m, true);
    const auto rows = SweepRows(CalcLineSweep(TSweepCase{m, {}}, 0), GetParam().unit);
    EXPECT_EQ(rows[6].caption + "=" + rows[6].text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Units, DeviationUnit,
    ::testing::Values(
        // r = 0.01: 7650 sqrt(2e-4 / 0.9999^3) = 108.20 W
        DeviationRow{0.02, PowerUnit::Dbm, "Absorbed Power Deviation (W)=108.2"},
        DeviationRow{0.02, PowerUnit::DbkW, "Absorbed Power Deviation (W)=108.2"},
        // r = 0.1: 1098.31 W
        DeviationRow{0.2, PowerUnit::DbW, "Absorbed Power Deviation (kW)=1.1"},
        // |Gs| = 0: no interference, no spread; 0 W, not -oo dBm
        DeviationRow{0.0, PowerUnit::Dbm, "Absorbed Power Deviation (W)=0"}),
    ROW_NAMES(r.expected + std::to_string(static_cast<int>(r.unit))));

struct FrequencyRow {
    double mhz;
    const char* expected;
};

class Frequency : public ::testing::TestWithParam<FrequencyRow> {};

TEST_P(Frequency, ReadsInMHzUpTo9999AndInGHzAbove) { EXPECT_EQ(FrequencyText(GetParam().mhz), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Texts, Frequency,
    ::testing::Values(FrequencyRow{1735.7142, "1735.71 MHz"}, FrequencyRow{9999.99, "9999.99 MHz"},
                      FrequencyRow{10000, "10 GHz"}, FrequencyRow{12345.6, "12.35 GHz"},
                      // c / (2 * 1 mm) = 149896.229 MHz
                      FrequencyRow{149896.229, "149.9 GHz"}, FrequencyRow{1498962.29, "1499 GHz"}),
    ROW_NAMES(r.expected));

TEST(SweepTexts, ANarrowCustomGuideNamesItsCutOffInGHz)
{
    TSweepInputs in;
    in.Line = LineType::CustomWaveguide;
    in.WidthMm = 1;  // fc = c / 2a = 149.9 GHz
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    EXPECT_EQ(SweepStatus(r), "Below cut-off (fc = 149.9 GHz): no wave propagates");
}

struct ModesRow {
    const char* name;
    LineType line;
    double widthMm, fMHz;
    const char* status;
};

class Multimode : public ::testing::TestWithParam<ModesRow> {};

TEST_P(Multimode, WarnsAboveTheNextModesCutOff)
{
    TSweepInputs in;
    in.Line = GetParam().line;
    in.WidthMm = GetParam().widthMm;
    in.FreqMHz = GetParam().fMHz;
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    EXPECT_EQ(SweepStatus(r), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Multimode,
    ::testing::Values(
        // WR340: TE20 at c / 86.36 mm = 3471.43 MHz, TE01 at c / 2 x 43.18 mm the same
        ModesRow{"WR340_at_2450", LineType::WR340, 0, 2450, ""},
        ModesRow{"WR340_at_3500", LineType::WR340, 0, 3500, "More than one mode propagates above 3471.43 MHz"},
        // WR284: TE20 at c / 72.136 mm = 4155.93 MHz, below TE01 at c / 68.08 mm = 4403.53 MHz
        ModesRow{"WR284_at_4200", LineType::WR284, 0, 4200, "More than one mode propagates above 4155.93 MHz"},
        // WR975 at 915 MHz: TE20 at 1210.55 MHz
        ModesRow{"WR975_at_915", LineType::WR975, 0, 915, ""},
        ModesRow{"WR975_at_1300", LineType::WR975, 0, 1300, "More than one mode propagates above 1210.55 MHz"},
        // a custom 100 mm guide: TE20 at c / 100 mm = 2997.92 MHz, its height unknown
        ModesRow{"custom_at_2450", LineType::CustomWaveguide, 100, 2450, ""},
        ModesRow{"custom_at_3000", LineType::CustomWaveguide, 100, 3000, "More than one mode propagates above 2997.92 MHz"},
        // a TEM line has no next mode to name
        ModesRow{"coax_at_10000", LineType::Coax, 0, 10000, ""}),
    ROW_NAMES(std::string(r.name)));

TEST(SweepTexts, TheMultimodeWarningFollowsARandomPhase)
{
    TSweepInputs in;
    in.FreqMHz = 3500;  // above 3471.43 MHz in WR340
    in.LengthM = 10;
    in.SpanMHz = 10;
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), in}, 0);
    ASSERT_TRUE(r.PhaseRandom);
    EXPECT_EQ(SweepStatus(r),
              "Spread \u2265 360\u00b0: phase effectively random; more than one mode propagates above 3471.43 MHz");
    EXPECT_NE(SweepSummary(in, r).find("more than one mode propagates above 3471.43 MHz"), std::string::npos);
}

TEST(SweepTexts, RandomPhaseLineOfTheWorkedExample)
{
    // mean 7650 / 0.99 = 7727.27 W, deviation 1098.31 W, 95 % 6325.54 .. 9437.26 W
    const TSweepResult r = CalcLineSweep(TSweepCase{WorkedExample(), {}}, 0);
    EXPECT_EQ(RandomPhaseLine(r, PowerUnit::Watts),
              "Random phase: mean 7.73 kW, deviation 1.1 kW, 95 % interval 6.33 .. 9.44 kW");
    EXPECT_EQ(RandomPhaseLine(r, PowerUnit::Dbm),
              "Random phase: mean 68.88 dBm, deviation 1.1 kW, 95 % interval 68.01 .. 69.75 dBm");
}

}  // namespace
}  // namespace merivane::present
