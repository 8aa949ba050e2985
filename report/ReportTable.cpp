// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportTable.h"

#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace merivane::report {

namespace {

namespace present = merivane::present;

constexpr double kPad = 5;  // inside a cell
const QColor kRule(0x88, 0x88, 0x88);
const QColor kLine(0xcc, 0xcc, 0xcc);
const QColor kHeader(0xe8, 0xec, 0xf2);
const QColor kGrey(0x55, 0x55, 0x55);

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QFont TFonts::Make(double points, bool bold) const
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points * 72.0 / std::max(1, device_->logicalDpiY()));
    f.setBold(bold);
    // no ligatures: the text read out of the PDF is the text written
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

double TTableMetrics::Height(std::size_t first, std::size_t end) const
{
    double h = headerH;
    for (std::size_t i = first; i < end && i < rowH.size(); ++i) h += rowH[i];
    return h;
}

// In each value column the numbers line up on their right and the units on
// their left, the block centred under the column header; a list of single
// values keeps its block at the right edge. A caption too long for its column
// wraps.
TTableMetrics MeasureTable(const TFonts& fonts, double width, const present::TSection& s)
{
    const QFontMetricsF fm = fonts.Metrics(fonts.Make(kTableFontSize, false));
    const QFontMetricsF fb = fonts.Metrics(fonts.Make(kTableFontSize, true));
    const double lineH = fm.height();
    const double rowPad = std::ceil(lineH * 0.55);
    const std::size_t columns = std::max<std::size_t>(1, s.columns.size());
    TTableMetrics t;
    t.unitGap = 0.35 * lineH;
    t.numberW.assign(columns, 0.0);
    t.unitW.assign(columns, 0.0);

    double captionNeed = fb.horizontalAdvance(Q(s.title + " (continued)"));
    for (const present::TCaseRow& r : s.rows) {
        captionNeed = std::max(captionNeed, fm.horizontalAdvance(Q(r.caption)));
        for (std::size_t c = 0; c < r.values.size() && c < columns; ++c) {
            t.numberW[c] = std::max(t.numberW[c], fm.horizontalAdvance(Q(r.values[c].text)));
            if (!r.values[c].unit.empty()) t.unitW[c] = std::max(t.unitW[c], fm.horizontalAdvance(Q(r.values[c].unit)));
        }
    }
    captionNeed += 2 * kPad;
    std::vector<double> need(columns, 0.0);
    double needSum = 0;
    for (std::size_t c = 0; c < columns; ++c) {
        const double block = t.numberW[c] + (t.unitW[c] > 0 ? t.unitGap + t.unitW[c] : 0);
        const double header = c < s.columns.size() ? fb.horizontalAdvance(Q(s.columns[c])) : 0;
        need[c] = std::max(block, header) + 2 * kPad;
        needSum += need[c];
    }
    t.natural = captionNeed + needSum;
    // the caption column takes what it needs when it can, the value columns share the rest
    t.captionW = std::clamp(width - needSum, width * 0.25, std::max(width * 0.25, captionNeed));
    const double spare = std::max(0.0, width - t.captionW - needSum) / static_cast<double>(columns);
    const double squeeze = std::min(1.0, (width - t.captionW) / needSum);
    t.left.assign(columns + 1, t.captionW);
    for (std::size_t c = 0; c < columns; ++c) t.left[c + 1] = t.left[c] + need[c] * squeeze + spare;

    // a value wider than its cell wraps, and leaves the others lined up
    const auto lines = [&](double w, const QString& text) {
        const QRectF b = fm.boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap, text);
        return std::max(1.0, std::round(b.height() / fm.lineSpacing()));
    };
    t.numberW.assign(columns, 0.0);
    t.unitW.assign(columns, 0.0);
    t.headerH = lineH + rowPad;
    for (const present::TCaseRow& r : s.rows) {
        double rowLines = lines(t.captionW - 2 * kPad, Q(r.caption));
        std::vector<bool> wraps(columns, false);
        for (std::size_t c = 0; c < r.values.size() && c < columns; ++c) {
            const double cell = t.left[c + 1] - t.left[c] - 2 * kPad;
            const double number = fm.horizontalAdvance(Q(r.values[c].text));
            const double unit = r.values[c].unit.empty() ? 0.0 : fm.horizontalAdvance(Q(r.values[c].unit));
            if (number + (unit > 0 ? t.unitGap + unit : 0) > cell) {
                wraps[c] = true;
                rowLines = std::max(rowLines, lines(cell, Q(r.values[c].Joined())));
                continue;
            }
            t.numberW[c] = std::max(t.numberW[c], number);
            t.unitW[c] = std::max(t.unitW[c], unit);
        }
        t.wrapped.push_back(std::move(wraps));
        t.rowH.push_back(rowLines * fm.lineSpacing() + rowPad);
    }
    return t;
}

void DrawTableRows(QPainter& p, const TFonts& fonts, double x, double y, double width, const present::TSection& s,
                   std::size_t first, std::size_t end)
{
    const TTableMetrics t = MeasureTable(fonts, width, s);
    end = std::min(end, s.rows.size());
    const QFont regular = fonts.Make(kTableFontSize, false);
    const QFont bold = fonts.Make(kTableFontSize, true);
    const QFontMetricsF fb = fonts.Metrics(bold);
    const double height = t.Height(first, end);
    const double captionW = t.captionW - 2 * kPad;

    p.fillRect(QRectF(x, y, width, t.headerH), kHeader);
    p.setPen(Qt::black);
    p.setFont(bold);
    const QString title = Q(first > 0 ? s.title + " (continued)" : s.title);
    p.drawText(QRectF(x + kPad, y, captionW, t.headerH), Qt::AlignLeft | Qt::AlignVCenter,
               fb.elidedText(title, Qt::ElideRight, captionW));
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
        const QRectF r(x + t.left[c] + kPad, y, t.left[c + 1] - t.left[c] - 2 * kPad, t.headerH);
        p.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter, fb.elidedText(Q(s.columns[c]), Qt::ElideRight, r.width()));
    }

    double top = y + t.headerH;
    for (std::size_t i = first; i < end; ++i) {
        const present::TCaseRow& r = s.rows[i];
        const double rowH = t.rowH[i];
        p.setFont(regular);
        p.setPen(Qt::black);
        p.drawText(QRectF(x + kPad, top, captionW, rowH), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   Q(r.caption));
        for (std::size_t c = 0; c < r.values.size() && c < t.numberW.size(); ++c) {
            if (t.wrapped[i][c]) {
                p.setPen(Qt::black);
                p.drawText(QRectF(x + t.left[c] + kPad, top, t.left[c + 1] - t.left[c] - 2 * kPad, rowH),
                           Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, Q(r.values[c].Joined()));
                continue;
            }
            const double block = t.numberW[c] + (t.unitW[c] > 0 ? t.unitGap + t.unitW[c] : 0);
            const double blockLeft = s.columns.empty() ? x + t.left[c + 1] - kPad - block
                                                       : x + (t.left[c] + t.left[c + 1] - block) / 2;
            const double numberRight = blockLeft + t.numberW[c];
            const double cellLeft = x + t.left[c] + kPad;
            p.setPen(Qt::black);
            p.drawText(QRectF(cellLeft, top, std::max(0.0, numberRight - cellLeft), rowH),
                       Qt::AlignRight | Qt::AlignVCenter, Q(r.values[c].text));
            if (!r.values[c].unit.empty()) {
                p.setPen(kGrey);
                p.drawText(QRectF(numberRight + t.unitGap, top, t.unitW[c] + kPad, rowH), Qt::AlignLeft | Qt::AlignVCenter,
                           Q(r.values[c].unit));
            }
        }
        top += rowH;
        if (i + 1 < end) {
            p.setPen(QPen(kLine, 0.4));
            p.drawLine(QPointF(x, top), QPointF(x + width, top));
        }
    }
    p.setPen(QPen(kRule, 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(x, y + t.headerH), QPointF(x + width, y + t.headerH));
    p.drawRect(QRectF(x, y, width, height));
}

}  // namespace merivane::report
