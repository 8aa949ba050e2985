// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvLine.h"

#include <algorithm>

namespace merivane {

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

std::size_t SplitCsv(std::string_view line, char sep, std::vector<std::string>& cells)
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
            while (i < line.size() && line[i] != sep) ++i;  // anything after the closing quote
        } else {
            const std::size_t end = std::min(line.find(sep, i), line.size());
            cell.assign(Trimmed(line.substr(i, end - i)));
            i = end;
        }
        if (i >= line.size()) return n;
        ++i;  // the separator
    }
}

char Separator(std::string_view header)
{
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (char ch : header) {
        if (ch == '"') quoted = !quoted;
        if (quoted) continue;
        commas += ch == ',';
        semicolons += ch == ';';
    }
    return semicolons > commas ? ';' : ',';
}

}  // namespace merivane
