// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's --compare FILE: the case of a case file or of the window's
// JSON export as the reference, and the Compare view's table of the current
// case against it as text, CSV or JSON. Qt Core only: the fuzz target builds
// the reader from this file.
#pragma once

#include "CaseModel.h"
#include "Compare.h"
#include "Inputs.h"

#include <string>

namespace merivane::cli {

struct TReferenceRead {
    bool ok = false;
    present::TCase c;     // when ok: the reference's case, to be computed
    std::string error;    // when not ok: why the file cannot be the reference
    std::string warning;  // when ok: what the case file's reader ignored or clamped, a line each
};

// A case file or a JSON export with its inputs, read as --case reads it. An
// export of results without their inputs is refused: the reference is
// computed from inputs, and results alone cannot be compared row by row.
TReferenceRead ReadReference(const std::string& text);

// The comparison in a format: the text as aligned sections (a header line
// with the section's title and the columns Reference, Current, Difference,
// Change %, then a line per row); the CSV as one header line "section,
// quantity,reference,current,difference,change_percent,differs" and a line
// per row; the JSON as {"comparison": [{"section": ..., "quantity": ...,
// "reference": ..., "current": ..., "difference": ..., "change_percent": ...,
// "differs": true or false}, ...]}. Empty cells stay empty texts.
std::string ComparisonOutput(const present::TComparison& c, Format format);

}  // namespace merivane::cli
