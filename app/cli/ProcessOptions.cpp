// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessOptions.h"

#include "CliOptions.h"
#include "Export.h"
#include "Fields.h"
#include "JsonOut.h"
#include "LoadSetFile.h"
#include "NumberText.h"
#include "ProcessTexts.h"
#include "ReflectionText.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace merivane::cli {

namespace {

constexpr const char* kLoadSet = "load-set";
constexpr const char* kRobust = "robust";
QString Name(const char* n) { return QString::fromLatin1(n); }

bool ReadLoadSet(const QString& path, std::vector<present::TSetLoad>& loads)
{
    std::string error;
    if (present::ReadLoadSetFile(path.toStdString(), loads, error)) return true;
    Fail("--load-set " + Quoted(path.toStdString()) + ", " + error);
    return false;
}

// --band over a set: each measured load of it takes the half-width (the
// case's own measured load took it already).
bool ApplySetBand(const QCommandLineParser& parser, TCliCase& c)
{
    const QString band = QStringLiteral("band");
    if (!parser.isSet(band) || c.c.measured) return true;
    bool any = false;
    for (const present::TSetLoad& l : c.c.loadSet) any = any || l.measured.has_value();
    if (!any) {
        Fail("--band needs a measured load (--load-file, a measured load in --load-set, or a case file with one)");
        return false;
    }
    double half = 0;
    const present::TInputReading r = present::ReadInputNumber(present::Input::BandHalfMHz, parser.value(band).toStdString(), half);
    if (!r.ok) {
        Fail("--band " + r.error);
        return false;
    }
    if (!r.warning.empty()) Warn("--band " + r.warning);
    for (present::TSetLoad& l : c.c.loadSet)
        if (l.measured) l.measured->bandHalfMHz = half;
    return true;
}

using json::Key;
using json::Number;
using json::Optional;

// The setting by the match's own names.
std::string SettingsJson(MatchMethod m, const TMatchSolution& s, const present::TScrewSetting (&screws)[3])
{
    std::string o = "{";
    const auto field = [&o](const char* name, double v, bool first = false) {
        if (!first) o += ", ";
        present::AppendJsonString(o, name);
        o += ": ";
        Number(o, v);
    };
    switch (m) {
    case MatchMethod::ThreeStub:
    case MatchMethod::DoubleStub:
        o += "\"susceptances\": [";
        for (int k = 0; k < s.SusceptanceCount; ++k) {
            if (k) o += ", ";
            Number(o, s.Susceptances[k]);
        }
        o += "]";
        // where the case's screw table puts each screw, as the match gives it:
        // 0 for a screw out, null for a susceptance beyond the table
        if (screws[0].kind == present::ScrewDepth::None) break;
        o += ", \"screw_depths_mm\": [";
        for (int k = 0; k < s.SusceptanceCount && k < 3; ++k) {
            if (k) o += ", ";
            const present::TScrewSetting& w = screws[k];
            json::NumberOrNull(o, w.kind == present::ScrewDepth::Depth ? w.depthMm
                                  : w.kind == present::ScrewDepth::Out ? 0.0
                                                                       : std::numeric_limits<double>::quiet_NaN());
        }
        o += "]";
        break;
    case MatchMethod::EH:
        field("reactance", s.Reactance, true);
        field("susceptance", s.Susceptance);
        o += ", \"order\": ";
        present::AppendJsonString(o, s.Order ? s.Order : kSeriesThenShunt);
        break;
    case MatchMethod::SingleStub:
        // the stub's length for b at the nominal frequency (ShortedStubLengthMm)
        field("distance_mm", s.DistanceMm, true);
        field("susceptance", s.Susceptance);
        field("stub_length_mm", s.StubLengthMm);
        break;
    }
    return o + "}";
}

std::string RobustJson(const present::TProcessResult& p)
{
    std::string o = "  \"robust\": {\n";
    Key(o, "method", true);
    present::AppendJsonString(o, MatchMethodName(p.method));
    Key(o, "settings");
    o += SettingsJson(p.method, p.robust.robust.setting, p.screws);
    Key(o, "spacing_mm");  // null for the E-H tuner and the single stub, which have none
    json::NumberOrNull(o, p.spacingMm > 0 ? p.spacingMm : std::numeric_limits<double>::quiet_NaN());
    Key(o, "guide_wavelength_mm");
    Number(o, p.guideWavelengthMm);
    Key(o, "worst_gamma_mag");
    Number(o, p.robust.robust.worstMag);
    Key(o, "worst_load");
    present::AppendJsonString(o, p.worstLoad);
    Key(o, "worst_frequency_mhz");
    Number(o, p.worstFrequencyMHz);
    Key(o, "nominal_worst_gamma_mag");
    Number(o, p.robust.nominal.worstMag);
    Key(o, "loads");
    o += "[";
    for (std::size_t i = 0; i < p.loads.size(); ++i) {
        const present::TProcessLoad& l = p.loads[i];
        o += i ? ",\n      {" : "\n      {";
        o += "\"name\": ";
        present::AppendJsonString(o, l.name);
        o += ", \"gamma_mag_after\": ";
        Number(o, l.gammaMagAfter);
        o += ", \"reflected_w\": ";
        Number(o, l.reflectedW);
        o += ", \"absorbed_w\": ";
        Number(o, l.absorbedW);
        o += "}";
    }
    o += p.loads.empty() ? "]" : "\n    ]";
    return o + "\n  },\n";
}

std::string EnvelopeJson(const present::TProcessEnvelope& e)
{
    std::string o = "  \"envelope\": {\n";
    Key(o, "absorbed_min_w", true);
    Number(o, e.absorbedMinW);
    Key(o, "absorbed_max_w");
    Number(o, e.absorbedMaxW);
    Key(o, "reflected_max_w");
    Number(o, e.reflectedMaxW);
    Key(o, "trip_margin_db");
    Optional(o, e.tripMarginDb);
    Key(o, "dummy_load_margin_db");
    Optional(o, e.dummyMarginDb);
    Key(o, "water_flow_lpm");
    Optional(o, e.waterFlowLpm);
    return o + "\n  },\n";
}


}  // namespace

void AddProcessOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(
        Name(kLoadSet),
        QStringLiteral("Process: the loads as the product heats, a CSV of name,load or name,file,port; the first "
                       "is the nominal one (with --robust)."),
        QStringLiteral("FILE.csv")));
    parser.addOption(QCommandLineOption(
        Name(kRobust), QStringLiteral("Process: the one setting of --match that keeps the worst |\u0393in| over the "
                                      "load set, or a measured load's --band, lowest.")));
}

bool ReadProcessOptions(const QCommandLineParser& parser, TCliCase& c)
{
    // a case file's set and its robust flag stand unless the options change them
    const bool fromCase = parser.isSet(QStringLiteral("case"));
    const bool robust = parser.isSet(Name(kRobust)) || (fromCase && c.c.robust);
    if (parser.isSet(Name(kLoadSet)) && !robust) {
        Fail("--load-set needs --robust (and --match METHOD)");
        return false;
    }
    if (!robust) return true;
    // the method: --match, or the case file's tuner
    if (!c.match && !fromCase) {
        Fail("--robust needs --match METHOD");
        return false;
    }
    if (parser.isSet(Name(kLoadSet)) && !ReadLoadSet(parser.value(Name(kLoadSet)), c.c.loadSet)) return false;
    if (c.c.loadSet.empty() && !c.c.measured) {
        Fail("--robust needs --load-set, or a measured load (--load-file)");
        return false;
    }
    if (!ApplySetBand(parser, c)) return false;
    c.c.robust = true;
    return true;
}

void AddProcessOutput(std::string& out, Format format, const present::TSnapshot& s)
{
    if (!s.process.robust.solved || format == kCsv) return;
    if (format == kText) {
        // the report's sections: the setting, its worst case beside the nominal one, the envelope, the loads
        out += "\n" + present::CaseText(present::ProcessSections(s));
        return;
    }
    json::InsertBeforeDisplay(out, RobustJson(s.process) + EnvelopeJson(s.process.envelope));
}

}  // namespace merivane::cli
