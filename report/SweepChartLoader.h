// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the chart library of the "Line Sweep" page on first use, and paints
// the sweep for a report.
#pragma once

#include "SweepChartApi.h"

#include <QString>

// A new chart, a child of parent; null, with the reason in error, when the
// library cannot be loaded.
ISweepChart* MakeSweepChart(bool roomy, QWidget* parent, QString& error);
// The Band view's chart from the same library; null with the reason as above.
IBandChart* MakeBandChart(QWidget* parent, QString& error);
// The Process view's chart, the same way.
IProcessChart* MakeProcessChart(QWidget* parent, QString& error);
// PaintSweepChart of the library, for a report made by the window: false,
// with the reason in error, when the library cannot be loaded. With a tube
// whose pulling is known, the pulled frequency as on the page.
bool PaintSweepChartLoaded(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                           merivane::present::PowerUnit unit, bool ideal, QString& error,
                           const merivane::present::TTubeResult* tube = nullptr);
// The sweep in a report: its summary line (what the chart alone cannot say:
// the line, the lengths to add, the phase spread) at the top of rect, the
// chart below it. The summary is there even when the chart is not.
bool PaintSweepReportPart(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                          merivane::present::PowerUnit unit, bool ideal, QString& error,
                          const merivane::present::TTubeResult* tube = nullptr);
