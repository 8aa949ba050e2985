// SPDX-License-Identifier: GPL-3.0-or-later
// One case's output from its snapshot: the text, CSV or JSON with the
// sections its options asked for, and the PDF report.
#pragma once

#include "CliOptions.h"
#include "Inputs.h"
#include "SmithPainter.h"

#include <QString>

#include <string>

namespace merivane::cli {

// The inputs and every result; the Line Sweep page when the line was given,
// the guide, the match and the tube when asked for.
std::string CaseOutput(const TCliCase& c, const present::TSnapshot& s, Format format);

// The report of the case to path, with the sweep's chart and the Smith chart;
// false, with the message printed, when it cannot be written. A chart that
// cannot be drawn is a warning.
bool WriteCaseReport(const QString& path, const TCliCase& c, const present::TSnapshot& s,
                     const smith::TSmithScene& scene, const smith::TSmithOptions& o);

}  // namespace merivane::cli
