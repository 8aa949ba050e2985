// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's options: declared on the parser, checked against the mode
// (one case or --batch), and read into the case they give.
#pragma once

#include "Inputs.h"
#include "SmithOption.h"

#include <QCommandLineParser>
#include <QString>

#include <string>

namespace merivane::cli {

// "merivane-calc: MESSAGE" and "merivane-calc: warning: MESSAGE" on standard error.
void Fail(const std::string& message);
void Warn(const std::string& message);

// Bad usage, or a file or the output that could not be read or written.
inline constexpr int kBadUsage = 2;

// The options' names, as the parser knows them.
struct TOptionNames {
    QString help, version;
    QString powerUnit, factorUnit, measUnit, format;
    QString batch, report, caseFile, compare, powerToMatch;
    TSmithOptionNames smith;
};

// Declares every option, with the program's description.
TOptionNames AddOptions(QCommandLineParser& parser);

// Whether every option given is one the mode uses; the message printed when not.
bool ModesFit(const QCommandLineParser& parser, const TOptionNames& names);

// The case the options give: a case file's (--case), then the guide's, the
// inputs', the match's, the power to match, the units and the tube's options
// over it; and the output format. False, with the message printed, on a bad
// value or a file that cannot be read; warnings are printed.
bool ReadCaseOptions(const QCommandLineParser& parser, const TOptionNames& names, TCliCase& c, int& format);

// --format alone beside --touchstone: false, with the message printed, for
// any other option or a format not text or json.
bool ReadFormatOnly(const QCommandLineParser& parser, const TOptionNames& names, int& format);

// A small file read whole for an option: false, with error naming the option
// and the file, when it cannot be read or is larger than maxBytes.
bool ReadOptionFile(const std::string& option, const std::string& path, long long maxBytes, std::string& text,
                    std::string& error);

}  // namespace merivane::cli
