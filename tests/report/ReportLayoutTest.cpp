// SPDX-License-Identifier: GPL-3.0-or-later
// The report's pages: every part of a case with every option set finds its
// place, nothing drawn over anything else, nothing off its page, and every
// row of every section printed once.
#include "ReportCases.h"

#include "ReportLayout.h"
#include "ReportSections.h"
#include "ReportTable.h"
#include "SmithPainter.h"

#include <QBuffer>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using merivane::report::TBlock;
using merivane::report::TPage;
using merivane::report::TPart;
namespace rep = merivane::report;

std::string Name(const TReport& r, const TBlock& b)
{
    switch (b.part) {
    case TPart::Head: return "the head";
    case TPart::Table: return "\"" + r.sections[b.section].title + "\" rows " + std::to_string(b.firstRow) + ".." +
                              std::to_string(b.endRow);
    case TPart::Smith: return "the Smith chart";
    case TPart::Chart: return "the sweep chart";
    case TPart::Footer: return "the page number";
    }
    return "?";
}

// Everything the layout gets wrong, in words: blocks over one another, off
// their page or into its margins (the page number alone stands in the bottom
// margin), rows placed twice or never.
std::string Faults(const TReport& r, const std::vector<TPage>& pages)
{
    std::ostringstream out;
    const QRectF sheet(0, 0, rep::kPageWidth, rep::kPageHeight);
    const QRectF inside = sheet.adjusted(rep::kMargin, rep::kMargin, -rep::kMargin, -rep::kMargin);
    std::vector<std::size_t> nextRow(r.sections.size(), 0);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::vector<TBlock>& blocks = pages[p].blocks;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const TBlock& b = blocks[i];
            const QRectF within = b.part == TPart::Footer ? sheet : inside;
            if (!within.adjusted(-0.01, -0.01, 0.01, 0.01).contains(b.rect) || b.rect.isEmpty())
                out << "page " << p + 1 << ": " << Name(r, b) << " is off its page\n";
            for (std::size_t j = 0; j < i; ++j)
                if (b.rect.adjusted(0.01, 0.01, -0.01, -0.01).intersects(blocks[j].rect))
                    out << "page " << p + 1 << ": " << Name(r, b) << " is over " << Name(r, blocks[j]) << "\n";
            if (b.part != TPart::Table) continue;
            if (b.firstRow != nextRow[b.section]) out << Name(r, b) << " does not follow the rows before\n";
            nextRow[b.section] = b.endRow;
        }
    }
    for (std::size_t s = 0; s < r.sections.size(); ++s)
        if (nextRow[s] != r.sections[s].rows.size())
            out << "\"" << r.sections[s].title << "\" shows " << nextRow[s] << " of its " << r.sections[s].rows.size()
                << " rows\n";
    return out.str();
}

std::vector<std::string> TitlesLaidOut(const TReport& r, const std::vector<TPage>& pages)
{
    std::vector<std::string> titles;
    for (const TPage& page : pages)
        for (const TBlock& b : page.blocks)
            if (b.part == TPart::Table && b.firstRow == 0) titles.push_back(r.sections[b.section].title);
    return titles;
}

int Count(const std::vector<TPage>& pages, TPart part)
{
    int n = 0;
    for (const TPage& page : pages)
        for (const TBlock& b : page.blocks) n += b.part == part;
    return n;
}

struct TLayoutCase {
    const char* name;
    TReport report;
    std::size_t leastPages;
};

TEST(ReportLayout, NothingOverlapsNothingIsCutNoRowIsLost)
{
    const auto noChart = [](TReport r) {
        r.chart = {};
        r.smith = {};
        return r;
    };
    const std::vector<TLayoutCase> cases{
        {"the worked example", ReportOf(ReportCase(false)), 1},
        {"every option set", ReportOf(ReportCase(true)), 2},
        {"every option, no charts", noChart(ReportOf(ReportCase(true))), 1},
        {"a list taller than a page, with a chart", TallReport(73), 2},
        {"a list of three pages", noChart(TallReport(150)), 3},
    };
    for (const TLayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<TPage> pages = rep::LayoutReportPdf(c.report);
        EXPECT_EQ(Faults(c.report, pages), "");
        EXPECT_GE(pages.size(), c.leastPages);
        EXPECT_EQ(Count(pages, TPart::Head), 1);
        EXPECT_EQ(Count(pages, TPart::Chart), c.report.chart ? 1 : 0);
        EXPECT_EQ(Count(pages, TPart::Footer), pages.size() > 1 ? static_cast<int>(pages.size()) : 0);
    }
}

TEST(ReportLayout, EveryViewTheCaseSetsHasItsSection)
{
    const TReport r = ReportOf(ReportCase(true));
    const std::vector<std::string> expected{"Inputs",      "Magnetron Output", "Source Reflection", "Load Reflection",
                                            "Transmission", "Power Meas",      "Load Meas",         "Tuner",
                                            "Guide",        "Magnetron",       "Uncertainty"};
    const std::vector<TPage> pages = rep::LayoutReportPdf(r);
    std::vector<std::string> laidOut = TitlesLaidOut(r, pages);
    std::sort(laidOut.begin(), laidOut.end());
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(laidOut, sorted);
    // and without the options only the window's pages
    const TReport plain = ReportOf(ReportCase(false));
    EXPECT_EQ(TitlesLaidOut(plain, rep::LayoutReportPdf(plain)).size(), 7u);
}

TEST(ReportLayout, ABrokenTableGoesOnUnderItsHeaderAtTheNextPagesTop)
{
    const TReport r = TallReport(73);
    const std::vector<TPage> pages = rep::LayoutReportPdf(r);
    ASSERT_GE(pages.size(), 2u);
    const TBlock& second = pages[1].blocks.front();
    ASSERT_EQ(second.part, TPart::Table);
    EXPECT_GT(second.firstRow, 3u);
    EXPECT_NEAR(second.rect.top(), rep::kMargin, 0.01);
    // the chart follows the last rows, with its least height
    const TBlock* chart = nullptr;
    for (const TBlock& b : pages.back().blocks)
        if (b.part == TPart::Chart) chart = &b;
    ASSERT_NE(chart, nullptr);
    EXPECT_GE(chart->rect.height(), 200 - 0.01);
}

TEST(ReportLayout, AChartWithoutRoomBelowTheTablesStartsAPage)
{
    // rows enough to leave less than 200 points below them on the first page
    for (int rows = 30; rows <= 44; ++rows) {
        SCOPED_TRACE(rows);
        const TReport r = TallReport(rows);
        const std::vector<TPage> pages = rep::LayoutReportPdf(r);
        EXPECT_EQ(Faults(r, pages), "");
        for (const TPage& page : pages)
            for (const TBlock& b : page.blocks)
                if (b.part == TPart::Chart) {
                    EXPECT_GE(b.rect.height(), 200 - 0.01);
                }
    }
}

TEST(ReportLayout, TheSmithChartHasRoomForItsLabelsInTheTablesSize)
{
    // The disc, in the tables' font, at least twelve lines across, and its
    // legend clear of it: a chart beside the tables had less than six.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const auto writer = rep::NewReportPdfWriter(buffer, QStringLiteral("test"));
    const rep::TFonts fonts(writer.get());
    const double em = fonts.Metrics(fonts.Make(rep::kTableFontSize, false)).height();
    for (bool everyOption : {false, true}) {
        SCOPED_TRACE(everyOption ? "every option" : "the worked example");
        const TReport r = ReportOf(ReportCase(everyOption));
        int seen = 0;
        for (const TPage& page : rep::LayoutReportPdf(r))
            for (const TBlock& b : page.blocks)
                if (b.part == TPart::Smith) {
                    ++seen;
                    EXPECT_GE(merivane::smith::SmithFrame(b.rect, em, 1.0, true).radius, 6 * em);
                }
        EXPECT_EQ(seen, 1);
    }
}

// A table of many columns at the page's width: no cell is narrower than
// the longest word of its header or its values, so no number is cut; the
// table is set smaller where it must, never below 60 % of the tables' size.
TEST(ReportLayout, AWideTableCutsNoNumber)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const auto writer = rep::NewReportPdfWriter(buffer, QStringLiteral("test"));
    const rep::TFonts fonts(writer.get());
    merivane::present::TSection wide{"Applicator Feeds",
                                     {"Power", "Frequency", "Returned", "In-phase bound", "Seen |Γ|", "To magnetron",
                                      "To dummy load", "Dummy load margin"},
                                     {}};
    for (int feed = 1; feed <= 3; ++feed)
        wide.rows.push_back({"Feed " + std::to_string(feed),
                             {{"1000 W", ""}, {"2450.25 MHz", ""}, {"192.65 W", ""}, {"434.4 W", ""}, {"0.4389", ""},
                              {"1.93 W", ""}, {"190.72 W", ""}, {"+309.28 W (+4.19 dB)", ""}}});
    const double width = rep::kPageWidth - 2 * rep::kMargin;
    const rep::TTableMetrics t = rep::MeasureTable(fonts, width, wide);
    EXPECT_TRUE(t.fits);
    EXPECT_GE(t.fontSize, 0.6 * rep::kTableFontSize);
    EXPECT_LE(t.left.back(), width + 1e-6);
    const QFontMetricsF fm = fonts.Metrics(fonts.Make(t.fontSize, false));
    const QFontMetricsF fb = fonts.Metrics(fonts.Make(t.fontSize, true));
    for (std::size_t c = 0; c < wide.columns.size(); ++c) {
        const double cell = t.left[c + 1] - t.left[c];
        for (const QString& w : QString::fromStdString(wide.columns[c]).split(' '))
            EXPECT_GE(cell, fb.horizontalAdvance(w)) << wide.columns[c];
        for (const QString& w : QString::fromStdString(wide.rows[0].values[c].text).split(' '))
            EXPECT_GE(cell, fm.horizontalAdvance(w)) << wide.columns[c];
    }
}

}  // namespace
