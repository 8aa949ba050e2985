// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOptions.h"

#include "Display.h"
#include "EntryReader.h"
#include "InputRows.h"
#include "Inputs.h"

#include "ApplicatorOptions.h"
#include "GuideOptions.h"
#include "Match.h"
#include "MeasuredOptions.h"
#include "ProcessOptions.h"
#include "TubeOptions.h"

#include <QFile>

#include <cstdio>
#include <span>

namespace merivane::cli {

namespace {

std::string U(const QString& s) { return s.toStdString(); }

// Which mode uses which option. An option not listed (--help, --version and
// the inputs of a case, which --batch takes as the defaults of its columns)
// is used by both.
enum Mode : unsigned { kCaseMode = 1u << 0, kBatchMode = 1u << 1 };
struct TOptionUse {
    const char* name;
    unsigned modes;
};
constexpr TOptionUse kOptionUses[] = {
    {"format", kCaseMode | kBatchMode},  // --batch takes only csv, checked with it
    {"power-unit", kCaseMode},           // the batch writes model fields in W
    {"factor-unit", kCaseMode},          // the batch writes no cell texts
    {"meas-unit", kCaseMode},
    {"report", kCaseMode},               // one report is one case
    {"case", kCaseMode},                 // a case file is one case
    {"compare", kCaseMode},              // one case against one reference
    {"power-to-match", kCaseMode},       // each row has its own Va and Eff
    {"batch", kBatchMode},
    {"smith", kCaseMode}, {"smith-grid", kCaseMode}, {"smith-zoom", kCaseMode}, {"smith-swr", kCaseMode},
    // a load set and an applicator are one case's; the batch's rows leave them out
    {"load-set", kCaseMode}, {"robust", kCaseMode},
    {"applicator", kCaseMode}, {"feed-powers", kCaseMode}, {"feed-frequencies", kCaseMode},
    {"feed-isolations", kCaseMode}, {"feed-dummy-ratings", kCaseMode},
};

const TOptionUse* FindUse(const std::string& name)
{
    for (const TOptionUse& u : kOptionUses)
        if (name == u.name) return &u;
    return nullptr;
}

const char* const kDescription =
    "Computes the power a magnetron delivers into a load, as the Merivane window does,\n"
    "and prints the inputs and every result of the window's pages.\n"
    "\n"
    "REFL is a magnitude MAG (%1), db:RLOSS (%2) or swr:SWR (%3),\n"
    "optionally followed by @PHASE in degrees; without it the phase keeps its default.\n"
    "A positive RLOSS up to %4 is a return loss: db:20 is -20 dB. A phase outside\n"
    "%5 is reduced by whole turns: @270 is -90 degrees.\n"
    "A text that is not a number, or a reflection outside its limits, is an error;\n"
    "other numbers outside their limits are clamped, with a warning.\n"
    "\n"
    "LINE is WR284, WR340, WR430, WR975, waveguide:WIDTH_MM (%6) or\n"
    "coax[:VF] (%7, default %8). With any of --frequency, --line, --length and\n"
    "--span the Line Sweep page is computed: the text gets its readouts, the JSON an\n"
    "object \"sweep\" (guide_wavelength_mm, cutoff_mhz, period_mm, add_for_max_mm,\n"
    "add_for_min_mm, phase_spread_deg, mean_absorbed_w, absorbed_deviation_w,\n"
    "absorbed_p2_5_w, absorbed_p97_5_w; null where the page shows n/a), the CSV\n"
    "the same columns, and the report charts over the added length.\n"
    "\n"
    "--batch reads a CSV file whose header names some of the columns va, ia, eff,\n"
    "source, load, directivity, frequency, line, length and span (the options'\n"
    "forms), separated by \",\" or \";\"; a missing column or an empty cell takes the\n"
    "option given, or else the default: an empty directivity is the --directivity\n"
    "given, or ideal couplers without it. A column \"id\" passes through as the\n"
    "first output column; other columns are ignored, with one warning. It writes\n"
    "one CSV row per case: the inputs, then every model field; with a line column\n"
    "or option also frequency, line, length, span after the inputs and the sweep's\n"
    "numbers at the end.\n"
    "\n"
    "An option the mode does not use is an error: --power-unit, --factor-unit,\n"
    "--meas-unit, --report, --case, --compare and --power-to-match only with one\n"
    "case, --format only csv with --batch.\n"
    "\n"
    "--case FILE starts from a case file saved by the window (*.merivane, or its\n"
    "JSON export): its inputs, its line (the Line Sweep page is computed) and its\n"
    "display choices; the options given override them. A file that cannot be read\n"
    "or is refused is an error, with the reason (a damaged file: the line and the\n"
    "column).\n"
    "\n"
    "--compare FILE prints, instead of the case, the Compare view's table: the case\n"
    "of FILE (a case file or the window's JSON export with its inputs) as the\n"
    "reference against the case the other options give, row by row: section,\n"
    "quantity, reference, current, difference and change in %, all in the current\n"
    "case's units; as text, CSV or JSON (an array \"comparison\") by --format.\n"
    "\n"
    "--power-to-match W sets the anode current so that the matched power\n"
    "Pmatch = Va * Ia * Eff is W watts: Ia = W / (Va * Eff), clamped to the anode\n"
    "current's limits with a warning, as the window's Power to Match does.\n"
    "\n"
    "Exit status: 0 success, 1 some batch rows bad, 2 bad usage, or a file or the\n"
    "output could not be read or written.";

struct TInputOption {
    const char* name;
    const char* text;  // "%1": the default, from the input table
    const char* value;
};
// In the order of InputId.
constexpr TInputOption kInputOptions[kInputIdCount] = {
    {"va", "Anode voltage, whole volts (default %1).", "VOLTS"},
    {"ia", "Anode current in A, or with mA or kA (default %1).", "AMPERES"},
    {"eff", "Efficiency in percent (default %1).", "PERCENT"},
    {"source", "Source reflection (default %1).", "REFL"},
    {"load", "Load reflection (default %1).", "REFL"},
    {"directivity", "Coupler directivity in dB; without it the couplers are ideal.", "DB"},
    {"frequency", "Line Sweep: frequency in MHz (default %1).", "MHZ"},
    {"line", "Line Sweep: the line (default %1).", "LINE"},
    {"length", "Line Sweep: line length in m (default %1).", "M"},
    {"span", "Line Sweep: frequency pulling, +- MHz (default %1).", "MHZ"},
};

std::string Def(present::Input id) { return present::LimitText(present::InputRow(id).def); }

QString Limits(double lo, double hi)
{
    return QString::fromStdString(present::LimitText(lo) + " .. " + present::LimitText(hi));
}
QString Limits(present::Input id) { return Limits(present::InputRow(id).lo, present::InputRow(id).hi); }

// The description with the limits and defaults of the input table filled in.
QString Description()
{
    using present::Input;
    const auto form = [](int i) { return Limits(present::ReflForm(i).lo, present::ReflForm(i).hi); };
    return QString::fromLatin1(kDescription)
        .arg(form(0), form(1), form(2), QString::fromStdString(present::LimitText(-present::ReflForm(1).lo)),
             Limits(Input::SrcPha), Limits(Input::SwWidth), Limits(Input::SwVf), QString::fromStdString(Def(Input::SwVf)));
}

// An input's default as its option takes it.
std::string DefaultText(InputId id)
{
    using present::Input;
    switch (id) {
    case InputId::Va: return Def(Input::AnodeV);
    case InputId::Ia: return Def(Input::AnodeI);
    case InputId::Eff: return Def(Input::Effic);
    case InputId::Source: return Def(Input::SrcMag) + "@" + Def(Input::SrcPha);
    case InputId::Load: return Def(Input::LoaMag) + "@" + Def(Input::LoaPha);
    case InputId::Frequency: return Def(Input::SwFreq);
    case InputId::Line: return LineText(TSweepInputs{});
    case InputId::Length: return Def(Input::SwLength);
    case InputId::Span: return Def(Input::SwSpan);
    case InputId::Directivity: break;
    }
    return std::string();
}

// "W, dBm, dBW or dBkW (default W)", from the table of names.
QString ChoiceList(std::span<const present::TChoiceNames> names)
{
    QString list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? QString() : i + 1 == names.size() ? QStringLiteral(" or ") : QStringLiteral(", ")) +
                QString::fromUtf8(names[i].key);
    return list + QStringLiteral(" (default %1)").arg(QString::fromUtf8(names[0].key));
}

}  // namespace

void Fail(const std::string& message) { std::fprintf(stderr, "merivane-calc: %s\n", message.c_str()); }
void Warn(const std::string& message) { std::fprintf(stderr, "merivane-calc: warning: %s\n", message.c_str()); }

TOptionNames AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(Description());
    TOptionNames n;
    n.help = parser.addHelpOption().names().front();
    n.version = parser.addVersionOption().names().front();
    const auto option = [&parser](const char* name, const char* text, const char* value) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text),
                                            QString::fromLatin1(value)));
        return QString::fromLatin1(name);
    };
    const auto optionText = [&parser](const char* name, const QString& text, const char* value) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), text, QString::fromLatin1(value)));
        return QString::fromLatin1(name);
    };
    for (int i = 0; i < kInputIdCount; ++i) {
        const TInputOption& o = kInputOptions[i];
        optionText(o.name, QString::fromLatin1(o.text).arg(QString::fromStdString(DefaultText(static_cast<InputId>(i)))),
                   o.value);
    }
    n.powerToMatch = option("power-to-match", "Set the anode current so that the power to match is W watts.", "W");
    n.powerUnit = optionText("power-unit", "Power unit: " + ChoiceList(present::kPowerUnitNames) + ".", "U");
    n.factorUnit = optionText("factor-unit",
                              "Unit of the transmission factors: " + ChoiceList(present::kFactorUnitNames) + ".", "U");
    n.measUnit = optionText("meas-unit",
                            "Unit of the power measurements: " + ChoiceList(present::kMeasUnitNames) + ".", "U");
    n.format = option("format", "Output: text (default), csv or json.", "F");
    n.batch = option("batch", "Cases from a CSV file (\"-\" for standard input), one result row per case.", "FILE");
    n.report = option("report", "Write the PDF report of the case.", "FILE.pdf");
    n.caseFile = option("case", "Start from a case file's inputs, line and units; options override them.", "FILE");
    n.compare = option("compare", "Print the comparison with a case file or JSON export as the reference.", "FILE");
    AddMatchOptions(parser);
    AddGuideOptions(parser);
    AddTubeOptions(parser);
    AddMeasuredOptions(parser);
    AddProcessOptions(parser);
    AddApplicatorOptions(parser);
    n.smith = AddSmithOptions(parser);
    return n;
}

bool ModesFit(const QCommandLineParser& parser, const TOptionNames& names)
{
    const Mode mode = parser.isSet(names.batch) ? kBatchMode : kCaseMode;
    for (const QString& name : parser.optionNames()) {
        const TOptionUse* use = FindUse(U(name));
        if (use && !(use->modes & mode)) {
            Fail("--" + std::string(use->name) + " cannot be used with " + (mode == kBatchMode ? "--batch" : "one case"));
            return false;
        }
    }
    return true;
}

bool ReadOptionFile(const std::string& option, const std::string& path, long long maxBytes, std::string& text,
                    std::string& error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "--" + option + " cannot read " + Quoted(path) + ": " + U(file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) {
        error = "--" + option + " " + Quoted(path) + ": larger than a case file can be";
        return false;
    }
    text = bytes.toStdString();
    return true;
}

}  // namespace merivane::cli
