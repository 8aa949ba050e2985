// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batch.h"

#include "CsvLine.h"
#include "Export.h"
#include "Fields.h"
#include "Match.h"
#include "GuideOptions.h"
#include "MagnetronExport.h"
#include "SweepNumbers.h"
#include "TubeOptions.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace merivane {

namespace {

constexpr std::size_t kFlushAt = 1 << 20;  // bytes of output gathered before a write

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
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

bool IsLineInput(InputId id) { return static_cast<int>(id) >= static_cast<int>(InputId::Frequency); }

// The names of the columns not taken, for the one warning: at most kNamed,
// each shortened.
constexpr std::size_t kNamed = 5;

// Reads lines of any length through one growing buffer.
class TLineReader {
public:
    explicit TLineReader(std::FILE* in) : in_(in) { buf_.resize(1 << 16); }
    bool Next(std::string_view& line)
    {
        while (true) {
            const std::size_t eol = FindEol();
            if (eol != std::string::npos) {
                line = std::string_view(buf_.data() + start_, eol - start_);
                start_ = eol + 1;
                return true;
            }
            if (eof_) {
                if (start_ == end_) return false;
                line = std::string_view(buf_.data() + start_, end_ - start_);
                start_ = end_;
                return true;
            }
            Fill();
        }
    }

    // The error that ended the reading early; 0 when it came to the end.
    int Error() const { return error_; }

private:
    std::size_t FindEol()
    {
        const std::size_t from = scanned_ > start_ ? scanned_ : start_;
        const void* hit = std::memchr(buf_.data() + from, '\n', end_ - from);
        if (!hit) {
            scanned_ = end_;
            return std::string::npos;
        }
        const auto i = static_cast<std::size_t>(static_cast<const char*>(hit) - buf_.data());
        scanned_ = i + 1;
        return i;
    }
    void Fill()
    {
        // keep the unfinished line, at the front
        if (start_ > 0) {
            buf_.erase(0, start_);
            end_ -= start_;
            scanned_ -= start_;
            start_ = 0;
            buf_.resize(std::max(buf_.size(), std::size_t{1} << 16));
        }
        if (end_ == buf_.size()) buf_.resize(buf_.size() * 2);
        const std::size_t got = std::fread(buf_.data() + end_, 1, buf_.size() - end_, in_);
        end_ += got;
        if (got == 0) {
            eof_ = true;
            if (std::ferror(in_)) error_ = errno ? errno : EIO;
        }
    }

    std::FILE* in_;
    std::string buf_;
    std::size_t start_ = 0, end_ = 0, scanned_ = 0;
    bool eof_ = false;
    int error_ = 0;
};

}  // namespace

int RunBatch(std::FILE* in, const std::string& name, std::FILE* out, std::FILE* err, const TCaseInput& defaults,
             const present::TTubeCase* tube)
{
    TLineReader reader(in);
    std::string_view line;
    long long lineNo = 0;
    std::string buffer;
    buffer.reserve(kFlushAt + 4096);
    int writeError = 0;
    const auto flush = [&] {
        if (!writeError && std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size())
            writeError = errno ? errno : EIO;
        buffer.clear();
        return writeError == 0;
    };
    const auto readFailed = [&] {
        if (!reader.Error()) return false;
        std::fprintf(err, "merivane-calc: cannot read %s: %s\n", Quoted(name).c_str(), std::strerror(reader.Error()));
        return true;
    };

    // the header: which cell is which input, which is the id
    std::vector<std::string> cells;
    std::vector<std::optional<InputId>> columns;
    std::optional<std::size_t> idColumn;
    char sep = ',';
    bool sweep = defaults.lineGiven;  // the sweep's columns are written
    TTubeColumns tubeColumns;         // the magnetron's and the measurement's inputs
    while (reader.Next(line)) {
        ++lineNo;
        if (lineNo == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // a byte-order mark
        if (Trimmed(line).empty()) continue;
        sep = Separator(line);
        const std::size_t n = SplitCsv(line, sep, cells);
        std::string ignored;
        std::size_t ignoredCount = 0;
        for (std::size_t i = 0; i < n; ++i) {
            // exactly as written: "Va" is the model field of the program's own output, not the input
            std::optional<InputId> id;
            for (int k = 0; k < kInputIdCount; ++k)
                if (cells[i] == InputIdName(static_cast<InputId>(k))) id = static_cast<InputId>(k);
            const bool isId = cells[i] == "id";
            if (id || isId) {
                const bool twice = isId ? idColumn.has_value()
                                        : std::find(columns.begin(), columns.end(), id) != columns.end();
                if (twice) {
                    std::fprintf(err, "merivane-calc: %s:%lld: the column %s appears twice\n", name.c_str(), lineNo,
                                 Quoted(cells[i]).c_str());
                    return 2;
                }
                if (isId) idColumn = i;
                if (id && IsLineInput(*id)) sweep = true;
            } else if (!tubeColumns.Take(cells[i], i)) {
                if (ignoredCount < kNamed) ignored += (ignored.empty() ? "" : ", ") + Quoted(cells[i]);
                ++ignoredCount;
            }
            columns.push_back(id);
        }
        // a first line of numbers is a missing header, not a header of unknown columns
        if (std::none_of(columns.begin(), columns.end(), [](const auto& id) { return id.has_value(); }) &&
            !tubeColumns.Any()) {
            std::fprintf(err,
                         "merivane-calc: %s:%lld: the header names none of the columns va, ia, eff, source, load, "
                         "directivity, frequency, line, length, span\n",
                         name.c_str(), lineNo);
            return 2;
        }
        // one warning, however many: counted, the first few named
        if (ignoredCount == 1)
            std::fprintf(err, "merivane-calc: warning: %s:%lld: 1 column that is not an input is ignored: %s\n",
                         name.c_str(), lineNo, ignored.c_str());
        else if (ignoredCount > 1)
            std::fprintf(err, "merivane-calc: warning: %s:%lld: %zu columns that are not inputs are ignored: %s%s\n",
                         name.c_str(), lineNo, ignoredCount, ignored.c_str(),
                         ignoredCount > kNamed ? (", … and " + std::to_string(ignoredCount - kNamed) + " more").c_str()
                                               : "");
        break;
    }
    if (readFailed()) return 2;
    if (idColumn) buffer += "id,";
    buffer += present::BatchHeader(sweep);
    if (defaults.match) buffer += MatchCsvHeader(defaults.tuner.method);
    if (defaults.guideGiven) AppendGuideHeader(buffer);
    const bool tubeOut = tube || tubeColumns.Any();  // the tube's result columns are written
    if (tubeOut) present::AppendTubeCsvHeader(buffer);
    buffer += '\n';

    long long bad = 0;
    TCaseInput c;
    std::vector<std::optional<double>> numbers;
    while (reader.Next(line)) {
        ++lineNo;
        if (Trimmed(line).empty()) continue;
        const std::size_t n = SplitCsv(line, sep, cells);
        if (n != columns.size()) {
            std::fprintf(err, "merivane-calc: %s:%lld: %zu cells where the header has %zu; row skipped\n",
                         name.c_str(), lineNo, n, columns.size());
            ++bad;
            continue;
        }
        c = defaults;
        bool ok = true;
        for (std::size_t i = 0; i < n && ok; ++i) {
            if (!columns[i] || cells[i].empty()) continue;  // not an input, or the default
            const TReadResult r = ReadInput(*columns[i], cells[i], c);
            const char* column = InputIdName(*columns[i]);
            if (!r.ok) {
                std::fprintf(err, "merivane-calc: %s:%lld: %s %s; row skipped\n", name.c_str(), lineNo, column,
                             r.error.c_str());
                ok = false;
            } else if (!r.warning.empty()) {
                std::fprintf(err, "merivane-calc: warning: %s:%lld: %s %s\n", name.c_str(), lineNo, column,
                             r.warning.c_str());
            }
        }
        present::TTubeCase rowTube = tube ? *tube : present::DefaultTubeCase();
        if (ok && tubeColumns.Any()) {
            std::string error;
            std::vector<std::string> warnings;
            ok = tubeColumns.Apply(cells, rowTube, error, warnings);
            for (const std::string& w : warnings)
                std::fprintf(err, "merivane-calc: warning: %s:%lld: %s\n", name.c_str(), lineNo, w.c_str());
            if (!ok)
                std::fprintf(err, "merivane-calc: %s:%lld: %s; row skipped\n", name.c_str(), lineNo, error.c_str());
        }
        if (!ok) {
            ++bad;
            continue;
        }
        Compute(c);
        present::TDisplay forms;
        forms.srcRfl = c.srcForm;
        forms.loaRfl = c.loaForm;
        if (idColumn) {
            present::AppendCsvText(buffer, cells[*idColumn]);
            buffer += ',';
        }
        if (sweep) {
            // the line's inputs beside the case's, the numbers at the end; no curves
            const TSweepResult s = CalcLineSweep(TSweepCase{c.m, c.line, GuidePassFactor(c)}, 0);
            numbers = present::SweepNumbers(s);
            present::AppendInputsCsv(buffer, c.m, forms);
            AppendLineCsv(buffer, c.line);
            present::AppendFieldsCsv(buffer, c.m);
            present::AppendSweepNumbersCsv(buffer, numbers);
            buffer += '\n';
        } else {
            present::AppendBatchRow(buffer, c.m, forms);
        }
        if (c.match || c.guideGiven || tubeOut) {  // the match's, the guide's and the tube's columns at the end of the row
            buffer.pop_back();
            if (c.match) AppendMatchCsv(buffer, MatchOf(c));
            if (c.guideGiven) AppendGuideCsv(buffer, CaseGuide(c));
            if (tubeOut) present::AppendTubeCsv(buffer, present::ComputeTube(c.m, c.line, rowTube));
            buffer += '\n';
        }
        if (buffer.size() >= kFlushAt && !flush()) break;  // no use computing what cannot be written
    }
    if (readFailed()) return 2;
    flush();
    if (std::fflush(out) != 0 && !writeError) writeError = errno ? errno : EIO;
    if (writeError) {
        std::fprintf(err, "merivane-calc: cannot write the output: %s\n", std::strerror(writeError));
        std::clearerr(out);  // told once
        return 2;
    }
    return bad > 0 ? 1 : 0;
}

}  // namespace merivane
