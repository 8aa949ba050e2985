// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "MagnetronRows.h"

namespace merivane::present {

std::span<const TTubeRow> TubeRows() { return InputRows().subspan(static_cast<std::size_t>(kFirstTubeInput), 9); }

const TTubeRow& TubeRow(TubeInput id) { return TubeRows()[static_cast<std::size_t>(id)]; }

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
