// SPDX-License-Identifier: GPL-3.0-or-later
#include "Match.h"

#include "Case.h"
#include "Export.h"
#include "Fields.h"
#include "JsonOut.h"
#include "ScrewTable.h"
#include "TunerTexts.h"

#include <QCommandLineParser>
#include <QFile>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

namespace merivane {

namespace {

using present::TTunerResult;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// a JSON number, or null for one that is not finite
using cli::json::NumberOrNull;

// a CSV cell after a comma: full precision, empty when not finite
void Cell(std::string& out, double x)
{
    out += ',';
    if (std::isfinite(x)) present::AppendShortest(out, x);
}

// the solver knows the load's admittance unless |G| >= 1
bool AdmittanceKnown(const TMatchResult& r) { return r.Status != kMatchActiveLoad && r.Status != kMatchFullReflection; }

}  // namespace

bool ReadMatchMethod(std::string_view text, TCliCase& c, std::string& error)
{
    if (!present::MethodByName(text, c.c.tuner.method)) {
        error = Quoted(text) + ": not one of single-stub, three-stub, eh, double-stub";
        return false;
    }
    c.match = true;
    return true;
}

bool ReadTunerSpacing(std::string_view text, TCliCase& c, std::string& error)
{
    const present::TTunerLimits& l = present::TunerLimits();
    double mm = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), mm);
    if (ec != std::errc() || end != text.data() + text.size() || !(mm >= l.spacingLo && mm <= l.spacingHi)) {
        error = Quoted(text) + ": a spacing in mm of " + present::Shortest(l.spacingLo) + " .. " +
                present::Shortest(l.spacingHi) + " is expected (0 for the default, \u03bbg/4 or \u03bbg/8)";
        return false;
    }
    c.c.tuner.spacingMm = mm;
    return true;
}

bool ReadScrewTableText(std::string_view text, TCliCase& c, std::string& error)
{
    const present::TScrewTableRead r = present::ReadScrewTable(text);
    if (!r.ok) {
        error = r.error;
        return false;
    }
    c.c.tuner.screws = r.points;
    return true;
}

void AddMatchOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(QStringLiteral("match"),
                                        QStringLiteral("Match the load: single-stub, three-stub, eh or double-stub."),
                                        QStringLiteral("METHOD")));
    parser.addOption(QCommandLineOption(QStringLiteral("tuner-spacing"),
                                        QStringLiteral("Stub spacing in mm (default 0: \u03bbg/4 three-stub, "
                                                       "\u03bbg/8 double stub)."),
                                        QStringLiteral("MM")));
    parser.addOption(QCommandLineOption(QStringLiteral("screw-table"),
                                        QStringLiteral("Screw calibration CSV: depth (mm), susceptance."),
                                        QStringLiteral("FILE.csv")));
}

bool ReadMatchOptions(const QCommandLineParser& parser, TCliCase& c, std::string& error)
{
    const auto value = [&parser](const char* name) { return parser.value(QLatin1String(name)).toStdString(); };
    if (parser.isSet(QStringLiteral("match")) && !ReadMatchMethod(value("match"), c, error)) {
        error = "--match " + error;
        return false;
    }
    if (parser.isSet(QStringLiteral("tuner-spacing")) && !ReadTunerSpacing(value("tuner-spacing"), c, error)) {
        error = "--tuner-spacing " + error;
        return false;
    }
    if (!parser.isSet(QStringLiteral("screw-table"))) return true;
    const std::string path = value("screw-table");
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "--screw-table cannot read " + Quoted(path) + ": " + file.errorString().toStdString();
        return false;
    }
    constexpr qint64 kMaxBytes = 1 << 20;  // a thousand rows are some 30 kB
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        error = "--screw-table " + Quoted(path) + ": larger than a calibration table can be";
        return false;
    }
    if (!ReadScrewTableText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), c, error)) {
        error = "--screw-table " + Quoted(path) + ": " + error;
        return false;
    }
    return true;
}

void AddMatchOutput(std::string& out, int format, const present::TSnapshot& s)
{
    switch (format) {
    case 1: AddMatchCsv(out, s.tuner); break;
    case 2: AddMatchJson(out, s.tuner); break;
    // the Tuner view's readouts, in the chosen power unit
    default: out += "\n" + present::CaseText({present::TunerSection(s)}); break;
    }
}

void AddMatchJson(std::string& json, const TTunerResult& t)
{
    const TMatchResult& r = t.match;
    std::string o = ",\n  \"match\": {\n    \"method\": ";
    present::AppendJsonString(o, MatchMethodName(r.Method));
    o += ",\n    \"status\": ";
    present::AppendJsonString(o, r.Status);
    o += ",\n    \"load_admittance\": [";
    const bool known = AdmittanceKnown(r);
    NumberOrNull(o, known ? r.LoadAdmittance[0] : kNaN);
    o += ", ";
    NumberOrNull(o, known ? r.LoadAdmittance[1] : kNaN);
    o += "],\n    \"guide_wavelength_mm\": ";
    NumberOrNull(o, r.GuideWavelengthMm > 0 ? r.GuideWavelengthMm : kNaN);
    o += ",\n    \"spacing_mm\": ";
    NumberOrNull(o, r.SpacingMm > 0 ? r.SpacingMm : kNaN);
    o += ",\n    \"solutions\": [";
    for (int i = 0; i < r.SolutionCount; ++i) {
        const TMatchSolution& s = r.Solutions[i];
        o += i ? ", {" : "{";
        switch (r.Method) {
        case MatchMethod::SingleStub:
            o += "\"distance_mm\": ";
            NumberOrNull(o, s.DistanceMm);
            o += ", \"susceptance\": ";
            NumberOrNull(o, s.Susceptance);
            o += ", \"stub_length_mm\": ";
            NumberOrNull(o, s.StubLengthMm);
            break;
        case MatchMethod::EH:
            o += "\"reactance\": ";
            NumberOrNull(o, s.Reactance);
            o += ", \"susceptance\": ";
            NumberOrNull(o, s.Susceptance);
            o += ", \"order\": ";
            present::AppendJsonString(o, s.Order);
            break;
        default:
            o += "\"susceptances\": [";
            for (int k = 0; k < s.SusceptanceCount; ++k) {
                if (k) o += ", ";
                NumberOrNull(o, s.Susceptances[k]);
            }
            o += ']';
            cli::json::ScrewDepths(o, t.screws[i], s.SusceptanceCount);
            break;
        }
        o += '}';
    }
    o += "],\n    \"chosen\": " + std::to_string(r.SolutionCount ? t.solution + 1 : 0);
    o += ",\n    \"matchable\": ";
    o += r.Matchable ? "true" : "false";
    o += ",\n    \"absorbed_w\": ";
    NumberOrNull(o, t.after.AbsorbedW);
    o += ",\n    \"matched_absorbed_w\": ";
    NumberOrNull(o, t.after.MatchedAbsorbedW);
    o += ",\n    \"gain_percent\": ";
    NumberOrNull(o, t.after.GainPercent);
    o += ",\n    \"gain_db\": ";
    NumberOrNull(o, t.after.GainDb);
    o += ",\n    \"seen_reflection\": ";
    NumberOrNull(o, t.after.SeenReflMag);
    o += ",\n    \"seen_swr\": ";
    NumberOrNull(o, t.after.SeenSwr);
    o += "\n  }";
    // before the closing "\n}\n" of the object
    const std::size_t end = json.rfind("\n}");
    json.insert(end == std::string::npos ? json.size() : end, o);
}

std::string MatchCsvHeader(MatchMethod method)
{
    std::string h = ",load_g,load_b,matchable,matched_absorbed_w,seen_reflection";
    const int n = method == MatchMethod::ThreeStub ? 1 : 2;
    for (int i = 1; i <= n; ++i) {
        const std::string k = "_" + std::to_string(i);
        switch (method) {
        case MatchMethod::SingleStub: h += ",distance_mm" + k + ",susceptance" + k + ",stub_length_mm" + k; break;
        case MatchMethod::ThreeStub: h += ",b1" + k + ",b2" + k + ",b3" + k; break;
        case MatchMethod::DoubleStub: h += ",ba" + k + ",bb" + k; break;
        case MatchMethod::EH: h += ",reactance" + k + ",susceptance" + k + ",order" + k; break;
        }
    }
    return h;
}

void AppendMatchCsv(std::string& out, const TTunerResult& t)
{
    const TMatchResult& r = t.match;
    const bool known = AdmittanceKnown(r);
    Cell(out, known ? r.LoadAdmittance[0] : kNaN);
    Cell(out, known ? r.LoadAdmittance[1] : kNaN);
    out += r.Matchable ? ",1" : ",0";
    Cell(out, t.after.MatchedAbsorbedW);
    Cell(out, t.after.SeenReflMag);
    const int n = r.Method == MatchMethod::ThreeStub ? 1 : 2;
    const int cells = r.Method == MatchMethod::DoubleStub ? 2 : 3;
    for (int i = 0; i < n; ++i) {
        if (i >= r.SolutionCount) {
            out.append(static_cast<std::size_t>(cells), ',');
            continue;
        }
        const TMatchSolution& s = r.Solutions[i];
        switch (r.Method) {
        case MatchMethod::SingleStub:
            Cell(out, s.DistanceMm);
            Cell(out, s.Susceptance);
            Cell(out, s.StubLengthMm);
            break;
        case MatchMethod::EH:
            Cell(out, s.Reactance);
            Cell(out, s.Susceptance);
            out += ',';
            out += s.Order;
            break;
        default:
            for (int k = 0; k < cells; ++k) Cell(out, s.Susceptances[k]);
            break;
        }
    }
}

void AddMatchCsv(std::string& csv, const TTunerResult& t)
{
    // the header's line end, then the row's
    const std::size_t headerEnd = csv.find('\n');
    if (headerEnd == std::string::npos) return;
    std::string row;
    AppendMatchCsv(row, t);
    const std::size_t rowEnd = csv.find('\n', headerEnd + 1);
    csv.insert(rowEnd == std::string::npos ? csv.size() : rowEnd, row);
    csv.insert(headerEnd, MatchCsvHeader(t.match.Method));
}

}  // namespace merivane
