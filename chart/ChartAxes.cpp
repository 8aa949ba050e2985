// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartAxes.h"

#include "EngineeringText.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLegend>
#include <QPalette>
#include <QValueAxis>

#include <cmath>

// The smallest of 1, 2 or 5 times a power of ten that cuts span into at most
// parts steps.
double NiceStep(double span, int parts)
{
    if (!(span > 0)) return 1.0;
    const double raw = span / parts;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double f : {1.0, 2.0, 5.0})
        if (f * mag >= raw * (1 - 1e-12)) return f * mag;
    return 10.0 * mag;
}

// Sets an axis only where it changes: every change of an axis makes every
// series recompute its whole path, which is most of the cost of a refresh.
// The power axis runs from step to step (fixed ticks, which Qt Charts sizes
// its labels for); the length axis has ticks at whole steps from 0.
// True when anything changed.
bool SetAxis(QValueAxis* axis, double lo, double hi, double step, const QString& title)
{
    bool changed = false;
    if (axis->min() != lo || axis->max() != hi) axis->setRange(lo, hi), changed = true;
    if (axis->tickType() == QValueAxis::TicksFixed) {
        const int ticks = static_cast<int>(std::lround((hi - lo) / step)) + 1;
        if (axis->tickCount() != ticks) axis->setTickCount(ticks), changed = true;
    } else if (axis->tickInterval() != step) {
        axis->setTickInterval(step), changed = true;
    }
    if (axis->titleText() != title) axis->setTitleText(title), changed = true;
    // plain digits, as many decimals as the step has: never an exponent
    const QString format = QString::fromStdString(merivane::present::AxisLabelFormat(lo, hi, step));
    if (axis->labelFormat() != format) axis->setLabelFormat(format), changed = true;
    return changed;
}

// A roomy chart (the Workbench's) in the colours of the palette it is shown
// in, a dark one included; the curves keep theirs.
void FollowPalette(QChart* chart, const QPalette& p)
{
    chart->setBackgroundBrush(p.color(QPalette::Base));
    chart->setTitleBrush(p.color(QPalette::Text));
    chart->legend()->setLabelColor(p.color(QPalette::Text));
    QColor grid = p.color(QPalette::Mid);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsColor(p.color(QPalette::Text));
        axis->setTitleBrush(p.color(QPalette::Text));
        axis->setLinePenColor(p.color(QPalette::Text));
        axis->setGridLineColor(grid);
    }
}
