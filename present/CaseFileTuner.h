// SPDX-License-Identifier: GPL-3.0-or-later
// The case file's section "tuner":
//   "tuner": {"method": "three-stub", "spacing_mm": 0, "solution": 1,
//             "screws": [[0, 0], [5, 0.21], [10, 0.55]]}
// spacing_mm 0 is the method's default spacing; solution counts from 1;
// screws is the calibration table, rows of [depth mm, susceptance], empty
// for none. A missing section or key keeps the default.
#pragma once

#include "TunerInput.h"

#include <QJsonObject>

#include <string>
#include <vector>

namespace merivane::present {

// The section and its keys that are no number of the input table; the
// spacing's and the solution's keys are their rows' (TunerSpacing, TunerSolution).
inline constexpr const char* kTunerSection = "tuner";
inline constexpr const char* kMethodKey = "method";
inline constexpr const char* kScrewsKey = "screws";

// Appends the section, after the sections before it: ",\n  \"tuner\": {...}".
void AppendTunerSection(std::string& out, const TTunerInputs& t);

// Reads the section of root into t. False with error set on a bad value;
// unknown keys are added to unknown as "tuner.KEY".
bool ReadTunerSection(const QJsonObject& root, TTunerInputs& t, std::string& error, std::vector<std::string>& unknown);

}  // namespace merivane::present
