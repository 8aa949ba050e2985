// SPDX-License-Identifier: GPL-3.0-or-later
// The names a case file gives to the display choices and the line types: the
// public names of the format, kept apart from the program's enumerations.
#pragma once

#include "Display.h"
#include "LineSweep.h"

#include <array>
#include <cstddef>
#include <span>

namespace merivane::present::casefile {

// The sections of the main window's inputs, the line and the display, and
// the keys of theirs that are no number of the input table (whose keys are
// the rows' own: InputRow(id).key).
inline constexpr const char* kInputsSection = "inputs";
inline constexpr const char* kLineSection = "line";
inline constexpr const char* kDisplaySection = "display";
inline constexpr const char* kIdealKey = "ideal";
inline constexpr const char* kLineNameKey = "line";

// A choice by its name; index -1 is "none" (no button or item selected).
struct TChoiceName {
    int index;
    const char* name;
};

inline constexpr TChoiceName kNone{-1, kNoChoiceKey};
// The case file's names of Display.h's tables, with "none" last.
template <std::size_t N>
constexpr std::array<TChoiceName, N + 1> WithNone(const TChoiceNames (&names)[N], int noneIndex = -1)
{
    std::array<TChoiceName, N + 1> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = TChoiceName{names[i].index, names[i].key};
    out[N] = TChoiceName{noneIndex, kNoChoiceKey};
    return out;
}
inline constexpr auto kPowerUnits = WithNone(kPowerUnitNames, static_cast<int>(PowerUnit::None));
inline constexpr auto kFactorUnits = WithNone(kFactorUnitNames);
inline constexpr auto kMeasUnits = WithNone(kMeasUnitNames);
inline constexpr auto kReflForms = WithNone(kReflFormNames);
inline constexpr auto kMismatchForms = WithNone(kMismatchFormNames);

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
