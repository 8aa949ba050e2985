// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --batch with the line's columns, a header separated by ";",
// an id column passed through, one warning for the columns not taken, and the
// reader of one line.
#include "Calc.h"
#include "CsvLine.h"
#include "RowNames.h"

#include <cmath>

namespace {

using Strings = std::vector<std::string>;

struct TTable {
    Strings header;
    std::vector<Strings> rows;
    std::string Get(std::size_t row, const std::string& name) const
    {
        for (std::size_t i = 0; i < header.size(); ++i)
            if (header[i] == name) return rows.at(row).at(i);
        ADD_FAILURE() << "no column " << name;
        return {};
    }
};

TTable Table(const std::string& out)
{
    TTable t;
    const Strings lines = TextLines(out);
    if (lines.empty()) return t;
    // the reader reuses buffers: take a copy of just the line's cells
    std::vector<std::string> cells;
    const std::size_t n = merivane::SplitCsv(lines[0], ',', cells);
    t.header.assign(cells.begin(), cells.begin() + static_cast<long>(n));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t m = merivane::SplitCsv(lines[i], ',', cells);
        t.rows.emplace_back(cells.begin(), cells.begin() + static_cast<long>(m));
    }
    return t;
}

double Lambda0Mm(double fMHz) { return 299792458.0 / (fMHz * 1e6) * 1000.0; }
double GuideMm(double fMHz, double aMm)
{
    const double q = Lambda0Mm(fMHz) / (2 * aMm);
    return Lambda0Mm(fMHz) / std::sqrt(1 - q * q);
}

TEST(BatchLine, SemicolonHeaderIdAndLineColumns)
{
    // a spreadsheet's export: ";" between cells, an id, the line per row
    const TRun r = RunCalc({"--batch", "-"}, "id;line;frequency;length;span;load\n"
                                             "magnetron A;WR340;2450;;;0.5@90\n"
                                             "\"B;2\";WR975;915;2;2;\n"
                                             "low;WR975;500;;;\n"
                                             "coax;coax:0.66;;;;0@0\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const TTable t = Table(r.out);
    ASSERT_EQ(t.rows.size(), 4u);
    ASSERT_FALSE(t.header.empty());
    EXPECT_EQ(t.header[0], "id");
    EXPECT_EQ((Strings{t.rows[0][0], t.rows[1][0], t.rows[2][0], t.rows[3][0]}),
              (Strings{"magnetron A", "B;2", "low", "coax"}));
    // the line's inputs as the options take them, so that the rows read back
    EXPECT_EQ(t.Get(1, "line"), "WR975");
    EXPECT_EQ(t.Get(1, "frequency"), "915");
    EXPECT_EQ(t.Get(1, "length"), "2");
    EXPECT_EQ(t.Get(3, "line"), "coax:0.66");
    EXPECT_EQ(t.Get(3, "frequency"), "2450");  // the default
    // the numbers against the closed forms
    EXPECT_NEAR(std::stod(t.Get(0, "guide_wavelength_mm")), GuideMm(2450, 86.36), 1e-9);
    EXPECT_NEAR(std::stod(t.Get(1, "guide_wavelength_mm")), GuideMm(915, 247.65), 1e-9);
    EXPECT_NEAR(std::stod(t.Get(1, "period_mm")), GuideMm(915, 247.65) / 2, 1e-9);
    // 720 deg L |1/lg(917) - 1/lg(913)|, L = 2000 mm
    EXPECT_NEAR(std::stod(t.Get(1, "phase_spread_deg")), 720 * 2000 * std::fabs(1 / GuideMm(917, 247.65) - 1 / GuideMm(913, 247.65)),
                1e-7);
    EXPECT_EQ(t.Get(2, "guide_wavelength_mm"), "");  // below the cut-off of 605.27 MHz: n/a
    EXPECT_EQ(t.Get(2, "add_for_max_mm"), "");
    EXPECT_NEAR(std::stod(t.Get(2, "cutoff_mhz")), 299792458.0 / (2 * 0.24765) / 1e6, 1e-9);
    EXPECT_EQ(t.Get(3, "cutoff_mhz"), "");      // a TEM line
    EXPECT_EQ(t.Get(3, "add_for_min_mm"), "");  // a matched load: any length
    EXPECT_NEAR(std::stod(t.Get(3, "guide_wavelength_mm")), Lambda0Mm(2450) * 0.66, 1e-9);
    // mean Pmatch (1 - |Gl|^2) / (1 - |Gs Gl|^2) = 10200 * 0.75 / 0.99, and a matched load takes Pmatch
    EXPECT_NEAR(std::stod(t.Get(0, "mean_absorbed_w")), 10200 * 0.75 / 0.99, 1e-8);
    EXPECT_NEAR(std::stod(t.Get(3, "mean_absorbed_w")), 10200, 1e-8);
    EXPECT_NEAR(std::stod(t.Get(3, "absorbed_deviation_w")), 0, 1e-9);
}

TEST(BatchLine, ALineOptionAddsTheColumnsToEveryRow)
{
    const TRun r = RunCalc({"--batch", "-", "--line", "WR430", "--length", "1"}, "va\n4000\n5000\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const TTable t = Table(r.out);
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.Get(1, "line"), "WR430");
    EXPECT_EQ(t.Get(1, "length"), "1");
    EXPECT_NEAR(std::stod(t.Get(1, "guide_wavelength_mm")), GuideMm(2450, 109.22), 1e-9);
    // 5000 V * 3 A * 0.85 * 0.75 / 0.99
    EXPECT_NEAR(std::stod(t.Get(1, "mean_absorbed_w")), 12750 * 0.75 / 0.99, 1e-8);
}

TEST(BatchLine, ItsOwnOutputReadsBackAsTheSameRows)
{
    const TRun first = RunCalc({"--batch", "-"}, "line,frequency,span,length,va\nwaveguide:100,2000,5,1.5,3000\n");
    ASSERT_EQ(first.status, 0) << first.err;
    const TRun again = RunCalc({"--batch", "-"}, QByteArray::fromStdString(first.out));
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
}

struct TBadRow {
    const char* name;
    const char* input;
    int status;
    const char* err;
};

class BatchLineMessages : public ::testing::TestWithParam<TBadRow> {};

TEST_P(BatchLineMessages, AreOneLineEach)
{
    const TRun r = RunCalc({"--batch", "-"}, GetParam().input);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_EQ(r.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BatchLineMessages,
    ::testing::Values(
        TBadRow{"bad line", "va,line\n1,WR999\n", 1,
                "merivane-calc: stdin:2: line \"WR999\": neither waveguide:WIDTH_MM nor coax:VF, and not one of WR284, WR340, WR430, WR975, coax; "
                "row skipped\n"},
        TBadRow{"frequency not a number", "frequency\nmid band\n", 1,
                "merivane-calc: stdin:2: frequency \"mid band\": not a number; row skipped\n"},
        TBadRow{"span clamped", "span\n20000\n", 0,
                "merivane-calc: warning: stdin:2: span \"20000\": outside 0 .. 10000, clamped to 10000\n"},
        TBadRow{"a long cell quoted short", "eff\nabcdefghijabcdefghijabcdefghijabcdefghijabcde\n", 1,
                "merivane-calc: stdin:2: eff \"abcdefghijabcdefghijabcdefghijabcdefghij\u2026\": not a number; "
                "row skipped\n"},
        TBadRow{"id twice", "id,va,id\n", 2, "merivane-calc: stdin:1: the column \"id\" appears twice\n"},
        TBadRow{"a long name twice", "line,line\n", 2, "merivane-calc: stdin:1: the column \"line\" appears twice\n"},
        // one warning, however many columns: counted, five named, each shortened
        TBadRow{"seven columns not taken",
                "va,a,b,c,d,Pmatch,x123456789x123456789x123456789x123456789x123456789,z\n1,,,,,,,\n", 0,
                "merivane-calc: warning: stdin:1: 7 columns that are not inputs are ignored: \"a\", \"b\", \"c\", \"d\", "
                "\"Pmatch\", \u2026 and 2 more\n"},
        TBadRow{"a long name not taken", "va;x123456789x123456789x123456789x123456789x123456789\n1;2\n", 0,
                "merivane-calc: warning: stdin:1: 1 column that is not an input is ignored: "
                "\"x123456789x123456789x123456789x123456789\u2026\"\n"},
        TBadRow{"two not taken", "note,va,Remark\n", 0,
                "merivane-calc: warning: stdin:1: 2 columns that are not inputs are ignored: \"note\", \"Remark\"\n"}),
    ROW_NAMES(std::string(r.name)));

// The reader of one line, with either separator.
struct TSplit {
    const char* name;
    const char* line;
    char sep;
    Strings cells;
};

class SplitLine : public ::testing::TestWithParam<TSplit> {};

TEST_P(SplitLine, GivesTheCells)
{
    Strings cells = {"left over", "from", "before", "x", "y"};
    const std::size_t n = merivane::SplitCsv(GetParam().line, GetParam().sep, cells);
    cells.resize(n);
    EXPECT_EQ(cells, GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitLine,
    ::testing::Values(TSplit{"commas", "a,b,c", ',', {"a", "b", "c"}},
                      TSplit{"semicolons", "a;b;c", ';', {"a", "b", "c"}},
                      TSplit{"a comma inside a semicolon line", "0,5;b", ';', {"0,5", "b"}},
                      TSplit{"blanks trimmed", " a ;\tb\t; c\r", ';', {"a", "b", "c"}},
                      TSplit{"quoted separator and doubled quote", "\"a;\"\"q\"\"\";b", ';', {"a;\"q\"", "b"}},
                      TSplit{"empty cells", ",,", ',', {"", "", ""}},
                      TSplit{"empty line", "", ',', {""}},
                      TSplit{"unclosed quote", "\"abc,d", ',', {"abc,d"}}),
    ROW_NAMES(std::string(r.name)));

struct TSeparator {
    const char* name;
    const char* header;
    char sep;
};

class HeaderSeparator : public ::testing::TestWithParam<TSeparator> {};

TEST_P(HeaderSeparator, IsFoundOutsideQuotes) { EXPECT_EQ(merivane::Separator(GetParam().header), GetParam().sep); }

INSTANTIATE_TEST_SUITE_P(Headers, HeaderSeparator,
                         ::testing::Values(TSeparator{"commas", "va,ia,eff", ','}, TSeparator{"semicolons", "va;ia;eff", ';'},
                                           TSeparator{"one column", "va", ','},
                                           TSeparator{"semicolons in quotes", "\"a;b;c\",va", ','},
                                           TSeparator{"commas in quotes", "\"a,b,c\";va", ';'}),
                         ROW_NAMES(std::string(r.name)));

}  // namespace
