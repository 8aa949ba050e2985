// SPDX-License-Identifier: GPL-3.0-or-later
// The case file's sections "magnetron" and "measurement":
//
//   "magnetron": {"pulling": 10, "qext": 0, "isolation": 20, "dummy_rating": 3000},
//   "measurement": {"phase_model": "fixed", "coupling_uncertainty": 1, "sensor_uncertainty": 0.5,
//                   "trip": 10, "water_flow": 10, "water_rise": 20}
//
// Each is written only when it differs from the defaults, so a case without
// them reads and writes as before. A missing section or key takes the
// default; an unknown key is named in the warning; a number beyond its
// limits is clamped, with a warning; a value of the wrong type, a text that
// is not a number or an unknown phase model refuses the file.
#pragma once

#include "MagnetronCase.h"

#include <QJsonObject>

#include <string>
#include <vector>

namespace merivane::present {

inline constexpr const char* kMagnetronSection = "magnetron";
inline constexpr const char* kMeasurementSection = "measurement";
inline constexpr const char* kPhaseModelKey = "phase_model";

// Appends ",\n  \"magnetron\": {...}" and the measurement's likewise, in the
// case file's layout, each when it is not the default.
void AppendTubeSections(std::string& out, const TTubeCase& t);

// Reads both sections of the file's root object into t. False, with error
// set, when the file is to be refused; unknown keys ("magnetron.x") and
// clamps join the lists.
bool ReadTubeSections(const QJsonObject& root, TTubeCase& t, std::string& error, std::vector<std::string>& unknown,
                      std::vector<std::string>& clamps);

}  // namespace merivane::present
