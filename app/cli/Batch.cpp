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
constexpr std::size_t kRowSlack = 4096;    // room beyond it for the block that crosses it
constexpr std::size_t kBlockLines = 2048;  // lines computed as one piece of work
constexpr std::size_t kReadChunk = 1 << 16;  // bytes read at a time, at the least

bool IsLineInput(InputId id) { return static_cast<int>(id) >= static_cast<int>(InputId::Frequency); }

// The names of the columns not taken, for the one warning: at most kNamed,
// each shortened.
constexpr std::size_t kNamed = 5;

// Reads lines of any length through one growing buffer.
class TLineReader {
public:
    explicit TLineReader(std::FILE* in) : in_(in) { buf_.resize(kReadChunk); }
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
            buf_.resize(std::max(buf_.size(), kReadChunk));
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

constexpr int kBadRows = 1;    // some rows were skipped
constexpr int kUnusable = 2;   // the header, the input or the output could not be used

// The output, gathered and written a megabyte at a time; the first error is
// kept and nothing more is written after it.
class TBatchWriter {
public:
    explicit TBatchWriter(std::FILE* out) : out_(out) { buffer_.reserve(kFlushAt + kRowSlack); }
    bool Put(std::string_view text)
    {
        buffer_ += text;
        return buffer_.size() < kFlushAt || Flush();
    }
    bool Flush()
    {
        if (!error_ && std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size())
            error_ = errno ? errno : EIO;
        buffer_.clear();
        return error_ == 0;
    }
    // Everything written and flushed; the error that stopped it, or 0.
    int Finish()
    {
        Flush();
        if (std::fflush(out_) != 0 && !error_) error_ = errno ? errno : EIO;
        return error_;
    }

private:
    std::FILE* out_;
    std::string buffer_;
    int error_ = 0;
};

// The input a header cell names, exactly as written: "Va" is the model field
// of the program's own output, not the input.
std::optional<InputId> ColumnInput(const std::string& cell)
{
    for (int k = 0; k < kInputIdCount; ++k)
        if (cell == InputIdName(static_cast<InputId>(k))) return static_cast<InputId>(k);
    return std::nullopt;
}

// One warning for the columns passed over, however many: counted, the first few named.
void WarnIgnored(std::FILE* err, const std::string& name, long long lineNo, std::size_t count, const std::string& named)
{
    if (count == 1)
        std::fprintf(err, "merivane-calc: warning: %s:%lld: 1 column that is not an input is ignored: %s\n",
                     name.c_str(), lineNo, named.c_str());
    else if (count > 1)
        std::fprintf(err, "merivane-calc: warning: %s:%lld: %zu columns that are not inputs are ignored: %s%s\n",
                     name.c_str(), lineNo, count, named.c_str(),
                     count > kNamed ? (", … and " + std::to_string(count - kNamed) + " more").c_str() : "");
}

// The header's cells into cols: which cell is which input, which is the id,
// which are the tube's. False, with the message written, when a column
// appears twice or none is an input.
bool TakeHeader(const std::vector<std::string>& cells, std::size_t n, long long lineNo, std::FILE* err,
                TBatchColumns& cols)
{
    std::string ignored;
    std::size_t ignoredCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::optional<InputId> id = ColumnInput(cells[i]);
        const bool isId = cells[i] == "id";
        if (cells[i] == "load_file" || cells[i] == "port") {
            std::optional<std::size_t>& column = cells[i] == "port" ? cols.portColumn : cols.loadFileColumn;
            if (column) {
                std::fprintf(err, "merivane-calc: %s:%lld: the column %s appears twice\n", cols.name.c_str(), lineNo,
                             Quoted(cells[i]).c_str());
                return false;
            }
            column = i;
        } else if (id || isId) {
            const bool twice = isId ? cols.idColumn.has_value()
                                    : std::find(cols.columns.begin(), cols.columns.end(), id) != cols.columns.end();
            if (twice) {
                std::fprintf(err, "merivane-calc: %s:%lld: the column %s appears twice\n", cols.name.c_str(), lineNo,
                             Quoted(cells[i]).c_str());
                return false;
            }
            if (isId) cols.idColumn = i;
            if (id && IsLineInput(*id)) cols.sweep = true;
        } else if (!cols.tubeColumns.Take(cells[i], i)) {
            if (ignoredCount < kNamed) ignored += (ignored.empty() ? "" : ", ") + Quoted(cells[i]);
            ++ignoredCount;
        }
        cols.columns.push_back(id);
    }
    if (cols.portColumn && !cols.loadFileColumn) {
        std::fprintf(err, "merivane-calc: %s:%lld: the column \"port\" needs a column \"load_file\"\n",
                     cols.name.c_str(), lineNo);
        return false;
    }
    // a first line of numbers is a missing header, not a header of unknown columns
    if (std::none_of(cols.columns.begin(), cols.columns.end(), [](const auto& id) { return id.has_value(); }) &&
        !cols.tubeColumns.Any() && !cols.loadFileColumn) {
        std::fprintf(err,
                     "merivane-calc: %s:%lld: the header names none of the columns va, ia, eff, source, load, "
                     "directivity, frequency, line, length, span\n",
                     cols.name.c_str(), lineNo);
        return false;
    }
    WarnIgnored(err, cols.name, lineNo, ignoredCount, ignored);
    return true;
}

// The first line that is not blank, read as the header into cols; false when
// it cannot be used (the message written).
bool ReadHeader(TLineReader& reader, long long& lineNo, std::FILE* err, TBatchColumns& cols)
{
    std::string_view line;
    std::vector<std::string> cells;
    while (reader.Next(line)) {
        ++lineNo;
        if (lineNo == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // a byte-order mark
        if (Trimmed(line).empty()) continue;
        cols.sep = Separator(line);
        return TakeHeader(cells, SplitCsv(line, cols.sep, cells), lineNo, err, cols);
    }
    return true;
}

// Blocks of lines are computed on as many threads as there are cores, while
// this one reads on; their messages and rows are written in the order of the
// lines, as one thread would write them. False when the output failed.
class TBlockRunner {
public:
    TBlockRunner(const TBatchColumns& cols, TBatchWriter& writer, std::FILE* err)
        : cols_(cols), writer_(writer), err_(err)
    {}

    bool Run(TLineReader& reader, long long& lineNo)
    {
        std::string_view line;
        std::unique_ptr<TBatchWork> block = Take();
        bool writing = true;
        while (writing && reader.Next(line)) {
            block->lines.Add(line, ++lineNo);
            if (block->lines.Count() < kBlockLines) continue;
            TBatchWork* w = block.get();
            const TBatchColumns& cols = cols_;
            pending_.emplace_back(std::move(block),
                                  std::async(std::launch::async, [&cols, w] { RunBatchLines(cols, *w); }));
            block = Take();
            if (pending_.size() > InFlight()) writing = PutFirst();  // no use computing what cannot be written
        }
        if (writing) RunBatchLines(cols_, *block);
        while (writing && !pending_.empty()) writing = PutFirst();
        pending_.clear();  // each waits for its block, then lets it go
        return writing && PutOut(block->out);
    }

    long long Bad() const { return bad_; }

private:
    // At most four: beyond that this thread's reading and writing sets the
    // pace, and memory stays that of a few blocks on a machine of many cores.
    static std::size_t InFlight()
    {
        constexpr unsigned kMostInFlight = 4;
        return std::clamp(std::thread::hardware_concurrency(), 1u, kMostInFlight);
    }
    // The blocks' buffers are kept and used again: memory that is freed and
    // taken anew at each block would make the heap grow under some allocators.
    std::unique_ptr<TBatchWork> Take()
    {
        if (spare_.empty()) return std::make_unique<TBatchWork>();
        std::unique_ptr<TBatchWork> w = std::move(spare_.back());
        spare_.pop_back();
        w->lines.Clear();
        return w;
    }
    bool PutOut(const TBatchOut& done)
    {
        std::fwrite(done.messages.data(), 1, done.messages.size(), err_);
        bad_ += done.bad;
        return writer_.Put(done.rows);
    }
    bool PutFirst()
    {
        auto& [work, computed] = pending_.front();
        computed.get();
        const bool ok = PutOut(work->out);
        spare_.push_back(std::move(work));
        pending_.pop_front();
        return ok;
    }

    const TBatchColumns& cols_;
    TBatchWriter& writer_;
    std::FILE* err_;
    long long bad_ = 0;
    std::deque<std::pair<std::unique_ptr<TBatchWork>, std::future<void>>> pending_;
    std::vector<std::unique_ptr<TBatchWork>> spare_;
};

}  // namespace

int RunBatch(std::FILE* in, const std::string& name, std::FILE* out, std::FILE* err, const TCliCase& defaults)
{
    TLineReader reader(in);
    long long lineNo = 0;
    const auto readFailed = [&] {
        if (!reader.Error()) return false;
        std::fprintf(err, "merivane-calc: cannot read %s: %s\n", Quoted(name).c_str(), std::strerror(reader.Error()));
        return true;
    };
    TBatchColumns cols;
    cols.name = name;
    cols.sweep = defaults.lineGiven;  // the sweep's columns are written
    cols.defaults = &defaults;
    if (!ReadHeader(reader, lineNo, err, cols) || readFailed()) return kUnusable;
    cols.tubeOut = defaults.tubeShown || cols.tubeColumns.Any();

    TBatchWriter writer(out);
    writer.Put(BatchOutputHeader(cols));
    TBlockRunner blocks(cols, writer, err);
    blocks.Run(reader, lineNo);
    if (readFailed()) return kUnusable;
    if (const int writeError = writer.Finish()) {
        std::fprintf(err, "merivane-calc: cannot write the output: %s\n", std::strerror(writeError));
        std::clearerr(out);  // told once
        return kUnusable;
    }
    return blocks.Bad() > 0 ? kBadRows : 0;
}

}  // namespace merivane
