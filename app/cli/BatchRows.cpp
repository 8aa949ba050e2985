// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchRows.h"

#include "CsvLine.h"
#include "Export.h"
#include "Fields.h"
#include "CaseModel.h"
#include "GuideOptions.h"
#include "MagnetronExport.h"
#include "Match.h"
#include "MeasuredFile.h"
#include "NumberText.h"
#include "SweepNumbers.h"

#include <cstdarg>
#include <cstdio>
#include <map>

namespace merivane {

namespace {

constexpr int kNoCurves = 0;        // the sweep's numbers need no curves
constexpr std::size_t kRowBytes = 640;  // about a row with every column

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
    TCliCase c;  // the row's case, assigned from the defaults: its memory kept
    // the measured loads the rows named, read once each: file and port, the
    // load or the reason it was refused
    std::map<std::pair<std::string, int>, std::pair<std::optional<TMeasuredLoad>, std::string>> loads;
};

// The row's measured load, when its load_file cell names one; false, with
// the message in out, for a file refused or a bad port.
bool ReadRowLoad(const TBatchColumns& cols, long long lineNo, TScratch& s, TBatchOut& out)
{
    const std::string& path = s.cells[*cols.loadFileColumn];
    if (path.empty()) return true;
    int port = 1;
    if (cols.portColumn && !s.cells[*cols.portColumn].empty()) {
        const std::optional<int> k = IntFromText(s.cells[*cols.portColumn]);
        if (!k || *k < 1) {
            Say(out.messages, "merivane-calc: %s:%lld: port %s: not a port number; row skipped\n", cols.name.c_str(),
                lineNo, Quoted(s.cells[*cols.portColumn]).c_str());
            return false;
        }
        port = *k;
    }
    auto [it, fresh] = s.loads.try_emplace({path, port});
    if (fresh) {
        TMeasuredLoad load;
        if (present::ReadMeasuredLoad(path, port, load, it->second.second)) it->second.first = std::move(load);
    }
    if (!it->second.first) {
        Say(out.messages, "merivane-calc: %s:%lld: load_file %s; row skipped\n", cols.name.c_str(), lineNo,
            it->second.second.c_str());
        return false;
    }
    TMeasuredLoad load = *it->second.first;
    load.planeShiftMm = s.c.c.measured ? s.c.c.measured->planeShiftMm : 0.0;
    s.c.c.measured = std::move(load);
    return true;
}

// The row's inputs over the defaults, into s.c; false, with the message in
// out, on a bad cell. Clamps are warnings.
bool ReadRow(const TBatchColumns& cols, long long lineNo, TScratch& s, TBatchOut& out)
{
    const char* name = cols.name.c_str();
    const std::vector<std::string>& cells = s.cells;
    s.c = *cols.defaults;
    for (std::size_t i = 0; i < cols.columns.size(); ++i) {  // as many cells as columns
        if (!cols.columns[i] || cells[i].empty()) continue;  // not an input, or the default
        const TReadResult r = ReadInput(*cols.columns[i], cells[i], s.c);
        const char* column = InputIdName(*cols.columns[i]);
        if (!r.ok) {
            Say(out.messages, "merivane-calc: %s:%lld: %s %s; row skipped\n", name, lineNo, column, r.error.c_str());
            return false;
        }
        if (!r.warning.empty())
            Say(out.messages, "merivane-calc: warning: %s:%lld: %s %s\n", name, lineNo, column, r.warning.c_str());
    }
    if (cols.loadFileColumn && !ReadRowLoad(cols, lineNo, s, out)) return false;
    if (!cols.tubeColumns.Any()) return true;
    std::string error;
    std::vector<std::string> warnings;
    const bool ok = cols.tubeColumns.Apply(cells, s.c.c.tube, error, warnings);
    for (const std::string& w : warnings) Say(out.messages, "merivane-calc: warning: %s:%lld: %s\n", name, lineNo, w.c_str());
    if (!ok) Say(out.messages, "merivane-calc: %s:%lld: %s; row skipped\n", name, lineNo, error.c_str());
    return ok;
}

// The computed row: the id, the inputs (and the line's), every model field,
// then the sweep's, the match's, the guide's and the tube's columns asked for.
void AppendRow(const TBatchColumns& cols, const present::TSnapshot& snap, TScratch& s, std::string& rows)
{
    const present::TDisplay& forms = snap.c.display;
    if (cols.idColumn) {
        present::AppendCsvText(rows, s.cells[*cols.idColumn]);
        rows += ',';
    }
    if (cols.sweep) {
        // the line's inputs beside the case's, the numbers at the end; no curves
        s.numbers = present::SweepNumbers(snap.sweep);
        present::AppendInputsCsv(rows, snap.m, forms);
        AppendLineCsv(rows, snap.c.line);
        present::AppendFieldsCsv(rows, snap.m);
        present::AppendSweepNumbersCsv(rows, s.numbers);
        rows += '\n';
    } else {
        present::AppendBatchRow(rows, snap.m, forms);
    }
    if (s.c.match || s.c.guideGiven || cols.tubeOut) {  // the match's, the guide's and the tube's columns at the end of the row
        rows.pop_back();
        if (s.c.match) AppendMatchCsv(rows, snap.tuner);
        if (s.c.guideGiven) AppendGuideCsv(rows, snap.guide);
        if (cols.tubeOut) present::AppendTubeCsv(rows, snap.tube);
        rows += '\n';
    }
}

// One line: its row appended to out.rows, or its message to out.messages.
void RunLine(const TBatchColumns& cols, std::string_view line, long long lineNo, TScratch& s, TBatchOut& out)
{
    if (Trimmed(line).empty()) return;
    const std::size_t n = SplitCsv(line, cols.sep, s.cells);
    if (n != cols.columns.size()) {
        Say(out.messages, "merivane-calc: %s:%lld: %zu cells where the header has %zu; row skipped\n",
            cols.name.c_str(), lineNo, n, cols.columns.size());
        ++out.bad;
        return;
    }
    if (!ReadRow(cols, lineNo, s, out)) {
        ++out.bad;
        return;
    }
    // the case as the window computes it, with the parts the row writes; no
    // curves: the rows hold the sweep's numbers only
    const present::TCaseParts parts{
        .guide = s.c.guideGiven, .sweep = cols.sweep, .tuner = s.c.match, .tube = cols.tubeOut, .band = false, .process = false,
        .applicator = false};
    AppendRow(cols, present::ComputeCase(s.c.c, parts, kNoCurves), s, out.rows);
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
    if (cols.defaults->match) out += MatchCsvHeader(cols.defaults->c.tuner.method);
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
    out.rows.reserve(work.lines.Count() * kRowBytes);
    TScratch scratch;
    for (std::size_t i = 0; i < work.lines.Count(); ++i)
        RunLine(cols, work.lines.Line(i), work.lines.LineNo(i), scratch, out);
}

}  // namespace merivane
