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
    for (const TSweepFieldSpec& f : SweepFields()) {
        // the line type stands between the frequency and the width, as on the page
        if (f.field == SweepField::Width)
            region.rows.emplace_back(kLineName, merivane::LineTypeSpec(in_.Line).name);
        std::string text = f.field == SweepField::Width ? WidthFieldText(in_) : SweepFieldText(in_, f.field);
        if (f.field == SweepField::Span) text = "\u00b1" + text;
        region.rows.emplace_back(f.name, WithUnit(text, f.unit));
    }
    // the readouts, the status and the readouts as numbers for the export
    present::AddSweepReadouts(region, result_, Unit());
    return region;
}

bool TSweepPage::PaintChart(QPainter& painter, const QRectF& rect, QString& error) const
{
    const present::TTubeResult tube = Tube();
    return PaintSweepReportPart(painter, rect, Case(), Unit(), model_.CplIdeal, error, &tube);
}
