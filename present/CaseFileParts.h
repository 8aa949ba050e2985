// SPDX-License-Identifier: GPL-3.0-or-later
// What every reader of a case file's sections shares: the name of a JSON
// value's type for a message, and names compared without regard to case.
#pragma once

#include <string_view>

class QJsonValue;

namespace merivane::present {

// "null", "true", "false", "a number", "a text", "a list", "an object" or
// "nothing": what a message says was found instead.
const char* JsonTypeName(const QJsonValue& v);

// The same name, whatever the case of its ASCII letters: "wr340", "WR340".
bool SameNoCase(std::string_view a, std::string_view b);

}  // namespace merivane::present
