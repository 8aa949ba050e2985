// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of the magnetron and of the measurement, as rows of the input
// table: their key in the case file, their option of merivane-calc, their
// accessible name, unit, limits, default and a spinner's step. The case file,
// merivane-calc and the views read them; a number beyond the limits is
// clamped to the nearer one, with a warning.
#pragma once

#include "InputRows.h"
#include "ReflectionText.h"
#include "Uncertainty.h"

#include <span>
#include <string>
#include <string_view>

namespace merivane::present {

enum class TubeInput {
    Pulling, Qext, Isolation, DummyRating,                       // section "magnetron"
    Coupling, Sensor, Trip, WaterFlow, WaterRise,                // section "measurement"
};

// The tube's and the measurement's numbers are rows of the input table
// (from kFirstTubeInput on, in TubeInput's order); these are views onto them.
using TTubeRow = TInputRow;

std::span<const TTubeRow> TubeRows();
const TTubeRow& TubeRow(TubeInput id);

// The tooltip of an input's field: the row's help, its unit and its limits
// from the table, and that 0 leaves it unset.
std::string TubeInputTip(TubeInput id);
// The tooltip of the list of the leak-phase models: what each one assumes.
std::string LeakPhaseModelTip();

// The leak-phase models by the names the case file and --phase-model take:
// "fixed", "disk", "rayleigh" (LeakPhaseModelName).
inline constexpr LeakPhaseModel kLeakPhaseModels[] = {LeakPhaseModel::Fixed, LeakPhaseModel::Disk,
                                                      LeakPhaseModel::Rayleigh};
// The model of a name, its case ignored; false when it is none of them.
bool LeakPhaseModelByName(std::string_view name, LeakPhaseModel& model);

// Reads a number of the row through the input table's reader, with its notes
// (ReadInputNumber): not a number is an error, a number beyond the limits is
// clamped with a warning. value is set only when ok.
TInputReading ReadTubeNumber(const TTubeRow& row, std::string_view text, double& value);

}  // namespace merivane::present
