// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of the magnetron and of the measurement, each written once: its
// key in the case file, its option of merivane-calc, its accessible name, its
// unit, its limits and its default. The case file, merivane-calc and the
// views read this table; a number beyond the limits is clamped to the nearer
// one, with a warning.
#pragma once

#include "ReflectionText.h"
#include "Uncertainty.h"

#include <span>
#include <string_view>

namespace merivane::present {

enum class TubeInput {
    Pulling, Qext, Isolation, DummyRating,                       // section "magnetron"
    Coupling, Sensor, Trip, WaterFlow, WaterRise,                // section "measurement"
};

struct TTubeRow {
    TubeInput id;
    const char* key;      // in the case file's section: "pulling"
    const char* option;   // merivane-calc's option without "--": "pulling"
    const char* name;     // the accessible name: "Pulling Figure"
    const char* unit;     // as it follows a number: " MHz"
    double lo, hi;        // limits, ends included
    double def;           // default; 0 is "not set" for every one of them
    int decimals;         // shown by the views
    double step;          // a spinner's step
};

std::span<const TTubeRow> TubeRows();
const TTubeRow& TubeRow(TubeInput id);

// The leak-phase models by the names the case file and --phase-model take:
// "fixed", "disk", "rayleigh" (LeakPhaseModelName).
inline constexpr LeakPhaseModel kLeakPhaseModels[] = {LeakPhaseModel::Fixed, LeakPhaseModel::Disk,
                                                      LeakPhaseModel::Rayleigh};
// The model of a name, its case ignored; false when it is none of them.
bool LeakPhaseModelByName(std::string_view name, LeakPhaseModel& model);

// Reads a number of the row: not a number is an error, a number beyond the
// limits is clamped with a warning. value is set only when ok.
TInputReading ReadTubeNumber(const TTubeRow& row, std::string_view text, double& value);

}  // namespace merivane::present
