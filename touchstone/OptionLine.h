// SPDX-License-Identifier: GPL-3.0-or-later
// The option line: "# <unit> <parameter> <format> R <n>", its fields in any
// order and case, each at most once; a missing field takes its default
// (GHz, S, MA, R 50).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace merivane::touchstone {

enum class TFormat { RI, MA, DB };

struct TOptions {
    int unitExponent = 9;  // the frequency unit as a power of ten: Hz 0 ... GHz 9
    char parameter = 'S';  // S, Y, Z, H or G
    TFormat format = TFormat::MA;
    std::vector<double> resistances{50.0};  // one for every port, or one per port
    int line = 0;                           // where the option line is; 0 without one
};

// The words after the "#" of the option line on the given line.
TOptions ReadOptionLine(std::string_view afterHash, int line);

std::string FormatName(TFormat format);

}  // namespace merivane::touchstone
