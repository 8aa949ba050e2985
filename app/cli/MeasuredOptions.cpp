// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasuredOptions.h"

#include "CliOptions.h"
#include "EntryReader.h"
#include "Export.h"
#include "Fields.h"
#include "InputRows.h"
#include "JsonOut.h"
#include "ReflectionText.h"
#include "MeasuredFile.h"
#include "MeasuredTexts.h"
#include "NumberText.h"
#include "SafeSave.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

namespace merivane::cli {

namespace {

std::string U(const QString& s) { return s.toStdString(); }
QString Name(const char* n) { return QString::fromLatin1(n); }

constexpr const char* kTouchstone = "touchstone";
constexpr const char* kLoadFile = "load-file";
constexpr const char* kPort = "port";
const char* const kPlaneShift = present::InputRow(present::Input::PlaneShiftMm).option;
const char* const kBand = present::InputRow(present::Input::BandHalfMHz).option;
constexpr const char* kWrite = "write-touchstone";

using json::InlineObject;  // a noise point's, a band point's numbers
using json::Key;
using json::Number;
double Degrees(std::complex<double> g) { return g == std::complex<double>{} ? 0.0 : std::arg(g) * 180 / std::numbers::pi; }

// A plain number of an option: false with the message when it is none.
bool ReadReal(const QCommandLineParser& parser, const char* option, double lo, double hi, double& value)
{
    if (!parser.isSet(Name(option))) return true;
    const std::string text = U(parser.value(Name(option)));
    const std::optional<double> v = [&]() -> std::optional<double> {
        try {
            return RealFromText(text);
        } catch (const EOverflow&) {
            return std::nullopt;
        }
    }();
    if (!v || !(*v >= lo && *v <= hi)) {
        Fail("--" + std::string(option) + " " + Quoted(text) + ": not a number within " + present::LimitText(lo) +
             " .. " + present::LimitText(hi));
        return false;
    }
    value = *v;
    return true;
}

// A number of a measured load's row, read by the input table's one reader:
// not a number is an error, a number beyond the limits is clamped with a warning.
bool ReadRow(const QCommandLineParser& parser, present::Input id, double& value)
{
    const char* option = present::InputRow(id).option;
    if (!parser.isSet(Name(option))) return true;
    const present::TInputReading r = present::ReadInputNumber(id, U(parser.value(Name(option))), value);
    if (!r.ok) {
        Fail("--" + std::string(option) + " " + r.error);
        return false;
    }
    if (!r.warning.empty()) Warn("--" + std::string(option) + " " + r.warning);
    return true;
}

// "(default 0; -1000000 .. 1000000)" from the row
std::string RowLimits(present::Input id)
{
    const present::TInputRow& row = present::InputRow(id);
    return "(default " + present::LimitText(row.def) + "; " + present::LimitText(row.lo) + " .. " +
           present::LimitText(row.hi) + ")";
}

std::string TouchstoneJson(const touchstone::TNetwork& n, const std::string& file)
{
    std::string out;
    out.reserve(1024 + n.frequencyHz.size() * 24 + n.s.size() * 48);  // some 48 bytes a pair
    out = "{\n  \"touchstone\": {\n";
    Key(out, "file", true);
    present::AppendJsonString(out, file);
    Key(out, "version");
    present::AppendJsonString(out, n.version);
    Key(out, "ports");
    present::AppendInteger(out, n.ports);
    Key(out, "points");
    present::AppendInteger(out, static_cast<long long>(n.frequencyHz.size()));
    Key(out, "parameter");
    present::AppendJsonString(out, n.parameter);
    Key(out, "format");
    present::AppendJsonString(out, n.format);
    const auto list = [&](const char* key, const std::vector<double>& v) {
        Key(out, key);
        out += '[';
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (i) out += ", ";
            Number(out, v[i]);
        }
        out += ']';
    };
    list("reference_ohm", n.referenceOhm);
    list("frequencies_hz", n.frequencyHz);
    // s[k][i N + j] is S(i+1)(j+1) at the k-th frequency, as [re, im]
    Key(out, "s");
    out += '[';
    const std::size_t nn = static_cast<std::size_t>(n.ports) * static_cast<std::size_t>(n.ports);
    for (std::size_t k = 0; k < n.frequencyHz.size(); ++k) {
        out += k ? ",\n      [" : "\n      [";
        for (std::size_t e = 0; e < nn; ++e) {
            out += e ? ", [" : "[";
            Number(out, n.s[k * nn + e].real());
            out += ", ";
            Number(out, n.s[k * nn + e].imag());
            out += ']';
        }
        out += ']';
    }
    out += n.frequencyHz.empty() ? "]" : "\n    ]";
    Key(out, "noise");
    if (!n.noise) {
        out += "null";
    } else {
        out += '[';
        for (std::size_t i = 0; i < n.noise->size(); ++i) {
            const touchstone::TNoisePoint& p = (*n.noise)[i];
            out += i ? ",\n      " : "\n      ";
            InlineObject(out, {{"frequency_hz", p.frequencyHz}, {"fmin_db", p.fminDb}, {"gamma_opt_mag", p.gammaOptMag},
                               {"gamma_opt_deg", p.gammaOptDeg}, {"rn_ohm", p.rnOhm}});
        }
        out += "\n    ]";
    }
    out += "\n  }\n}\n";
    return out;
}

std::string TouchstoneText(const touchstone::TNetwork& n, const std::string& file)
{
    std::string refs;
    for (double r : n.referenceOhm) refs += (refs.empty() ? "" : ", ") + present::LimitText(r) + " ohm";
    std::string band = "none";
    if (!n.frequencyHz.empty())
        band = present::LimitText(n.frequencyHz.front() / 1e6) + " .. " + present::LimitText(n.frequencyHz.back() / 1e6) +
               " MHz";
    const std::pair<const char*, std::string> rows[] = {
        {"File", file}, {"Version", n.version}, {"Ports", std::to_string(n.ports)},
        {"Points", std::to_string(n.frequencyHz.size())}, {"Band", band}, {"References", refs},
        {"Parameter", n.parameter}, {"Format", n.format},
        {"Noise", n.noise ? std::to_string(n.noise->size()) + " points" : std::string("none")}};
    std::string out = "Touchstone File\n";
    for (const auto& [caption, value] : rows) {
        out += caption;
        out.append(12 - std::string_view(caption).size(), ' ');
        out += value + "\n";
    }
    return out;
}

}  // namespace

void AddMeasuredOptions(QCommandLineParser& parser)
{
    const auto add = [&](const char* name, const char* text, const char* value) {
        parser.addOption(QCommandLineOption(Name(name), QString::fromUtf8(text), Name(value)));
    };
    add(kTouchstone, "Prints what a Touchstone file (.s1p .. .sNp, .ts) holds, and nothing else.", "FILE");
    add(kLoadFile, "Measured load: the load reflection from a Touchstone file at --frequency.", "FILE");
    add(kPort, "Measured load: the file's port k whose Skk is the load (default 1).", "K");
    const std::string shift = "Measured load: the model's load plane lies MM of the line toward the magnetron "
                              "from the analyser's " + RowLimits(present::Input::PlaneShiftMm) + ".";
    add(kPlaneShift, shift.c_str(), "MM");
    const std::string band = "Measured load: every measured point within --frequency +- HALF_MHZ, with its "
                             "powers; 0: the magnetron's pulling range, else 50 MHz " +
                             RowLimits(present::Input::BandHalfMHz) + ".";
    add(kBand, band.c_str(), "HALF_MHZ");
    add(kWrite, "Measured load: writes the load as the model sees it, version 1, RI, MHz.", "FILE");
}

bool TouchstoneAsked(const QCommandLineParser& parser) { return parser.isSet(Name(kTouchstone)); }

int RunTouchstone(const QCommandLineParser& parser, Format format)
{
    const std::string path = U(parser.value(Name(kTouchstone)));
    const touchstone::TReadResult r = touchstone::ReadTouchstoneFile(path);
    if (!r.ok()) {
        Fail("--touchstone: " + r.error);
        return 2;
    }
    const std::string file = std::filesystem::path(path).filename().string();
    const std::string out = format == kJson ? TouchstoneJson(*r.network, file) : TouchstoneText(*r.network, file);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

bool ReadMeasuredOptions(const QCommandLineParser& parser, TCliCase& c)
{
    const bool file = parser.isSet(Name(kLoadFile));
    if (!file && (parser.isSet(Name(kPort)) || parser.isSet(Name(kPlaneShift)))) {
        Fail("--port and --plane-shift need --load-file");
        return false;
    }
    if (file && parser.isSet(QStringLiteral("load"))) {
        Fail("--load and --load-file cannot be used together: both set the load");
        return false;
    }
    if (parser.isSet(QStringLiteral("load"))) c.c.measured.reset();  // a typed load detaches the measurement
    if (file) {
        double port = 1, shift = present::InputRow(present::Input::PlaneShiftMm).def;
        if (!ReadReal(parser, kPort, 1, touchstone::kMaxPorts, port) ||
            !ReadRow(parser, present::Input::PlaneShiftMm, shift))
            return false;
        if (port != std::trunc(port)) {
            Fail("--port " + Quoted(U(parser.value(Name(kPort)))) + ": not a whole number");
            return false;
        }
        TMeasuredLoad load;
        load.planeShiftMm = shift;
        std::string error;
        if (!present::ReadMeasuredLoad(U(parser.value(Name(kLoadFile))), static_cast<int>(port), load, error)) {
            Fail("--load-file: " + error);
            return false;
        }
        c.c.measured = std::move(load);
    }
    return true;
}

bool ReadBandOption(const QCommandLineParser& parser, TCliCase& c)
{
    if (!parser.isSet(Name(kBand))) return true;
    bool inSet = false;
    for (const present::TSetLoad& l : c.c.loadSet) inSet = inSet || l.measured.has_value();
    if (!c.c.measured && !inSet) {
        Fail("--band needs a measured load (--load-file, a measured load in --load-set, or a case file with one)");
        return false;
    }
    double half = 0;
    if (!ReadRow(parser, present::Input::BandHalfMHz, half)) return false;
    if (c.c.measured) {
        c.c.measured->bandHalfMHz = half;
        c.band = true;  // the case's band is written
    }
    for (present::TSetLoad& l : c.c.loadSet)
        if (l.measured) l.measured->bandHalfMHz = half;
    return true;
}

namespace {

std::string MeasuredJson(const TMeasuredLoad& load, const present::TMeasuredResult& m)
{
    std::string o = "  \"measured\": {\n";
    Key(o, "file", true);
    present::AppendJsonString(o, load.file);
    Key(o, "port");
    present::AppendInteger(o, load.port);
    Key(o, "points");
    present::AppendInteger(o, static_cast<long long>(load.freqHz.size()));
    Key(o, "plane_shift_mm");
    Number(o, load.planeShiftMm);
    Key(o, "f_min_mhz");
    Number(o, m.fMinMHz);
    Key(o, "f_max_mhz");
    Number(o, m.fMaxMHz);
    Key(o, "frequency_mhz");
    Number(o, m.frequencyMHz);
    Key(o, "gamma");
    o += '[';
    Number(o, m.gamma.real());
    o += ", ";
    Number(o, m.gamma.imag());
    o += ']';
    Key(o, "gamma_mag");
    Number(o, std::abs(m.gamma));
    Key(o, "gamma_deg");
    Number(o, Degrees(m.gamma));
    Key(o, "inside");
    o += m.inside ? "true" : "false";
    o += "\n  },\n";
    return o;
}

std::string BandJson(const present::TBandResult& b)
{
    std::string o = "  \"band\": {\n";
    Key(o, "half_mhz", true);
    Number(o, b.halfMHz);
    Key(o, "points");
    o += '[';
    for (std::size_t i = 0; i < b.points.size(); ++i) {
        const present::TBandPoint& p = b.points[i];
        o += i ? ",\n      " : "\n      ";
        InlineObject(o, {{"frequency_mhz", p.frequencyMHz}, {"gamma_mag", p.gammaMag}, {"gamma_deg", p.gammaDeg},
                         {"incident_w", p.incidentW}, {"reflected_w", p.reflectedW}, {"absorbed_w", p.absorbedW}});
    }
    o += b.points.empty() ? "]" : "\n    ]";
    // no point within the band: no extremes
    const auto extreme = [&](const char* key, double v) {
        Key(o, key);
        if (b.points.empty())
            o += "null";
        else
            Number(o, v);
    };
    extreme("absorbed_min_w", b.absorbedMinW);
    extreme("absorbed_max_w", b.absorbedMaxW);
    extreme("reflected_max_w", b.reflectedMaxW);
    extreme("worst_frequency_mhz", b.worstFrequencyMHz);
    o += "\n  },\n";
    return o;
}

}  // namespace

void AddMeasuredOutput(std::string& out, Format format, const TCliCase& c, const present::TSnapshot& s)
{
    if (!c.c.measured || !s.measured.present || format == kCsv) return;
    const TMeasuredLoad& load = *c.c.measured;
    if (format == kText) {
        // the report's sections: the load taken, and the band when asked for
        std::vector<present::TSection> sections = present::MeasuredSections(s);
        if (!c.band) sections.pop_back();
        out += "\n" + present::CaseText(sections);
        return;
    }
    // before "display", after "results" and the other sections
    json::InsertBeforeDisplay(out, MeasuredJson(load, s.measured) + (c.band ? BandJson(s.band) : std::string()));
}

bool WriteTouchstoneOption(const QCommandLineParser& parser, const TCliCase& c)
{
    if (!parser.isSet(Name(kWrite))) return true;
    const QString path = parser.value(Name(kWrite));
    if (!c.c.measured) {
        Fail("--write-touchstone needs a measured load (--load-file, or a case file with one)");
        return false;
    }
    const std::string text = touchstone::WriteTouchstone1(present::ModelLoadNetwork(*c.c.measured, c.c.line, c.c.guide));
    QString reason;
    if (!SaveWholeFile(path, QByteArray::fromStdString(text), &reason)) {
        Fail("--write-touchstone cannot write " + Quoted(U(path)) + ": " + U(reason));
        return false;
    }
    return true;
}

}  // namespace merivane::cli
