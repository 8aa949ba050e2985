// SPDX-License-Identifier: GPL-3.0-or-later
// One line of a batch file split into its cells, and the separator its header
// names. No other part of the program: the fuzz target builds it alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace merivane {

// The header's separator: ";" when the header holds more semicolons than
// commas outside quotes (a spreadsheet in a locale with a decimal comma
// writes it), else ",".
char Separator(std::string_view header);

// s without its leading blanks and tabs, nor its trailing ones, CR and LF.
std::string_view Trimmed(std::string_view s);

// Splits one line into its cells, trimmed of blanks and tabs (and a line's
// closing CR); a quoted cell may hold the separator and doubled quotes.
// The cells' buffers are reused from line to line: the first n of cells are
// this line's, n returned, at least 1.
std::size_t SplitCsv(std::string_view line, char sep, std::vector<std::string>& cells);

}  // namespace merivane
