// The presentation rules of the result cells, one function per kind of cell:
// given a value and the display choice, the cell's texts, unit-label place and
// colour. The window, the copy, the report and the command line all use them.
#pragma once

#include "Display.h"
#include "Model.h"


namespace merivane::present {

// Left edge of the unit label inside its 82-pixel cell for each caption; -1
// for the empty caption, which leaves the label where it is.
int UnitLeft(Unit unit);

// A power in watts in the power unit: W switching to kW from 1000 W ("oo" kW
// from 1e16 W on), dBm, dBW or dBkW.
TCell PowerCell(double watts, PowerUnit unit);

// The caption of the factor cells for the factor unit: empty, "%" or "dB";
// empty for an index outside 0..2.
Unit FactorCaption(int selUnit);
// A transmission factor in the factor unit; "+oo" from 1e16 on in any unit,
// "Bad unit" outside 0..2. The caption is FactorCaption's.
TCell FactorCell(double f, int selUnit);

// A mismatch factor (the record's Mism) by the list's index: 1 dB, 2 %, any
// other Mag. No unit label.
TCell MismCell(const TRefl& r, int index);
// A measured reflection magnitude by the list's index: 1 dB (return loss), 2
// SWR, any other Mag. No unit label.
TCell MeaRflCell(const TRefl& r, int index);
// The magnitude error in percentage points; white with a number in Mag (index
// exactly 0), grey and empty otherwise.
TCell MeaRflErrCell(const TRefl& measured, const TRefl& truth, int index);

// A Power Meas cell in the measurement unit: the power v, or the ratio b of
// measured to true power in % (for an error cell, b - 1) or in dB.
TCell MeaPowerCell(bool isError, double ratio, double watts, int selErrUnit, PowerUnit unit);
// A ratio in dB with the caption "dB", or "Undefined".
TCell RelatDbCell(double ratio, bool undefined);

}  // namespace merivane::present
