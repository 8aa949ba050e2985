// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessOptions.h"

#include "CliOptions.h"
#include "Export.h"
#include "Fields.h"
#include "JsonOut.h"
#include "LoadSetFile.h"
#include "NumberText.h"
#include "ProcessTexts.h"

#include <algorithm>
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

using json::Key;
using json::Number;
using json::Optional;

// The setting by the match's own names.
std::string SettingsJson(MatchMethod m, const TMatchSolution& s, const present::TScrewSetting (&screws)[3])
{
    std::string o = "{";
    switch (m) {
    case MatchMethod::ThreeStub:
    case MatchMethod::DoubleStub:
        o += "\"susceptances\": [";
        for (int k = 0; k < s.SusceptanceCount; ++k) {
            if (k) o += ", ";
            Number(o, s.Susceptances[k]);
        }
        o += "]";
        // where the case's screw table puts each screw, as the match gives it
        json::ScrewDepths(o, screws, std::min(s.SusceptanceCount, 3));
        break;
    case MatchMethod::EH:
        json::InlineFields(o, {{"reactance", s.Reactance}, {"susceptance", s.Susceptance}}, true);
        o += ", \"order\": ";
        present::AppendJsonString(o, s.Order ? s.Order : kSeriesThenShunt);
        break;
    case MatchMethod::SingleStub:
        // the stub's length for b at the nominal frequency (ShortedStubLengthMm)
        json::InlineFields(
            o, {{"distance_mm", s.DistanceMm}, {"susceptance", s.Susceptance}, {"stub_length_mm", s.StubLengthMm}}, true);
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
