// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include "ReportLayout.h"
#include "ReportTable.h"
#include "SafeSave.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPdfWriter>
#include <QBuffer>

#include <algorithm>
#include <memory>

namespace rep = merivane::report;

namespace {

const QColor kRule(0x88, 0x88, 0x88);
const QColor kGrey(0x55, 0x55, 0x55);

// The title, then the version at the left and the date and time at the
// right, over a rule.
void PaintHead(QPainter& p, const rep::TFonts& fonts, const QRectF& r, const TReport& report)
{
    const QFont title = fonts.Make(17, true);
    const QFont small = fonts.Make(rep::kTableFontSize, false);
    const double titleH = fonts.Metrics(title).height();
    p.setPen(Qt::black);
    p.setFont(title);
    p.drawText(QRectF(r.left(), r.top(), r.width(), titleH), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Power Transmission Report"));
    const double y = r.top() + titleH + 2;
    const double smallH = fonts.Metrics(small).height();
    p.setFont(small);
    p.setPen(kGrey);
    p.drawText(QRectF(r.left(), y, r.width(), smallH), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Merivane ") + report.version);
    p.drawText(QRectF(r.left(), y, r.width(), smallH), Qt::AlignRight | Qt::AlignVCenter,
               report.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    p.setPen(QPen(kRule, 0.8));
    p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.bottom()));
}

// A chart painter inside its rectangle only, in a font of `points`.
void PaintChart(QPainter& p, const rep::TFonts& fonts, const QRectF& r, const TChartPainter& chart, double points)
{
    p.save();
    p.setClipRect(r);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.setFont(fonts.Make(points, false));
    chart(p, r);
    p.restore();
}

void PaintPage(QPainter& p, const QRectF& page, const TReport& report, const rep::TPage& blocks, std::size_t number,
               std::size_t pages)
{
    p.save();
    const double scale = std::min(page.width() / rep::kPageWidth, page.height() / rep::kPageHeight);
    p.translate(page.x() + (page.width() - rep::kPageWidth * scale) / 2,
                page.y() + (page.height() - rep::kPageHeight * scale) / 2);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const rep::TFonts fonts(p.device());
    for (const rep::TBlock& b : blocks.blocks) {
        switch (b.part) {
        case rep::TPart::Head:
            PaintHead(p, fonts, b.rect, report);
            break;
        case rep::TPart::Table:
            rep::DrawTableRows(p, fonts, b.rect.x(), b.rect.y(), b.rect.width(), report.sections[b.section], b.firstRow,
                               b.endRow);
            break;
        case rep::TPart::Smith:
            // in the tables' size: the chart leaves out the labels it has no room for
            if (report.smith) PaintChart(p, fonts, b.rect, report.smith, rep::kTableFontSize);
            break;
        case rep::TPart::Chart:
            if (report.chart) PaintChart(p, fonts, b.rect, report.chart, rep::kTableFontSize);
            break;
        case rep::TPart::Footer:
            p.setFont(fonts.Make(rep::kTableFontSize, false));
            p.setPen(kGrey);
            p.drawText(b.rect, Qt::AlignHCenter | Qt::AlignVCenter,
                       QStringLiteral("Page %1 of %2").arg(number + 1).arg(pages));
            break;
        }
    }
    p.restore();
}

}  // namespace

void PaintReport(QPainter& p, const QRectF& page, const TReport& report)
{
    const std::vector<rep::TPage> pages = rep::LayoutReport(report, *p.device());
    auto* paged = dynamic_cast<QPagedPaintDevice*>(p.device());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !(paged && paged->newPage())) return;
        PaintPage(p, page, report, pages[i], i, pages.size());
    }
}

QFont ReportFont(const QPainter& painter, double points, bool bold)
{
    return rep::TFonts(painter.device()).Make(points, bold);
}

bool WriteReportPdf(const QString& path, const TReport& report)
{
    // made in memory, then saved whole: never over a device or a pipe
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        const std::unique_ptr<QPdfWriter> writer = rep::NewReportPdfWriter(buffer, report.version);
        QPainter painter;
        if (!painter.begin(writer.get())) return false;
        PaintReport(painter, QRectF(0, 0, writer->width(), writer->height()), report);
        if (!painter.end()) return false;
    }
    return merivane::SaveWholeFile(path, pdf);
}
