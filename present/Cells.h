// Every result cell of the window, where it stands and how it is rendered:
// one catalogue for the window's checks, the copy, the export, the report and
// the command line, so that all of them show the same texts.
#pragma once

#include "Display.h"
#include "Model.h"

#include <span>
#include <string>

namespace merivane::present {

// The regions that hold result cells, in the order the copy lists them.
enum class Region { MagnetronOutput, SourceReflection, LoadReflection, Transmission, PowerMeas, LoadMeas };

struct TRegionSpec {
    Region region;
    const char* title;                  // "Transmission"
    std::span<const char* const> rows;  // row captions, top to bottom
    std::span<const char* const> columns;  // column headers, left to right; empty for single cells
};

struct TResultCell {
    Region region;
    int row;     // index into the region's rows
    int column;  // index into the region's columns; 0 for a single cell
    const char* panel;       // the cell in the window ("Panel6")
    const char* valueLabel;  // "lbPinc2"
    const char* unitLabel;   // "lbPincUnit"; nullptr for a cell without one
    const char* accessibleName;  // "Incident Power, Actual Value"
    TCell (*render)(const TModel&, const TDisplay&);
};

std::span<const TRegionSpec> Regions();
const TRegionSpec& RegionOf(Region r);
// Region by region, row by row, column by column.
std::span<const TResultCell> ResultCells();

}  // namespace merivane::present
