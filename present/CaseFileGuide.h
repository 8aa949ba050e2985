// SPDX-License-Identifier: GPL-3.0-or-later
// The case file's section "guide": the line's loss and the guide's limits.
//
//   "guide": {"loss": "conductor", "loss_db_per_m": 0, "metal": "copper",
//             "breakdown_kv_per_m": 3000, "height_mm": 43.18}
//
// "loss" is none, entered or conductor; "metal" copper, aluminium or brass.
// A missing section or key takes the default; numbers are read by the input
// table's reader (a number beyond its limits is clamped, with a warning).
#pragma once

#include "GuideInputs.h"

#include <QJsonObject>

#include <string>
#include <vector>

namespace merivane::present {

inline constexpr char kGuideSection[] = "guide";

// Appends ",\n  \"guide\": {...}" in the layout of the other sections.
void AppendGuideSection(std::string& out, const TGuideInputs& g);

// Reads the section of root into g. False with error set when a value is of
// the wrong type, not a number or not one of the names; unknown keys join
// unknown ("guide.KEY"), clamps join clamps.
bool ReadGuideSection(const QJsonObject& root, TGuideInputs& g, std::string& error, std::vector<std::string>& unknown,
                      std::vector<std::string>& clamps);

}  // namespace merivane::present
