// SPDX-License-Identifier: GPL-3.0-or-later
// The batch file's line reader on arbitrary text: the separator is "," or
// ";", the cells never hold more than the line, an unquoted line splits into
// one cell more than it has separators, and a line that holds no quote reads
// back, cell by cell, to its trimmed pieces.
#include "CsvLine.h"
#include "FuzzInput.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const bool semicolon = in.Take<uint8_t>() & 1;
    const std::string line = in.Rest();
    const char found = merivane::Separator(line);
    FUZZ_CHECK(found == ',' || found == ';');
    const char sep = semicolon ? ';' : ',';
    std::vector<std::string> cells(3, std::string(5, 'x'));  // buffers from a previous line
    const std::size_t n = merivane::SplitCsv(line, sep, cells);
    FUZZ_CHECK(n >= 1 && n <= cells.size());
    std::size_t total = 0;
    for (std::size_t i = 0; i < n; ++i) total += cells[i].size();
    FUZZ_CHECK(total <= line.size());
    if (line.find('"') == std::string::npos) {
        FUZZ_CHECK(n == static_cast<std::size_t>(std::count(line.begin(), line.end(), sep)) + 1);
        for (std::size_t i = 0; i < n; ++i) {
            FUZZ_CHECK(line.find(cells[i]) != std::string::npos);
            FUZZ_CHECK(cells[i].find(sep) == std::string::npos);
        }
    }
    return 0;
}
