// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batch.h"

#include "BatchRows.h"
#include "CsvLine.h"
#include "Export.h"
#include "TubeOptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace merivane {

namespace {

constexpr std::size_t kFlushAt = 1 << 20;  // bytes of output gathered before a write
constexpr std::size_t kBlockLines = 2048;  // lines computed as one piece of work

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
    TBatchColumns cols;
    cols.name = name;
    cols.sep = sep;
    cols.columns = std::move(columns);
    cols.idColumn = idColumn;
    cols.sweep = sweep;
    cols.tubeOut = tube || tubeColumns.Any();
    cols.tubeColumns = std::move(tubeColumns);
    cols.defaults = &defaults;
    cols.tube = tube;
    buffer += BatchOutputHeader(cols);

    // Blocks of lines are computed on as many threads as there are cores,
    // while this one reads on; their messages and rows are written in the
    // order of the lines, as one thread would write them.
    long long bad = 0;
    // At most four: beyond that this thread's reading and writing sets the
    // pace, and memory stays that of a few blocks on a machine of many cores.
    constexpr unsigned kMostInFlight = 4;
    const std::size_t inFlight = std::clamp(std::thread::hardware_concurrency(), 1u, kMostInFlight);
    // The blocks' buffers are kept and used again: memory that is freed and
    // taken anew at each block would make the heap grow under some allocators.
    std::deque<std::pair<std::unique_ptr<TBatchWork>, std::future<void>>> pending;
    std::vector<std::unique_ptr<TBatchWork>> spare;
    const auto take = [&] {
        if (spare.empty()) return std::make_unique<TBatchWork>();
        std::unique_ptr<TBatchWork> w = std::move(spare.back());
        spare.pop_back();
        w->lines.Clear();
        return w;
    };
    const auto putOut = [&](const TBatchOut& done) {
        std::fwrite(done.messages.data(), 1, done.messages.size(), err);
        bad += done.bad;
        buffer += done.rows;
        return buffer.size() < kFlushAt || flush();
    };
    const auto putFirst = [&] {
        auto& [work, computed] = pending.front();
        computed.get();
        const bool ok = putOut(work->out);
        spare.push_back(std::move(work));
        pending.pop_front();
        return ok;
    };
    std::unique_ptr<TBatchWork> block = take();
    bool writing = true;
    while (writing && reader.Next(line)) {
        block->lines.Add(line, ++lineNo);
        if (block->lines.Count() < kBlockLines) continue;
        TBatchWork* w = block.get();
        pending.emplace_back(std::move(block), std::async(std::launch::async, [&cols, w] { RunBatchLines(cols, *w); }));
        block = take();
        if (pending.size() > inFlight) writing = putFirst();  // no use computing what cannot be written
    }
    if (writing) RunBatchLines(cols, *block);
    while (writing && !pending.empty()) writing = putFirst();
    pending.clear();  // each waits for its block, then lets it go
    if (writing) putOut(block->out);
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
