// SPDX-License-Identifier: GPL-3.0-or-later
// The Compare view's rows against hand-made pairs of cases: the texts in the
// current case's units, the difference in the unit the current value shows,
// the change in %, and which rows differ.
//
// The pair worked by hand: Pmatch = 4000 V * 3 A * 0.85 = 10200 W, Gs = 0.2
// at 0 deg, and Pload = Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2.
//   reference, Gl = 0.5 at 90: Gs Gl = 0.1j,  |1 - 0.1j|^2 = 1.01,
//     Pload = 10200 * 0.75 / 1.01   = 7574.257 W  ("7.57 kW", 68.79 dBm)
//   current,   Gl = 0.3 at 90: Gs Gl = 0.06j, |1 - 0.06j|^2 = 1.0036,
//     Pload = 10200 * 0.91 / 1.0036 = 9248.705 W  ("9.25 kW", 69.66 dBm)
//   difference 1674.447 W = 1.67 kW; in dB 10 log10(9248.705 / 7574.257) =
//   0.87 dB; change 1674.447 / 7574.257 * 100 = 22.11 %.
#include "Compare.h"
#include "InputValues.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace merivane;
using namespace merivane::present;

TCase WithLoad(double mag, double pha)
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::LoaMag, mag);
    SetFieldValue(c.inputs, Input::LoaPha, pha);
    return c;
}

TSnapshot Snap(const TCase& c) { return ComputeCase(c, 0); }

const TComparisonRow& Row(const TComparison& c, const std::string& section, const std::string& caption)
{
    for (const TComparisonRow& r : c.rows)
        if (r.section == section && r.caption == caption) return r;
    ADD_FAILURE() << section << " / " << caption << " not found";
    static const TComparisonRow none;
    return none;
}

bool IsView(const std::string& section)
{
    return section == "Tuner" || section == "Guide" || section == "Magnetron" || section == "Uncertainty";
}

struct TExpectedRow {
    const char* section;
    const char* caption;
    const char* reference;
    const char* current;
    const char* difference;
    const char* change;
};

void ExpectRows(const TComparison& c, const std::vector<TExpectedRow>& rows)
{
    for (const TExpectedRow& e : rows) {
        const TComparisonRow& r = Row(c, e.section, e.caption);
        SCOPED_TRACE(std::string(e.section) + " / " + e.caption);
        EXPECT_EQ(r.reference, e.reference);
        EXPECT_EQ(r.current, e.current);
        EXPECT_EQ(r.difference, e.difference);
        EXPECT_EQ(r.change, e.change);
        EXPECT_TRUE(r.differs);
    }
}

TEST(Compare, AnotherLoadChangesTheAbsorbedPowerAsWorkedByHand)
{
    const TComparison c = Compare(Snap(DefaultCase()), Snap(WithLoad(0.3, 90)));
    ExpectRows(c, {
        {"Transmission", "Absorbed Power, Actual Value", "7.57 kW", "9.25 kW", "+1.67 kW", "+22.11"},
        {"Power Meas", "Absorbed Power, True Value", "7.57 kW", "9.25 kW", "+1.67 kW", "+22.11"},
        // 0.5 -> 0.3: -0.2, -40 %
        {"Inputs", "Load Magnitude", "0.5 Mag", "0.3 Mag", "-0.2 Mag", "-40"},
        // the mismatch 1 - |Gl|^2: 0.75 -> 0.91, +0.16, +21.33 %
        {"Load Reflection", "Mismatch", "0.75 Mag", "0.91 Mag", "+0.16 Mag", "+21.33"},
    });
}

TEST(Compare, UnchangedRowsDoNotDiffer)
{
    const TComparison c = Compare(Snap(DefaultCase()), Snap(WithLoad(0.3, 90)));
    for (const char* caption : {"Anode V", "Anode I", "Efficiency", "Source Magnitude", "Load Phase"}) {
        const TComparisonRow& r = Row(c, "Inputs", caption);
        EXPECT_FALSE(r.differs) << caption;
        EXPECT_EQ(r.reference, r.current) << caption;
        EXPECT_EQ(r.difference.substr(0, 2), "0 ") << caption << ": " << r.difference;  // "0 V", no sign
    }
    // the source does not change, nor the power to match
    EXPECT_FALSE(Row(c, "Source Reflection", "Mismatch").differs);
    EXPECT_FALSE(Row(c, "Magnetron Output", "Power to Match").differs);
    EXPECT_EQ(Row(c, "Magnetron Output", "Power to Match").change, "0");
}

TEST(Compare, IdenticalCasesHaveNoDifferingRow)
{
    TCase c = WithLoad(0.7, -35);
    c.line.LengthM = 1.25;
    c.line.SpanMHz = 10;
    c.display.power = PowerUnit::Dbm;
    c.factorUnit = 2;
    const TComparison cmp = Compare(Snap(c), Snap(c));
    // inputs, the line's six, 39 cells, eight readouts, then every view's rows
    std::size_t window = 0;
    std::set<std::string> views;
    for (const TComparisonRow& r : cmp.rows) (IsView(r.section) ? views.insert(r.section), 0 : ++window);
    EXPECT_EQ(window, 8u + 6u + 39u + 8u);
    EXPECT_EQ(views, (std::set<std::string>{"Tuner", "Guide", "Magnetron", "Uncertainty"}));
    for (const TComparisonRow& r : cmp.rows) {
        EXPECT_FALSE(r.differs) << r.section << " / " << r.caption;
        EXPECT_EQ(r.reference, r.current) << r.caption;
        EXPECT_TRUE(r.difference.empty() || r.difference.rfind("0", 0) == 0) << r.caption << ": " << r.difference;
    }
}

TEST(Compare, EveryRowShownAsANumberHasADifference)
{
    // every cell that shows a number on both sides gets a difference: no
    // cell is without its rule
    const TComparison c = Compare(Snap(DefaultCase()), Snap(WithLoad(0.3, 90)));
    int withNumbers = 0;
    for (const TComparisonRow& r : c.rows) {
        if (r.section == "Inputs" || r.section == "Line" || r.section == "Line Sweep" || IsView(r.section)) continue;
        EXPECT_FALSE(r.difference.empty()) << r.section << " / " << r.caption;
        ++withNumbers;
    }
    EXPECT_EQ(withNumbers, 39);
}

TEST(Compare, TheReferenceIsShownInTheCurrentUnits)
{
    TCase cur = WithLoad(0.3, 90);
    cur.display.power = PowerUnit::Dbm;
    cur.display.loaRfl = 2;  // SWR: (1 + 0.5) / (1 - 0.5) = 3, (1 + 0.3) / (1 - 0.3) = 1.857
    cur.factorUnit = 1;      // %
    const TComparison c = Compare(Snap(DefaultCase()), Snap(cur));
    ExpectRows(c, {
        // a decibel difference in dB; the change still that of the power
        {"Transmission", "Absorbed Power, Actual Value", "68.79 dBm", "69.66 dBm", "+0.87 dB", "+22.11"},
        {"Inputs", "Load Magnitude", "3 SWR", "1.857 SWR", "-1.143 SWR", "-38.1"},
        // transducer gain Pload / Pav with Pav = Pmatch / (1 - |Gs|^2) = 10625 W:
        // 7574.257 / 10625 = 71.29 %, 9248.705 / 10625 = 87.05 %
        {"Transmission", "Transducer Gain, Actual Value", "71.29 %", "87.05 %", "+15.76 %", "+22.11"},
    });
}

struct TPowerCase {
    const char* name;
    double refIa, curIa;  // Pmatch = 4000 * Ia * 0.85
    const char* reference;
    const char* current;
    const char* difference;
    const char* change;
};

class ComparePowerUnit : public testing::TestWithParam<TPowerCase> {};

// A W/kW row is differenced in the unit the current value shows.
TEST_P(ComparePowerUnit, PowerToMatch)
{
    const TPowerCase& p = GetParam();
    TCase ref = DefaultCase(), cur = DefaultCase();
    SetFieldValue(ref.inputs, Input::AnodeI, p.refIa);
    SetFieldValue(cur.inputs, Input::AnodeI, p.curIa);
    const TComparison c = Compare(Snap(ref), Snap(cur));
    const TComparisonRow& r = Row(c, "Magnetron Output", "Power to Match");
    EXPECT_EQ(r.reference, p.reference);
    EXPECT_EQ(r.current, p.current);
    EXPECT_EQ(r.difference, p.difference);
    EXPECT_EQ(r.change, p.change);
}

INSTANTIATE_TEST_SUITE_P(
    Compare, ComparePowerUnit,
    testing::Values(
        // 850 W -> 10200 W: +9350 W = +9.35 kW, 9350 / 850 = +1100 %
        TPowerCase{"WattsToKilowatts", 0.25, 3, "850 W", "10.2 kW", "+9.35 kW", "+1100"},
        // 10200 W -> 850 W: -9350 W, in W as the current shows, -91.67 %
        TPowerCase{"KilowattsToWatts", 3, 0.25, "10.2 kW", "850 W", "-9350 W", "-91.67"},
        // 680 W -> 340 W: -340 W, -50 %
        TPowerCase{"WattsToWatts", 0.2, 0.1, "680 W", "340 W", "-340 W", "-50"}),
    [](const testing::TestParamInfo<TPowerCase>& i) { return i.param.name; });

TEST(Compare, TheSentinelAndNumberlessTextsHaveNoDifferenceNorChange)
{
    TSnapshot ref = Snap(DefaultCase()), cur = Snap(DefaultCase());
    cur.m.Pload = kInfinity;  // a failed division
    TComparisonRow r = Row(Compare(ref, cur), "Transmission", "Absorbed Power, Actual Value");
    EXPECT_EQ(r.current, "oo kW");
    EXPECT_TRUE(r.differs);
    EXPECT_EQ(r.difference, "");
    EXPECT_EQ(r.change, "");
    // the same in a decibel unit, and as the reference
    cur = Snap(DefaultCase());
    cur.c.display.power = PowerUnit::DbW;
    ref.m.Pload = kInfinity;
    r = Row(Compare(ref, cur), "Transmission", "Absorbed Power, Actual Value");
    EXPECT_EQ(r.reference, "+oo dBW");
    EXPECT_EQ(r.difference, "");
    EXPECT_EQ(r.change, "");

    // below the cut-off of WR340 (1735.7 MHz) the guide wavelength is n/a
    TCase below = DefaultCase();
    below.line.FreqMHz = 1000;
    r = Row(Compare(Snap(DefaultCase()), Snap(below)), "Line Sweep", "Guide Wavelength");
    EXPECT_EQ(r.current, "n/a");
    EXPECT_TRUE(r.differs);
    EXPECT_EQ(r.difference, "");
    EXPECT_EQ(r.change, "");
}

// A quantity in decibels changes in dB alone: 20 -> 25 dB is "+5 dB", not
// the +216 % of the ratio 10^0.5. The views' rows are compared as they show.
TEST(Compare, EveryViewIsComparedAndDecibelsChangeInDecibels)
{
    TCase ref = DefaultCase(), cur = WithLoad(0.3, 90);
    ref.ideal = cur.ideal = false;
    SetFieldValue(ref.inputs, Input::Dire, 20);
    SetFieldValue(cur.inputs, Input::Dire, 25);
    ref.display.loaRfl = cur.display.loaRfl = 1;  // return loss 20 log10 |G|: of 0.5 -6.02, of 0.3 -10.46 dB
    ref.tube.magnetron.pullingMHz = 12;
    cur.tube.magnetron.pullingMHz = 15;
    ref.tube.magnetron.isolationDb = 20;
    cur.tube.magnetron.isolationDb = 25;
    ref.tube.measurement.couplingPct = 2;
    cur.tube.measurement.couplingPct = 3;
    const TComparison c = Compare(Snap(ref), Snap(cur));
    ExpectRows(c, {
        {"Inputs", "Directivity", "20 dB", "25 dB", "+5 dB", ""},
        {"Inputs", "Load Magnitude", "-6.02 dB", "-10.46 dB", "-4.44 dB", ""},
        {"Magnetron", "Isolation", "20 dB", "25 dB", "+5 dB", ""},
        {"Magnetron", "Pulling Figure", "12 MHz", "15 MHz", "+3 MHz", "+25"},
        {"Uncertainty", "Coupling Uncertainty", "2 %", "3 %", "+1 %", "+50"},
    });
    // a power in dBm is still a power: its change in % of the watts (worked above)
    ref.display.power = cur.display.power = PowerUnit::Dbm;
    ExpectRows(Compare(Snap(ref), Snap(cur)),
               {{"Transmission", "Absorbed Power, Actual Value", "68.79 dBm", "69.66 dBm", "+0.87 dB", "+22.11"}});
}

// The process stands beside its reference too: one load more is one point
// more, +1 of 4, +25 %.
TEST(Compare, TheProcessIsCompared)
{
    TCase ref = DefaultCase();
    const auto load = [](const char* name, double mag, double pha) {
        TSetLoad l{name, {}, std::nullopt};
        l.refl.Mag = mag, l.refl.Pha = pha;
        return l;
    };
    ref.loadSet = {load("frozen", 0.3, -120), load("-5 °C", 0.45, -150), load("thawed", 0.55, 170), load("hot", 0.5, 150)};
    ref.robust = true;
    TCase cur = ref;
    cur.loadSet.push_back(load("dry", 0.2, 0));
    ExpectRows(Compare(Snap(ref), Snap(cur)), {{"Process", "Points", "4", "5", "+1", "+25"}});
}

TEST(Compare, AReferenceOfZeroHasADifferenceButNoChange)
{
    TCase cur = DefaultCase();
    cur.line.LengthM = 2;
    const TComparison c = Compare(Snap(DefaultCase()), Snap(cur));
    const TComparisonRow& r = Row(c, "Line", "Line Length");
    EXPECT_EQ(r.reference, "0 m");
    EXPECT_EQ(r.current, "2 m");
    EXPECT_EQ(r.difference, "+2 m");
    EXPECT_EQ(r.change, "");
}

TEST(Compare, IdealCouplersShowNoDirectivityNumber)
{
    TCase cur = DefaultCase();
    cur.ideal = false;  // 20 dB
    const TComparison c = Compare(Snap(DefaultCase()), Snap(cur));
    const TComparisonRow& r = Row(c, "Inputs", "Directivity");
    EXPECT_EQ(r.reference, "Ideal");
    EXPECT_EQ(r.current, "20 dB");
    EXPECT_TRUE(r.differs);
    EXPECT_EQ(r.difference, "");
}

TEST(Compare, TheTableHasTheHeaderSectionsAndOneLinePerRow)
{
    TComparison c;
    c.rows.push_back({"Inputs", "Load Magnitude", "0.5 Mag", "0.3 Mag", "-0.2 Mag", "-40", true});
    c.rows.push_back({"Inputs", "Load Phase", "90 deg", "90 deg", "0", "", false});
    c.rows.push_back({"Transmission", "Absorbed Power, Actual Value", "7.57 kW", "9.25\tkW", "+1.67 kW", "+22.11", true});
    EXPECT_EQ(ComparisonTable(c),
              "Quantity\tReference\tCurrent\tDifference\tChange %\n"
              "Inputs\n"
              "Load Magnitude\t0.5 Mag\t0.3 Mag\t-0.2 Mag\t-40\n"
              "Load Phase\t90 deg\t90 deg\t0\n"
              "Transmission\n"
              "Absorbed Power, Actual Value\t7.57 kW\t9.25 kW\t+1.67 kW\t+22.11\n");
}

}  // namespace
