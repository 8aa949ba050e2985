// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc: the calculator on the command line. One case from the
// options, written as text, CSV or JSON and, when asked, as a PDF report; or a
// batch of cases from a CSV file. Every case is computed as the window
// computes it, by present::ComputeCase. It needs no display: the report is
// painted on Qt's offscreen platform. Exit status 0 on success, 1 when some
// batch rows were bad, 2 on bad usage, or when a file or the output could not
// be read or written.
#include "Batch.h"
#include "CaseFile.h"
#include "CaseOutput.h"
#include "CliOptions.h"
#include "CompareOption.h"
#include "EntryReader.h"
#include "Environment.h"
#include "Inputs.h"
#include "MeasuredOptions.h"
#include "SmithOption.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace merivane;
using namespace merivane::cli;
namespace present = merivane::present;

// The sweep's readouts need no curves: a case's numbers are the same without them.
constexpr int kNoCurves = 0;

std::string U(const QString& s) { return s.toStdString(); }

// The error of the first write that failed: stdio may have flushed (and
// failed) inside fwrite already, when the text is longer than its buffer, and
// the last fflush then has nothing left to fail with.
int gWriteErrno = 0;

void Write(const std::string& text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && !gWriteErrno) gWriteErrno = errno;
}

// --batch: the rows of the file (or standard input) from the case the options give.
int RunBatchOption(const QCommandLineParser& parser, const TOptionNames& names, const TCliCase& c, int format)
{
    if (format != kCsv && parser.isSet(names.format)) {
        Fail("--batch writes CSV; --format " + Quoted(U(parser.value(names.format))) + " cannot be used with it");
        return kBadUsage;
    }
    const std::string path = U(parser.value(names.batch));
    if (path == "-") return RunBatch(stdin, "stdin", stdout, stderr, c);
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        Fail("cannot read " + Quoted(path) + ": " + std::strerror(errno));
        return kBadUsage;
    }
    const int status = RunBatch(in, path, stdout, stderr, c);
    std::fclose(in);
    return status;
}

// --compare: the reference's case computed, and the table of the current one against it.
bool CompareOutput(const std::string& path, const present::TSnapshot& current, Format format, std::string& out)
{
    std::string text, error;
    if (!ReadOptionFile("compare", path, present::kMaxCaseFileBytes, text, error)) {
        Fail(error);
        return false;
    }
    const TReferenceRead r = ReadReference(text);
    if (!r.ok) {
        Fail("--compare " + Quoted(path) + ": " + r.error);
        return false;
    }
    for (const QString& line : QString::fromStdString(r.warning).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        Warn("--compare " + Quoted(path) + ": " + U(line));
    out = ComparisonOutput(present::Compare(present::ComputeCase(r.c, kNoCurves), current), format);
    return true;
}

// One case: the Smith chart and the report when asked for, then the output.
int RunCase(const QCommandLineParser& parser, const TOptionNames& names, const TCliCase& c, Format format)
{
    const present::TSnapshot s = present::ComputeCase(c.c, kNoCurves);
    // The Smith chart: its own file, and in the report beside the inputs.
    smith::TSmithOptions smithOptions;
    std::string smithError;
    if (!ReadSmithOptions(parser, names.smith, s.c.display.power, smithOptions, smithError)) {
        Fail(smithError);
        return kBadUsage;
    }
    const smith::TSmithScene smithScene = SmithSceneOf(c, s, smithOptions);
    if (!WriteSmithOption(parser, names.smith, smithScene, smithOptions, smithError)) {
        Fail(smithError);
        return kBadUsage;
    }
    if (parser.isSet(names.report) &&
        !WriteCaseReport(parser.value(names.report), c, s, smithScene, smithOptions))
        return kBadUsage;
    std::string out;
    if (!parser.isSet(names.compare))
        out = CaseOutput(c, s, format);
    else if (!CompareOutput(U(parser.value(names.compare)), s, format, out))
        return kBadUsage;
    Write(out);
    return 0;
}

int Run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const TOptionNames names = AddOptions(parser);
    if (!parser.parse(arguments)) {
        // Qt's text, with an unknown option's name shortened as every quote is
        const QStringList unknown = parser.unknownOptionNames();
        Fail(unknown.isEmpty() ? U(parser.errorText())
                               : "Unknown option '" + present::ShortText(U(unknown.front()), kQuotedChars) + "'.");
        return kBadUsage;
    }
    if (parser.isSet(names.help)) {
        Write(U(parser.helpText()));
        return 0;
    }
    if (parser.isSet(names.version)) {
        Write("merivane-calc " + U(env::GetFileVersionString()) + "\n");
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Fail("unexpected argument " + Quoted(U(parser.positionalArguments().front())));
        return kBadUsage;
    }
    if (TouchstoneAsked(parser)) {
        // the file alone: a case's options have nothing to do with it
        int format = kText;
        if (!ReadFormatOnly(parser, names, format)) return kBadUsage;
        return RunTouchstone(parser, static_cast<Format>(format));
    }
    TCliCase c;
    int format = kText;
    if (!ModesFit(parser, names) || !ReadCaseOptions(parser, names, c, format)) return kBadUsage;
    if (!WriteTouchstoneOption(parser, c)) return kBadUsage;
    if (parser.isSet(names.batch)) return RunBatchOption(parser, names, c, format);
    return RunCase(parser, names, c, static_cast<Format>(format));
}

// Whether the report or the Smith chart is asked for: then the program needs
// the Gui application.
bool WantsReport(int argc, char** argv)
{
    constexpr std::string_view kReport = "--report", kReportIs = "--report=";
    for (int i = 1; i < argc; ++i)
        if (argv[i] == kReport || std::strncmp(argv[i], kReportIs.data(), kReportIs.size()) == 0 ||
            IsSmithArgument(argv[i]))
            return true;
    return false;
}

// Qt's own notes (about the runtime folder, the offscreen platform) are not
// the program's output; only its errors are shown.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "merivane-calc: %s\n", U(message).c_str());
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
