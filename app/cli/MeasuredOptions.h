// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's measured loads: --touchstone FILE prints what a Touchstone
// file holds; --load-file FILE [--port K] [--plane-shift MM] takes the load
// from a measurement at --frequency; --band HALF_MHZ adds the measured points
// around it; --write-touchstone FILE writes the load as the model sees it.
#pragma once

#include "Inputs.h"

#include <QCommandLineParser>

#include <string>

namespace merivane::cli {

void AddMeasuredOptions(QCommandLineParser& parser);

// --touchstone given: the program prints the file and nothing else.
bool TouchstoneAsked(const QCommandLineParser& parser);
// The file's summary (text) or the object "touchstone" (JSON); 2 when the
// file is refused, with the message printed.
int RunTouchstone(const QCommandLineParser& parser, Format format);

// The measured load of the options into c (a case file's measured load
// stays unless --load or --load-file replaces it). False with the message
// printed on a bad value or a file that is refused.
bool ReadMeasuredOptions(const QCommandLineParser& parser, TCliCase& c);
// --band: the half-width of the case's measured load and of every measured
// load of its set, read after both. False with the message printed when
// there is none or the value is refused.
bool ReadBandOption(const QCommandLineParser& parser, TCliCase& c);

// "measured" and "band" in the JSON, their lines in the text; the CSV is left.
void AddMeasuredOutput(std::string& out, Format format, const TCliCase& c, const present::TSnapshot& s);

// --write-touchstone: the load at the model's plane as a version 1 file.
// False with the message printed when there is no measured load or the file
// cannot be written.
bool WriteTouchstoneOption(const QCommandLineParser& parser, const TCliCase& c);

}  // namespace merivane::cli
