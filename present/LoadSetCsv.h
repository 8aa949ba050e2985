// SPDX-License-Identifier: GPL-3.0-or-later
// A process's load set as a CSV file: a header naming the columns "name"
// and "load" (a REFL as --load takes it), or "name", "file" and "port" (a
// Touchstone file and its port, 1 when left out); then a load a line, in
// process order. Comment lines start with "#". The separator is the
// header's ("," or ";"). No files are read here: the fuzz target builds it alone.
#pragma once

#include "Model.h"

#include <string>
#include <string_view>
#include <vector>

namespace merivane::present {

struct TLoadSetRow {
    long long line = 0;  // in the file, from 1
    std::string name;
    TRefl refl;          // a typed load
    std::string file;    // or a file, empty for a typed load
    int port = 1;
};

// The rows of text; false with error naming the line and what is wrong.
bool ParseLoadSetCsv(std::string_view text, std::vector<TLoadSetRow>& rows, std::string& error);

}  // namespace merivane::present
