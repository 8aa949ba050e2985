// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the chart library of the "Line Sweep" page on first use.
#pragma once

#include "SweepChartApi.h"

#include <QString>

// A new chart, a child of parent; null, with the reason in error, when the
// library cannot be loaded.
ISweepChart* MakeSweepChart(bool roomy, QWidget* parent, QString& error);
// PaintSweepChart of the library, for a report made by the window: false,
// with the reason in error, when the library cannot be loaded.
bool PaintSweepChartLoaded(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                           merivane::present::PowerUnit unit, bool ideal, QString& error);
