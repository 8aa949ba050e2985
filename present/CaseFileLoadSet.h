// SPDX-License-Identifier: GPL-3.0-or-later
// The case file's section "load_set": the process's loads in their order, the
// first the nominal one, each a typed load (a REFL as merivane-calc's --load
// takes it) or a measured one (the section "measured"'s object), and whether
// the one robust tuner setting is computed over them.
//
//   "load_set": {"robust": true, "loads": [
//       {"name": "frozen", "load": "0.62@-140"},
//       {"name": "thawed", "measured": {"file": "thawed.s1p", "port": 1, ...}}]}
//
// A missing or null section is no set and no robust setting.
#pragma once

#include "CaseModel.h"

#include <QJsonObject>

#include <string>
#include <vector>

namespace merivane::present {

inline constexpr char kLoadSetSection[] = "load_set";

// Appends ",\n  \"load_set\": {...}" when the case has a set or asks for the robust setting.
void AppendLoadSetSection(std::string& out, const TCase& c);

// Reads the section of root into c.loadSet and c.robust. False with error
// naming the place for a value of the wrong type, a load with no name, a
// load with both or neither of "load" and "measured", or a reflection that
// does not read; unknown keys join unknown.
bool ReadLoadSetSection(const QJsonObject& root, TCase& c, std::string& error, std::vector<std::string>& unknown,
                        std::vector<std::string>& clamps);

}  // namespace merivane::present
