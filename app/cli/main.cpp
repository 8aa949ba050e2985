// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc: the calculator on the command line. One case from the
// options, written as text, CSV or JSON and, when asked, as a PDF report; or a
// batch of cases from a CSV file. It needs no display: the report is painted
// on Qt's offscreen platform. Exit status 0 on success, 1 when some batch rows
// were bad, 2 on bad usage, or when a file or the output could not be read or
// written.
#include "Batch.h"
#include "Case.h"
#include "CaseFile.h"
#include "Environment.h"
#include "EntryReader.h"
#include "Export.h"
#include "GuideOptions.h"
#include "InputRows.h"
#include "Inputs.h"
#include "Match.h"
#include "MagnetronTexts.h"
#include "Report.h"
#include "SmithOption.h"
#include "SweepChartLoader.h"
#include "SweepNumbers.h"
#include "SweepTexts.h"
#include "TubeOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace merivane;
namespace present = merivane::present;

constexpr int kBadUsage = 2;

std::string U(const QString& s) { return s.toStdString(); }

void Fail(const std::string& message) { std::fprintf(stderr, "merivane-calc: %s\n", message.c_str()); }
void Warn(const std::string& message) { std::fprintf(stderr, "merivane-calc: warning: %s\n", message.c_str()); }

// The error of the first write that failed: stdio may have flushed (and
// failed) inside fwrite already, when the text is longer than its buffer, and
// the last fflush then has nothing left to fail with.
int gWriteErrno = 0;

void Write(const std::string& text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && !gWriteErrno) gWriteErrno = errno;
}

struct TChoice {
    const char* text;
    int value;
};
constexpr TChoice kPowerUnits[] = {{"W", static_cast<int>(present::PowerUnit::Watts)},
                                   {"dBm", static_cast<int>(present::PowerUnit::Dbm)},
                                   {"dBW", static_cast<int>(present::PowerUnit::DbW)},
                                   {"dBkW", static_cast<int>(present::PowerUnit::DbkW)}};
constexpr TChoice kFactorUnits[] = {{"mag", 0}, {"%", 1}, {"dB", 2}};
constexpr TChoice kMeasUnits[] = {{"power", 0}, {"%", 1}, {"dB", 2}};
enum Format { kText, kCsv, kJson };
constexpr TChoice kFormats[] = {{"text", kText}, {"csv", kCsv}, {"json", kJson}};

// The value of a choice option, its case ignored; false with the message
// printed when it is none of the choices.
bool Choose(const QCommandLineParser& parser, const QString& option, std::span<const TChoice> choices, int& value)
{
    if (!parser.isSet(option)) return true;
    const QString text = parser.value(option);
    std::string names;
    for (const TChoice& c : choices) {
        if (text.compare(QLatin1String(c.text), Qt::CaseInsensitive) == 0) {
            value = c.value;
            return true;
        }
        names += (names.empty() ? "" : ", ") + std::string(c.text);
    }
    Fail("--" + U(option) + " " + Quoted(U(text)) + ": not one of " + names);
    return false;
}

// Which mode uses which option. An option not listed (--help, --version and
// the inputs of a case, which --batch takes as the defaults of its columns)
// is used by both.
enum Mode : unsigned { kCaseMode = 1u << 0, kBatchMode = 1u << 1 };
struct TOptionUse {
    const char* name;
    unsigned modes;
};
constexpr TOptionUse kOptionUses[] = {
    {"va", kCaseMode | kBatchMode},        {"ia", kCaseMode | kBatchMode},
    {"eff", kCaseMode | kBatchMode},       {"source", kCaseMode | kBatchMode},
    {"load", kCaseMode | kBatchMode},      {"directivity", kCaseMode | kBatchMode},
    {"frequency", kCaseMode | kBatchMode}, {"line", kCaseMode | kBatchMode},
    {"length", kCaseMode | kBatchMode},    {"span", kCaseMode | kBatchMode},
    {"format", kCaseMode | kBatchMode},  // --batch takes only csv, checked below
    {"power-unit", kCaseMode},             // the batch writes model fields in W
    {"factor-unit", kCaseMode},            // the batch writes no cell texts
    {"meas-unit", kCaseMode},
    {"report", kCaseMode},                 // one report is one case
    {"case", kCaseMode},                   // a case file is one case
    {"batch", kBatchMode},
    {"smith", kCaseMode}, {"smith-grid", kCaseMode}, {"smith-zoom", kCaseMode}, {"smith-swr", kCaseMode},
};

const TOptionUse* FindUse(const std::string& name)
{
    for (const TOptionUse& u : kOptionUses)
        if (name == u.name) return &u;
    return nullptr;
}

// The Line Sweep page as a region: the line's inputs as the page shows them,
// its readouts and status, and their numbers. Computed without curves.
present::TExtraRegion SweepRegion(const TSweepCase& sweep, present::PowerUnit unit)
{
    const TSweepInputs& in = sweep.In;
    present::TExtraRegion region;
    region.title = "Line Sweep";
    const auto inputRow = [](present::Input id) { return present::InputRow(id); };
    region.rows.emplace_back(inputRow(present::Input::SwFreq).name, present::LimitText(in.FreqMHz) + " MHz");
    region.rows.emplace_back("Line Type", LineTypeSpec(in.Line).name);
    if (in.Line == LineType::CustomWaveguide)
        region.rows.emplace_back(inputRow(present::Input::SwWidth).name, present::LimitText(in.WidthMm) + " mm");
    if (in.Line == LineType::Coax)
        region.rows.emplace_back(inputRow(present::Input::SwVf).name, present::LimitText(in.Vf));
    region.rows.emplace_back(inputRow(present::Input::SwLength).name, present::LimitText(in.LengthM) + " m");
    region.rows.emplace_back(inputRow(present::Input::SwSpan).name, "\u00b1" + present::LimitText(in.SpanMHz) + " MHz");
    present::AddSweepReadouts(region, CalcLineSweep(sweep, 0), unit);
    return region;
}

// A case file's inputs, line and display choices; false with the message
// printed when it cannot be read or is refused. Each warning line of the
// reader is printed as a warning.
bool ReadCaseOption(const std::string& path, TCaseInput& c, present::TCase& read)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        Fail("--case cannot read " + Quoted(path) + ": " + U(file.errorString()));
        return false;
    }
    constexpr qint64 kMaxBytes = 1 << 20;  // a case file is a few hundred bytes
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        Fail("--case " + Quoted(path) + ": larger than a case file can be");
        return false;
    }
    const present::TCaseReadResult r = present::ReadCaseFile(bytes.toStdString());
    if (!r.ok) {
        Fail("--case " + Quoted(path) + ": " + r.error);
        return false;
    }
    for (const QString& line : QString::fromStdString(r.warning).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        Warn("--case " + Quoted(path) + ": " + U(line));
    read = r.c;
    c = FromCase(r.c);
    return true;
}

// Whether the report is asked for: then the program needs the Gui application.
bool WantsReport(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--report") == 0 || std::strncmp(argv[i], "--report=", 9) == 0 ||
            cli::IsSmithArgument(argv[i]))
            return true;
    return false;
}

// Qt's own notes (about the runtime folder, the offscreen platform) are not
// the program's output; only its errors are shown.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "merivane-calc: %s\n", U(message).c_str());
}

const char* const kDescription =
    "Computes the power a magnetron delivers into a load, as the Merivane window does,\n"
    "and prints the inputs and every result of the window's pages.\n"
    "\n"
    "REFL is a magnitude MAG (0 .. 1), db:RLOSS (-160 .. 0) or swr:SWR (1 .. 100000),\n"
    "optionally followed by @PHASE in degrees; without it the phase keeps its default.\n"
    "A positive RLOSS up to 160 is a return loss: db:20 is -20 dB. A phase outside\n"
    "-180 .. 180 is reduced by whole turns: @270 is -90 degrees.\n"
    "A text that is not a number, or a reflection outside its limits, is an error;\n"
    "other numbers outside their limits are clamped, with a warning.\n"
    "\n"
    "LINE is WR284, WR340, WR430, WR975, waveguide:WIDTH_MM (1 .. 10000) or\n"
    "coax[:VF] (0.1 .. 1, default 1). With any of --frequency, --line, --length and\n"
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
    "--meas-unit, --report and --case only with one case, --format only csv with\n"
    "--batch.\n"
    "\n"
    "--case FILE starts from a case file saved by the window (*.merivane, or its\n"
    "JSON export): its inputs, its line (the Line Sweep page is computed) and its\n"
    "display choices; the options given override them. A file that cannot be read\n"
    "or is refused is an error, with the reason (a damaged file: the line and the\n"
    "column).\n"
    "\n"
    "Exit status: 0 success, 1 some batch rows bad, 2 bad usage, or a file or the\n"
    "output could not be read or written.";

int Run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    struct TInputOption {
        const char* name;
        InputId id;
        const char* text;
        const char* value;
    };
    const TInputOption inputs[] = {
        {"va", InputId::Va, "Anode voltage, whole volts (default 4000).", "VOLTS"},
        {"ia", InputId::Ia, "Anode current in A, or with mA or kA (default 3).", "AMPERES"},
        {"eff", InputId::Eff, "Efficiency in percent (default 85).", "PERCENT"},
        {"source", InputId::Source, "Source reflection (default 0.2@0).", "REFL"},
        {"load", InputId::Load, "Load reflection (default 0.5@90).", "REFL"},
        {"directivity", InputId::Directivity, "Coupler directivity in dB; without it the couplers are ideal.", "DB"},
        {"frequency", InputId::Frequency, "Line Sweep: frequency in MHz (default 2450).", "MHZ"},
        {"line", InputId::Line, "Line Sweep: the line (default WR340).", "LINE"},
        {"length", InputId::Length, "Line Sweep: line length in m (default 0).", "M"},
        {"span", InputId::Span, "Line Sweep: frequency pulling, +- MHz (default 0).", "MHZ"},
    };
    for (const TInputOption& o : inputs)
        parser.addOption(QCommandLineOption(QString::fromLatin1(o.name), QString::fromLatin1(o.text),
                                            QString::fromLatin1(o.value)));
    const auto option = [&parser](const char* name, const char* text, const char* value) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text),
                                            QString::fromLatin1(value)));
        return QString::fromLatin1(name);
    };
    const QString powerUnit = option("power-unit", "Power unit: W, dBm, dBW or dBkW (default W).", "U");
    const QString factorUnit = option("factor-unit", "Unit of the transmission factors: mag, % or dB (default mag).", "U");
    const QString measUnit = option("meas-unit", "Unit of the power measurements: power, % or dB (default power).", "U");
    const QString format = option("format", "Output: text (default), csv or json.", "F");
    const QString batch = option("batch", "Cases from a CSV file (\"-\" for standard input), one result row per case.", "FILE");
    const QString report = option("report", "Write the PDF report of the case.", "FILE.pdf");
    const QString caseFile = option("case", "Start from a case file's inputs, line and units; options override them.",
                                    "FILE");
    AddMatchOptions(parser);
    AddGuideOptions(parser);
    AddTubeOptions(parser);
    const cli::TSmithOptionNames smithNames = cli::AddSmithOptions(parser);

    if (!parser.parse(arguments)) {
        // Qt's text, with an unknown option's name shortened as every quote is
        const QStringList unknown = parser.unknownOptionNames();
        Fail(unknown.isEmpty() ? U(parser.errorText())
                               : "Unknown option '" + present::ShortText(U(unknown.front()), 40) + "'.");
        return kBadUsage;
    }
    if (parser.isSet(help)) {
        Write(U(parser.helpText()));
        return 0;
    }
    if (parser.isSet(version)) {
        Write("merivane-calc " + U(env::GetFileVersionString()) + "\n");
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Fail("unexpected argument " + Quoted(U(parser.positionalArguments().front())));
        return kBadUsage;
    }
    // every option given must be one the mode uses
    const Mode mode = parser.isSet(batch) ? kBatchMode : kCaseMode;
    for (const QString& name : parser.optionNames()) {
        const TOptionUse* use = FindUse(U(name));
        if (use && !(use->modes & mode)) {
            Fail("--" + std::string(use->name) + " cannot be used with " + (mode == kBatchMode ? "--batch" : "one case"));
            return kBadUsage;
        }
    }

    TCaseInput c = DefaultCase();
    present::TCase fromFile = present::DefaultCase();
    if (parser.isSet(caseFile) && !ReadCaseOption(U(parser.value(caseFile)), c, fromFile)) return kBadUsage;
    c.guide = fromFile.guide;  // a case file's guide is written when it is not the default
    c.guideGiven = fromFile.guide != present::TGuideInputs{};
    {
        std::string guideError;
        std::vector<std::string> guideWarnings;
        const bool guideRead = ReadGuideOptions(parser, c, guideError, guideWarnings);
        for (const std::string& line : guideWarnings) Warn(line);
        if (!guideRead) {
            Fail(guideError);
            return kBadUsage;
        }
    }
    for (const TInputOption& o : inputs) {
        const QString name = QString::fromLatin1(o.name);
        if (!parser.isSet(name)) continue;
        const TReadResult r = ReadInput(o.id, U(parser.value(name)), c);
        if (!r.ok) {
            Fail("--" + std::string(o.name) + " " + r.error);
            return kBadUsage;
        }
        if (!r.warning.empty()) Warn("--" + std::string(o.name) + " " + r.warning);
    }
    if (std::string error; !ReadMatchOptions(parser, c, error)) {
        Fail(error);
        return kBadUsage;
    }
    // the units of the case file, or the window's first ones
    int power = static_cast<int>(fromFile.display.power), factor = fromFile.factorUnit, meas = fromFile.measUnit,
        form = kText;
    if (!Choose(parser, powerUnit, kPowerUnits, power) || !Choose(parser, factorUnit, kFactorUnits, factor) ||
        !Choose(parser, measUnit, kMeasUnits, meas) || !Choose(parser, format, kFormats, form))
        return kBadUsage;
    c.m.SelUnit = factor;
    c.m.SelErrUnit = meas;
    // the magnetron and the measurement: shown when an option or the case file sets them
    present::TTubeCase tube = fromFile.tube;
    if (!ReadTubeOptions(parser, tube, stderr)) return kBadUsage;
    const bool tubeShown = TubeOptionsGiven(parser) || tube != present::DefaultTubeCase();
    const present::TTubeCase* tubeRows = tubeShown ? &tube : nullptr;

    if (parser.isSet(batch)) {
        if (form != kCsv && parser.isSet(format)) {
            Fail("--batch writes CSV; --format " + Quoted(U(parser.value(format))) + " cannot be used with it");
            return kBadUsage;
        }
        const std::string path = U(parser.value(batch));
        if (path == "-") return RunBatch(stdin, "stdin", stdout, stderr, c, tubeRows);
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (!in) {
            Fail("cannot read " + Quoted(path) + ": " + std::strerror(errno));
            return kBadUsage;
        }
        const int status = RunBatch(in, path, stdout, stderr, c, tubeRows);
        std::fclose(in);
        return status;
    }

    Compute(c);
    // The mismatch and measured-reflection lists have no options: they show
    // what the case file's lists show, or else magnitudes, as the window does
    // on its first start.
    present::TDisplay d = fromFile.display;
    d.power = static_cast<present::PowerUnit>(power);
    d.srcRfl = c.srcForm;
    d.loaRfl = c.loaForm;

    // The Line Sweep page, when the line was given: its inputs and readouts
    // join the output as a region of their own, and its numbers the JSON and
    // the CSV.
    const TSweepCase sweep{c.m, c.line, GuidePassFactor(c)};
    present::TExtraRegion region;
    if (c.lineGiven) region = SweepRegion(sweep, d.power);
    const present::TExtraRegion* extra = c.lineGiven ? &region : nullptr;
    const present::TSnapshot tubeSnap = TubeSnapshot(c.m, c.line, tube, d);

    // The Smith chart: its own file, and in the report beside the inputs.
    smith::TSmithOptions smithOptions;
    std::string smithError;
    if (!cli::ReadSmithOptions(parser, smithNames, d.power, smithOptions, smithError)) {
        Fail(smithError);
        return kBadUsage;
    }
    const smith::TSmithScene smithScene = cli::SmithSceneOf(c, tubeSnap.tube, smithOptions);
    if (!cli::WriteSmithOption(parser, smithNames, smithScene, smithOptions, smithError)) {
        Fail(smithError);
        return kBadUsage;
    }

    if (parser.isSet(report)) {
        const QString path = parser.value(report);
        TReport r;
        r.sections = present::CaseSections(c.m, d);
        for (present::TSection& t : present::TubeSections(tubeSnap)) r.sections.push_back(std::move(t));
        r.version = env::GetFileVersionString();
        r.when = QDateTime::currentDateTime();
        // Without a line option nothing is known of the line: the chart runs
        // over the round-trip phase. With one, over the added length.
        TSweepCase chartCase = sweep;
        chartCase.In.LineKnown = c.lineGiven;
        bool charted = true;
        QString chartError;
        r.chart = [&](QPainter& p, const QRectF& rect) {
            charted = PaintSweepReportPart(p, rect, chartCase, d.power, c.m.CplIdeal, chartError, &tubeSnap.tube);
        };
        r.smith = [&](QPainter& p, const QRectF& rect) { cli::PaintSmithReportPart(p, rect, smithScene, smithOptions); };
        if (!WriteReportPdf(path, r)) {
            Fail("Unable to write to " + U(path));
            return kBadUsage;
        }
        if (!charted) Warn("the report has no chart: " + U(chartError));
    }
    const std::optional<present::TGuideResult> guide = c.guideGiven ? std::optional(CaseGuide(c)) : std::nullopt;
    std::vector<present::TSection> sections = present::CaseSections(c.m, d, extra);
    if (guide) sections.push_back(GuideSection(c, *guide));
    std::string out;
    switch (form) {
    case kCsv:
        out = present::CaseCsv(c.m, d, extra);
        if (guide) out = WithGuideCsv(out, *guide);
        break;
    case kJson:
        out = present::CaseJson(c.m, d, extra);
        if (guide) out = WithGuideJson(out, *guide);
        break;
    default: out = present::CaseText(sections); break;
    }
    AddMatchOutput(out, form == kCsv ? 1 : form == kJson ? 2 : 0, c);
    if (tubeShown) AppendTubeOutput(out, form == kCsv ? TubeForm::Csv : form == kJson ? TubeForm::Json : TubeForm::Text,
                                    tubeSnap);
    Write(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    std::unique_ptr<QCoreApplication> app;
    if (WantsReport(argc, argv)) {
        // no display is needed, and none is looked for; the chart needs the
        // widgets' application
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("merivane-calc"));
    QCoreApplication::setApplicationVersion(env::GetFileVersionString());
    const int status = Run(QCoreApplication::arguments());
    // a full disk or a closed pipe must not pass for a complete answer
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        if (!errno) errno = gWriteErrno;
        Fail(std::string("cannot write the output") + (errno ? std::string(": ") + std::strerror(errno) : ""));
        return kBadUsage;
    }
    return status;
}
