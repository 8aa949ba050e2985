// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseOutput.h"

#include "ApplicatorOptions.h"
#include "Environment.h"
#include "EntryReader.h"
#include "Export.h"
#include "GuideOptions.h"
#include "GuideTexts.h"
#include "InputRows.h"
#include "MagnetronTexts.h"
#include "ReportSections.h"
#include "Match.h"
#include "MeasuredOptions.h"
#include "ProcessOptions.h"
#include "Report.h"
#include "SweepChartLoader.h"
#include "SweepNumbers.h"
#include "SweepTexts.h"
#include "TubeOptions.h"

#include <QDateTime>

#include <optional>
#include <vector>

namespace merivane::cli {

namespace {

std::string U(const QString& s) { return s.toStdString(); }

// The Line Sweep page as a region: the line's inputs as the page shows them,
// its readouts and status, and their numbers.
present::TExtraRegion SweepRegion(const TSweepInputs& in, const TSweepResult& sweep, present::PowerUnit unit)
{
    present::TExtraRegion region;
    region.title = "Line Sweep";
    const auto inputRow = [](present::Input id) { return present::InputRow(id); };
    region.rows.emplace_back(inputRow(present::Input::SwFreq).name, present::LimitText(in.FreqMHz) + " MHz");
    region.rows.emplace_back("Line Type", LineTypeSpec(in.Line).name);
    if (in.Line == LineType::CustomWaveguide)
        region.rows.emplace_back(inputRow(present::Input::SwWidth).name, present::LimitText(in.WidthMm) + " mm");
    if (in.Line == LineType::Coax)
        region.rows.emplace_back(inputRow(present::Input::SwVf).name, present::LimitText(in.Vf));
    region.rows.emplace_back(inputRow(present::Input::SwLength).name, present::LimitText(in.LengthM) + " m");
    region.rows.emplace_back(inputRow(present::Input::SwSpan).name, "\u00b1" + present::LimitText(in.SpanMHz) + " MHz");
    present::AddSweepReadouts(region, sweep, unit);
    return region;
}

// The match's, the tube's output formats by the one-case format.
int MatchFormat(Format f) { return f == kCsv ? 1 : f == kJson ? 2 : 0; }
TubeForm TubeFormOf(Format f) { return f == kCsv ? TubeForm::Csv : f == kJson ? TubeForm::Json : TubeForm::Text; }

}  // namespace

std::string CaseOutput(const TCliCase& c, const present::TSnapshot& s, Format format)
{
    const present::TDisplay& d = s.c.display;
    // The Line Sweep page, when the line was given: its inputs and readouts
    // join the output as a region of their own, and its numbers the JSON and
    // the CSV.
    std::optional<present::TExtraRegion> region;
    if (c.lineGiven) region = SweepRegion(s.c.line, s.sweep, d.power);
    const present::TExtraRegion* extra = region ? &*region : nullptr;
    std::string out;
    switch (format) {
    case kCsv:
        out = present::CaseCsv(s.m, d, extra);
        if (c.guideGiven) out = WithGuideCsv(out, s.guide);
        break;
    case kJson:
        out = present::CaseJson(s.m, d, extra);
        if (c.guideGiven) out = WithGuideJson(out, s.guide);
        break;
    case kText: {
        std::vector<present::TSection> sections = present::CaseSections(s.m, d, extra);
        if (c.guideGiven) sections.push_back(present::GuideSection(s));
        out = present::CaseText(sections);
        break;
    }
    }
    if (c.match) AddMatchOutput(out, MatchFormat(format), s);
    if (c.tubeShown) AppendTubeOutput(out, TubeFormOf(format), s);
    AddMeasuredOutput(out, format, c, s);
    AddProcessOutput(out, format, s);
    AddApplicatorOutput(out, format, s);
    return out;
}

bool WriteCaseReport(const QString& path, const TCliCase& c, const present::TSnapshot& s,
                     const smith::TSmithScene& scene, const smith::TSmithOptions& o)
{
    TReport r;
    r.sections = SnapshotSections(s);  // the window's report: every view the case sets
    r.version = env::GetFileVersionString();
    r.when = QDateTime::currentDateTime();
    // Without a line option nothing is known of the line: the chart runs
    // over the round-trip phase. With one, over the added length.
    const TSweepCase chartCase = ChartSweepCase(c, s);
    bool charted = true;
    QString chartError;
    r.chart = [&](QPainter& p, const QRectF& rect) {
        charted = PaintSweepReportPart(p, rect, chartCase, s.c.display.power, s.m.CplIdeal, chartError, &s.tube);
    };
    r.smith = [&](QPainter& p, const QRectF& rect) { PaintSmithReportPart(p, rect, scene, o); };
    if (!WriteReportPdf(path, r)) {
        Fail("Unable to write to " + U(path));
        return false;
    }
    if (!charted) Warn("the report has no chart: " + U(chartError));
    return true;
}

}  // namespace merivane::cli
