// SPDX-License-Identifier: GPL-3.0-or-later
// The case as data: the inputs as the command line takes them, every model
// field at full precision and every result text, as CSV and JSON. The
// window's export, the command line's csv and json output and the batch rows.
#pragma once

#include "Case.h"
#include "Display.h"
#include "Model.h"

#include <span>
#include <string>
#include <string_view>

namespace merivane::present {

// "va", "ia", "eff", "source", "load", "directivity": the inputs as the
// batch columns and the "inputs" of the JSON name them.
std::span<const char* const> InputNames();

// A reflection as the command line takes it, in its entered form:
// "0.5@90", "db:-6.0206@90" or "swr:3@90", at full precision.
std::string ReflectionText(const TRefl& r, int form);

// The six inputs as CSV cells, in the order of InputNames(): whole volts,
// amperes, percent, the two reflections, and the directivity in dB or an empty
// cell for ideal couplers.
void AppendInputsCsv(std::string& out, const TModel& m, const TDisplay& d);

// A batch row: the inputs, then every model field. The header has no line end;
// AppendBatchRow appends one. With the sweep, the header also names the
// line's inputs (frequency, line, length, span) after the case's and the
// sweep's numbers (SweepNumberNames) after the model fields.
std::string BatchHeader(bool sweep = false);
// Every model field, each after a comma.
void AppendFieldsCsv(std::string& out, const TModel& m);
void AppendBatchRow(std::string& out, const TModel& m, const TDisplay& d);

// A CSV cell, quoted when it holds a comma, a quote or a line end.
void AppendCsvText(std::string& out, std::string_view s);

// The case as CSV: a header row and one row, holding the batch row's columns,
// then the text of every result cell (with its unit) under the cell's
// accessible name, then the extra rows under their captions.
std::string CaseCsv(const TModel& m, const TDisplay& d, const TExtraRegion* extra = nullptr);

// The case as JSON: {"inputs": {...}, "results": {FIELD: value, ...},
// "display": {CELL NAME: "text unit", ...}}; the extra rows join "display"
// under their captions. When the extra region has numbers, an object "sweep"
// between "results" and "display" holds them: {NAME: number or null, ...}.
// The CSV has them as columns after the extra rows' texts.
std::string CaseJson(const TModel& m, const TDisplay& d, const TExtraRegion* extra = nullptr);

// Appends s as a JSON string: quotes and backslashes escaped, control
// characters as \u00XX. The export and the case files write strings so.
void AppendJsonString(std::string& out, std::string_view s);

}  // namespace merivane::present
