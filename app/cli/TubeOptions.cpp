// SPDX-License-Identifier: GPL-3.0-or-later
#include "TubeOptions.h"

#include "EntryReader.h"
#include "Inputs.h"
#include "MagnetronExport.h"
#include "MagnetronRows.h"
#include "MagnetronTexts.h"

#include <iterator>
#include <string>

namespace merivane {

namespace {

using present::TubeInput;

// The numeric options and where each goes in the case; the external Q has
// no option of its own (a case file may give it).
struct TNumberOption {
    TubeInput id;
    const char* text;
    const char* value;
    double* (*field)(present::TTubeCase&);
};
const TNumberOption kNumbers[] = {
    {TubeInput::Pulling, "Magnetron: pulling figure at SWR 1.5, peak to peak in MHz.", "MHZ",
     [](present::TTubeCase& t) { return &t.magnetron.pullingMHz; }},
    {TubeInput::Isolation, "Magnetron: isolation of an isolator before the line, dB.", "DB",
     [](present::TTubeCase& t) { return &t.magnetron.isolationDb; }},
    {TubeInput::DummyRating, "Magnetron: rating of the isolator's dummy load, W.", "W",
     [](present::TTubeCase& t) { return &t.magnetron.dummyRatingW; }},
    {TubeInput::Coupling, "Uncertainty: standard uncertainty of each coupling factor, % (k = 1).", "PCT",
     [](present::TTubeCase& t) { return &t.measurement.couplingPct; }},
    {TubeInput::Sensor, "Uncertainty: standard uncertainty of each power sensor, % (k = 1).", "PCT",
     [](present::TTubeCase& t) { return &t.measurement.sensorPct; }},
    {TubeInput::Trip, "Trip: reflected / forward reading that trips, %.", "PCT",
     [](present::TTubeCase& t) { return &t.measurement.tripPct; }},
    {TubeInput::WaterFlow, "Water load: flow in L/min.", "LPM",
     [](present::TTubeCase& t) { return &t.measurement.waterFlowLpm; }},
    {TubeInput::WaterRise, "Water load: temperature rise in K.", "K",
     [](present::TTubeCase& t) { return &t.measurement.waterRiseK; }},
};
constexpr const char* kPhaseModel = "phase-model";

QString Name(const char* option) { return QString::fromLatin1(option); }

}  // namespace

void AddTubeOptions(QCommandLineParser& parser)
{
    for (const TNumberOption& o : kNumbers)
        parser.addOption(QCommandLineOption(Name(present::TubeRow(o.id).option), QString::fromUtf8(o.text),
                                            QString::fromLatin1(o.value)));
    parser.addOption(QCommandLineOption(
        Name(kPhaseModel), QStringLiteral("Uncertainty: the couplers' leak phase: fixed (default), disk or rayleigh."),
        QStringLiteral("M")));
}

bool TubeOptionsGiven(const QCommandLineParser& parser)
{
    for (const TNumberOption& o : kNumbers)
        if (parser.isSet(Name(present::TubeRow(o.id).option))) return true;
    return parser.isSet(Name(kPhaseModel));
}

bool ReadTubeOptions(const QCommandLineParser& parser, present::TTubeCase& t, std::FILE* err)
{
    for (const TNumberOption& o : kNumbers) {
        const char* option = present::TubeRow(o.id).option;
        if (!parser.isSet(Name(option))) continue;
        double value = 0;
        const present::TInputReading r =
            present::ReadTubeNumber(present::TubeRow(o.id), parser.value(Name(option)).toStdString(), value);
        if (!r.ok) {
            std::fprintf(err, "merivane-calc: --%s %s\n", option, r.error.c_str());
            return false;
        }
        if (!r.warning.empty()) std::fprintf(err, "merivane-calc: warning: --%s %s\n", option, r.warning.c_str());
        *o.field(t) = value;
    }
    if (parser.isSet(Name(kPhaseModel))) {
        const QString text = parser.value(Name(kPhaseModel));
        if (!present::LeakPhaseModelByName(text.toStdString(), t.measurement.phaseModel)) {
            std::fprintf(err, "merivane-calc: --%s %s: not one of fixed, disk, rayleigh\n", kPhaseModel,
                         Quoted(text.toStdString()).c_str());
            return false;
        }
    }
    return true;
}

bool TTubeColumns::Take(std::string_view name, std::size_t column)
{
    int index = name == kPhaseModel ? -1 : -2;
    for (std::size_t i = 0; i < std::size(kNumbers); ++i)
        if (name == present::TubeRow(kNumbers[i].id).option) index = static_cast<int>(i);
    if (index == -2) return false;
    // a second column of the same input is not taken
    for (const auto& taken : columns_)
        if (taken.first == index) return false;
    columns_.emplace_back(index, column);
    return true;
}

bool TTubeColumns::Apply(const std::vector<std::string>& cells, present::TTubeCase& t, std::string& error,
                         std::vector<std::string>& warnings) const
{
    for (const auto& [index, column] : columns_) {
        if (column >= cells.size() || cells[column].empty()) continue;  // the option's value, or the default
        const std::string& text = cells[column];
        if (index < 0) {
            if (!present::LeakPhaseModelByName(text, t.measurement.phaseModel)) {
                error = std::string(kPhaseModel) + " " + Quoted(text) +
                        ": not one of fixed, disk, rayleigh";
                return false;
            }
            continue;
        }
        const TNumberOption& o = kNumbers[static_cast<std::size_t>(index)];
        const present::TTubeRow& row = present::TubeRow(o.id);
        double value = 0;
        const present::TInputReading r = present::ReadTubeNumber(row, text, value);
        if (!r.ok) {
            error = std::string(row.option) + " " + r.error;
            return false;
        }
        if (!r.warning.empty()) warnings.push_back(std::string(row.option) + " " + r.warning);
        *o.field(t) = value;
    }
    return true;
}

void AppendTubeOutput(std::string& out, TubeForm form, const present::TSnapshot& s)
{
    switch (form) {
    case TubeForm::Csv: present::ExtendCaseCsv(out, s.tube); break;
    case TubeForm::Json: present::InsertTubeJson(out, s.tube); break;
    case TubeForm::Text:
        // a blank line between sections, as between the others
        out += '\n';
        out += present::CaseText({present::MagnetronSection(s), present::MeasurementSection(s)});
        break;
    }
}

}  // namespace merivane
