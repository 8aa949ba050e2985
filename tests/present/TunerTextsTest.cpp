// SPDX-License-Identifier: GPL-3.0-or-later
// The Tuner's readouts as texts: hand-chosen cases in WR340 at 2450 MHz
// (lg = 173.3803 mm) with 1 kW from a matched magnetron, in Watts and in
// dBm, against texts worked out by hand.
#include "TunerTexts.h"

#include "InputValues.h"

#include <gtest/gtest.h>

#include "RowNames.h"

namespace merivane::present {
namespace {

// Pav = 10 kV x 0.1 A x 100 % = 1000 W; with Gs = 0 the load takes
// 1000 (1 - |Gl|^2) and 1000 W once matched.
TCase Case(double mag, double deg, MatchMethod method, double spacingMm = 0)
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::AnodeV, 10000);
    SetFieldValue(c.inputs, Input::AnodeI, 0.1);
    SetFieldValue(c.inputs, Input::Effic, 100);
    SetFieldValue(c.inputs, Input::SrcMag, 0);
    SetFieldValue(c.inputs, Input::LoaMag, mag);
    SetFieldValue(c.inputs, Input::LoaPha, deg);
    c.tuner.method = method;
    c.tuner.spacingMm = spacingMm;
    return c;
}

struct TTextRow {
    const char* name;
    TCase c;
    PowerUnit unit;
    const char* line;
    const char* admittance;
    const char* status;
    const char* power;
    const char* seen;
    std::vector<std::vector<std::string>> solutions;
};

class TunerTexts : public ::testing::TestWithParam<TTextRow> {};

TEST_P(TunerTexts, ReadoutsAndTable)
{
    const TTextRow& row = GetParam();
    TCase c = row.c;
    c.display.power = row.unit;
    const TSnapshot s = ComputeCase(c, 0);
    const TTunerReadouts r = TunerReadouts(s);
    EXPECT_EQ(r[TunerReadout::Line], row.line);
    EXPECT_EQ(r[TunerReadout::Admittance], row.admittance);
    EXPECT_EQ(r[TunerReadout::Status], row.status);
    EXPECT_EQ(r[TunerReadout::Power], row.power);
    EXPECT_EQ(r[TunerReadout::Seen], row.seen);
    EXPECT_EQ(r[TunerReadout::Calibration], "No screw calibration: the susceptances only.");
    EXPECT_EQ(SolutionTable(s.tuner, false).rows, row.solutions);
}

// 0.4 at 120 deg: y = 0.84 / 0.76 - j0.4 sqrt(3) / 0.76 = 1.1053 - j0.9116;
// 840 W now, gain 1000 / 840: 19.0 %, 0.76 dB; 59.24 dBm and 60 dBm.
// At 86.690153 mm (lg / 2) nothing matches: the magnetron sees the load,
// SWR 1.4 / 0.6 = 2.333.
// 0.5 at 60 deg: z = 1 + j1.1547, y = 0.4286 - j0.4949, one E-H setting
// x = -1.1547, b = 0; 750 W now (58.75 dBm), gain 33.3 %, 1.25 dB.
// |G| = 1: nothing is absorbed (-oo dBm), no gain, SWR +oo.
const TTextRow kRows[] = {
    {"three_stub_watts", Case(0.4, 120, MatchMethod::ThreeStub), PowerUnit::Watts,
     "\u03bbg 173.38 mm, stubs 43.35 mm apart", "Load admittance y = 1.1053 \u2212 j0.9116",
     "Matchable: the settings above match the load.",
     "Absorbed now 840 W, with the load matched 1 kW: a gain of 19.0 % (0.76 dB).",
     "The magnetron then sees |\u0393| = 0.0000 (SWR 1).", {{"0.0000", "0.0544", "0.9258"}}},
    {"three_stub_dbm", Case(0.4, 120, MatchMethod::ThreeStub), PowerUnit::Dbm,
     "\u03bbg 173.38 mm, stubs 43.35 mm apart", "Load admittance y = 1.1053 \u2212 j0.9116",
     "Matchable: the settings above match the load.",
     "Absorbed now 59.24 dBm, with the load matched 60 dBm: a gain of 19.0 % (0.76 dB).",
     "The magnetron then sees |\u0393| = 0.0000 (SWR 1).", {{"0.0000", "0.0544", "0.9258"}}},
    {"half_wave_spacing_watts", Case(0.4, 120, MatchMethod::ThreeStub, 86.690153), PowerUnit::Watts,
     "\u03bbg 173.38 mm, stubs 86.69 mm apart", "Load admittance y = 1.1053 \u2212 j0.9116",
     "Not matchable: the spacing is a multiple of half a guide wavelength.",
     "Absorbed now 840 W, with the load matched 1 kW: a gain of 19.0 % (0.76 dB).",
     "The magnetron then sees |\u0393| = 0.4000 (SWR 2.333).", {}},
    {"half_wave_double_stub_dbm", Case(0.4, 120, MatchMethod::DoubleStub, 86.690153), PowerUnit::Dbm,
     "\u03bbg 173.38 mm, stubs 86.69 mm apart", "Load admittance y = 1.1053 \u2212 j0.9116",
     "Not matchable: the spacing is a multiple of half a guide wavelength.",
     "Absorbed now 59.24 dBm, with the load matched 60 dBm: a gain of 19.0 % (0.76 dB).",
     "The magnetron then sees |\u0393| = 0.4000 (SWR 2.333).", {}},
    {"eh_double_root_watts", Case(0.5, 60, MatchMethod::EH), PowerUnit::Watts, "",
     "Load admittance y = 0.4286 \u2212 j0.4949", "Matchable: the settings above match the load.",
     "Absorbed now 750 W, with the load matched 1 kW: a gain of 33.3 % (1.25 dB).",
     "The magnetron then sees |\u0393| = 0.0000 (SWR 1).", {{"series-then-shunt", "-1.1547", "0.0000"}}},
    {"eh_double_root_dbm", Case(0.5, 60, MatchMethod::EH), PowerUnit::Dbm, "",
     "Load admittance y = 0.4286 \u2212 j0.4949", "Matchable: the settings above match the load.",
     "Absorbed now 58.75 dBm, with the load matched 60 dBm: a gain of 33.3 % (1.25 dB).",
     "The magnetron then sees |\u0393| = 0.0000 (SWR 1).", {{"series-then-shunt", "-1.1547", "0.0000"}}},
    {"full_reflection_dbm", Case(1.0, 0, MatchMethod::SingleStub), PowerUnit::Dbm, "\u03bbg 173.38 mm", "",
     "Not matchable: the load reflects everything (|\u0393| = 1).",
     "Absorbed now -oo dBm, with the load matched 60 dBm.", "The magnetron then sees |\u0393| = 1.0000 (SWR +oo).",
     {}},
};

INSTANTIATE_TEST_SUITE_P(Tuner, TunerTexts, ::testing::ValuesIn(kRows), ROW_NAMES(std::string(r.name)));

TEST(TunerTexts, TheSectionListsTheSolutionsWithTheirScrews)
{
    // A straight table of 10 mm per unit b: b2 = 0.0544 at 0.54 mm, b3 =
    // 0.9258 beyond its 0.5.
    TCase c = Case(0.4, 120, MatchMethod::ThreeStub);
    c.tuner.screws = {{0, 0}, {2.5, 0.25}, {5, 0.5}};
    const TSection sec = TunerSection(ComputeCase(c, 0));
    EXPECT_EQ(sec.title, kTunerTitle);
    std::vector<std::pair<std::string, std::string>> rows;
    for (const TCaseRow& r : sec.rows) rows.emplace_back(r.caption, r.values.at(0).Joined());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Method", "Three-stub tuner"},
        {"Guide Wavelength and Spacing", "\u03bbg 173.38 mm, stubs 43.35 mm apart"},
        {"Load Admittance", "Load admittance y = 1.1053 \u2212 j0.9116"},
        {"Solution 1", "b1 0.0000, b2 0.0544, b3 0.9258, Depth 1 (mm) out, Depth 2 (mm) 0.54, Depth 3 (mm) beyond the table"},
        {"Match Status", "Matchable: the settings above match the load."},
        {"Power After the Match", "Absorbed now 840 W, with the load matched 1 kW: a gain of 19.0 % (0.76 dB)."},
        {"Reflection the Magnetron Then Sees", "The magnetron then sees |\u0393| = 0.0000 (SWR 1)."},
        {"Screw Calibration", "Screw calibration: 3 rows, 0.00 to 5.00 mm."},
    };
    EXPECT_EQ(rows, expected);
}

TEST(TunerTexts, TheChosenOfTwoSolutionsIsMarked)
{
    // the single stub of the examples: d 1.55 / 56.25 mm, b +-0.8 / sqrt(0.84)
    TCase c = Case(0.4, 120, MatchMethod::SingleStub);
    c.tuner.solution = 1;
    const TSection sec = TunerSection(ComputeCase(c, 0));
    std::vector<std::string> captions;
    for (const TCaseRow& r : sec.rows) captions.push_back(r.caption);
    ASSERT_GE(captions.size(), 6u);
    EXPECT_EQ(captions[3], "Solution 1");
    EXPECT_EQ(captions[4], "Solution 2 (chosen)");
    EXPECT_EQ(sec.rows[4].values.at(0).text, "Distance (mm) 56.25, b -0.8729, Stub Length (mm) 23.54");
}

}  // namespace
}  // namespace merivane::present
