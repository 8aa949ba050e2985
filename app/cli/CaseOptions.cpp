// SPDX-License-Identifier: GPL-3.0-or-later
// The case the options give: ReadCaseOptions of CliOptions.h.
#include "CliOptions.h"

#include "ApplicatorOptions.h"
#include "CaseFile.h"
#include "GuideOptions.h"
#include "InputRows.h"
#include "Match.h"
#include "MeasuredOptions.h"
#include "ProcessOptions.h"
#include "PowerToMatch.h"
#include "EntryReader.h"
#include "TubeOptions.h"

#include <span>
#include <vector>

namespace merivane::cli {

namespace {

std::string U(const QString& s) { return s.toStdString(); }

// The units' names are the program's table (what the case file writes);
// the output formats are the command line's own.
constexpr present::TChoiceNames kFormats[] = {{kText, "text", "text"}, {kCsv, "csv", "csv"}, {kJson, "json", "json"}};

// The value of a choice option, its case ignored; false with the message
// printed when it is none of the choices.
bool Choose(const QCommandLineParser& parser, const QString& option, std::span<const present::TChoiceNames> choices,
            int& value)
{
    if (!parser.isSet(option)) return true;
    const QString text = parser.value(option);
    std::string names;
    for (const present::TChoiceNames& c : choices) {
        if (text.compare(QLatin1String(c.key), Qt::CaseInsensitive) == 0) {
            value = c.index;
            return true;
        }
        names += (names.empty() ? "" : ", ") + std::string(c.key);
    }
    Fail("--" + U(option) + " " + Quoted(U(text)) + ": not one of " + names);
    return false;
}

// A case file's case, as the options would give it; false with the message
// printed when it cannot be read or is refused. Each warning line of the
// reader is printed as a warning.
bool ReadCaseFileOption(const std::string& path, TCliCase& c)
{
    std::string text, error;
    if (!ReadOptionFile("case", path, present::kMaxCaseFileBytes, text, error)) {
        Fail(error);
        return false;
    }
    const present::TCaseReadResult r = present::ReadCaseFile(text);
    if (!r.ok) {
        Fail("--case " + Quoted(path) + ": " + r.error);
        return false;
    }
    for (const QString& line : QString::fromStdString(r.warning).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        Warn("--case " + Quoted(path) + ": " + U(line));
    c = FromCaseFile(r.c);
    return true;
}

bool ReadGuide(const QCommandLineParser& parser, TCliCase& c)
{
    std::string error;
    std::vector<std::string> warnings;
    const bool read = ReadGuideOptions(parser, c, error, warnings);
    for (const std::string& line : warnings) Warn(line);
    if (!read) Fail(error);
    return read;
}

// --va .. --span, each over the case.
bool ReadInputs(const QCommandLineParser& parser, TCliCase& c)
{
    for (int i = 0; i < kInputIdCount; ++i) {
        const auto id = static_cast<InputId>(i);
        const QString name = QString::fromLatin1(InputIdName(id));
        if (!parser.isSet(name)) continue;
        const TReadResult r = ReadInput(id, U(parser.value(name)), c);
        if (!r.ok) {
            Fail("--" + U(name) + " " + r.error);
            return false;
        }
        if (!r.warning.empty()) Warn("--" + U(name) + " " + r.warning);
    }
    return true;
}

// --power-to-match: the anode current for the power at the case's Va and Eff.
bool ReadPowerToMatch(const QCommandLineParser& parser, const QString& option, TCliCase& c)
{
    if (!parser.isSet(option)) return true;
    const std::string name = "--" + U(option), text = U(parser.value(option));
    if (parser.isSet(QStringLiteral("ia"))) {
        Fail("--ia and " + name + " cannot be used together: both set the anode current");
        return false;
    }
    const present::TCurrentForPower r = present::CurrentForPower(c.c.inputs, text);
    if (!r.ok) {
        Fail(name + " " + Quoted(text) +
             (c.c.inputs.Va > 0 && c.c.inputs.Eff > 0 ? ": not a power in watts"
                                                      : ": no anode current gives a power at Va 0 or efficiency 0"));
        return false;
    }
    if (r.clamped) {
        const present::TInputRow& ia = present::InputRow(present::Input::AnodeI);
        Warn(name + " " + Quoted(text) + ": the anode current " + present::LimitText(r.unclamped) + " A is outside " +
             present::LimitText(ia.lo) + " .. " + present::LimitText(ia.hi) + ", clamped to " +
             present::LimitText(r.amps));
    }
    c.c.inputs.Ia = r.amps;
    return true;
}

// The units of the case file, or the window's first ones, and the format.
bool ReadUnits(const QCommandLineParser& parser, const TOptionNames& names, TCliCase& c, int& format)
{
    int power = static_cast<int>(c.c.display.power);
    if (!Choose(parser, names.powerUnit, present::kPowerUnitNames, power) ||
        !Choose(parser, names.factorUnit, present::kFactorUnitNames, c.c.factorUnit) ||
        !Choose(parser, names.measUnit, present::kMeasUnitNames, c.c.measUnit) || !Choose(parser, names.format, kFormats, format))
        return false;
    c.c.display.power = static_cast<present::PowerUnit>(power);
    return true;
}

}  // namespace

bool ReadFormatOnly(const QCommandLineParser& parser, const TOptionNames& names, int& format)
{
    for (const QString& name : parser.optionNames()) {
        if (name == QStringLiteral("touchstone") || name == names.format) continue;
        Fail("--touchstone prints the file alone: --" + U(name) + " cannot be used with it");
        return false;
    }
    if (!Choose(parser, names.format, kFormats, format)) return false;
    if (format == kCsv) {
        Fail("--touchstone writes text or json, not csv");
        return false;
    }
    return true;
}

bool ReadCaseOptions(const QCommandLineParser& parser, const TOptionNames& names, TCliCase& c, int& format)
{
    c = TCliCase{};
    format = kText;
    if (parser.isSet(names.caseFile) && !ReadCaseFileOption(U(parser.value(names.caseFile)), c)) return false;
    if (!ReadGuide(parser, c) || !ReadInputs(parser, c)) return false;
    if (std::string error; !ReadMatchOptions(parser, c, error)) {
        Fail(error);
        return false;
    }
    if (!ReadPowerToMatch(parser, names.powerToMatch, c) || !ReadUnits(parser, names, c, format)) return false;
    // the magnetron and the measurement: shown when an option or the case file sets them
    if (!ReadTubeOptions(parser, c.c.tube, stderr)) return false;
    c.tubeShown = TubeOptionsGiven(parser) || c.c.tube != present::DefaultTubeCase();
    return ReadMeasuredOptions(parser, c) && ReadProcessOptions(parser, c) && ReadBandOption(parser, c) &&
           ReadApplicatorOptions(parser, c);
}

}  // namespace merivane::cli
