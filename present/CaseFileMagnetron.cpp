// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "CaseFileMagnetron.h"

#include "EntryReader.h"
#include "Export.h"
#include "Fields.h"
#include "MagnetronRows.h"

#include <QJsonValue>

#include <utility>

namespace merivane::present {

namespace {

// The rows of each section, with where each value lives in the case.
template <class Setup>
struct TKeyOf {
    TubeInput id;
    double Setup::*field;
};
constexpr TKeyOf<TMagnetronSetup> kMagnetronKeys[] = {
    {TubeInput::Pulling, &TMagnetronSetup::pullingMHz},
    {TubeInput::Qext, &TMagnetronSetup::qext},
    {TubeInput::Isolation, &TMagnetronSetup::isolationDb},
    {TubeInput::DummyRating, &TMagnetronSetup::dummyRatingW},
};
constexpr TKeyOf<TMeasurementSetup> kMeasurementKeys[] = {
    {TubeInput::Coupling, &TMeasurementSetup::couplingPct},
    {TubeInput::Sensor, &TMeasurementSetup::sensorPct},
    {TubeInput::Trip, &TMeasurementSetup::tripPct},
    {TubeInput::WaterFlow, &TMeasurementSetup::waterFlowLpm},
    {TubeInput::WaterRise, &TMeasurementSetup::waterRiseK},
};

void BeginSection(std::string& out, const char* name)
{
    out += ",\n  ";
    AppendJsonString(out, name);
    out += ": {";
}

void Key(std::string& out, bool& first, const char* key)
{
    out += first ? "\n    " : ",\n    ";
    first = false;
    AppendJsonString(out, key);
    out += ": ";
}

// Every number of a section, as the shortest text that reads back to the same double.
template <class Setup, std::size_t N>
void AppendNumbers(std::string& out, bool& first, const Setup& s, const TKeyOf<Setup> (&keys)[N])
{
    for (const auto& k : keys) {
        Key(out, first, TubeRow(k.id).key);
        AppendShortest(out, s.*k.field);
    }
}

class TSectionReader {
public:
    TSectionReader(std::string& error, std::vector<std::string>& unknown, std::vector<std::string>& clamps)
        : error_(error), unknown_(unknown), clamps_(clamps)
    {
    }

    bool Fail(const std::string& message)
    {
        if (error_.empty()) error_ = message;
        return false;
    }

    // The section as an object; absent or null reads as empty.
    bool Section(const QJsonObject& root, const char* name, QJsonObject& o)
    {
        const QJsonValue v = root.value(QLatin1String(name));
        if (v.isUndefined() || v.isNull()) return true;
        if (!v.isObject()) return Fail(std::string(name) + ": an object is expected, not " + JsonTypeName(v));
        o = v.toObject();
        return true;
    }

    template <class Setup, std::size_t N>
    bool Numbers(const QJsonObject& o, const char* section, Setup& s, const TKeyOf<Setup> (&keys)[N],
                 const char* extraKey = nullptr)
    {
        for (auto it = o.begin(); it != o.end(); ++it) {
            bool known = extraKey && it.key() == QLatin1String(extraKey);
            for (const auto& k : keys) known = known || it.key() == QLatin1String(TubeRow(k.id).key);
            if (!known) unknown_.push_back(std::string(section) + "." + it.key().toStdString());
        }
        for (const auto& k : keys) {
            const TTubeRow& row = TubeRow(k.id);
            const QJsonValue v = o.value(QLatin1String(row.key));
            if (v.isUndefined() || v.isNull()) continue;
            const std::string path = std::string(section) + "." + row.key;
            std::string text;
            if (v.isString())
                text = v.toString().toStdString();
            else if (v.isDouble())
                text = Shortest(v.toDouble());
            else
                return Fail(path + ": a number is expected, not " + JsonTypeName(v));
            double value = 0;
            const TInputReading r = ReadTubeNumber(row, text, value);
            if (!r.ok) return Fail(path + ": " + r.error);
            if (!r.warning.empty()) clamps_.push_back(path + ": " + r.warning);
            s.*k.field = value;
        }
        return true;
    }

    bool PhaseModel(const QJsonObject& o, LeakPhaseModel& model)
    {
        const QJsonValue v = o.value(QLatin1String(kPhaseModelKey));
        if (v.isUndefined() || v.isNull()) return true;
        const std::string path = std::string(kMeasurementSection) + "." + kPhaseModelKey;
        if (!v.isString()) return Fail(path + ": a name is expected, not " + JsonTypeName(v));
        const std::string t = v.toString().toStdString();
        if (LeakPhaseModelByName(t, model)) return true;
        return Fail(path + ": \"" + ShortText(t, 40) + "\" is not one of fixed, disk, rayleigh");
    }

private:
    std::string& error_;
    std::vector<std::string>& unknown_;
    std::vector<std::string>& clamps_;
};

}  // namespace

void AppendTubeSections(std::string& out, const TTubeCase& t)
{
    const TTubeCase d = DefaultTubeCase();
    TTubeCase onlyMagnetron = d;
    onlyMagnetron.magnetron = t.magnetron;
    if (onlyMagnetron != d) {
        bool first = true;
        BeginSection(out, kMagnetronSection);
        AppendNumbers(out, first, t.magnetron, kMagnetronKeys);
        out += "\n  }";
    }
    TTubeCase onlyMeasurement = d;
    onlyMeasurement.measurement = t.measurement;
    if (onlyMeasurement != d) {
        bool first = true;
        BeginSection(out, kMeasurementSection);
        Key(out, first, kPhaseModelKey);
        AppendJsonString(out, LeakPhaseModelName(t.measurement.phaseModel));
        AppendNumbers(out, first, t.measurement, kMeasurementKeys);
        out += "\n  }";
    }
}

bool ReadTubeSections(const QJsonObject& root, TTubeCase& t, std::string& error, std::vector<std::string>& unknown,
                      std::vector<std::string>& clamps)
{
    TSectionReader r(error, unknown, clamps);
    QJsonObject magnetron, measurement;
    return r.Section(root, kMagnetronSection, magnetron) &&
           r.Numbers(magnetron, kMagnetronSection, t.magnetron, kMagnetronKeys) &&
           r.Section(root, kMeasurementSection, measurement) &&
           r.Numbers(measurement, kMeasurementSection, t.measurement, kMeasurementKeys, kPhaseModelKey) &&
           r.PhaseModel(measurement, t.measurement.phaseModel);
}

}  // namespace merivane::present
