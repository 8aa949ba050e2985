// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportLayout.h"

#include "ReportTable.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace merivane::report {

namespace {

namespace present = merivane::present;

constexpr double kGap = 14;            // between tables
constexpr double kMinChart = 200;      // points, the least height a chart gets
constexpr double kMaxChart = 420;      // and the most: a page of its own would stretch it
constexpr double kSmithHeight = 360;   // points, the Smith chart's most, across the page
constexpr std::size_t kKeepRows = 3;   // a table broken leaves at least these rows on each page
constexpr double kWidth = kPageWidth - 2 * kMargin;
constexpr double kBottom = kPageHeight - kMargin;
constexpr double kFooterGap = 14;      // from the bottom margin's top to the page number

struct TCursor {
    std::size_t page = 0;
    double y = kMargin;
};

TCursor Later(const TCursor& a, const TCursor& b)
{
    if (a.page != b.page) return a.page > b.page ? a : b;
    return a.y > b.y ? a : b;
}

class TFlow {
public:
    TFlow(const TReport& report, const TFonts& fonts) : report_(report), fonts_(fonts) {}

    std::vector<TPage> Run();

private:
    void Add(const TCursor& at, TBlock b)
    {
        while (pages_.size() <= at.page) pages_.emplace_back();
        pages_[at.page].blocks.push_back(b);
    }
    double Top(std::size_t page) const { return page == 0 ? firstTop_ : kMargin; }
    TCursor NextPage(const TCursor& at) const { return {at.page + 1, Top(at.page + 1)}; }
    TCursor Head();
    TCursor Table(TCursor at, double x, double width, std::size_t index);
    TCursor Tables(TCursor at);
    TCursor Chart(TCursor at, TPart part, double most);
    void Footers();

    const TReport& report_;
    const TFonts& fonts_;
    std::vector<TPage> pages_;
    double firstTop_ = kMargin;
};

TCursor TFlow::Head()
{
    const double titleH = fonts_.Metrics(fonts_.Make(17, true)).height();
    const double smallH = fonts_.Metrics(fonts_.Make(kTableFontSize, false)).height();
    const QRectF head(kMargin, kMargin, kWidth, titleH + 2 + smallH + 6);
    Add({0, kMargin}, TBlock{TPart::Head, head});
    firstTop_ = head.bottom() + kGap;
    return {0, firstTop_};
}

// The section's rows as they fit, a run on each page: a run too short to
// stand alone moves on to the next page whole.
TCursor TFlow::Table(TCursor at, double x, double width, std::size_t index)
{
    const present::TSection& s = report_.sections[index];
    const TTableMetrics t = MeasureTable(fonts_, width, s);
    const std::size_t n = s.rows.size();
    std::size_t first = 0;
    for (;;) {
        const double room = kBottom - at.y;
        std::size_t end = first;
        double h = t.headerH;
        while (end < n && h + t.rowH[end] <= room) h += t.rowH[end++];
        const bool fits = end == n && h <= room;
        const bool top = at.y <= Top(at.page);
        if (!fits && !top) {
            const std::size_t rest = n - first;
            // leave kKeepRows at least on this page, and take as many over
            if (rest > kKeepRows && end < n && n - end < kKeepRows) end = n - kKeepRows;
            if (end < first + std::min(kKeepRows, rest) || h > room) {
                at = NextPage(at);
                continue;
            }
        }
        // at a page's top whatever comes: a row taller than a page still goes somewhere
        if (!fits && top && end == first && first < n) ++end;
        Add(at, TBlock{TPart::Table, QRectF(x, at.y, width, t.Height(first, end)), index, first, end});
        if (end >= n) {
            at.y += t.Height(first, end) + kGap;
            return at;
        }
        first = end;
        at = NextPage(at);
    }
}

// The inputs beside the single values (the first sections without
// columns), then every table across the page.
TCursor TFlow::Tables(TCursor at)
{
    std::vector<std::size_t> left, right, wide;
    for (std::size_t i = 0; i < report_.sections.size(); ++i) {
        if (!report_.sections[i].columns.empty() || !wide.empty()) {
            wide.push_back(i);
        } else if (left.empty()) {
            left.push_back(i);
        } else {
            right.push_back(i);
        }
    }
    const double half = (kWidth - kGap) / 2;
    TCursor yl = at, yr = at;
    for (std::size_t i : left) yl = Table(yl, kMargin, half, i);
    for (std::size_t i : right) yr = Table(yr, kMargin + half + kGap, half, i);
    TCursor end = Later(yl, yr);
    for (std::size_t i : wide) end = Table(end, kMargin, kWidth, i);
    return end;
}

// A chart across the page below what came before, on the next page when
// less than its least height is left.
TCursor TFlow::Chart(TCursor at, TPart part, double most)
{
    if (kBottom - at.y < kMinChart) at = NextPage(at);
    const QRectF area(kMargin, at.y, kWidth, std::min(most, kBottom - at.y));
    Add(at, TBlock{part, area});
    at.y = area.bottom() + kGap;
    return at;
}

void TFlow::Footers()
{
    if (pages_.size() < 2) return;
    const double smallH = fonts_.Metrics(fonts_.Make(kTableFontSize, false)).height();
    for (TPage& page : pages_) page.blocks.push_back(TBlock{TPart::Footer, QRectF(kMargin, kBottom + kFooterGap, kWidth, smallH)});
}

std::vector<TPage> TFlow::Run()
{
    TCursor at = Head();
    at = Tables(at);
    // the tables and the Line Sweep chart first, as the window shows them;
    // the Smith chart after them, where it has room for its labels in the tables' size
    if (report_.chart) at = Chart(at, TPart::Chart, kMaxChart);
    if (report_.smith) Chart(at, TPart::Smith, kSmithHeight);
    Footers();
    return pages_;
}

}  // namespace

std::vector<TPage> LayoutReport(const TReport& report, const QPaintDevice& device)
{
    const TFonts fonts(&device);
    return TFlow(report, fonts).Run();
}

std::unique_ptr<QPdfWriter> NewReportPdfWriter(QIODevice& out, const QString& version)
{
    auto writer = std::make_unique<QPdfWriter>(&out);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setResolution(300);
    writer->setTitle(QStringLiteral("Power Transmission Report"));
    writer->setCreator(QStringLiteral("Merivane ") + version);
    return writer;
}

std::vector<TPage> LayoutReportPdf(const TReport& report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const std::unique_ptr<QPdfWriter> writer = NewReportPdfWriter(buffer, report.version);
    return LayoutReport(report, *writer);
}

}  // namespace merivane::report
