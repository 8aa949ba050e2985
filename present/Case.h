// SPDX-License-Identifier: GPL-3.0-or-later
// The case as rows: the inputs with their units and forms, then every result
// cell region by region, in the units and representations selected. The copy,
// the report and the command line's text output are all made from these rows.
#pragma once

#include "Cells.h"
#include "Display.h"
#include "Model.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace merivane::present {

// A value as its cell shows it, and the unit beside it: the cell's unit
// caption, or for a cell without one the representation its list shows
// ("Mag", "dB", "%", "SWR"); empty when the cell has neither.
struct TValue {
    std::string text;
    std::string unit;
    // "10.1 kW": the text, then a blank and the unit when there is one.
    std::string Joined() const { return unit.empty() ? text : text + " " + unit; }
};

struct TCaseRow {
    std::string caption;
    std::vector<TValue> values;  // one per column; one in a section without columns
};

struct TSection {
    std::string title;
    std::vector<std::string> columns;  // column headers; empty for a list of single values
    std::vector<TCaseRow> rows;
};

// Results another page adds: each row a caption and its text with the unit.
// They follow the window's regions as a section of their own. The numbers
// are the same readouts for data (the export): a name and the value, or none
// where the page shows no number.
struct TExtraRegion {
    std::string title;
    std::vector<std::pair<std::string, std::string>> rows;
    std::vector<std::pair<std::string, std::optional<double>>> numbers = {};
};

// "Mag", "dB" or "SWR": the name of the form a reflection is entered in.
const char* ReflFormName(int form);

// The inputs as the window's fields show them after an evaluation.
TSection InputSection(const TModel& m, const TDisplay& d);
// The value and unit of one result cell.
TValue CellValue(const TResultCell& cell, const TModel& m, const TDisplay& d);
// "Inputs", then one section per region of Regions() in order, then the extra
// region when it has rows.
std::vector<TSection> CaseSections(const TModel& m, const TDisplay& d, const TExtraRegion* extra = nullptr);

// Tab-separated, for a spreadsheet: per section a header row (the title, then
// each column header over a value and a unit column), then per row the caption
// and each value and unit in cells of their own; an empty line between
// sections. Empty cells at the end of a line are left out.
std::string CaseTsv(const std::vector<TSection>& sections);
// The same rows and cells as one HTML table, for documents and spreadsheets.
std::string CaseHtml(const std::vector<TSection>& sections);
// Aligned plain text: per section the header line, then a line per row with
// each value joined to its unit; columns at least two blanks apart, an empty
// line between sections.
std::string CaseText(const std::vector<TSection>& sections);

}  // namespace merivane::present
