// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include "SafeSave.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPaintDevice>
#include <QPdfWriter>
#include <QBuffer>

#include <algorithm>
#include <cmath>

namespace present = merivane::present;

namespace {

// The page in points.
constexpr double kPageWidth = 595.28;
constexpr double kPageHeight = 841.89;
constexpr double kMargin = 48;
constexpr double kGap = 14;     // between tables
constexpr double kPad = 5;      // inside a cell
constexpr double kFontSize = 9; // points, the tables
constexpr double kMinChart = 200; // points, the least height a chart gets
constexpr double kSmithShare = 0.28; // of the width, the Smith chart's side
const QColor kRule(0x88, 0x88, 0x88);
const QColor kLine(0xcc, 0xcc, 0xcc);
const QColor kHeader(0xe8, 0xec, 0xf2);
const QColor kGrey(0x55, 0x55, 0x55);

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Fonts sized in points of the page: the painter is scaled from points to
// device pixels, so the font's own conversion by the device resolution is
// taken back out.
class TFonts {
public:
    explicit TFonts(const QPaintDevice* device) : device_(device) {}
    QFont Make(double points, bool bold) const
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(points * 72.0 / std::max(1, device_->logicalDpiY()));
        f.setBold(bold);
        // no ligatures: the text read out of the PDF is the text written
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    }
    QFontMetricsF Metrics(const QFont& f) const { return QFontMetricsF(f, device_); }

private:
    const QPaintDevice* device_;
};

// Draws one section as a table of `width` points at (x, y); returns its height.
// Without a painter it only measures.
// In each value column the numbers line up on their right and the units on
// their left, the block centred under the column header; a list of single
// values keeps its block at the right edge. A caption too long for its column
// wraps.
double DrawTable(QPainter* p, const TFonts& fonts, double x, double y, double width, const present::TSection& s)
{
    const QFont regular = fonts.Make(kFontSize, false);
    const QFont bold = fonts.Make(kFontSize, true);
    const QFontMetricsF fm = fonts.Metrics(regular);
    const QFontMetricsF fb = fonts.Metrics(bold);
    const double lineH = fm.height();
    const double rowPad = std::ceil(lineH * 0.55);
    const double unitGap = 0.35 * lineH;
    const std::size_t columns = std::max<std::size_t>(1, s.columns.size());

    std::vector<double> numberW(columns, 0.0), unitW(columns, 0.0), need(columns, 0.0);
    double captionNeed = fb.horizontalAdvance(Q(s.title));
    for (const present::TCaseRow& r : s.rows) {
        captionNeed = std::max(captionNeed, fm.horizontalAdvance(Q(r.caption)));
        for (std::size_t c = 0; c < r.values.size() && c < columns; ++c) {
            numberW[c] = std::max(numberW[c], fm.horizontalAdvance(Q(r.values[c].text)));
            if (!r.values[c].unit.empty()) unitW[c] = std::max(unitW[c], fm.horizontalAdvance(Q(r.values[c].unit)));
        }
    }
    captionNeed += 2 * kPad;
    double needSum = 0;
    for (std::size_t c = 0; c < columns; ++c) {
        const double block = numberW[c] + (unitW[c] > 0 ? unitGap + unitW[c] : 0);
        const double header = c < s.columns.size() ? fb.horizontalAdvance(Q(s.columns[c])) : 0;
        need[c] = std::max(block, header) + 2 * kPad;
        needSum += need[c];
    }
    // the caption column takes what it needs when it can, the value columns share the rest
    const double captionW = std::clamp(width - needSum, width * 0.25, std::max(width * 0.25, captionNeed));
    const double spare = std::max(0.0, width - captionW - needSum) / static_cast<double>(columns);
    const double squeeze = std::min(1.0, (width - captionW) / needSum);
    std::vector<double> left(columns + 1, x + captionW);
    for (std::size_t c = 0; c < columns; ++c) left[c + 1] = left[c] + need[c] * squeeze + spare;

    const auto captionLines = [&](const QString& text) {
        const QRectF r = fm.boundingRect(QRectF(0, 0, captionW - 2 * kPad, 1e6), Qt::TextWordWrap, text);
        return std::max(1.0, std::round(r.height() / fm.lineSpacing()));
    };
    const double headerH = lineH + rowPad;
    double height = headerH;
    for (const present::TCaseRow& r : s.rows) height += captionLines(Q(r.caption)) * fm.lineSpacing() + rowPad;
    if (!p) return height;

    p->fillRect(QRectF(x, y, width, headerH), kHeader);
    p->setPen(Qt::black);
    p->setFont(bold);
    p->drawText(QRectF(x + kPad, y, captionW - 2 * kPad, headerH), Qt::AlignLeft | Qt::AlignVCenter,
               fb.elidedText(Q(s.title), Qt::ElideRight, captionW - 2 * kPad));
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const QRectF r(left[c] + kPad, y, left[c + 1] - left[c] - 2 * kPad, headerH);
        p->drawText(r, Qt::AlignHCenter | Qt::AlignVCenter, fb.elidedText(Q(s.columns[c]), Qt::ElideRight, r.width()));
    }

    double top = y + headerH;
    for (const present::TCaseRow& r : s.rows) {
        const double rowH = captionLines(Q(r.caption)) * fm.lineSpacing() + rowPad;
        p->setFont(regular);
        p->setPen(Qt::black);
        p->drawText(QRectF(x + kPad, top, captionW - 2 * kPad, rowH), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   Q(r.caption));
        for (std::size_t c = 0; c < r.values.size() && c < columns; ++c) {
            const double block = numberW[c] + (unitW[c] > 0 ? unitGap + unitW[c] : 0);
            const double blockLeft = s.columns.empty() ? left[c + 1] - kPad - block
                                                       : (left[c] + left[c + 1] - block) / 2;
            const double numberRight = blockLeft + numberW[c];
            p->setPen(Qt::black);
            p->drawText(QRectF(left[c] + kPad, top, std::max(0.0, numberRight - left[c] - kPad), rowH),
                       Qt::AlignRight | Qt::AlignVCenter, Q(r.values[c].text));
            if (!r.values[c].unit.empty()) {
                p->setPen(kGrey);
                p->drawText(QRectF(numberRight + unitGap, top, unitW[c] + kPad, rowH), Qt::AlignLeft | Qt::AlignVCenter,
                           Q(r.values[c].unit));
            }
        }
        top += rowH;
        if (&r != &s.rows.back()) {
            p->setPen(QPen(kLine, 0.4));
            p->drawLine(QPointF(x, top), QPointF(x + width, top));
        }
    }
    p->setPen(QPen(kRule, 0.7));
    p->setBrush(Qt::NoBrush);
    p->drawLine(QPointF(x, y + headerH), QPointF(x + width, y + headerH));
    p->drawRect(QRectF(x, y, width, height));
    return height;
}

}  // namespace

void PaintReport(QPainter& p, const QRectF& page, const TReport& report)
{
    p.save();
    const double scale = std::min(page.width() / kPageWidth, page.height() / kPageHeight);
    p.translate(page.x() + (page.width() - kPageWidth * scale) / 2, page.y() + (page.height() - kPageHeight * scale) / 2);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const TFonts fonts(p.device());
    const double width = kPageWidth - 2 * kMargin;
    double y = kMargin;

    // the head: title, version, date and time
    const QFont title = fonts.Make(17, true);
    const QFont small = fonts.Make(9, false);
    p.setPen(Qt::black);
    p.setFont(title);
    const double titleH = fonts.Metrics(title).height();
    p.drawText(QRectF(kMargin, y, width, titleH), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Power Transmission Report"));
    y += titleH + 2;
    const double smallH = fonts.Metrics(small).height();
    p.setFont(small);
    p.setPen(kGrey);
    p.drawText(QRectF(kMargin, y, width, smallH), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Merivane ") + report.version);
    p.drawText(QRectF(kMargin, y, width, smallH), Qt::AlignRight | Qt::AlignVCenter,
               report.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    y += smallH + 6;
    p.setPen(QPen(kRule, 0.8));
    p.drawLine(QPointF(kMargin, y), QPointF(kMargin + width, y));
    y += kGap;

    // The inputs beside the single values (the first sections without
    // columns), then every table across the page.
    std::vector<const present::TSection*> left, right, wide;
    for (const present::TSection& s : report.sections) {
        if (!s.columns.empty() || !wide.empty()) {
            wide.push_back(&s);
        } else if (left.empty()) {
            left.push_back(&s);
        } else {
            right.push_back(&s);
        }
    }
    const auto tables = [&](QPainter* painter, double top, double w) {
        // with a Smith chart, it takes a narrower third column beside the single values
        const double side = report.smith ? kSmithShare * w : 0.0;
        const double half = report.smith ? (w - side - 2 * kGap) / 2 : (w - kGap) / 2;
        double yl = top, yr = top;
        for (const present::TSection* s : left) yl += DrawTable(painter, fonts, kMargin, yl, half, *s) + kGap;
        for (const present::TSection* s : right) yr += DrawTable(painter, fonts, kMargin + half + kGap, yr, half, *s) + kGap;
        double bottom = std::max(yl, yr);
        if (report.smith) {
            const QRectF square(kMargin + w - side, top, side, side);
            if (painter) {
                painter->save();
                painter->setClipRect(square);
                painter->setFont(fonts.Make(kFontSize - 2, false));
                report.smith(*painter, square);
                painter->restore();
            }
            bottom = std::max(bottom, square.bottom() + kGap);
        }
        for (const present::TSection* s : wide) bottom += DrawTable(painter, fonts, kMargin, bottom, w, *s) + kGap;
        return bottom - top;
    };
    // One page whatever comes: tables too tall for it (many extra rows) are
    // drawn smaller, and a chart keeps its least height.
    const double room = kPageHeight - kMargin - y - (report.chart ? kMinChart : 0);
    const double height = tables(nullptr, y, width);
    const double shrink = height > room ? room / height : 1.0;
    p.save();
    p.translate(kMargin, y);
    p.scale(shrink, shrink);
    p.translate(-kMargin, -y);
    tables(&p, y, width / shrink);
    p.restore();
    y += height * shrink;

    // the rest of the page is the chart's
    if (report.chart) {
        const QRectF area(kMargin, y, width, std::max(0.0, kPageHeight - kMargin - y));
        p.save();
        p.setClipRect(area);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.setFont(fonts.Make(kFontSize, false));
        report.chart(p, area);
        p.restore();
    }
    p.restore();
}

QFont ReportFont(const QPainter& painter, double points, bool bold) { return TFonts(painter.device()).Make(points, bold); }

bool WriteReportPdf(const QString& path, const TReport& report)
{
    // made in memory, then saved whole: never over a device or a pipe
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Power Transmission Report"));
        writer.setCreator(QStringLiteral("Merivane ") + report.version);
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        PaintReport(painter, QRectF(0, 0, writer.width(), writer.height()), report);
        if (!painter.end()) return false;
    }
    return merivane::SaveWholeFile(path, pdf);
}
