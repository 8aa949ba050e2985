// SPDX-License-Identifier: GPL-3.0-or-later
// A load set read from its CSV file (LoadSetCsv.h), with each measured
// load's Touchstone file read in: a file named in the set is found beside
// the set unless its name is absolute.
#pragma once

#include "Process.h"

#include <string>
#include <vector>

namespace merivane::present {

// No load set's CSV is larger: a larger one is refused unread.
inline constexpr long long kMaxLoadSetBytes = 16 << 20;

// The set of the CSV at path; false with error ("line 4: ...", or what
// refused the file) and loads untouched.
bool ReadLoadSetFile(const std::string& path, std::vector<TSetLoad>& loads, std::string& error);

}  // namespace merivane::present
