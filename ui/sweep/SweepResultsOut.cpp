// SPDX-License-Identifier: GPL-3.0-or-later
// The Line Sweep page in the copy, the export and the report.
#include "SweepChartLoader.h"
#include "SweepNumbers.h"
#include "SweepPage.h"

namespace present = merivane::present;

namespace {

std::string WithUnit(const std::string& text, const std::string& unit) { return unit.empty() ? text : text + " " + unit; }

}  // namespace

present::TExtraRegion TSweepPage::CopyRegion() const
{
    present::TExtraRegion region;
    region.title = "Line Sweep";
    const merivane::TSweepInputs& in = Inputs();
    for (const TSweepFieldSpec& f : SweepFields()) {
        // the line type stands between the frequency and the width, as on the page
        if (f.field == SweepField::Width)
            region.rows.emplace_back(kLineName, merivane::LineTypeSpec(in.Line).name);
        std::string text = f.field == SweepField::Width ? WidthFieldText(in) : SweepFieldText(in, f.field);
        if (f.field == SweepField::Span) text = "\u00b1" + text;
        region.rows.emplace_back(f.name, WithUnit(text, f.unit));
    }
    // the readouts, the status and the readouts as numbers for the export
    present::AddSweepReadouts(region, Result(), Unit());
    return region;
}

bool TSweepPage::PaintChart(QPainter& painter, const QRectF& rect, QString& error) const
{
    if (!snapshot_) return false;
    return PaintSweepReportPart(painter, rect, snapshot_->sweepCase, Unit(), snapshot_->m.CplIdeal, error,
                                &snapshot_->tube);
}
