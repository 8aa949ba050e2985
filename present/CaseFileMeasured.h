// SPDX-License-Identifier: GPL-3.0-or-later
// The case file's section "measured": the measured load itself, so that a
// case sent to a colleague stays whole without the file it came from.
//
//   "measured": {"file": "load.s1p", "port": 1, "plane_shift_mm": 0,
//                "points": [[2400000000, 0.2, 0], ...]}
//
// Each point is [frequency in Hz, re Γ, im Γ] at the analyser's plane, the
// frequencies never decreasing; every number is written so that it reads
// back to the same double. A missing or null section is no measured load.
#pragma once

#include "MeasuredLoad.h"

#include <QJsonObject>

#include <optional>
#include <string>
#include <vector>

namespace merivane::present {

inline constexpr char kMeasuredSection[] = "measured";

// Appends the load as a JSON object, its lines after the first indented by indent.
void AppendMeasuredObject(std::string& out, const TMeasuredLoad& load, const std::string& indent);

// Appends ",\n  \"measured\": {...}" when there is a measured load.
void AppendMeasuredSection(std::string& out, const std::optional<TMeasuredLoad>& load);

// Reads the section of root into load. False with error set for a value of
// the wrong type, a point that is not three finite numbers, a decreasing
// frequency, no points or a port below 1; unknown keys join unknown, and a
// number clamped into its row's limits (the plane shift, the band) clamps.
bool ReadMeasuredSection(const QJsonObject& root, std::optional<TMeasuredLoad>& load, std::string& error,
                         std::vector<std::string>& unknown, std::vector<std::string>& clamps);

// The same for an object at path ("load_set.loads[2].measured").
bool ReadMeasuredObject(const QJsonValue& section, const std::string& path, TMeasuredLoad& load, std::string& error,
                        std::vector<std::string>& unknown, std::vector<std::string>& clamps);

}  // namespace merivane::present
