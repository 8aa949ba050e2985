// SPDX-License-Identifier: GPL-3.0-or-later
// The batch: cases from a CSV stream, one result row per case. The header
// names the input columns (va, ia, eff, source, load, directivity, and the
// line's frequency, line, length, span, in any order), separated by "," or
// ";"; a missing column, or an empty cell, takes the default. A column "id"
// passes through as the first output column. Other columns are passed over,
// with one warning, so the program's own output reads back as its cases. With
// a line column or option the rows also hold the line and the sweep's numbers.
// Rows stream through: memory stays flat however long the input is.
#pragma once

#include "Inputs.h"

#include <cstdio>
#include <string>

namespace merivane {

// Reads `in` (named `name` in messages), writes the header and a row per good
// case to `out` and a line per bad row or clamp to `err`. Returns 0, 1 when
// some rows were bad, 2 when the header cannot be used.
// Every row starts from defaults, the case the options give; with
// defaults.tubeShown every row also gets the magnetron's and the
// measurement's columns.
int RunBatch(std::FILE* in, const std::string& name, std::FILE* out, std::FILE* err, const TCliCase& defaults);

}  // namespace merivane
