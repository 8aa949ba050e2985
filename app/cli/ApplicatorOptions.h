// SPDX-License-Identifier: GPL-3.0-or-later
// Several magnetrons feeding one applicator on the command line:
// --applicator FILE.sNp reads the cavity's N-port measurement, one feed on
// each port; --feed-powers, --feed-frequencies, --feed-isolations and
// --feed-dummy-ratings give the feeds' numbers, N of each apart by commas.
// The JSON gets the object "applicator", the text a summary and a table.
#pragma once

#include "Inputs.h"

#include <QCommandLineParser>

#include <string>

namespace merivane::cli {

void AddApplicatorOptions(QCommandLineParser& parser);

// After the case's inputs and line (a feed's power defaults to the case's
// matched power, its frequency to the case's): the applicator of
// --applicator, or the case file's, with the feeds' lists over it. False
// with the message printed, naming the option: a file that does not read, a
// list of another count than the ports, a negative power, a frequency outside
// the file's band, a feed's list without an applicator.
bool ReadApplicatorOptions(const QCommandLineParser& parser, TCliCase& c);

// "applicator" in the JSON before "display", its section and table in the
// text; the CSV is left as it is.
void AddApplicatorOutput(std::string& out, Format format, const present::TSnapshot& s);

}  // namespace merivane::cli
