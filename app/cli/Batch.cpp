// SPDX-License-Identifier: GPL-3.0-or-later
#include "Batch.h"

#include "Export.h"

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

// Splits one line into its cells, trimmed; a quoted cell may hold commas and
// doubled quotes. The cells' buffers are reused from line to line.
std::size_t SplitCsv(std::string_view line, std::vector<std::string>& cells)
{
    std::size_t n = 0;
    std::size_t i = 0;
    while (true) {
        if (n == cells.size()) cells.emplace_back();
        std::string& cell = cells[n++];
        cell.clear();
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i < line.size() && line[i] == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
            while (i < line.size() && line[i] != ',') ++i;  // anything after the closing quote
        } else {
            const std::size_t end = std::min(line.find(',', i), line.size());
            cell.assign(Trimmed(line.substr(i, end - i)));
            i = end;
        }
        if (i >= line.size()) return n;
        ++i;  // the comma
    }
}

constexpr std::array<InputId, 6> kIds = {InputId::Va,     InputId::Ia,   InputId::Eff,
                                         InputId::Source, InputId::Load, InputId::Directivity};

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

int RunBatch(std::FILE* in, const std::string& name, std::FILE* out, std::FILE* err, const TCaseInput& defaults)
{
    TLineReader reader(in);
    std::string_view line;
    long long lineNo = 0;
    std::string buffer = present::BatchHeader() + '\n';
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
        std::fprintf(err, "merivane-calc: cannot read \"%s\": %s\n", name.c_str(), std::strerror(reader.Error()));
        return true;
    };

    // the header: which cell is which input
    std::vector<std::string> cells;
    std::vector<std::optional<InputId>> columns;
    while (reader.Next(line)) {
        ++lineNo;
        if (lineNo == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // a byte-order mark
        if (Trimmed(line).empty()) continue;
        const std::size_t n = SplitCsv(line, cells);
        std::string ignored;
        for (std::size_t i = 0; i < n; ++i) {
            // exactly as written: "Va" is the model field of the program's own output, not the input
            std::optional<InputId> id;
            for (std::size_t k = 0; k < kIds.size(); ++k)
                if (cells[i] == present::InputNames()[k]) id = kIds[k];
            if (id) {
                for (const auto& seen : columns)
                    if (seen == id) {
                        std::fprintf(err, "merivane-calc: %s:%lld: the column \"%s\" appears twice\n", name.c_str(),
                                     lineNo, cells[i].c_str());
                        return 2;
                    }
            } else {
                ignored += (ignored.empty() ? "\"" : ", \"") + cells[i] + "\"";
            }
            columns.push_back(id);
        }
        // a first line of numbers is a missing header, not a header of unknown columns
        if (std::none_of(columns.begin(), columns.end(), [](const auto& id) { return id.has_value(); })) {
            std::fprintf(err,
                         "merivane-calc: %s:%lld: the header names none of the columns va, ia, eff, source, load, "
                         "directivity\n",
                         name.c_str(), lineNo);
            return 2;
        }
        if (!ignored.empty())
            std::fprintf(err, "merivane-calc: warning: %s:%lld: columns that are not inputs are ignored: %s\n",
                         name.c_str(), lineNo, ignored.c_str());
        break;
    }
    if (readFailed()) return 2;

    long long bad = 0;
    TCaseInput c;
    while (reader.Next(line)) {
        ++lineNo;
        if (Trimmed(line).empty()) continue;
        const std::size_t n = SplitCsv(line, cells);
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
            const char* column = present::InputNames()[static_cast<std::size_t>(*columns[i])];
            if (!r.ok) {
                std::fprintf(err, "merivane-calc: %s:%lld: %s %s; row skipped\n", name.c_str(), lineNo, column,
                             r.error.c_str());
                ok = false;
            } else if (!r.warning.empty()) {
                std::fprintf(err, "merivane-calc: warning: %s:%lld: %s %s\n", name.c_str(), lineNo, column,
                             r.warning.c_str());
            }
        }
        if (!ok) {
            ++bad;
            continue;
        }
        Compute(c);
        present::TDisplay forms;
        forms.srcRfl = c.srcForm;
        forms.loaRfl = c.loaForm;
        present::AppendBatchRow(buffer, c.m, forms);
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
