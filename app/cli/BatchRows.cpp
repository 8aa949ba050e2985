// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchRows.h"

#include "CsvLine.h"
#include "Export.h"
#include "Fields.h"
#include "GuideOptions.h"
#include "MagnetronExport.h"
#include "Match.h"
#include "SweepNumbers.h"

#include <cstdarg>
#include <cstdio>

namespace merivane {

namespace {

// A message for standard error, gathered with the block's others.
[[gnu::format(printf, 2, 3)]] void Say(std::string& to, const char* format, ...)
{
    std::va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);  // its length, then the text
    if (n > 0) {
        const std::size_t at = to.size();
        to.resize(at + static_cast<std::size_t>(n) + 1);
        std::vsnprintf(to.data() + at, static_cast<std::size_t>(n) + 1, format, again);
        to.pop_back();  // the terminating NUL
    }
    va_end(again);
    va_end(args);
}

// frequency, line, length, span as the options take them
void AppendLineCsv(std::string& out, const TSweepInputs& in)
{
    out += ',';
    present::AppendShortest(out, in.FreqMHz);
    out += ',';
    out += LineText(in);
    out += ',';
    present::AppendShortest(out, in.LengthM);
    out += ',';
    present::AppendShortest(out, in.SpanMHz);
}

// The reusable parts of one worker's rows.
struct TScratch {
    std::vector<std::string> cells;
    std::vector<std::optional<double>> numbers;
};

// One line: its row appended to out.rows, or its message to out.messages.
void RunLine(const TBatchColumns& cols, std::string_view line, long long lineNo, TScratch& s, TBatchOut& out)
{
    const char* name = cols.name.c_str();
    if (Trimmed(line).empty()) return;
    const std::size_t n = SplitCsv(line, cols.sep, s.cells);
    const std::vector<std::string>& cells = s.cells;
    if (n != cols.columns.size()) {
        Say(out.messages, "merivane-calc: %s:%lld: %zu cells where the header has %zu; row skipped\n", name, lineNo,
            n, cols.columns.size());
        ++out.bad;
        return;
    }
    TCaseInput c = *cols.defaults;
    bool ok = true;
    for (std::size_t i = 0; i < n && ok; ++i) {
        if (!cols.columns[i] || cells[i].empty()) continue;  // not an input, or the default
        const TReadResult r = ReadInput(*cols.columns[i], cells[i], c);
        const char* column = InputIdName(*cols.columns[i]);
        if (!r.ok) {
            Say(out.messages, "merivane-calc: %s:%lld: %s %s; row skipped\n", name, lineNo, column, r.error.c_str());
            ok = false;
        } else if (!r.warning.empty()) {
            Say(out.messages, "merivane-calc: warning: %s:%lld: %s %s\n", name, lineNo, column, r.warning.c_str());
        }
    }
    present::TTubeCase rowTube = cols.tube ? *cols.tube : present::DefaultTubeCase();
    if (ok && cols.tubeColumns.Any()) {
        std::string error;
        std::vector<std::string> warnings;
        ok = cols.tubeColumns.Apply(cells, rowTube, error, warnings);
        for (const std::string& w : warnings)
            Say(out.messages, "merivane-calc: warning: %s:%lld: %s\n", name, lineNo, w.c_str());
        if (!ok) Say(out.messages, "merivane-calc: %s:%lld: %s; row skipped\n", name, lineNo, error.c_str());
    }
    if (!ok) {
        ++out.bad;
        return;
    }
    Compute(c);
    present::TDisplay forms;
    forms.srcRfl = c.srcForm;
    forms.loaRfl = c.loaForm;
    std::string& rows = out.rows;
    if (cols.idColumn) {
        present::AppendCsvText(rows, cells[*cols.idColumn]);
        rows += ',';
    }
    if (cols.sweep) {
        // the line's inputs beside the case's, the numbers at the end; no curves
        const TSweepResult sweep = CalcLineSweep(TSweepCase{c.m, c.line, GuidePassFactor(c)}, 0);
        s.numbers = present::SweepNumbers(sweep);
        present::AppendInputsCsv(rows, c.m, forms);
        AppendLineCsv(rows, c.line);
        present::AppendFieldsCsv(rows, c.m);
        present::AppendSweepNumbersCsv(rows, s.numbers);
        rows += '\n';
    } else {
        present::AppendBatchRow(rows, c.m, forms);
    }
    if (c.match || c.guideGiven || cols.tubeOut) {  // the match's, the guide's and the tube's columns at the end of the row
        rows.pop_back();
        if (c.match) AppendMatchCsv(rows, MatchOf(c));
        if (c.guideGiven) AppendGuideCsv(rows, CaseGuide(c));
        if (cols.tubeOut) present::AppendTubeCsv(rows, present::ComputeTube(c.m, c.line, rowTube));
        rows += '\n';
    }
}

}  // namespace

void TBatchLines::Add(std::string_view line, long long lineNo)
{
    lines_.push_back({text_.size(), line.size(), lineNo});
    text_ += line;
}

std::string BatchOutputHeader(const TBatchColumns& cols)
{
    std::string out;
    if (cols.idColumn) out += "id,";
    out += present::BatchHeader(cols.sweep);
    if (cols.defaults->match) out += MatchCsvHeader(cols.defaults->tuner.method);
    if (cols.defaults->guideGiven) AppendGuideHeader(out);
    if (cols.tubeOut) present::AppendTubeCsvHeader(out);
    out += '\n';
    return out;
}

void RunBatchLines(const TBatchColumns& cols, TBatchWork& work)
{
    TBatchOut& out = work.out;
    out.rows.clear();
    out.messages.clear();
    out.bad = 0;
    out.rows.reserve(work.lines.Count() * 640);  // about a row with every column
    TScratch scratch;
    for (std::size_t i = 0; i < work.lines.Count(); ++i)
        RunLine(cols, work.lines.Line(i), work.lines.LineNo(i), scratch, out);
}

}  // namespace merivane
