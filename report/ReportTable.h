// SPDX-License-Identifier: GPL-3.0-or-later
// One section of the report as a table: measured for a width, so that the
// layout can break it between rows, and drawn a run of rows at a time.
#pragma once

#include "Case.h"

#include <QFont>
#include <QFontMetricsF>

#include <cstddef>
#include <vector>

class QPaintDevice;
class QPainter;

namespace merivane::report {

inline constexpr double kTableFontSize = 9;  // points, the tables and the charts' texts

// Fonts sized in points of the page: the painter is scaled from points to
// device pixels, so the font's own conversion by the device resolution is
// taken back out.
class TFonts {
public:
    explicit TFonts(const QPaintDevice* device) : device_(device) {}
    QFont Make(double points, bool bold) const;
    QFontMetricsF Metrics(const QFont& f) const { return QFontMetricsF(f, device_); }

private:
    const QPaintDevice* device_;
};

// The columns and the heights of a section drawn `width` points wide.
struct TTableMetrics {
    double natural = 0;            // the width that fits every caption and value on one line
    double fontSize = kTableFontSize;  // points: smaller for a table that does not fit at the tables' size
    bool fits = true;              // every column at least as wide as its longest word
    double captionW = 0;
    std::vector<double> left;      // the value columns' edges from the table's left, one more than the columns
    std::vector<double> numberW;   // the widest number of each value column
    std::vector<double> unitW;     // the widest unit of each value column, 0 without units
    double unitGap = 0;
    double headerH = 0;
    std::vector<double> rowH;      // each row's height, a wrapped caption or value included
    // for each row and value column: a text too wide for its cell, wrapped at
    // the cell's right instead of lined up with the numbers
    std::vector<std::vector<bool>> wrapped;

    // The height of the header and the rows [first, end).
    double Height(std::size_t first, std::size_t end) const;
};

TTableMetrics MeasureTable(const TFonts& fonts, double width, const merivane::present::TSection& s);

// Draws the header and the rows [first, end) of s at (x, y), `width` wide.
// A run that does not start at the first row says so in its header.
void DrawTableRows(QPainter& p, const TFonts& fonts, double x, double y, double width,
                   const merivane::present::TSection& s, std::size_t first, std::size_t end);

}  // namespace merivane::report
