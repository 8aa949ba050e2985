// SPDX-License-Identifier: GPL-3.0-or-later
// The process on the command line: --load-set FILE.csv reads the loads a
// product shows as it heats (LoadSetCsv.h), --robust with --match computes
// the one tuner setting that holds for all of them and a measured load's
// band; the JSON gets "robust" and "envelope", the text a section.
#pragma once

#include "Inputs.h"

#include <QCommandLineParser>

#include <string>

namespace merivane::cli {

void AddProcessOptions(QCommandLineParser& parser);
// After the match and measured options: false with the message printed.
bool ReadProcessOptions(const QCommandLineParser& parser, TCliCase& c);
void AddProcessOutput(std::string& out, Format format, const present::TSnapshot& s);

}  // namespace merivane::cli
