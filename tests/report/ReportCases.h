// SPDX-License-Identifier: GPL-3.0-or-later
// The reports the tests lay out and write: the default case, the case with
// every option set (a long lossy line with its span, a tuner, the magnetron's
// pulling and an isolator, the measurement's uncertainties, a trip and a
// water load), as the window makes them with both charts; and a list of
// many rows.
#pragma once

#include "CaseModel.h"
#include "Report.h"
#include "ReportSections.h"
#include "SmithPainter.h"
#include "SweepChartLoader.h"

#include <memory>
#include <string>

inline merivane::present::TSnapshot ReportCase(bool everyOption)
{
    namespace present = merivane::present;
    present::TCase c = present::DefaultCase();
    if (everyOption) {
        c.ideal = false;
        c.line.LengthM = 4.2;
        c.line.SpanMHz = 10;
        c.guide.loss = merivane::LossSource::Entered;
        c.guide.lossDbPerM = 0.05;
        c.tuner.method = merivane::MatchMethod::DoubleStub;
        c.tube.magnetron.pullingMHz = 12;
        c.tube.magnetron.isolationDb = 20;
        c.tube.magnetron.dummyRatingW = 2000;
        c.tube.measurement.couplingPct = 2;
        c.tube.measurement.sensorPct = 3;
        c.tube.measurement.tripPct = 10;
        c.tube.measurement.waterFlowLpm = 6;
        c.tube.measurement.waterRiseK = 15;
    }
    return present::ComputeCase(c);
}

// The window's report of a snapshot: its sections, the sweep below them and
// the Smith chart beside the single values.
inline TReport ReportOf(const merivane::present::TSnapshot& snapshot)
{
    const auto s = std::make_shared<const merivane::present::TSnapshot>(snapshot);
    TReport r;
    r.sections = SnapshotSections(*s);
    r.version = QStringLiteral("2.0.5.1");
    r.when = QDateTime(QDate(2026, 12, 9), QTime(14, 3));
    r.chart = [s](QPainter& p, const QRectF& area) {
        QString error;
        PaintSweepReportPart(p, area, s->sweepCase, s->c.display.power, s->m.CplIdeal, error, &s->tube);
    };
    r.smith = [s](QPainter& p, const QRectF& area) { merivane::smith::PaintSmithReport(p, area, *s); };
    return r;
}

// One list of `rows` single values, and a chart that paints nothing.
inline TReport TallReport(int rows)
{
    TReport r;
    r.version = QStringLiteral("2.0.5.1");
    r.when = QDateTime(QDate(2026, 12, 9), QTime(14, 3));
    merivane::present::TSection list{"Sweep", {}, {}};
    for (int i = 0; i < rows; ++i)
        list.rows.push_back({"Absorbed Power at " + std::to_string(5 * i - 180) + " deg",
                             {merivane::present::TValue{std::to_string(6820 + 5 * i), "W"}}});
    r.sections = {list};
    r.chart = [](QPainter&, const QRectF&) {};
    return r;
}
