// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "EntryReader.h"
#include "MagnetronRows.h"

namespace merivane::present {

std::span<const TTubeRow> TubeRows() { return InputRows().subspan(static_cast<std::size_t>(kFirstTubeInput), 9); }

const TTubeRow& TubeRow(TubeInput id) { return TubeRows()[static_cast<std::size_t>(id)]; }

namespace {

// A limit in running text, with a minus sign.
std::string Limit(double v)
{
    const std::string t = LimitText(v);
    return !t.empty() && t[0] == '-' ? "\u2212" + t.substr(1) : t;
}

}  // namespace

std::string TubeInputTip(TubeInput id)
{
    const TTubeRow& row = TubeRow(id);
    std::string unit = row.unit;
    if (!unit.empty() && unit.front() == ' ') unit.erase(0, 1);
    std::string tip = row.help ? std::string(row.help) + "\n" : std::string();
    tip += unit.empty() ? "A plain number" : "In " + unit;
    // the spinner shows its lowest value, 0, as "not set"
    return tip + ", " + Limit(row.lo) + " to " + Limit(row.hi) + (row.lo == 0 ? "; 0 leaves it not set." : ".");
}

std::string LeakPhaseModelTip()
{
    return "What is assumed of the unknown phase of the couplers' leaks: fixed, a leak of the full\n"
           "magnitude at any phase; disk, any leak up to it; rayleigh, a Gaussian leak within it 95 % of the time.";
}

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
    return ReadInputNumber(row.id, text, value);
}

}  // namespace merivane::present
