// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "GuideOptions.h"

#include "EntryReader.h"
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

// A number of the guide's rows from an option: not a number is an error, a
// number beyond the limits is clamped with a warning.
bool ReadNumber(const QCommandLineParser& parser, GuideInput id, double& value, std::string& error,
                std::vector<std::string>& warnings)
{
    const present::TGuideRow& row = present::GuideRow(id);
    const QString name = QString::fromLatin1(row.option);
    if (!parser.isSet(name)) return true;
    const std::string text = U(parser.value(name));
    const present::TReading r = present::ReadEntry(present::AsInputRow(row), text, value);
    const std::string option = "--" + std::string(row.option) + " " + Quoted(text);
    if (r.outcome == present::Outcome::NotANumber) {
        error = option + ": not a number";
        return false;
    }
    if (r.outcome == present::Outcome::Below || r.outcome == present::Outcome::Above)
        warnings.push_back(option + ": outside " + present::LimitText(row.lo) + " .. " + present::LimitText(row.hi) +
                           row.unit + "; " + present::LimitText(r.value) + " is used");
    value = r.value;
    return true;
}

}  // namespace

void AddGuideOptions(QCommandLineParser& parser)
{
    const auto add = [&](const char* name, const char* text, const char* value) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(text), QString::fromLatin1(value)));
    };
    add(present::GuideRow(GuideInput::LossDbPerM).option, "Line loss: the line's attenuation in dB/m (0 .. 100).",
        "DB_PER_M");
    add(kConductorOption, "Line loss: the TE10 conductor attenuation of copper, aluminium or brass walls.", "METAL");
    add(present::GuideRow(GuideInput::BreakdownKvPerM).option,
        "Guide: the breakdown field in kV/m (default 3000, dry air at sea level).", "KV_PER_M");
    add(present::GuideRow(GuideInput::HeightMm).option,
        "Guide: the custom waveguide's height in mm (default 43.18); the presets have their own.", "MM");
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
