// SPDX-License-Identifier: GPL-3.0-or-later
// The process as texts: the robust setting by the match's own names (with
// the screws' depths where the case has their calibration), its worst |Γin|
// and SWR and where they occur beside the nominal setting's, the envelope,
// and a row per point of the set. The Process view, the report and Compare
// show these. Powers follow the cells' rule (PowerCell). UTF-8.
#pragma once

#include "CaseModel.h"
#include "Case.h"

#include <string>
#include <vector>

namespace merivane::present {

// The table of points: the load's |Γl| as it stands, |Γin| after the robust
// setting, and the reflected and absorbed power without and with it.
inline constexpr int kProcessColumns = 6;
const char* ProcessColumnCaption(int column);
std::string ProcessCell(const TProcessLoad& load, int column, PowerUnit unit);

// "b1 0.4123, b2 0, b3 1.2346; depths 3.21 mm, out, 7.80 mm"
std::string RobustSettingText(const TProcessResult& p);
// "|Γin| 0.1234 (SWR 1.282) at thawed, 2450 MHz"
std::string WorstText(double worstMag, const std::string& load, double frequencyMHz);
// The lines above the table: the setting, its worst case, the nominal
// setting's, the envelope; or why there is no robust setting.
std::vector<std::pair<std::string, std::string>> ProcessSummary(const TSnapshot& s);

// The report's sections: "Process" (the summary) and "Process Loads".
std::vector<TSection> ProcessSections(const TSnapshot& s);

}  // namespace merivane::present
