// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces merivane-calc's JSON objects are written with: every number at
// full precision (the shortest text that reads back as the same double), -0
// as 0, null where there is no number; a key of an object at the second
// level, as the objects beside "results" have them.
#pragma once

#include "Export.h"
#include "Fields.h"
#include "TunerInput.h"

#include <cmath>
#include <initializer_list>
#include <limits>
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

// "\"a\": 1, \"b\": null" on one line, each field after ", " but the first
// when first is set; an empty value is null
inline void InlineFields(std::string& out, std::initializer_list<std::pair<const char*, std::optional<double>>> fields,
                         bool first = false)
{
    for (const auto& [key, value] : fields) {
        if (!first) out += ", ";
        first = false;
        present::AppendJsonString(out, key);
        out += ": ";
        Optional(out, value);
    }
}

// {"a": 1, "b": 2} on one line
inline void InlineObject(std::string& out, std::initializer_list<std::pair<const char*, std::optional<double>>> fields)
{
    out += '{';
    InlineFields(out, fields, true);
    out += '}';
}

// ", \"screw_depths_mm\": [...]": where the screws stand for the first count
// susceptances, 0 for a screw out, null beyond the calibration table;
// nothing without a table
inline void ScrewDepths(std::string& out, const present::TScrewSetting* screws, int count)
{
    if (count <= 0 || screws[0].kind == present::ScrewDepth::None) return;
    out += ", \"screw_depths_mm\": [";
    for (int k = 0; k < count; ++k) {
        if (k) out += ", ";
        const present::TScrewSetting& w = screws[k];
        NumberOrNull(out, w.kind == present::ScrewDepth::Depth ? w.depthMm
                          : w.kind == present::ScrewDepth::Out ? 0.0
                                                               : std::numeric_limits<double>::quiet_NaN());
    }
    out += ']';
}

// Inserts objects (each line "  \"name\": {...},\n") before the object
// "display", after "results" and the sections before it.
inline void InsertBeforeDisplay(std::string& out, const std::string& objects)
{
    const std::size_t at = out.find("\n  \"display\": {");
    if (at != std::string::npos) out.insert(at + 1, objects);
}

}  // namespace merivane::cli::json
