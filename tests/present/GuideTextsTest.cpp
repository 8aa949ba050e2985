// SPDX-License-Identifier: GPL-3.0-or-later
// The Guide's readouts as texts: 1 kW from a matched magnetron into a
// matched load in WR340 at 2450 MHz, lossless, through 10 m of copper, with
// a low breakdown field and on a coaxial line, in Watts and in dBm, against
// figures worked out by hand.
#include "GuideTexts.h"

#include "InputValues.h"

#include <gtest/gtest.h>

#include "RowNames.h"

namespace merivane::present {
namespace {

TCase OneKilowatt()
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::AnodeV, 10000);
    SetFieldValue(c.inputs, Input::AnodeI, 0.1);
    SetFieldValue(c.inputs, Input::Effic, 100);
    SetFieldValue(c.inputs, Input::SrcMag, 0);
    SetFieldValue(c.inputs, Input::LoaMag, 0);
    return c;
}

TCase Copper10m()
{
    TCase c = OneKilowatt();
    c.line.LengthM = 10;
    c.guide.loss = LossSource::Conductor;
    return c;
}

TCase Breakdown20()
{
    TCase c = OneKilowatt();
    c.guide.breakdownKvPerM = 20;
    return c;
}

TCase Coax()
{
    TCase c = OneKilowatt();
    c.line.Line = LineType::Coax;
    return c;
}

struct TGuideRow {
    const char* name;
    TCase c;
    PowerUnit unit;
    // "text|unit" in GuideReadout's order
    std::vector<std::string> expected;
};

class GuideTexts : public ::testing::TestWithParam<TGuideRow> {};

TEST_P(GuideTexts, Readouts)
{
    const TGuideRow& row = GetParam();
    TCase c = row.c;
    c.display.power = row.unit;
    const TGuideReadouts r = GuideReadouts(ComputeCase(c, 0));
    std::vector<std::string> got;
    for (const TValue& v : r.value) got.push_back(v.text + "|" + v.unit);
    EXPECT_EQ(got, row.expected);
}

// Z_TE = 376.73 / sqrt(1 - (122.364 / 172.72)^2) = 533.80 ohm;
// E = sqrt(4 Z P / (a b)) = sqrt(4 533.80 1000 / (0.08636 0.04318)) = 23.929 kV/m;
// margin 3000 / 23.929 = 125.37, 20 log10 = 41.96 dB; 20 / 23.929 = 0.84, -1.56 dB.
// Copper (5.813e7 S/m): alpha_c = Rs (2 b pi^2 + a^3 k^2) / (a^3 b beta k eta0)
// = 0.014657 dB/m; over 10 m T = 10^(-0.14657 / 10) = 0.96681: 33.19 W lost
// (45.21 dBm), 966.81 W absorbed (59.85 dBm). Powers by the cells' rule:
// 1000 W is "1 kW", 0 W "-oo dBm".
const TGuideRow kRows[] = {
    {"lossless_watts", OneKilowatt(), PowerUnit::Watts,
     {"23.929|kV/m", "23.929|kV/m", "125.37 (41.96 dB)|", "1|kW", "0.00000|dB/m", "0|W", "1|kW", "|"}},
    {"lossless_dbm", OneKilowatt(), PowerUnit::Dbm,
     {"23.929|kV/m", "23.929|kV/m", "125.37 (41.96 dB)|", "60|dBm", "0.00000|dB/m", "-oo|dBm", "60|dBm", "|"}},
    {"copper_10_m_watts", Copper10m(), PowerUnit::Watts,
     {"23.929|kV/m", "23.929|kV/m", "125.37 (41.96 dB)|", "1|kW", "0.01466|dB/m", "33.19|W", "966.81|W",
      "The Line Sweep takes the line's loss|"}},
    {"copper_10_m_dbm", Copper10m(), PowerUnit::Dbm,
     {"23.929|kV/m", "23.929|kV/m", "125.37 (41.96 dB)|", "60|dBm", "0.01466|dB/m", "45.21|dBm", "59.85|dBm",
      "The Line Sweep takes the line's loss|"}},
    {"breakdown_20_kv_per_m", Breakdown20(), PowerUnit::Watts,
     {"23.929|kV/m", "23.929|kV/m", "0.84 (-1.56 dB)|", "1|kW", "0.00000|dB/m", "0|W", "1|kW",
      "The peak field exceeds the breakdown field|"}},
    {"coax_dbm", Coax(), PowerUnit::Dbm,
     {"n/a: not a waveguide|", "n/a: not a waveguide|", "n/a: not a waveguide|", "n/a: not a waveguide|",
      "0.00000|dB/m", "-oo|dBm", "60|dBm", "|"}},
};

INSTANTIATE_TEST_SUITE_P(Guide, GuideTexts, ::testing::ValuesIn(kRows), ROW_NAMES(std::string(r.name)));

TEST(GuideTexts, TheSectionHasTheInputsTheReadoutsAndTheSourceEnd)
{
    // |Gl| e^(-2 alpha L) at the source end: 0.3 T = 0.3 0.96681 = 0.29004
    TCase c = Copper10m();
    SetFieldValue(c.inputs, Input::LoaMag, 0.3);
    const TSection sec = GuideSection(ComputeCase(c, 0));
    EXPECT_EQ(sec.title, kGuideTitle);
    std::vector<std::string> captions;
    for (const TCaseRow& r : sec.rows) captions.push_back(r.caption);
    const std::vector<std::string> expected = {"Line loss", "Breakdown field", "Peak field", "Peak field at highest Pinc",
                                               "Breakdown margin", "Highest incident power", "Attenuation",
                                               "Power lost in the line", "Power absorbed by the load", "Note",
                                               "Reflection seen at the source"};
    EXPECT_EQ(captions, expected);
    ASSERT_EQ(sec.rows.size(), expected.size());
    EXPECT_EQ(sec.rows[0].values.at(0).Joined(), "conductor, copper");
    EXPECT_EQ(sec.rows[1].values.at(0).Joined(), "3000 kV/m");
    EXPECT_EQ(sec.rows.back().values.at(0).Joined(), "0.29004");
}

}  // namespace
}  // namespace merivane::present
