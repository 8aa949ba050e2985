// SPDX-License-Identifier: GPL-3.0-or-later
// One row of a comparison from its two sides, each a text and the number
// behind it (Compare.h says how a row is differenced).
#pragma once

#include "Compare.h"
#include "CompareNumbers.h"

#include <string>

namespace merivane::present {

struct TCompareSide {
    std::string text;  // with the unit
    std::string unit;
    TNumber n;
};

void AddComparedRow(TComparison& out, const std::string& section, const std::string& caption,
                    const TCompareSide& reference, const TCompareSide& current);

}  // namespace merivane::present
