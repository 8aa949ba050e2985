// SPDX-License-Identifier: GPL-3.0-or-later
// A screw's calibration table: a CSV of depth (mm) and the normalised
// susceptance the screw then offers, and the depth for a susceptance by a
// monotone interpolation.
#pragma once

#include "TunerInput.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merivane::present {

struct TScrewTableRead {
    bool ok = false;
    std::vector<TScrewPoint> points;  // when ok: in the order of the file, depths rising
    std::string error;                // when not ok: the line and what is wrong
};

// Reads "depth,susceptance" rows (separated by ",", ";" or a tab; a first
// line that is not two numbers is a header; blank lines and lines starting
// with "#" are passed over). Refused: a row that is not two numbers, a
// value beyond TunerLimits(), fewer or more rows than the limits, depths
// not rising strictly, susceptances not strictly monotone in the depth.
TScrewTableRead ReadScrewTable(std::string_view text);

// The same checks on a table already held (a case file's).
bool CheckScrewTable(const std::vector<TScrewPoint>& points, std::string& error);

// The depth at which the screw offers b, by the monotone cubic of Fritsch
// and Carlson through the table's points (depth as a function of b); none
// where b lies beyond the table's susceptances. The table must pass
// CheckScrewTable.
std::optional<double> DepthForSusceptance(const std::vector<TScrewPoint>& table, double b);

}  // namespace merivane::present
