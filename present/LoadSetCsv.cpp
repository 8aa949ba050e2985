// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadSetCsv.h"

#include "CsvLine.h"
#include "ReflectionText.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace merivane::present {

namespace {

constexpr std::size_t kMaxLoads = 100000;

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return s;
}

struct TColumns {
    int name = -1, load = -1, file = -1, port = -1;
    std::size_t count = 0;  // the header's cells
};

bool ReadHeader(std::string_view line, char sep, TColumns& c, std::string& error)
{
    std::vector<std::string> cells;
    const std::size_t n = SplitCsv(line, sep, cells);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string h = Lower(cells[i]);
        int* column = h == "name" ? &c.name : h == "load" ? &c.load : h == "file" ? &c.file : h == "port" ? &c.port : nullptr;
        if (!column) {
            error = "the header's column \"" + cells[i] + "\" is none of name, load, file, port";
            return false;
        }
        if (*column >= 0) {
            error = "the header names the column \"" + cells[i] + "\" twice";
            return false;
        }
        *column = static_cast<int>(i);
    }
    c.count = n;
    if (c.name < 0 || (c.load < 0) == (c.file < 0)) {
        error = "the header names the columns name and load, or name, file and port";
        return false;
    }
    return true;
}

bool ReadRow(const std::vector<std::string>& cells, std::size_t n, const TColumns& c, TLoadSetRow& row, std::string& error)
{
    const auto cell = [&](int i) -> const std::string& {
        static const std::string none;
        return i >= 0 && static_cast<std::size_t>(i) < n ? cells[static_cast<std::size_t>(i)] : none;
    };
    // a cell beyond the header's is a column the header does not name (a
    // spreadsheet's empty cells at the end are none)
    for (std::size_t i = c.count; i < n; ++i)
        if (!cells[i].empty())
            return (error = "the cell \"" + cells[i] + "\" lies beyond the header's " + std::to_string(c.count) + " columns",
                    false);
    row.name = cell(c.name);
    if (row.name.empty()) return (error = "a load needs a name", false);
    if (c.load >= 0) {
        int form = 0;
        row.refl = TRefl{};
        const TInputReading r =
            ReadReflectionInput(cell(c.load), Input::LoaMag, Input::LoaPha, row.refl, form);
        if (!r.ok) return (error = r.error, false);
        return true;
    }
    row.file = cell(c.file);
    if (row.file.empty()) return (error = "a file is needed", false);
    const std::string& port = cell(c.port);
    if (port.empty()) return true;
    const auto [ptr, ec] = std::from_chars(port.data(), port.data() + port.size(), row.port);
    if (ec != std::errc() || ptr != port.data() + port.size() || row.port < 1)
        return (error = "the port \"" + port + "\" is not a whole number from 1", false);
    return true;
}

}  // namespace

bool ParseLoadSetCsv(std::string_view text, std::vector<TLoadSetRow>& rows, std::string& error)
{
    rows.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark
    TColumns columns;
    bool header = false;
    char sep = ',';
    std::vector<std::string> cells;
    std::unordered_map<std::string, long long> names;  // each name's line
    long long lineNo = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNo;
        if (Trimmed(line).empty() || Trimmed(line).front() == '#') continue;
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        if (!header) {
            sep = Separator(line);
            if (!ReadHeader(line, sep, columns, error)) return (error = where + error, false);
            header = true;
            continue;
        }
        if (rows.size() == kMaxLoads) return (error = where + "more loads than a process can hold", false);
        TLoadSetRow row;
        row.line = lineNo;
        if (!ReadRow(cells, SplitCsv(line, sep, cells), columns, row, error)) return (error = where + error, false);
        // each load is named once: the worst case is named by its load
        const auto [same, fresh] = names.emplace(row.name, lineNo);
        if (!fresh)
            return (error = where + "the name \"" + row.name + "\" is line " + std::to_string(same->second) + "'s already",
                    false);
        rows.push_back(std::move(row));
    }
    if (!header) return (error = "the file has no header", false);
    if (rows.empty()) return (error = "the file has no load", false);
    return true;
}

}  // namespace merivane::present
