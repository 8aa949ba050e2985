// SPDX-License-Identifier: GPL-3.0-or-later
// Where each part of a report goes: the pages of A4 it takes and the
// rectangle, in points of its page, that each part is given. Tables that do
// not fit the rest of a page continue on the next one, under their header
// again; a chart that does not fit starts a page. Nothing is painted: the
// painter and the tests read the same layout.
#pragma once

#include "Report.h"

#include <QRectF>

#include <cstddef>
#include <memory>
#include <vector>

class QIODevice;
class QPaintDevice;
class QPdfWriter;

namespace merivane::report {

inline constexpr double kPageWidth = 595.28;   // A4 in points
inline constexpr double kPageHeight = 841.89;
inline constexpr double kMargin = 48;

enum class TPart {
    Head,    // the title, the version, the date and time: the first page's top
    Table,   // rows of one section under its header
    Smith,   // the Smith chart beside the single values
    Chart,   // the line sweep
    Footer,  // the page's number, when there are more pages than one
};

struct TBlock {
    TPart part = TPart::Table;
    QRectF rect;              // in points of the page
    std::size_t section = 0;  // a table's section in TReport::sections
    std::size_t firstRow = 0; // a table's rows [firstRow, endRow)
    std::size_t endRow = 0;
};

struct TPage {
    std::vector<TBlock> blocks;
};

// The layout of the report with its texts measured as `device` draws them.
std::vector<TPage> LayoutReport(const TReport& report, const QPaintDevice& device);

// The writer of the report's PDF into out: A4, without margins, 300 dpi.
std::unique_ptr<QPdfWriter> NewReportPdfWriter(QIODevice& out, const QString& version);

// The layout WriteReportPdf gives the report.
std::vector<TPage> LayoutReportPdf(const TReport& report);

}  // namespace merivane::report
