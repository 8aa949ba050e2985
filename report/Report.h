// SPDX-License-Identifier: GPL-3.0-or-later
// The report of a case: title, date and time, the program's version, the
// inputs, the result pages as tables and, when one is given, a chart, on as
// many A4 pages as they take (ReportLayout.h says where each goes). It is
// painted with QPainter, so that the same pages go to a PDF file and to a
// printer. Needs a QGuiApplication (the offscreen platform will do).
#pragma once

#include "Case.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

class QFont;
class QPainter;
class QRectF;

// Paints a chart into the rectangle it is given: below the tables, at least
// 200 points high, on a page of its own when the tables leave less. The
// painter's units are points of the A4 page, its font is the tables' (the
// Smith chart's two points smaller; ReportFont gives others), and its state
// is restored afterwards.
using TChartPainter = std::function<void(QPainter&, const QRectF&)>;

struct TReport {
    std::vector<merivane::present::TSection> sections;  // the inputs first, then the results
    QString version;      // "2.0.5.1"
    QDateTime when;       // the date and time the report names
    TChartPainter chart;  // optional: without it the report has no chart
    // Optional: the Smith chart, a square in a third column beside the
    // inputs and the single values.
    TChartPainter smith;
};

// Paints the pages into `page`, a rectangle in the painter's device
// coordinates: laid out on A4 portrait and scaled to fit. A paged device (a
// PDF writer, a printer) is given a new page for each page after the first;
// any other device gets the first page only.
void PaintReport(QPainter& painter, const QRectF& page, const TReport& report);

// A font of `points` on the page, for a chart painter: the painter is scaled
// from points to the device, so a font's own size is set to match.
QFont ReportFont(const QPainter& painter, double points, bool bold = false);

// Writes the pages as an A4 PDF. The file is replaced only when it is
// complete; false when it cannot be written.
bool WriteReportPdf(const QString& path, const TReport& report);
