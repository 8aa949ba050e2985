// SPDX-License-Identifier: GPL-3.0-or-later
// The two forms of the file: version 1 (an option line, then the records)
// and version 2 (keywords in brackets around the option line and records).
#pragma once

#include "TextScan.h"
#include "Touchstone.h"

#include <optional>
#include <string>
#include <string_view>

namespace merivane::touchstone {

// The keyword of a line that begins with "[": its name in lower case, its
// blanks one space each ("number of ports"), and the words after "]".
struct TKeyword {
    std::string name;
    std::string_view arguments;
};
TKeyword KeywordOf(std::string_view text, int line);

// first: the file's first line that holds anything but a comment.
TNetwork ReadVersion1(TLineScanner& lines, const TLine& first, int ports);
// versionLine: the [Version] line, the file's first; portsFromName: 0 for
// .ts, nothing for a name that gives no count.
TNetwork ReadVersion2(TLineScanner& lines, const TLine& versionLine, std::optional<int> portsFromName);

}  // namespace merivane::touchstone
