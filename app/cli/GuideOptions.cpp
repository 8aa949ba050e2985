// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "GuideOptions.h"

#include "EntryReader.h"
#include "ReflectionText.h"
#include "Export.h"
#include "Fields.h"

#include <cctype>
#include <cstdio>

namespace merivane {

namespace {

namespace present = merivane::present;
using present::GuideInput;

constexpr char kConductorOption[] = "conductor";

constexpr const char* kColumns[] = {"peak_field_kv_per_m", "peak_field_max_kv_per_m", "breakdown_margin",
                                    "attenuation_db_per_m", "line_loss_w", "absorbed_w", "source_end_reflection"};

std::string U(const QString& s) { return s.toStdString(); }

// A number of the guide's rows from an option, read by the input table's one
// reader: not a number is an error, a number beyond the limits is clamped
// with a warning.
bool ReadNumber(const QCommandLineParser& parser, GuideInput id, double& value, std::string& error,
                std::vector<std::string>& warnings)
{
    const present::TGuideRow& row = present::GuideRow(id);
    const QString name = QString::fromLatin1(row.option);
    if (!parser.isSet(name)) return true;
    const std::string option = "--" + std::string(row.option) + " ";
    const present::TInputReading r = present::ReadInputNumber(row.id, U(parser.value(name)), value);
    if (!r.ok) {
        error = option + r.error;
        return false;
    }
    if (!r.warning.empty()) warnings.push_back(option + r.warning);
    return true;
}

// A row's limits as the help writes them: "0 .. 100".
std::string Range(const present::TGuideRow& row)
{
    return present::LimitText(row.lo) + " .. " + present::LimitText(row.hi);
}

}  // namespace

void AddGuideOptions(QCommandLineParser& parser)
{
    const auto add = [&](GuideInput id, const std::string& text, const char* value) {
        const present::TGuideRow& row = present::GuideRow(id);
        parser.addOption(QCommandLineOption(QString::fromLatin1(row.option), QString::fromStdString(text),
                                            QString::fromLatin1(value)));
    };
    const auto def = [](GuideInput id) { return present::LimitText(present::GuideRow(id).def); };
    add(GuideInput::LossDbPerM,
        "Line loss: the line's attenuation in dB/m (" + Range(present::GuideRow(GuideInput::LossDbPerM)) + ").",
        "DB_PER_M");
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(kConductorOption),
        QStringLiteral("Line loss: the TE10 conductor attenuation of copper, aluminium or brass walls."),
        QStringLiteral("METAL")));
    add(GuideInput::BreakdownKvPerM,
        "Guide: the breakdown field in kV/m (default " + def(GuideInput::BreakdownKvPerM) + ", dry air at sea level).",
        "KV_PER_M");
    add(GuideInput::HeightMm,
        "Guide: the custom waveguide's height in mm (default " + def(GuideInput::HeightMm) +
            "); the presets have their own.",
        "MM");
}

bool ReadGuideOptions(const QCommandLineParser& parser, TCliCase& c, std::string& error,
                      std::vector<std::string>& warnings)
{
    present::TGuideInputs& g = c.c.guide;
    const QString loss = QString::fromLatin1(present::GuideRow(GuideInput::LossDbPerM).option);
    const QString conductor = QString::fromLatin1(kConductorOption);
    if (parser.isSet(loss) && parser.isSet(conductor)) {
        error = "--loss and --conductor cannot be used together: the line has one loss";
        return false;
    }
    if (parser.isSet(conductor)) {
        const std::string text = U(parser.value(conductor));
        bool found = false;
        std::string names;
        for (const TConductorData& m : Conductors()) {
            if (present::SameNoCase(text, m.name)) {
                g.metal = m.kind;
                found = true;
            }
            names += (names.empty() ? "" : ", ") + std::string(m.name);
        }
        if (!found) {
            error = "--conductor " + Quoted(text) + ": not one of " + names;
            return false;
        }
        g.loss = LossSource::Conductor;
    }
    if (!ReadNumber(parser, GuideInput::LossDbPerM, g.lossDbPerM, error, warnings) ||
        !ReadNumber(parser, GuideInput::BreakdownKvPerM, g.breakdownKvPerM, error, warnings) ||
        !ReadNumber(parser, GuideInput::HeightMm, g.heightMm, error, warnings))
        return false;
    if (parser.isSet(loss)) g.loss = LossSource::Entered;
    for (const present::TGuideRow& row : present::GuideRows())
        if (parser.isSet(QString::fromLatin1(row.option))) c.guideGiven = true;
    if (parser.isSet(conductor)) c.guideGiven = true;
    return true;
}

std::vector<std::pair<const char*, std::optional<double>>> GuideNumbers(const present::TGuideResult& g)
{
    const auto field = [&](double v) { return g.load.Defined ? std::optional<double>(v) : std::nullopt; };
    const bool lossy = std::string_view(g.attenuation.Status) == kLossOk;
    return {
        {kColumns[0], field(g.load.PeakFieldKvPerM)},
        {kColumns[1], field(g.load.PeakFieldMaxKvPerM)},
        {kColumns[2], field(g.load.BreakdownMargin)},
        // no loss chosen is 0 dB/m; a loss that cannot be had (a conductor on coax) is none
        {kColumns[3], lossy || std::string_view(g.attenuation.Status) == kLossNone ? std::optional(g.attenuation.DbPerM)
                                                                                    : std::nullopt},
        {kColumns[4], g.loss.LineLossW},
        {kColumns[5], g.loss.AbsorbedW},
        {kColumns[6], g.loss.SourceEndReflMag},
    };
}

std::string WithGuideJson(const std::string& json, const present::TGuideResult& g)
{
    std::string object = "  \"guide\": {\n";
    bool first = true;
    for (const auto& [name, value] : GuideNumbers(g)) {
        object += first ? "    " : ",\n    ";
        first = false;
        present::AppendJsonString(object, name);
        object += ": ";
        if (value)
            present::AppendShortest(object, *value);
        else
            object += "null";
    }
    object += "\n  },\n";
    // before "display", after "results" (and "sweep")
    const std::size_t at = json.find("\n  \"display\": {");
    if (at == std::string::npos) return json;
    return json.substr(0, at + 1) + object + json.substr(at + 1);
}

std::string WithGuideCsv(const std::string& csv, const present::TGuideResult& g)
{
    const std::size_t headerEnd = csv.find('\n');
    if (headerEnd == std::string::npos || csv.empty() || csv.back() != '\n') return csv;
    std::string header = csv.substr(0, headerEnd), row = csv.substr(headerEnd + 1, csv.size() - headerEnd - 2);
    AppendGuideHeader(header);
    AppendGuideCsv(row, g);
    return header + '\n' + row + '\n';
}

void AppendGuideHeader(std::string& out)
{
    for (const char* name : kColumns) {
        out += ',';
        out += name;
    }
}

void AppendGuideCsv(std::string& out, const present::TGuideResult& g)
{
    for (const auto& [name, value] : GuideNumbers(g)) {
        out += ',';
        if (value) present::AppendShortest(out, *value);
    }
}

}  // namespace merivane
