// SPDX-License-Identifier: GPL-3.0-or-later
// The case file's section "applicator": the applicator's N-port measurement
// itself, so that a case sent to a colleague stays whole without the file it
// came from, and its feeds.
//
//   "applicator": {"file": "oven.s3p", "ports": 3,
//                  "points": [[2450000000, re11, im11, re12, im12, ..., re33, im33], ...],
//                  "feeds": [{"power_w": 1000, "frequency_mhz": null,
//                             "isolation_db": 0, "dummy_rating_w": 0}, ...]}
//
// A point is its frequency in Hz, then S row by row (S11, S12, ... S1N,
// S21, ...) as real and imaginary parts: 1 + 2N² numbers. The frequencies
// never decrease; every number is written so that it reads back to the same
// double. A feed's frequency null is the case's. There is one feed per port.
// A missing or null section is no applicator.
#pragma once

#include "ApplicatorCase.h"

#include <QJsonObject>

#include <optional>
#include <string>
#include <vector>

namespace merivane::present {

inline constexpr char kApplicatorSection[] = "applicator";

// Appends ",\n  \"applicator\": {...}" when there is an applicator.
void AppendApplicatorSection(std::string& out, const std::optional<TApplicatorCase>& a);

// Reads the section of root into a. False with error naming the place
// ("applicator.points[3]: ...") for a value of the wrong type, a port count
// that is no whole number from 1, a point of the wrong length or with a
// number not finite, a decreasing or negative frequency, no points, or a
// count of feeds other than the ports'; unknown keys join unknown, and a
// feed's number clamped into its row's limits joins clamps.
bool ReadApplicatorSection(const QJsonObject& root, std::optional<TApplicatorCase>& a, std::string& error,
                           std::vector<std::string>& unknown, std::vector<std::string>& clamps);

}  // namespace merivane::present
