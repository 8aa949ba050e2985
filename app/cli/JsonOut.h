// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces merivane-calc's JSON objects are written with: every number at
// full precision (the shortest text that reads back as the same double), -0
// as 0, null where there is no number; a key of an object at the second
// level, as the objects beside "results" have them.
#pragma once

#include "Export.h"
#include "Fields.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

namespace merivane::cli::json {

inline void Number(std::string& out, double v) { present::AppendShortest(out, v + 0.0); }

// null for a value that is not finite
inline void NumberOrNull(std::string& out, double v)
{
    if (std::isfinite(v))
        Number(out, v);
    else
        out += "null";
}

inline void Optional(std::string& out, const std::optional<double>& v)
{
    if (v)
        Number(out, *v);
    else
        out += "null";
}

// "    \"key\": " for the first key of an object (after its "{\n"), ",\n    \"key\": " after it
inline void Key(std::string& out, const char* key, bool first = false)
{
    out += first ? "    " : ",\n    ";
    present::AppendJsonString(out, key);
    out += ": ";
}

// {"a": 1, "b": 2} on one line
inline void InlineObject(std::string& out, std::initializer_list<std::pair<const char*, double>> fields)
{
    out += '{';
    bool first = true;
    for (const auto& [key, value] : fields) {
        if (!first) out += ", ";
        first = false;
        present::AppendJsonString(out, key);
        out += ": ";
        Number(out, value);
    }
    out += '}';
}

// Inserts objects (each line "  \"name\": {...},\n") before the object
// "display", after "results" and the sections before it.
inline void InsertBeforeDisplay(std::string& out, const std::string& objects)
{
    const std::size_t at = out.find("\n  \"display\": {");
    if (at != std::string::npos) out.insert(at + 1, objects);
}

}  // namespace merivane::cli::json
