// SPDX-License-Identifier: GPL-3.0-or-later
// The case as rows, and its three forms: tab-separated for a spreadsheet, an
// HTML table, aligned text.
#include "Case.h"
#include "Example.h"
#include "RowNames.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace merivane::present;
using merivane::TModel;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

const TCaseRow& Row(const std::vector<TSection>& s, const std::string& title, const std::string& caption)
{
    for (const TSection& sec : s)
        if (sec.title == title)
            for (const TCaseRow& r : sec.rows)
                if (r.caption == caption) return r;
    ADD_FAILURE() << title << " / " << caption << " not found";
    static const TCaseRow none;
    return none;
}

TEST(CaseRows, SectionsComeInTheWindowsOrderWithTheirColumns)
{
    const auto s = CaseSections(WorkedExample(false), TDisplay{});
    std::vector<std::string> titles;
    for (const TSection& sec : s) titles.push_back(sec.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Inputs", "Magnetron Output", "Source Reflection", "Load Reflection",
                                                 "Transmission", "Power Meas", "Load Meas"}));
    EXPECT_EQ(s[4].columns, (std::vector<std::string>{"Actual Value", "Min Value", "Max Value"}));
    EXPECT_EQ(s[5].columns,
              (std::vector<std::string>{"True Value", "Min Meas", "Max Meas", "Min Error", "Max Error"}));
    std::size_t values = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        for (const TCaseRow& r : s[i].rows) values += r.values.size();
    EXPECT_EQ(values, 39u);  // every result cell once
}

TEST(CaseRows, InputsCarryTheirUnitsAndForms)
{
    TModel m = WorkedExample(false);
    TDisplay d;
    auto s = CaseSections(m, d);
    ASSERT_EQ(s[0].rows.size(), 8u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Anode V", "4000 V"},       {"Anode I", "3 A"},         {"Efficiency", "85 %"},
        {"Source Magnitude", "0.2 Mag"}, {"Source Phase", "0 deg"}, {"Load Magnitude", "0.5 Mag"},
        {"Load Phase", "90 deg"},    {"Directivity", "20 dB"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(s[0].rows[i].caption, expected[i].first);
        EXPECT_EQ(s[0].rows[i].values.at(0).Joined(), expected[i].second) << expected[i].first;
    }
    // the reflections in the form they were entered: 0.5 is -6.02 dB and SWR 3
    d.srcRfl = 2;
    d.loaRfl = 1;
    s = CaseSections(m, d);
    EXPECT_EQ(Row(s, "Inputs", "Source Magnitude").values[0].Joined(), "1.5 SWR");
    EXPECT_EQ(Row(s, "Inputs", "Load Magnitude").values[0].Joined(), "-6.02 dB");
    s = CaseSections(WorkedExample(true), TDisplay{});
    EXPECT_EQ(Row(s, "Inputs", "Directivity").values[0].Joined(), "Ideal");
}

TEST(CaseRows, ResultsShowTheWindowsTextsWithUnitsOrRepresentations)
{
    TDisplay d;
    auto s = CaseSections(WorkedExample(false), d);
    const TCaseRow& inc = Row(s, "Transmission", "Incident Power");
    ASSERT_EQ(inc.values.size(), 3u);
    EXPECT_EQ(inc.values[0].text, "10.1");  // 10099.01 W
    EXPECT_EQ(inc.values[0].unit, "kW");
    EXPECT_EQ(inc.values[1].Joined(), "8.43 kW");
    EXPECT_EQ(inc.values[2].Joined(), "12.59 kW");
    EXPECT_EQ(Row(s, "Transmission", "Interference Factor").values[2].Joined(), "1.235");  // 1/0.81, Mag: no unit
    EXPECT_EQ(Row(s, "Magnetron Output", "(Available Power)").values[0].Joined(), "10.63 kW");
    EXPECT_EQ(Row(s, "Source Reflection", "Mismatch").values[0].Joined(), "0.96 Mag");
    EXPECT_EQ(Row(s, "Power Meas", "Absorbed Power").values[1].Joined(), "5.48 kW");  // PloadMinV 5478.71 W
    const TCaseRow& load = Row(s, "Load Meas", "Load Reflection Coefficient Magnitude");
    EXPECT_EQ(load.values[0].Joined(), "0.5 Mag");
    EXPECT_EQ(load.values[3].unit, "");  // the column header names the unit

    // mismatch in dB: 10 log10 0.96 = -0.18; load mismatch in %: 75
    d.srcMism = 1;
    d.loaMism = 2;
    d.meaRfl = 2;
    s = CaseSections(WorkedExample(false), d);
    EXPECT_EQ(Row(s, "Source Reflection", "Mismatch").values[0].Joined(), "-0.18 dB");
    EXPECT_EQ(Row(s, "Load Reflection", "Mismatch").values[0].Joined(), "75 %");
    EXPECT_EQ(Row(s, "Load Meas", "Load Reflection Coefficient Magnitude").values[0].Joined(), "3 SWR");
    EXPECT_EQ(Row(s, "Load Meas", "Load Reflection Coefficient Magnitude").values[3].Joined(), "");  // grey, empty
}

TEST(CaseRows, AnExtraRegionFollowsAsASectionOfItsOwn)
{
    const TExtraRegion extra{"Sweep", {{"Absorbed Power at 0 deg", "7.57 kW"}, {"Absorbed Power at 90 deg", "9.44 kW"}}};
    const auto s = CaseSections(WorkedExample(true), TDisplay{}, &extra);
    ASSERT_EQ(s.size(), 8u);
    EXPECT_EQ(s.back().title, "Sweep");
    ASSERT_EQ(s.back().rows.size(), 2u);
    EXPECT_EQ(s.back().rows[1].caption, "Absorbed Power at 90 deg");
    EXPECT_EQ(s.back().rows[1].values.at(0).Joined(), "9.44 kW");
    const TExtraRegion empty{"Sweep", {}};
    EXPECT_EQ(CaseSections(WorkedExample(true), TDisplay{}, &empty).size(), 7u);
}

TEST(CaseForms, TabSeparatedPastesAsATable)
{
    const std::vector<std::string> lines = Lines(CaseTsv(CaseSections(WorkedExample(false), TDisplay{})));
    // 7 header rows, 21 rows of values, 6 empty lines between the sections
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[0], "Inputs");
    EXPECT_EQ(lines[1], "Anode V\t4000\tV");
    EXPECT_EQ(lines[8], "Directivity\t20\tdB");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "Magnetron Output");
    EXPECT_EQ(lines[11], "Power to Match\t10.2\tkW");
    const auto at = std::find(lines.begin(), lines.end(), "Transmission\tActual Value\t\tMin Value\t\tMax Value");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), "Interference Factor\t0.99\t\t0.826\t\t1.235");
    EXPECT_EQ(*(at + 3), "Incident Power\t10.1\tkW\t8.43\tkW\t12.59\tkW");
    EXPECT_EQ(lines.back(), "Load Reflection Coefficient Magnitude\t0.5\tMag\t0.381\tMag\t0.632\tMag\t-11.9\t\t13.16");
}

TEST(CaseForms, HtmlHoldsTheSameCellsEscaped)
{
    const TExtraRegion extra{"Sweep", {{"P < 1 & > 0", "\"x\""}}};
    const std::string html = CaseHtml(CaseSections(WorkedExample(false), TDisplay{}, &extra));
    EXPECT_NE(html.find("<table"), std::string::npos);
    EXPECT_NE(html.find("<th align=\"left\">Transmission</th><th colspan=\"2\">Actual Value</th>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td>Incident Power</td><td align=\"right\">10.1</td><td>kW</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>P &lt; 1 &amp; &gt; 0</td><td align=\"right\">&quot;x&quot;</td>"), std::string::npos);
    // as many rows as the tab-separated form has lines that are not empty
    std::size_t rows = 0;
    for (std::size_t at = html.find("<tr>"); at != std::string::npos; at = html.find("<tr>", at + 1)) ++rows;
    EXPECT_EQ(rows, 28u + 2u);
}

TEST(CaseForms, TextAlignsEachSectionsColumns)
{
    const std::vector<std::string> lines = Lines(CaseText(CaseSections(WorkedExample(false), TDisplay{})));
    const auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Transmission", 0) == 0; });
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*at, "Transmission         Actual Value  Min Value  Max Value");
    EXPECT_EQ(*(at + 3), "Incident Power       10.1 kW       8.43 kW    12.59 kW");
    // a list of single values: the caption column as wide as its longest caption
    const auto out = std::find(lines.begin(), lines.end(), "Magnetron Output");
    ASSERT_NE(out, lines.end());
    EXPECT_EQ(*(out + 1), "Power to Match     10.2 kW");
    EXPECT_EQ(*(out + 2), "(Available Power)  10.63 kW");
    for (const std::string& l : lines) EXPECT_TRUE(l.empty() || l.back() != ' ') << l;

    // a character of several bytes takes one column: the minus sign, a Greek letter
    const TSection table{"Bounds", {"Low", "High"}, {{"\u0393", {{"\u22121.5", ""}, {"2", ""}}}, {"x", {{"-1.5", ""}, {"2", ""}}}}};
    EXPECT_EQ(Lines(CaseText({table}))[1], "\u0393       \u22121.5  2");
    EXPECT_EQ(Lines(CaseText({table}))[2], "x       -1.5  2");
}

}  // namespace
