// SPDX-License-Identifier: GPL-3.0-or-later
// The case file (".merivane"): the case as JSON, in the forms merivane-calc
// takes, written so that it reads back bit for bit, and read back with the
// input table's rules. The window's JSON export opens as a case too.
//
//   {"format": "merivane-case", "version": 1, "name": "Line 3 after tuning",
//    "inputs": {"va": 4000, "ia": 3, "eff": 85, "source": "0.2@0", "load": "0.5@90",
//               "directivity": 20, "ideal": true},
//    "line": {"frequency": 2450, "line": "WR340", "width": 86.36, "vf": 1, "length": 0, "span": 0},
//    "display": {"power_unit": "W", "factor_unit": "mag", "meas_unit": "power",
//                "source_form": "mag", "load_form": "mag", "source_mismatch": "mag",
//                "load_mismatch": "mag", "meas_reflection": "mag"}}
#pragma once

#include "CaseModel.h"

#include <QString>

#include <string>

namespace merivane::present {

inline constexpr const char* kCaseFormat = "merivane-case";
inline constexpr int kCaseVersion = 1;

// The case as the text of a case file, ending in a line end.
std::string CaseFileText(const TCase& c);

// No case file is larger: a larger file is refused unread. A measured load
// of 100 000 points (some 60 bytes each) fits.
inline constexpr long long kMaxCaseFileBytes = 16 << 20;

struct TCaseReadResult {
    bool ok = false;
    TCase c;              // when ok: the case read; otherwise DefaultCase(), not to be used
    std::string error;    // when not ok: why the file was refused
    std::string warning;  // when ok: what was ignored or clamped, one line each; empty when nothing
};

// Reads a case file, or the window's JSON export (its inputs and its line;
// the results are computed again from them). A missing section or key takes
// DefaultCase()'s value; an unknown key is ignored and named in the warning;
// a number beyond its limits is clamped as the window clamps it, and the
// warning says so. Refused, with nothing read: a damaged file (the message
// names the line and the column), a newer version, another format, a value of
// the wrong type, a text that is not a number, a reflection beyond its limits.
TCaseReadResult ReadCaseFile(const std::string& text);

// Saves the case's text through the one safe save: the whole file or nothing,
// and never over what is not a regular file. False with reason on failure.
bool SaveCaseFile(const QString& path, const TCase& c, QString* reason = nullptr);

}  // namespace merivane::present
