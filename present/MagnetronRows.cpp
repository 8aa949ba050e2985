// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "MagnetronRows.h"

#include "EntryReader.h"
#include "Fields.h"
#include "NumberText.h"

#include <cctype>
#include <cmath>
#include <string>

namespace merivane::present {

namespace {

// Every default is 0, "not set": nothing of the tube or the measurement is
// assumed until the user gives it.
constexpr TTubeRow kRows[] = {
    // id, key, option, name, unit, lo, hi, default, decimals, step
    {TubeInput::Pulling, "pulling", "pulling", "Pulling Figure", " MHz", 0, 1000, 0, 3, 0.5},
    {TubeInput::Qext, "qext", "qext", "External Q", "", 0, 1e6, 0, 3, 1},
    {TubeInput::Isolation, "isolation", "isolator", "Isolation", " dB", 0, 100, 0, 2, 1},
    {TubeInput::DummyRating, "dummy_rating", "dummy-rating", "Dummy Load Rating", " W", 0, 1e9, 0, 1, 100},
    {TubeInput::Coupling, "coupling_uncertainty", "coupling-uncertainty", "Coupling Uncertainty", " %", 0, 100, 0, 3,
     0.1},
    {TubeInput::Sensor, "sensor_uncertainty", "sensor-uncertainty", "Sensor Uncertainty", " %", 0, 100, 0, 3, 0.1},
    {TubeInput::Trip, "trip", "trip", "Trip Ratio", " %", 0, 100, 0, 3, 1},
    {TubeInput::WaterFlow, "water_flow", "water-flow", "Water Flow", " L/min", 0, 10000, 0, 3, 0.5},
    {TubeInput::WaterRise, "water_rise", "water-rise", "Water Temperature Rise", " K", 0, 100, 0, 3, 0.5},
};

}  // namespace

std::span<const TTubeRow> TubeRows() { return kRows; }

const TTubeRow& TubeRow(TubeInput id) { return kRows[static_cast<int>(id)]; }

bool LeakPhaseModelByName(std::string_view name, LeakPhaseModel& model)
{
    for (LeakPhaseModel m : kLeakPhaseModels)
        if (SameNoCase(name, LeakPhaseModelName(m))) {
            model = m;
            return true;
        }
    return false;
}

TInputReading ReadTubeNumber(const TTubeRow& row, std::string_view text, double& value)
{
    TInputReading r;
    const std::string quoted = "\"" + ShortText(text, 40) + "\"";
    std::optional<double> read;
    try {
        read = RealFromText(std::string(text));
    } catch (const EOverflow&) {
        // beyond the double range: beyond the limits, on its side
        const std::size_t first = text.find_first_not_of(" \t");
        read = first != std::string_view::npos && text[first] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    if (!read || std::isnan(*read)) {
        r.ok = false;
        r.error = quoted + ": not a number";
        return r;
    }
    value = *read;
    if (value < row.lo || value > row.hi) {
        value = value < row.lo ? row.lo : row.hi;
        r.warning = quoted + ": outside " + LimitText(row.lo) + " .. " + LimitText(row.hi) + ", clamped to " +
                    LimitText(value);
    }
    return r;
}

}  // namespace merivane::present
