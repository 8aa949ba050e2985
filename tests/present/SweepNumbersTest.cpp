// SPDX-License-Identifier: GPL-3.0-or-later
// The Line Sweep readouts as numbers: none exactly where the page shows
// "n/a" or "any length", the same figures as the texts, and the export's
// "sweep" object and columns. The shortening of quoted texts by characters.
#include "EntryReader.h"
#include "Example.h"
#include "Export.h"
#include "RowNames.h"
#include "SweepNumbers.h"
#include "SweepTexts.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace merivane;
using namespace merivane::present;

struct TNumbersCase {
    const char* name;
    LineType line;
    double fMHz, spanMHz, lengthM;
    double loadMag;
    bool guide, cutoff, advice, spread;  // which numbers are there
};

class SweepNumbersTable : public ::testing::TestWithParam<TNumbersCase> {};

TEST_P(SweepNumbersTable, AreThereExactlyWhereThePageShowsANumber)
{
    const TNumbersCase& t = GetParam();
    TSweepCase c{WorkedExample(true), {}};
    c.M.LoaRfl.Mag = t.loadMag;
    c.In.Line = t.line;
    c.In.FreqMHz = t.fMHz;
    c.In.SpanMHz = t.spanMHz;
    c.In.LengthM = t.lengthM;
    const TSweepResult r = CalcLineSweep(c, 0);
    const std::vector<std::optional<double>> n = SweepNumbers(r);
    ASSERT_EQ(n.size(), SweepNumberNames().size());
    EXPECT_EQ(n[0].has_value(), t.guide);
    EXPECT_EQ(n[1].has_value(), t.cutoff);
    EXPECT_EQ(n[2].has_value(), t.guide);
    EXPECT_EQ(n[3].has_value(), t.advice);
    EXPECT_EQ(n[4].has_value(), t.advice);
    EXPECT_EQ(n[5].has_value(), t.spread);
    for (std::size_t i = 6; i < n.size(); ++i) EXPECT_TRUE(n[i].has_value()) << SweepNumberNames()[i];
    // where the page shows a number, it is this one rounded to its decimals
    const std::vector<TSweepRow> rows = SweepRows(r, PowerUnit::Watts);
    const std::size_t texts[] = {0, 1, 2, 3};  // guide, period, add max, add min among the rows
    const std::size_t numbers[] = {0, 2, 3, 4};
    for (std::size_t k = 0; k < 4; ++k) {
        if (!n[numbers[k]]) {
            EXPECT_TRUE(rows[texts[k]].text == kNotApplicable || rows[texts[k]].text == kAnyLength) << rows[texts[k]].text;
            continue;
        }
        EXPECT_NEAR(std::stod(rows[texts[k]].text), *n[numbers[k]], 0.005 + 1e-12) << rows[texts[k]].name;
    }
    if (!n[5]) {
        EXPECT_EQ(rows[4].text, kNotApplicable);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SweepNumbersTable,
    ::testing::Values(TNumbersCase{"WR340 at 2450 MHz", LineType::WR340, 2450, 0, 0, 0.5, true, true, true, true},
                      TNumbersCase{"WR975 below cut-off", LineType::WR975, 500, 0, 0, 0.5, false, true, false, false},
                      TNumbersCase{"span below cut-off", LineType::WR340, 2450, 800, 1, 0.5, true, true, true, false},
                      TNumbersCase{"coax has no cut-off", LineType::Coax, 2450, 10, 1, 0.5, true, false, true, true},
                      TNumbersCase{"matched load: any length", LineType::WR430, 2450, 0, 0, 0, true, true, false, true}),
    ROW_NAMES(std::string(r.name)));

TEST(SweepNumbers, AFullReflectionHasNoFiniteMeanAndGivesNone)
{
    // |Gs Gl| = 1: the mean K / (1 - r^2) is infinite, which JSON cannot hold
    TSweepCase c{WorkedExample(true), {}};
    c.M.SrcRfl.Mag = 1;
    c.M.LoaRfl.Mag = 1;
    const std::vector<std::optional<double>> n = SweepNumbers(CalcLineSweep(c, 0));
    for (const std::optional<double>& v : n)
        if (v) {
            EXPECT_TRUE(std::isfinite(*v));
        }
}

TEST(SweepExport, JsonHasTheSweepObjectWithNumbersAndNulls)
{
    TSweepCase c{WorkedExample(true), {}};
    c.In.Line = LineType::WR975;
    c.In.FreqMHz = 500;  // below the cut-off of 605.27 MHz
    TExtraRegion region{"Line Sweep", {}};
    AddSweepReadouts(region, CalcLineSweep(c, 0), PowerUnit::Watts);
    const std::string json = CaseJson(c.M, TDisplay{}, &region);
    QJsonParseError error{};
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json;
    // every key already there stays
    for (const char* key : {"inputs", "results", "display"}) EXPECT_TRUE(doc.contains(QLatin1String(key))) << key;
    const QJsonObject s = doc.value("sweep").toObject();
    ASSERT_EQ(s.size(), 10);
    EXPECT_TRUE(s.value("guide_wavelength_mm").isNull());
    EXPECT_TRUE(s.value("add_for_max_mm").isNull());
    EXPECT_NEAR(s.value("cutoff_mhz").toDouble(), 299792458.0 / (2 * 0.24765) / 1e6, 1e-9);  // c / 2a
    // the worked example: Pmatch 10200 W, |Gl| 0.5, |Gs| 0.2: mean 10200 * 0.75 / 0.99
    EXPECT_NEAR(s.value("mean_absorbed_w").toDouble(), 10200 * 0.75 / 0.99, 1e-8);
    // the texts beside them, in "display"
    EXPECT_EQ(doc.value("display").toObject().value("Guide Wavelength").toString(), "n/a");
}

TEST(SweepExport, CsvHasTheNumbersAfterTheTexts)
{
    TSweepCase c{WorkedExample(true), {}};
    TExtraRegion region{"Line Sweep", {}};
    AddSweepReadouts(region, CalcLineSweep(c, 0), PowerUnit::Watts);
    const std::string csv = CaseCsv(c.M, TDisplay{}, &region);
    const std::size_t eol = csv.find('\n');
    const std::string header = csv.substr(0, eol);
    const std::size_t text = header.find("Guide Wavelength"), number = header.find("guide_wavelength_mm");
    ASSERT_NE(text, std::string::npos);
    ASSERT_NE(number, std::string::npos);
    EXPECT_LT(text, number);
    // WR340 at 2450 MHz: the guide wavelength 173.38 mm as the last columns' first
    const std::string row = csv.substr(eol + 1);
    std::vector<std::string> cells(1);
    for (char ch : row) {
        if (ch == ',') cells.emplace_back();
        else if (ch != '\n') cells.back() += ch;
    }
    ASSERT_GE(cells.size(), 10u);
    EXPECT_NEAR(std::stod(cells[cells.size() - 10]), 173.38, 0.005);
}

struct TShort {
    const char* name;
    const char* text;
    std::size_t max;
    const char* shortened;
};

class ShortTextTable : public ::testing::TestWithParam<TShort> {};

TEST_P(ShortTextTable, CountsCharactersAndNeverSplitsOne)
{
    EXPECT_EQ(ShortText(GetParam().text, GetParam().max), GetParam().shortened);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ShortTextTable,
    ::testing::Values(TShort{"short stays", "abc", 3, "abc"}, TShort{"one over", "abcd", 3, "abc\u2026"},
                      TShort{"two-byte characters", "\u00e9\u00e9\u00e9\u00e9", 3, "\u00e9\u00e9\u00e9\u2026"},
                      TShort{"three-byte characters", "\u20ac\u20ac\u20ac", 3, "\u20ac\u20ac\u20ac"},
                      TShort{"four-byte characters", "\U0001F600\U0001F600x", 2, "\U0001F600\U0001F600\u2026"},
                      TShort{"control characters as blanks", "a\tb\nc", 10, "a b c"},
                      TShort{"nothing", "", 0, ""}, TShort{"zero allowed", "a", 0, "\u2026"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
