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

namespace {

// The widest word of text: a cell narrower than that would cut it.
double LongestWord(const QFontMetricsF& fm, const QString& text)
{
    double w = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) w = std::max(w, fm.horizontalAdvance(word));
    return w;
}

// The value columns' edges: each its natural need when the width allows,
// else at least its longest word (a header wraps between words, a value
// between its number and its unit) with what is left shared by what the
// columns lack. False when even the longest words do not fit.
bool PlaceColumns(TTableMetrics& t, double width, double captionNeed, double captionMin, const std::vector<double>& need,
                  const std::vector<double>& least)
{
    const std::size_t columns = need.size();
    double needSum = 0, leastSum = 0;
    for (std::size_t c = 0; c < columns; ++c) needSum += need[c], leastSum += least[c];
    t.natural = captionNeed + needSum;
    // the caption column takes what it needs when it can, the value columns share the rest
    t.captionW = std::clamp(width - needSum, std::min(width * 0.25, captionMin), std::max(width * 0.25, captionNeed));
    const double room = width - t.captionW;
    const double spare = std::max(0.0, room - needSum) / static_cast<double>(columns);
    const double share = needSum > leastSum ? std::clamp((room - leastSum) / (needSum - leastSum), 0.0, 1.0) : 1.0;
    t.left.assign(columns + 1, t.captionW);
    for (std::size_t c = 0; c < columns; ++c)
        t.left[c + 1] = t.left[c] + (room >= needSum ? need[c] + spare : least[c] + (need[c] - least[c]) * share);
    return room >= leastSum;
}

// In each value column the numbers line up on their right and the units on
// their left, the block centred under the column header; a list of single
// values keeps its block at the right edge. A caption, a header or a value
// too long for its column wraps between words.
TTableMetrics MeasureAt(const TFonts& fonts, double width, const present::TSection& s, double points)
{
    const QFontMetricsF fm = fonts.Metrics(fonts.Make(points, false));
    const QFontMetricsF fb = fonts.Metrics(fonts.Make(points, true));
    const double lineH = fm.height();
    const double rowPad = std::ceil(lineH * 0.55);
    const std::size_t columns = std::max<std::size_t>(1, s.columns.size());
    TTableMetrics t;
    t.fontSize = points;
    t.unitGap = 0.35 * lineH;
    t.numberW.assign(columns, 0.0);
    t.unitW.assign(columns, 0.0);
    std::vector<double> least(columns, 0.0);

    double captionNeed = fb.horizontalAdvance(Q(s.title + " (continued)"));
    double captionMin = fb.horizontalAdvance(Q(s.title));
    for (const present::TCaseRow& r : s.rows) {
        captionNeed = std::max(captionNeed, fm.horizontalAdvance(Q(r.caption)));
        captionMin = std::max(captionMin, LongestWord(fm, Q(r.caption)));
        for (std::size_t c = 0; c < r.values.size() && c < columns; ++c) {
            t.numberW[c] = std::max(t.numberW[c], fm.horizontalAdvance(Q(r.values[c].text)));
            if (!r.values[c].unit.empty()) t.unitW[c] = std::max(t.unitW[c], fm.horizontalAdvance(Q(r.values[c].unit)));
            least[c] = std::max(least[c], LongestWord(fm, Q(r.values[c].Joined())));
        }
    }
    captionNeed += 2 * kPad;
    captionMin += 2 * kPad;
    std::vector<double> need(columns, 0.0);
    for (std::size_t c = 0; c < columns; ++c) {
        const double block = t.numberW[c] + (t.unitW[c] > 0 ? t.unitGap + t.unitW[c] : 0);
        const QString header = c < s.columns.size() ? Q(s.columns[c]) : QString();
        need[c] = std::max(block, fb.horizontalAdvance(header)) + 2 * kPad;
        least[c] = std::max(least[c], LongestWord(fb, header)) + 2 * kPad;
    }
    t.fits = PlaceColumns(t, width, captionNeed, captionMin, need, least);

    // a value wider than its cell wraps, and leaves the others lined up
    const auto lines = [](const QFontMetricsF& m, double w, const QString& text) {
        const QRectF b = m.boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap, text);
        return std::max(1.0, std::round(b.height() / m.lineSpacing()));
    };
    t.numberW.assign(columns, 0.0);
    t.unitW.assign(columns, 0.0);
    double headerLines = 1;
    for (std::size_t c = 0; c < s.columns.size(); ++c)
        headerLines = std::max(headerLines, lines(fb, t.left[c + 1] - t.left[c] - 2 * kPad, Q(s.columns[c])));
    t.headerH = headerLines * fb.lineSpacing() + rowPad;
    for (const present::TCaseRow& r : s.rows) {
        double rowLines = lines(fm, t.captionW - 2 * kPad, Q(r.caption));
        std::vector<bool> wraps(columns, false);
        for (std::size_t c = 0; c < r.values.size() && c < columns; ++c) {
            const double cell = t.left[c + 1] - t.left[c] - 2 * kPad;
            const double number = fm.horizontalAdvance(Q(r.values[c].text));
            const double unit = r.values[c].unit.empty() ? 0.0 : fm.horizontalAdvance(Q(r.values[c].unit));
            if (number + (unit > 0 ? t.unitGap + unit : 0) > cell) {
                wraps[c] = true;
                rowLines = std::max(rowLines, lines(fm, cell, Q(r.values[c].Joined())));
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

}  // namespace

// A table too wide for the page at the tables' size is set smaller, down to
// 60 % of it, rather than cut a number.
TTableMetrics MeasureTable(const TFonts& fonts, double width, const present::TSection& s)
{
    TTableMetrics t;
    for (const double scale : {1.0, 0.9, 0.8, 0.7, 0.6}) {
        t = MeasureAt(fonts, width, s, kTableFontSize * scale);
        if (t.fits) break;
    }
    return t;
}

void DrawTableRows(QPainter& p, const TFonts& fonts, double x, double y, double width, const present::TSection& s,
                   std::size_t first, std::size_t end)
{
    const TTableMetrics t = MeasureTable(fonts, width, s);
    end = std::min(end, s.rows.size());
    const QFont regular = fonts.Make(t.fontSize, false);
    const QFont bold = fonts.Make(t.fontSize, true);
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
        p.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, Q(s.columns[c]));
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
