// SPDX-License-Identifier: GPL-3.0-or-later
// The names a case file gives to the display choices and the line types: the
// public names of the format, kept apart from the program's enumerations.
#pragma once

#include "Display.h"
#include "LineSweep.h"

#include <span>

namespace merivane::present::casefile {

// A choice by its name; index -1 is "none" (no button or item selected).
struct TChoiceName {
    int index;
    const char* name;
};

inline constexpr TChoiceName kNone{-1, "none"};
inline constexpr TChoiceName kPowerUnits[] = {{static_cast<int>(PowerUnit::Watts), "W"},
                                              {static_cast<int>(PowerUnit::Dbm), "dBm"},
                                              {static_cast<int>(PowerUnit::DbW), "dBW"},
                                              {static_cast<int>(PowerUnit::DbkW), "dBkW"},
                                              {static_cast<int>(PowerUnit::None), "none"}};
inline constexpr TChoiceName kFactorUnits[] = {{0, "mag"}, {1, "%"}, {2, "dB"}, kNone};
inline constexpr TChoiceName kMeasUnits[] = {{0, "power"}, {1, "%"}, {2, "dB"}, kNone};
inline constexpr TChoiceName kReflForms[] = {{0, "mag"}, {1, "dB"}, {2, "SWR"}, kNone};
inline constexpr TChoiceName kMismatchForms[] = {{0, "mag"}, {1, "dB"}, {2, "%"}, kNone};

// The display choices: key, names, and where the choice lives in the case.
struct TDisplayKey {
    const char* key;
    std::span<const TChoiceName> names;
};
inline constexpr TDisplayKey kPowerUnitKey{"power_unit", kPowerUnits};
inline constexpr TDisplayKey kFactorUnitKey{"factor_unit", kFactorUnits};
inline constexpr TDisplayKey kMeasUnitKey{"meas_unit", kMeasUnits};
inline constexpr TDisplayKey kSourceFormKey{"source_form", kReflForms};
inline constexpr TDisplayKey kLoadFormKey{"load_form", kReflForms};
inline constexpr TDisplayKey kSourceMismKey{"source_mismatch", kMismatchForms};
inline constexpr TDisplayKey kLoadMismKey{"load_mismatch", kMismatchForms};
inline constexpr TDisplayKey kMeasReflKey{"meas_reflection", kReflForms};

// The line as merivane-calc's --line takes it: a preset by its name, or
// "waveguide:WIDTH" (mm) or "coax:VF".
inline constexpr const char* kWaveguidePrefix = "waveguide:";
inline constexpr const char* kCoaxPrefix = "coax:";

}  // namespace merivane::present::casefile
